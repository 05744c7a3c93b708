#include "sim/Instrument.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using sim::Instrument;

const sim::ModelInfo &model(const char *name)
{
    const sim::ModelInfo *m = sim::findModel(name);
    if (!m)
        throw std::invalid_argument(name);
    return *m;
}

QByteArray ask(Instrument &instrument, const char *line)
{
    return instrument.handleLine(line);
}

TEST(SimModels, KnowsTheElevenModelsWithSeriesAndChannels)
{
    struct Row {
        const char *name;
        int series;
        int channels;
    };
    const std::vector<Row> rows{{"HRA2", 1, 2},  {"HRA4", 1, 4},  {"HRA8", 1, 8}, {"HRB4", 2, 4},
                                {"HRB8", 2, 8},  {"HLA2", 3, 2},  {"HLA4", 3, 4}, {"HLA8", 3, 8},
                                {"VDX-2", 4, 2}, {"VDX-4", 4, 4}, {"VDX-8", 4, 8}};
    EXPECT_EQ(sim::allModels().size(), rows.size());
    for (const Row &r : rows) {
        const sim::ModelInfo *m = sim::findModel(r.name);
        ASSERT_NE(m, nullptr) << r.name;
        EXPECT_EQ(m->series, r.series) << r.name;
        EXPECT_EQ(m->channels, r.channels) << r.name;
    }
    EXPECT_EQ(sim::findModel("hra8"), nullptr);
    EXPECT_EQ(sim::findModel("VDX8"), nullptr);
    EXPECT_EQ(sim::findModel(""), nullptr);
}

TEST(InstrumentIdentification, JoinsCompanyModelSerialAndVersions)
{
    Instrument plain(model("HRB8"));
    EXPECT_EQ(ask(plain, "*IDN?"), "VN,HRB8,12345,1.2.3-2.0.1.7");

    sim::Identity id;
    id.company = "DRK";
    id.serialNumber = 77;
    id.firmware = "1.0.0";
    id.fpga = "1.2.3";
    Instrument custom(model("VDX-4"), id);
    EXPECT_EQ(ask(custom, "*IDN?"), "DRK,VDX-4,77,1.0.0-1.2.3");
    EXPECT_EQ(ask(custom, "*idn?"), "DRK,VDX-4,77,1.0.0-1.2.3");
    EXPECT_EQ(ask(custom, "*IDN"), "?");
}

struct SetAndRead {
    const char *model;
    const char *command;
    const char *query;
    const char *reply;
};

