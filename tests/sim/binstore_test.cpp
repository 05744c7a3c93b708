#include "sim/BinStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using sim::BinStore;
using sim::Instrument;

const sim::ModelInfo &hrb4()
{
    return *sim::findModel("HRB4");
}

class BinStoreFile : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    void write(const QString &file, const QByteArray &text) const
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    QTemporaryDir dir;
};

TEST_F(BinStoreFile, KeepsEverySettingOfEveryBin)
{
    Instrument instrument(hrb4());
    for (int bin = 1; bin <= Instrument::kBinCount; ++bin) {
        const QByteArray period = QByteArray::number(bin) + "E-3";
        ASSERT_EQ(instrument.handleLine(":PULS0:PER " + period), "ok");
        ASSERT_EQ(instrument.handleLine(":PULS" + QByteArray::number(bin % 4 + 1) + ":DEL -1E-6"),
                  "ok");
        ASSERT_EQ(instrument.handleLine(":PULS0:ICL:MOD XPL"), "ok");
        ASSERT_EQ(instrument.handleLine(":PULS2:SYNC CHD"), "ok");
        ASSERT_EQ(instrument.handleLine("*SAV " + QByteArray::number(bin)), "ok");
    }
    const BinStore store(path("bins.txt"));
    QString error;
    ASSERT_TRUE(store.save(instrument.bins(), hrb4(), &error)) << qPrintable(error);

    QStringList warnings;
    const Instrument::Bins loaded = store.load(hrb4(), &warnings);
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(QLatin1Char('\n')));
    EXPECT_EQ(loaded, instrument.bins());
    EXPECT_NE(loaded[3], loaded[4]);
}

TEST_F(BinStoreFile, MissingFileGivesFactoryBinsQuietly)
{
    QStringList warnings;
    const Instrument::Bins bins = BinStore(path("none.txt")).load(hrb4(), &warnings);
    EXPECT_TRUE(warnings.isEmpty());
    for (const sim::InstrumentState &bin : bins)
        EXPECT_EQ(bin, sim::InstrumentState::factoryDefaults(hrb4()));
}

// A hand-edited or foreign file: what the model takes is kept, the rest is reported and left
// at the factory value.
TEST_F(BinStoreFile, RejectedLinesAreReportedAndSkipped)
{
    write(path("bins.txt"), "# note\n"
                            "[bin 2]\n"
                            ":PULS0:PER 0.004\n"
                            ":PULS0:ICL EXT10\n" // series 1 clock on a series 2 model
                            ":PULS8:STAT 0\n"    // no channel 8 on a 4-channel model
                            ":PULS1:WIDT 2E-6\n"
                            "[bin 13]\n"
                            ":PULS0:PER 0.009\n"
                            "[bin 5]\n"
                            ":PULS0:PER lots\n");
    QStringList warnings;
    const Instrument::Bins bins = BinStore(path("bins.txt")).load(hrb4(), &warnings);
    EXPECT_EQ(warnings.size(), 4) << qPrintable(warnings.join(QLatin1Char('\n')));

    const sim::InstrumentState factory = sim::InstrumentState::factoryDefaults(hrb4());
    EXPECT_EQ(bins[2].system.period, 0.004);
    EXPECT_EQ(bins[2].channels[0].width, 2e-6);
    EXPECT_EQ(bins[2].channels[7], factory.channels[7]);
    EXPECT_EQ(bins[5], factory);
    for (int n : {1, 3, 4, 6, 12})
        EXPECT_EQ(bins[static_cast<std::size_t>(n)], factory) << n;
}

} // namespace
