#include "ModelPrinters.h"

#include "model/ChannelNames.h"
#include "model/ModelRules.h"
#include "model/TokenTables.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace model;

namespace {

const TokenTable allTables[] = {
    TokenTable::PulseMode,      TokenTable::TriggerMode,    TokenTable::TriggerEdge,
    TokenTable::GateMode,       TokenTable::GateLogic,      TokenTable::InputClockSource,
    TokenTable::OutputClock,    TokenTable::InputClockMode, TokenTable::InputClockOption,
    TokenTable::HrbOutputClock, TokenTable::Polarity,       TokenTable::ChannelGateMode,
    TokenTable::SyncSource,     TokenTable::OutputMode,
};

QStringList split(const char *items)
{
    return QString::fromLatin1(items).split(QLatin1Char('|'));
}

TEST(TokenTables, TokensAndCaptionsInListOrder)
{
    const struct {
        TokenTable table;
        const char *tokens;
        const char *captions;
    } cases[] = {
        {TokenTable::PulseMode, "NORM|SING|BURS|DCYC", "Continuous|Single Shot|Burst|Duty Cycle"},
        {TokenTable::TriggerMode, "DIS|TRIG", "Disabled|Triggered"},
        {TokenTable::TriggerEdge, "FALL|RIS", "Falling|Rising"},
        {TokenTable::GateMode, "DIS|PULS|OUTP|CHAN",
         "Disabled|Pulse Inhibit|Output Inhibit|Channel"},
        {TokenTable::GateLogic, "LOW|HIGH", "Low|High"},
        {TokenTable::InputClockSource, "SYS|EXT10|EXT20|EXT25|EXT40|EXT50|EXT80|EXT100",
         "System Osc|10 MHz Ext|20 MHz Ext|25 MHz Ext|40 MHz Ext|50 MHz Ext|80 MHz Ext|100 MHz "
         "Ext"},
        {TokenTable::OutputClock, "T0|10|11|12|14|16|20|25|33|50|100",
         "To Pulse|10 MHz|11.11 MHz|12.5 MHz|14.2857 MHz|16.67 MHz|20 MHz|25 MHz|33.33 MHz|50 "
         "MHz|100 MHz"},
        {TokenTable::InputClockMode, "INT|EXT|XPL", "Internal|External|Ext w/PLL"},
        {TokenTable::InputClockOption, "FORCE|LAST", "Force|Last"},
        {TokenTable::HrbOutputClock, "DIS|AUX4|AUX3|AUX2|AUX1|CHAN|RATE|TO",
         "Disabled|5 MHz|10 MHz|20 MHz|40 MHz|Ch Clock|Rate Clock|T0 Pulse"},
        {TokenTable::Polarity, "INV|NORM", "Inverted|Normal"},
        {TokenTable::ChannelGateMode, "DIS|PULS|OUTP", "Disabled|Pulse Inh|Out Inh"},
        {TokenTable::SyncSource, "T0|CHA|CHB|CHC|CHD|CHE|CHF|CHG|CHH",
         "T0|Ch A|Ch B|Ch C|Ch D|Ch E|Ch F|Ch G|Ch H"},
        {TokenTable::OutputMode, "TTL|ADJ", "TTL/CMOS|Adjustable"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.table));
        const QStringList tokens = split(c.tokens);
        for (int i = 0; i < tokens.size(); ++i)
            EXPECT_EQ(tokenAt(c.table, i), tokens.at(i));
        EXPECT_EQ(tokenAt(c.table, static_cast<int>(tokens.size())), QString());
        EXPECT_EQ(captions(c.table), split(c.captions));
    }
    EXPECT_EQ(channelModeCaptions(), split("Normal|Single Shot|Burst|Duty Cycle"));
    EXPECT_EQ(hrbOutputClockCaptions(0), captions(TokenTable::HrbOutputClock));
    for (int externalMode : {1, 2})
        EXPECT_EQ(hrbOutputClockCaptions(externalMode),
                  split("Disabled|1/2 Ext|1/2 Ext PLL|1X EXT PLL|2X EXT PLL|Ch Clock|Rate "
                        "Clock|T0 Pulse"));
}

TEST(TokenTables, EveryTokenReadsBackToItsOwnPosition)
{
    for (TokenTable table : allTables) {
        const QList<TokenItem> &items = tokenItems(table);
        QSet<QString> seen;
        for (int i = 0; i < items.size(); ++i) {
            EXPECT_EQ(findToken(table, items.at(i).token), i) << items.at(i).token.toStdString();
            for (const QString &reply : items.at(i).replies) {
                EXPECT_FALSE(seen.contains(reply)) << "ambiguous reply " << reply.toStdString();
                seen.insert(reply);
            }
        }
    }
}

TEST(TokenTables, PositionOutsideTheTableGivesAnEmptyWord)
{
    for (TokenTable table : allTables) {
        EXPECT_EQ(tokenAt(table, -1), QString());
        EXPECT_EQ(tokenAt(table, 100), QString());
    }
}