// Each setting takes the program's argument forms (fixed decimals, settings-file notation)
// and answers in a form the program reads.
TEST(InstrumentSettings, AnswerEachQueryWithWhatWasSet)
{
    const std::vector<SetAndRead> rows{
        {"HRB8", ":PULS0:PER 0.000000100", ":PULS0:PER?", "1E-07"},
        {"HRB8", ":PULS0:PER 500.000000000", ":PULS0:PER?", "500"},
        {"HRA8", ":PULS0:PER 0.001000004", ":PULS0:PER?", "0.001"}, // onto the 10 ns grid
        {"HRB8", ":PULS0:MOD BURS", ":PULS0:MOD?", "BURS"},
        {"HRB8", ":puls0:mod sing", ":PULS0:MOD?", "SING"},
        {"HRB8", ":PULS0:BCO 1000000", ":PULS0:BCO?", "1000000"},
        {"HRB8", ":PULS0:PCO 7", ":PULS0:PCO?", "7"},
        {"HRB8", ":PULS0:OCO 9", ":PULS0:OCO?", "9"},
        {"HRB8", ":PULS0:TRIG:MOD TRIG", ":PULS0:TRIG:MODE?", "TRIG"},
        {"HRB8", ":PULS0:TRIG:MODE TRIG", ":PULS0:TRIG:MOD?", "TRIG"},
        {"HRB8", ":PULS0:TRIG:EDG FALL", ":PULS0:TRIG:EDG?", "FALL"},
        {"HRB8", ":PULS0:TRIG:LEV 2.75", ":PULS0:TRIG:LEV?", "2.75"},
        {"HRB8", ":PULS0:GATE:MOD CHAN", ":PULS0:GATE:MODE?", "CHAN"},
        {"HRB8", ":PULS0:GATE:MODE OUTP", ":PULS0:GATE:MOD?", "OUTP"},
        {"HRB8", ":PULS0:GATE:LOG LOW", ":PULS0:GATE:LOG?", "LOW"},
        {"HRB8", ":PULS0:GATE:LEV 15.00", ":PULS0:GATE:LEV?", "15"},
        {"HRB8", ":SYST:AUT 1", ":SYST:AUT?", "1"},
        {"HRB8", ":PULS0:COUN:STAT 1", ":PULS0:COUN:STAT?", "1"},
        {"HRB8", ":PULS0:ICL:MOD XPL", ":PULS0:ICL:MOD?", "XPL"},
        {"HRB8", ":PULS0:ICL:RAT 25", ":PULS0:ICL:RAT?", "25"},
        {"HRB8", ":PULS0:ICL:LEV 0.02", ":PULS0:ICL:LEV?", "0.02"},
        {"HRB8", ":PULS0:ICL:OPT LAST", ":PULS0:ICL:OPT?", "LAST"},
        {"HRB8", ":PULS0:OCL AUX1", ":PULS0:OCL?", "AUX1"},
        {"HRA8", ":PULS0:ICL EXT20", ":PULS0:ICL?", "EXT20"},
        {"HRA8", ":PULS0:ICL 20", ":PULS0:ICL?", "EXT20"},
        {"HRA8", ":PULS0:OCL 33", ":PULS0:OCL?", "33"},
        {"HRB8", ":PULS2:STAT 0", ":PULS2:STAT?", "0"},
        {"HRB8", ":PULS2:DEL -0.00000000025", ":PULS2:DEL?", "-2.5E-10"},
        {"HRB8", ":PULS2:DEL 999.99999999975", ":PULS2:DEL?", "999.99999999975"},
        {"HRB8", ":PULS1:WIDT 1E-5", ":PULS1:WIDT?", "1E-05"},
        {"HRB8", ":PULS2:WIDT 1.00000000000", ":PULS2:WIDT?", "1"},
        {"HRB8", ":PULS2:CMOD DCYC", ":PULS2:CMOD?", "DCYC"},
        {"HRB8", ":PULS2:BCO 5", ":PULS2:BCO?", "5"},
        {"HRB8", ":PULS2:PCO 3", ":PULS2:PCO?", "3"},
        {"HRB8", ":PULS2:OCO 4", ":PULS2:OCO?", "4"},
        {"HRB8", ":PULS2:WCO 0", ":PULS2:WCO?", "0"},
        {"HRB8", ":PULS2:POL INV", ":PULS2:POL?", "INV"},
        {"HRB8", ":PULS2:CGAT OUTP", ":PULS2:CGAT?", "OUTP"},
        {"HRB8", ":PULS2:SYNC CHH", ":PULS2:SYNC?", "CHH"},
        {"HRB8", ":PULS2:MUX 255", ":PULS2:MUX?", "255"},
        {"HRB8", ":PULS2:OUTP:MOD ADJ", ":PULS2:OUTP:MOD?", "ADJ"},
        {"HRB8", ":PULS8:OUTP:AMPL 5.00", ":PULS8:OUTP:AMPL?", "5"},
        {"VDX-8", ":PULS0:PER 0.000000050", ":PULS0:PER?", "5E-08"},
    };
    for (const SetAndRead &r : rows) {
        Instrument instrument(model(r.model));
        EXPECT_EQ(ask(instrument, r.command), "ok") << r.model << ' ' << r.command;
        EXPECT_EQ(ask(instrument, r.query), r.reply) << r.model << ' ' << r.command;
    }
}

TEST(InstrumentSettings, FactoryDefaultsFitEveryModel)
{
    for (const sim::ModelInfo &m : sim::allModels()) {
        Instrument instrument(m);
        EXPECT_EQ(ask(instrument, ":PULS0:PER?"), "0.001") << m.name.data();
        EXPECT_EQ(ask(instrument, ":PULS0:TRIG:LEV?"), "2.5") << m.name.data();
        for (int n = 1; n <= m.channels; ++n) {
            const QByteArray h = ":PULS" + QByteArray::number(n);
            EXPECT_EQ(instrument.handleLine(h + ":MUX?"), QByteArray::number(1 << (n - 1)));
            EXPECT_EQ(instrument.handleLine(h + ":SYNC?"), "T0");
            EXPECT_EQ(instrument.handleLine(h + ":WIDT?"), "1E-05");
            EXPECT_EQ(instrument.handleLine(h + ":OUTP:AMPL?"), "5");
        }
        // Replaying the defaults' own replies as commands must be accepted: they fit the limits.
        const sim::InstrumentState before = instrument.state();
        EXPECT_EQ(ask(instrument, ":PULS0:PER 0.001"), "ok");
        EXPECT_EQ(instrument.state(), before);
    }
}

