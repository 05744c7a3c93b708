#include "model/Capabilities.h"
#include "model/ModelRules.h"

#include "ModelPrinters.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace model;

namespace {

struct ModelCase {
    const char *model;
    int series;
    int channels;
    bool accepted;
};

void PrintTo(const ModelCase &c, std::ostream *os)
{
    *os << "model '" << c.model << "'";
}

class ModelRules : public ::testing::TestWithParam<ModelCase> {};

TEST_P(ModelRules, SeriesChannelCountAndAcceptance)
{
    const ModelCase c = GetParam();
    const QString model = QString::fromLatin1(c.model);
    EXPECT_EQ(InstrumentSeriesOf(model), c.series);
    EXPECT_EQ(ChannelCountOf(model), c.channels);
    EXPECT_EQ(isAcceptedModel(model), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    AllModels, ModelRules,
    ::testing::Values(ModelCase{"HRA2", 1, 2, true}, ModelCase{"HRA4", 1, 4, true},
                      ModelCase{"HRA8", 1, 8, true}, ModelCase{"HRB4", 2, 4, true},
                      ModelCase{"HRB8", 2, 8, true}, ModelCase{"HLA2", 3, 2, true},
                      ModelCase{"HLA4", 3, 4, true}, ModelCase{"HLA8", 3, 8, true},
                      ModelCase{"VDX-2", 4, 2, true}, ModelCase{"VDX-4", 4, 4, true},
                      ModelCase{"VDX-8", 4, 8, true},
                      // No identification read (manual port choice).
                      ModelCase{"", 0, 8, false}, ModelCase{"XYZ", 0, 8, false},
                      // Series by substring, channel count by the whole string.
                      ModelCase{" HRA4", 1, 8, false}, ModelCase{"HRA9", 1, 8, false},
                      ModelCase{"HRA4x", 1, 8, false}, ModelCase{"HRA", 1, 8, false},
                      ModelCase{"xxHLA2", 3, 8, false}, ModelCase{"VDX2", 4, 8, false},
                      // HRA is tested before the others.
                      ModelCase{"HRBHRA", 1, 8, false}, ModelCase{"VDXHLA", 3, 8, false},
                      // Case-sensitive everywhere.
                      ModelCase{"hra8", 0, 8, false}, ModelCase{"Hra4", 0, 8, false},
                      ModelCase{"vdx-4", 0, 8, false}, ModelCase{"HLB4", 0, 8, false}));

TEST(CompanyName, ExactCodesOnly)
{
    const struct {
        const char *code;
        const char *name;
    } cases[] = {{"VN", "Veltrano"}, {"DRK", "Dravik"},  {"vn", "Unknown"}, {"drk", "Unknown"},
                 {"", "Unknown"},    {" VN", "Unknown"}, {"VNX", "Unknown"}};
    for (const auto &c : cases)
        EXPECT_EQ(CompanyNameOf(QString::fromLatin1(c.code)), QString::fromLatin1(c.name))
            << c.code;
}

TEST(AcceptedModels, ExactlyTheElevenModels)
{
    EXPECT_EQ(acceptedModels().size(), 11);
    for (const QString &m : acceptedModels()) {
        EXPECT_NE(InstrumentSeriesOf(m), SeriesUnknown) << m.toStdString();
        EXPECT_TRUE(isAcceptedModel(m));
    }
}

struct SeriesCapsCase {
    int series;
    GroupDisplay inputGroup;
    std::optional<int> inputHeight;
    bool hrbItems;
    GroupDisplay optionGroups;
    GroupDisplay outputGroup;
    QStringList clockQueries;
    bool calibration;
};

TEST(SeriesCapabilities, ByTheSeriesTable)
{
    using G = GroupDisplay;
    const QStringList freq = {QStringLiteral(":PULS0:ICL"), QStringLiteral(":PULS0:OCL")};
    const QStringList hrb = {QStringLiteral(":PULS0:ICL:MOD"), QStringLiteral(":PULS0:ICL:RAT"),
                             QStringLiteral(":PULS0:ICL:LEV"), QStringLiteral(":PULS0:ICL:OPT"),
                             QStringLiteral(":PULS0:OCL")};
    const SeriesCapsCase cases[] = {
        {1, G::Designed, 60, false, G::Hidden, G::Designed, freq, true},
        {2, G::Designed, std::nullopt, true, G::Designed, G::Designed, hrb, false},
        {3, G::Hidden, std::nullopt, false, G::Hidden, G::Hidden, {}, false},
        {4, G::Designed, 60, false, G::Hidden, G::Designed, freq, true},
        {0, G::Designed, std::nullopt, false, G::Designed, G::Designed, {}, false},
    };
    for (const SeriesCapsCase &c : cases) {
        SCOPED_TRACE(c.series);
        const SeriesCapabilities caps = capabilitiesForSeries(c.series);
        EXPECT_EQ(caps.inputClockGroup, c.inputGroup);
        EXPECT_EQ(caps.inputClockGroupHeight, c.inputHeight);
        EXPECT_EQ(caps.hrbInputClockItems, c.hrbItems);
        EXPECT_EQ(caps.optionRateLevelGroups, c.optionGroups);
        EXPECT_EQ(caps.outputClockGroup, c.outputGroup);
        QStringList queries;
        for (SystemSetting s : caps.clockReadBack)
            queries.append(queryOf(s));
        EXPECT_EQ(queries, c.clockQueries);
        EXPECT_EQ(caps.calibrationQuery, c.calibration);
    }
}

TEST(ChannelPages, ShownByChannelCount)
{
    // Rows: channel count; columns: pages 0..7 (A..H).
    const struct {
        int count;
        std::array<bool, 8> shown;
    } cases[] = {
        {2, {true, true, false, false, false, false, false, false}},
        {4, {true, true, true, true, false, false, false, false}},
        {8, {true, true, true, true, true, true, true, true}},
        // Demo mode: the channel pages are not touched beyond A and B.
        {0, {true, true, false, false, false, false, false, false}},
    };
    for (const auto &c : cases) {
        for (int page = 0; page < 8; ++page)
            EXPECT_EQ(channelPageShown(page, c.count), c.shown[static_cast<size_t>(page)])
                << "count " << c.count << " page " << page;
    }
}

QStringList split(const char *items)
{
    return QString::fromLatin1(items).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

TEST(SyncSourceList, TrimmedToTheOtherExistingChannels)
{
    const struct {
        int channel;
        int count;
        const char *expected;
    } cases[] = {
        {1, 8, "T0,Ch B,Ch C,Ch D,Ch E,Ch F,Ch G,Ch H"},
        {8, 8, "T0,Ch A,Ch B,Ch C,Ch D,Ch E,Ch F,Ch G"},
        {3, 4, "T0,Ch A,Ch B,Ch D"},
        {4, 4, "T0,Ch A,Ch B,Ch C"},
        {1, 2, "T0,Ch B"},
        {2, 2, "T0,Ch A"},
    };
    for (const auto &c : cases) {
        QStringList items = designedSyncSourceItems();
        trimSyncSourceItems(items, c.channel, c.count);
        EXPECT_EQ(items, split(c.expected)) << "channel " << c.channel << " of " << c.count;
        EXPECT_EQ(items.size(), c.count);
        // A later read-back finds nothing more to delete.
        const QStringList once = items;
        trimSyncSourceItems(items, c.channel, c.count);
        EXPECT_EQ(items, once);
    }
}

TEST(MuxList, LayoutByChannelCount)
{
    const struct {
        int count;
        int columns;
        int height;
    } cases[] = {
        {2, 2, 20},
        {4, 4, 20},
        {8, 4, 40},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(muxLayout(c.count).columns, c.columns);
        EXPECT_EQ(muxLayout(c.count).height, c.height);
    }
}

} // namespace