TEST(TokenDecoding, ExactCaseSensitiveFirstMatchElseKeepPrevious)
{
    const struct {
        TokenTable table;
        const char *reply;
        int previous;
        int decoded;
    } cases[] = {
        {TokenTable::PulseMode, "BURS", 0, 2},
        {TokenTable::PulseMode, "norm", 3, 3}, // matches nothing: stays
        {TokenTable::PulseMode, "XYZ", 1, 1},
        {TokenTable::PulseMode, " NORM", 2, 2}, // a leading blank makes it unequal
        {TokenTable::PulseMode, "", 2, 2},
        {TokenTable::InputClockSource, "20", 0, 2}, // the bare rate
        {TokenTable::InputClockSource, "EXT20", 0, 2},
        {TokenTable::InputClockSource, "100", 0, 7},
        {TokenTable::InputClockSource, "ext20", 5, 5},
        {TokenTable::Polarity, "NORM", 0, 1},
        {TokenTable::Polarity, "INV", 1, 0},
        {TokenTable::OutputMode, "ADJ", 0, 1},
        {TokenTable::HrbOutputClock, "AUX1", 0, 4},
        {TokenTable::SyncSource, "Ch C", 0, 3},
        {TokenTable::SyncSource, "ChC", 0, 3},
        {TokenTable::SyncSource, "CHC", 0, 3},
        {TokenTable::SyncSource, "chc", 0, 0},
        {TokenTable::SyncSource, "CH C", 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(decodeToken(c.table, QString::fromLatin1(c.reply), c.previous), c.decoded)
            << '"' << c.reply << '"';
}

TEST(TokenDecoding, OutputClockT0AndTOBySeries)
{
    // HRB spells "T0 Pulse" with the letter O; the others "To Pulse" with the digit zero.
    const QString letterO = QStringLiteral("TO");
    const QString digitZero = QStringLiteral("T0");
    EXPECT_EQ(findToken(outputClockTable(SeriesHRB), letterO), 7);
    EXPECT_EQ(findToken(outputClockTable(SeriesHRB), digitZero), std::nullopt);
    for (int series : {SeriesUnknown, SeriesHRA, SeriesHLA, SeriesVDX}) {
        EXPECT_EQ(findToken(outputClockTable(series), digitZero), 0) << series;
        EXPECT_EQ(findToken(outputClockTable(series), letterO), std::nullopt) << series;
    }
    EXPECT_EQ(inputClockTable(SeriesHRB), TokenTable::InputClockMode);
    EXPECT_EQ(inputClockTable(SeriesHRA), TokenTable::InputClockSource);
}

TEST(ChannelNames, NumbersNamesAndWords)
{
    const struct {
        int n;
        const char *syncName;
        const char *cmdWord;
    } cases[] = {{0, "T0", "T0"},    {1, "Ch A", "CHA"}, {2, "Ch B", "CHB"},
                 {3, "Ch C", "CHC"}, {4, "Ch D", "CHD"}, {5, "Ch E", "CHE"},
                 {6, "Ch F", "CHF"}, {7, "Ch G", "CHG"}, {8, "Ch H", "CHH"}};
    for (const auto &c : cases) {
        QString name = QStringLiteral("old");
        EXPECT_TRUE(GetChSyncName(c.n, name));
        EXPECT_EQ(name, QString::fromLatin1(c.syncName));
        EXPECT_EQ(GetChannelNumber(name), c.n);
        EXPECT_TRUE(GetChCmdName(c.n, name));
        EXPECT_EQ(name, QString::fromLatin1(c.cmdWord));
        EXPECT_EQ(GetChannelNumber(name), c.n);
    }
    EXPECT_EQ(GetChannelNumber(QStringLiteral("ChE")), 5);
}

TEST(ChannelNames, OtherNumbersLeaveTheNameAlone)
{
    for (int n : {-1, 9, 100}) {
        QString name = QStringLiteral("kept");
        EXPECT_FALSE(GetChSyncName(n, name));
        EXPECT_FALSE(GetChCmdName(n, name));
        EXPECT_EQ(name, QStringLiteral("kept"));
    }
}

TEST(ChannelNames, TextNamingNoChannelGivesNoNumber)
{
    for (const char *text : {"", "T 0", "t0", "TO", "Ch I", "CHI", "A", "Ch  A", "Ch A ", "0"})
        EXPECT_EQ(GetChannelNumber(QString::fromLatin1(text)), std::nullopt) << text;
}

TEST(ChannelNames, IndexInATrimmedList)
{
    // Channel C's list on a 4-channel instrument.
    const QStringList items = {QStringLiteral("T0"), QStringLiteral("Ch A"), QStringLiteral("Ch B"),
                               QStringLiteral("Ch D")};
    const struct {
        int n;
        std::optional<int> index;
    } cases[] = {{4, 3},
                 {1, 1},
                 {0, 0},
                 {2, 2},
                 // The list's own channel and channels the instrument lacks have no item.
                 {3, std::nullopt},
                 {5, std::nullopt},
                 {9, std::nullopt},
                 {-1, std::nullopt}};
    for (const auto &c : cases)
        EXPECT_EQ(GetChannelIndex(items, c.n), c.index) << c.n;

    // The last equal item wins.
    const QStringList doubled = {QStringLiteral("Ch B"), QStringLiteral("T0"),
                                 QStringLiteral("Ch B")};
    EXPECT_EQ(GetChannelIndex(doubled, 2), 2);
}

} // namespace