struct Limit {
    const char *model;
    const char *command;
    bool accepted;
};

TEST(InstrumentLimits, FollowTheSeries)
{
    const std::vector<Limit> rows{
        // period
        {"HRA8", ":PULS0:PER 0.000000050", true},
        {"HRB8", ":PULS0:PER 0.000000050", false},
        {"HRB8", ":PULS0:PER 0.000000100", true},
        {"HLA8", ":PULS0:PER 0.000000100", false},
        {"HLA8", ":PULS0:PER 0.000000200", true},
        {"VDX-8", ":PULS0:PER 0.000000050", true},
        {"HRA8", ":PULS0:PER 5000.000000000", true},
        {"HRA8", ":PULS0:PER 5000.000000100", false},
        {"VDX-8", ":PULS0:PER 1000.000000000", true},
        {"VDX-8", ":PULS0:PER 1000.000000100", false},
        // delay
        {"HRA8", ":PULS1:DEL -999.99999999975", true},
        {"HRA8", ":PULS1:DEL -1000.00000000000", false},
        {"HRB4", ":PULS1:DEL 1000.00000000000", false},
        {"HLA4", ":PULS1:DEL 1000.00000000000", true},
        {"HLA4", ":PULS1:DEL -999.999999999", true},
        {"HLA4", ":PULS1:DEL -1000.00000000000", false},
        {"VDX-4", ":PULS1:DEL -1000.00000000000", true},
        // width
        {"VDX-2", ":PULS1:WIDT 0.00000000500", true},
        {"HRA2", ":PULS1:WIDT 0.00000000500", false},
        {"HRA2", ":PULS1:WIDT 0.00000001000", true},
        {"HLA2", ":PULS1:WIDT 1000.00000000000", true},
        {"HRA2", ":PULS1:WIDT 1000.00000000000", false},
        // counts
        {"HRA8", ":PULS0:BCO 9999999", true},
        {"HRA8", ":PULS0:BCO 10000000", false},
        {"VDX-8", ":PULS0:BCO 10000000", true},
        {"VDX-8", ":PULS0:PCO 10000001", false},
        {"HRB4", ":PULS0:OCO 1000000", true},
        {"HRB4", ":PULS0:OCO 1000001", false},
        {"HRA8", ":PULS0:BCO 4000000000", false},
        {"HRA8", ":PULS0:BCO 0", false},
        {"HLA4", ":PULS1:WCO 1000000", true},
        {"HLA4", ":PULS1:WCO 1000001", false},
        {"HLA4", ":PULS1:WCO 0", true},
        {"HLA4", ":PULS1:BCO 0", false},
        {"HRA4", ":PULS1:PCO 9999999", true},
        {"HRA4", ":PULS1:OCO 10000000", false},
        // thresholds and amplitude
        {"HRA8", ":PULS0:TRIG:LEV 0.19", false},
        {"HRA8", ":PULS0:TRIG:LEV 0.20", true},
        {"HRA8", ":PULS0:GATE:LEV 15.01", false},
        {"HRA8", ":PULS1:OUTP:AMPL 1.99", false},
        {"HRA8", ":PULS1:OUTP:AMPL 20.00", true},
        {"HRB8", ":PULS0:ICL:LEV 0.01", false},
        {"HRB8", ":PULS0:ICL:LEV 2.51", false},
        {"HRB8", ":PULS0:ICL:RAT 9", false},
        // channels that exist
        {"HRA2", ":PULS3:STAT 1", false},
        {"HRA4", ":PULS4:STAT 1", true},
        {"HRA4", ":PULS5:STAT 1", false},
        {"HRA8", ":PULS9:STAT 1", false},
        // a channel follows T0 or another channel that exists
        {"HRA4", ":PULS1:SYNC CHD", true},
        {"HRA4", ":PULS1:SYNC CHE", false},
        {"HRA4", ":PULS1:SYNC CHA", false},
        {"HRA4", ":PULS3:SYNC T0", true},
        // multiplexer bits of existing channels only
        {"HRA2", ":PULS1:MUX 3", true},
        {"HRA2", ":PULS1:MUX 4", false},
        {"HRA8", ":PULS1:MUX 255", true},
        {"HRA8", ":PULS1:MUX 256", false},
        {"HRA8", ":PULS1:MUX 0", true},
    };
    for (const Limit &r : rows) {
        Instrument instrument(model(r.model));
        EXPECT_EQ(ask(instrument, r.command), r.accepted ? "ok" : "?")
            << r.model << ' ' << r.command;
    }
}

struct DialectRow {
    const char *model;
    const char *line;
    const char *reply;
};

// Series 1 and 4 share one clock vocabulary, series 2 has its own, series 3 has no clock;
// the calibration type exists on series 1 and 4 only.
TEST(InstrumentClocks, EachSeriesSpeaksItsOwnDialect)
{
    const std::vector<DialectRow> rows{
        {"HRA8", ":PULS0:ICL?", "SYS"},        {"HRA8", ":PULS0:OCL?", "T0"},
        {"HRA8", ":PULS0:ICL EXT100", "ok"},   {"HRA8", ":PULS0:OCL TO", "?"},
        {"HRA8", ":PULS0:ICL:MOD INT", "?"},   {"HRA8", ":PULS0:ICL:MOD?", "?"},
        {"HRA8", ":PULS0:ICL:RAT 10", "?"},    {"HRA8", ":PULS1:CAL:TYPE?", "AT20"},
        {"HRA8", ":PULS1:CAL:TYPE AT35", "?"}, {"VDX-4", ":PULS0:ICL EXT10", "ok"},
        {"VDX-4", ":PULS0:OCL 100", "ok"},     {"VDX-4", ":PULS0:ICL:OPT?", "?"},
        {"VDX-4", ":PULS1:CAL:TYPE?", "AT20"}, {"HRB4", ":PULS0:ICL:MOD?", "INT"},
        {"HRB4", ":PULS0:ICL:RAT?", "10"},     {"HRB4", ":PULS0:ICL:OPT?", "FORCE"},
        {"HRB4", ":PULS0:OCL?", "DIS"},        {"HRB4", ":PULS0:ICL SYS", "?"},
        {"HRB4", ":PULS0:ICL?", "?"},          {"HRB4", ":PULS0:OCL TO", "ok"},
        {"HRB4", ":PULS0:OCL T0", "?"},        {"HRB4", ":PULS1:CAL:TYPE?", "?"},
        {"HLA4", ":PULS0:ICL?", "?"},          {"HLA4", ":PULS0:ICL SYS", "?"},
        {"HLA4", ":PULS0:OCL?", "?"},          {"HLA4", ":PULS0:OCL T0", "?"},
        {"HLA4", ":PULS0:ICL:MOD?", "?"},      {"HLA4", ":PULS0:ICL:RAT 10", "?"},
        {"HLA4", ":PULS1:CAL:TYPE?", "?"},
    };
    for (const DialectRow &r : rows) {
        Instrument instrument(model(r.model));
        EXPECT_EQ(ask(instrument, r.line), r.reply) << r.model << ' ' << r.line;
    }
}

// A settings-changed instrument, so that a bad line would have something to spoil.
class InstrumentErrors : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *line : {":PULS0:PER 0.002", ":PULS0:MOD BURS", ":PULS0:COUN:STAT 1",
                                 ":PULS2:DEL 0.000001", ":PULS3:SYNC CHA", "*SAV 4"})
            ASSERT_EQ(ask(instrument, line), "ok") << line;
    }

    Instrument instrument{model("HRB8")};
};

TEST_F(InstrumentErrors, AnswerQuestionMarkAndChangeNothing)
{
    const std::vector<QByteArray> bad{
        ":PULS0:PER abc",
        ":PULS0:PER 1E",
        ":PULS0:PER 0X10",
        ":PULS0:PER NAN",
        ":PULS0:PER INF",
        ":PULS0:PER",
        ":PULS0:PER ",
        ":PULS0:PER 0.001 0.002",
        ":PULS0:PER 1,5",
        ":PULS2:DEL 2000",
        ":PULS0:MOD NORM2",
        ":PULS0:MOD 0",
        ":PULS0:BCO -1",
        ":PULS0:BCO 1.5",
        ":PULS0:BCO 99999999999999",
        ":PULS1:WIDT 0",
        ":PULS0:XYZ 1",
        "PULS0:PER 0.001",
        ":PULS0:PER? 1",
        ":PULS0:PER?1",
        ":PULS:PER 0.001",
        ":PULSX:STAT 1",
        ":PULS12:STAT 1",
        ":SYST:AUT 2",
        ":SYST:XYZ 1",
        ":PULS0:SYST:AUT 1",
        "*SAV 0",
        "*SAV 13",
        "*RCL 13",
        "*RCL -1",
        "*RCL",
        "*SAV",
        "*SAV 1 2",
        "*IDN? X",
        "*RST",
        ":PULS3:SYNC CHC",
        ":PULS3:SYNC CH A",
        ":PULS0:STAT MAYBE",
        ":PULS0:COUN:CL",
        ":PULS0:COUN:CL ALL",
        ":PULS0:COUN:PULSES?",
        ":PULS0:COUN:COUN?",
        ":PULS0:COUN:STAT 2",
        ":PULS1:CAL:TYPE?",
        "",
        "   ",
        "\xff",
        ":PULS0:PER \x01"
        "0.001",
        QByteArray(300, 'A'),
        ":PULS0:PER 0.001;:PULS0:MOD NORM",
    };
    const sim::InstrumentState state = instrument.state();
    const Instrument::Bins bins = instrument.bins();
    for (const QByteArray &line : bad) {
        EXPECT_EQ(instrument.handleLine(line), "?") << line.constData();
        EXPECT_EQ(instrument.state(), state) << line.constData();
        EXPECT_EQ(instrument.bins(), bins) << line.constData();
    }
}

TEST(InstrumentBins, SaveAndRecallSettings)
{
    Instrument instrument(model("HRA4"));
    int saves = 0;
    instrument.binsChanged = [&saves] { ++saves; };
    const sim::InstrumentState factory = instrument.state();

    ASSERT_EQ(ask(instrument, ":PULS0:PER 0.002"), "ok");
    ASSERT_EQ(ask(instrument, ":PULS4:WIDT 0.00000002000"), "ok");
    ASSERT_EQ(ask(instrument, "*SAV 3"), "ok");
    const sim::InstrumentState saved = instrument.state();
    ASSERT_EQ(ask(instrument, ":PULS0:PER 0.005"), "ok");
    ASSERT_EQ(ask(instrument, "*SAV 12"), "ok");
    EXPECT_EQ(saves, 2);

    EXPECT_EQ(ask(instrument, "*RCL 3"), "ok");
    EXPECT_EQ(instrument.state(), saved);
    EXPECT_EQ(ask(instrument, ":PULS0:PER?"), "0.002");
    EXPECT_EQ(ask(instrument, ":PULS4:WIDT?"), "2E-08");
    EXPECT_EQ(ask(instrument, "*RCL 12"), "ok");
    EXPECT_EQ(ask(instrument, ":PULS0:PER?"), "0.005");
    EXPECT_EQ(ask(instrument, "*RCL 0"), "ok");
    EXPECT_EQ(instrument.state(), factory);
    EXPECT_EQ(ask(instrument, "*RCL 7"), "ok"); // never saved: as it left the factory
    EXPECT_EQ(instrument.state(), factory);
}

TEST(InstrumentBins, BinZeroStaysFactoryWhateverIsLoaded)
{
    Instrument instrument(model("HLA2"));
    const sim::InstrumentState factory = instrument.state();
    Instrument::Bins bins = instrument.bins();
    bins[0].system.period = 0.5;
    bins[1].system.period = 0.25;
    instrument.setBins(bins);
    EXPECT_EQ(ask(instrument, "*RCL 1"), "ok");
    EXPECT_EQ(ask(instrument, ":PULS0:PER?"), "0.25");
    EXPECT_EQ(ask(instrument, "*RCL 0"), "ok");
    EXPECT_EQ(instrument.state(), factory);
}

TEST(InstrumentRunState, FollowsStatCommands)
{
    Instrument instrument(model("HRA8"));
    EXPECT_EQ(ask(instrument, ":PULS0:STAT?"), "0");
    EXPECT_EQ(ask(instrument, ":PULS0:STAT ON"), "ok");
    EXPECT_EQ(ask(instrument, ":PULS0:STAT?"), "1");
    EXPECT_EQ(ask(instrument, ":PULS0:STAT OFF"), "ok");
    EXPECT_EQ(ask(instrument, ":PULS0:STAT?"), "0");
    // A recall changes settings, not whether the instrument runs.
    EXPECT_EQ(ask(instrument, ":PULS0:STAT ON"), "ok");
    EXPECT_EQ(ask(instrument, "*RCL 0"), "ok");
    EXPECT_EQ(ask(instrument, ":PULS0:STAT?"), "1");
}

} // namespace
