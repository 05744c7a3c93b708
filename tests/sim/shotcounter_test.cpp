#include "sim/Instrument.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using sim::Instrument;

constexpr qint64 kMs = 1000000; // nanoseconds

// An instrument on a clock the test moves by hand.
class ShotCounter : public ::testing::Test {
protected:
    Instrument &make(const char *modelName)
    {
        instrument = std::make_unique<Instrument>(*sim::findModel(modelName), sim::Identity{},
                                                  [this] { return nowNs; });
        return *instrument;
    }
    QByteArray ask(const QByteArray &line) { return instrument->handleLine(line); }
    void runLines(const std::vector<const char *> &lines)
    {
        for (const char *line : lines)
            ASSERT_EQ(ask(line), "ok") << line;
    }
    QByteArray countQuery() const
    {
        return instrument->model().series == 4 ? QByteArray(":PULS0:COUN:PULSES?")
                                               : QByteArray(":PULS0:COUN:COUN? TCNTS?");
    }

    qint64 nowNs = 5 * kMs; // not zero, so that nothing depends on time starting at 0
    std::unique_ptr<Instrument> instrument;
};

struct TrainRow {
    const char *name;
    const char *model;
    std::vector<const char *> setup; // before ":PULS0:STAT ON"
    qint64 afterNs;
    const char *count;
    const char *running;
};

// One pulse at the start of every period of the run; single shot and burst end by themselves.
TEST_F(ShotCounter, CountsSystemPulsesOfTheRun)
{
    const std::vector<TrainRow> rows{
        {"continuous", "HRA8", {":PULS0:COUN:STAT 1"}, 10 * kMs + kMs / 2, "11", "1"},
        {"continuous VDX", "VDX-2", {":PULS0:COUN:STAT 1"}, 10 * kMs + kMs / 2, "11", "1"},
        {"just started", "HRA8", {":PULS0:COUN:STAT 1"}, 0, "1", "1"},
        {"longer period", "HLA4", {":PULS0:COUN:STAT 1", ":PULS0:PER 0.01"}, 95 * kMs, "10", "1"},
        {"single shot", "HRA8", {":PULS0:COUN:STAT 1", ":PULS0:MOD SING"}, 10 * kMs, "1", "0"},
        {"single shot, within its period",
         "HRA8",
         {":PULS0:COUN:STAT 1", ":PULS0:MOD SING"},
         kMs / 2,
         "1",
         "1"},
        {"burst done",
         "HRB4",
         {":PULS0:COUN:STAT 1", ":PULS0:MOD BURS", ":PULS0:BCO 5"},
         100 * kMs,
         "5",
         "0"},
        {"burst under way",
         "HRB4",
         {":PULS0:COUN:STAT 1", ":PULS0:MOD BURS", ":PULS0:BCO 5"},
         3 * kMs + kMs / 2,
         "4",
         "1"},
        // on 2, off 3: periods 0, 1, 5 and 6 of the first ten carry a pulse
        {"duty cycle",
         "VDX-8",
         {":PULS0:COUN:STAT 1", ":PULS0:MOD DCYC", ":PULS0:PCO 2", ":PULS0:OCO 3"},
         9 * kMs + kMs / 2,
         "4",
         "1"},
        {"waiting for a trigger",
         "HRA8",
         {":PULS0:COUN:STAT 1", ":PULS0:TRIG:MOD TRIG"},
         50 * kMs,
         "0",
         "1"},
        {"counter off", "HRA8", {}, 50 * kMs, "0", "1"},
        // 10^10 periods of 100 ns would overflow a 32-bit count
        {"capped",
         "HRB8",
         {":PULS0:COUN:STAT 1", ":PULS0:PER 0.0000001"},
         1000000 * kMs,
         "4294967295",
         "1"},
    };
    for (const TrainRow &r : rows) {
        SCOPED_TRACE(r.name);
        make(r.model);
        runLines(r.setup);
        ASSERT_EQ(ask(":PULS0:STAT ON"), "ok");
        nowNs += r.afterNs;
        EXPECT_EQ(ask(countQuery()), r.count);
        EXPECT_EQ(ask(":PULS0:STAT?"), r.running);
    }
}

TEST_F(ShotCounter, KeepsItsCountWhileStoppedAndAcrossRuns)
{
    make("HRA8");
    runLines({":PULS0:COUN:STAT 1", ":PULS0:STAT ON"});
    nowNs += 4 * kMs + kMs / 2; // pulses at 0..4 ms
    runLines({":PULS0:STAT OFF"});
    nowNs += 100 * kMs;
    EXPECT_EQ(ask(countQuery()), "5");
    runLines({":PULS0:STAT ON"});
    nowNs += 2 * kMs + kMs / 2; // three more
    EXPECT_EQ(ask(countQuery()), "8");
}

TEST_F(ShotCounter, NewPeriodAppliesFromTheNextPulse)
{
    make("HRA8");
    runLines({":PULS0:COUN:STAT 1", ":PULS0:STAT ON"});
    nowNs += 2 * kMs + kMs / 2; // pulses at 0, 1, 2 ms; next due at 3 ms
    runLines({":PULS0:PER 0.01"});
    nowNs += kMs; // 3.5 ms: the pulse due at 3 ms came, the next one is 10 ms later
    EXPECT_EQ(ask(countQuery()), "4");
    nowNs += 10 * kMs;
    EXPECT_EQ(ask(countQuery()), "5");
}

struct CounterForm {
    const char *model;
    const char *line;
    bool accepted;
};

// Series 4 clears with a bare ":PULS0:COUN:CL" and counts with ":PULS0:COUN:PULSES?"; the
// others name the counter TCNTS. Each series refuses the other's form and keeps its count.
TEST_F(ShotCounter, ClearAndCountFormsFollowTheSeries)
{
    const std::vector<CounterForm> rows{
        {"HRA8", ":PULS0:COUN:CL TCNTS", true}, {"HRA8", ":PULS0:COUN:CL", false},
        {"HRB4", ":PULS0:COUN:CL TCNTS", true}, {"HRB4", ":PULS0:COUN:CL", false},
        {"HLA2", ":PULS0:COUN:CL TCNTS", true}, {"HLA2", ":PULS0:COUN:CL", false},
        {"VDX-4", ":PULS0:COUN:CL", true},      {"VDX-4", ":PULS0:COUN:CL TCNTS", false},
        {"VDX-4", ":PULS0:COUN:CL?", false},    {"HRA8", ":PULS0:COUN:CL? TCNTS", false},
    };
    for (const CounterForm &r : rows) {
        SCOPED_TRACE(std::string(r.model) + ' ' + r.line);
        make(r.model);
        runLines({":PULS0:COUN:STAT 1", ":PULS0:STAT ON"});
        nowNs += 6 * kMs + kMs / 2;
        ASSERT_EQ(ask(countQuery()), "7");
        EXPECT_EQ(ask(r.line), r.accepted ? "ok" : "?");
        EXPECT_EQ(ask(countQuery()), r.accepted ? "0" : "7");
    }
}

TEST_F(ShotCounter, CountQueryFormsFollowTheSeries)
{
    const std::vector<CounterForm> rows{
        {"HRA8", ":PULS0:COUN:COUN? TCNTS?", true}, {"HRA8", ":PULS0:COUN:COUN? TCNTS", true},
        {"HRA8", ":PULS0:COUN:PULSES?", false},     {"HLA8", ":PULS0:COUN:COUN? TCNTS?", true},
        {"VDX-8", ":PULS0:COUN:PULSES?", true},     {"VDX-8", ":PULS0:COUN:COUN? TCNTS?", false},
        {"VDX-8", ":PULS0:COUN:PULSES? X", false},  {"HRB8", ":PULS0:COUN:COUN? X?", false},
    };
    for (const CounterForm &r : rows) {
        SCOPED_TRACE(std::string(r.model) + ' ' + r.line);
        make(r.model);
        runLines({":PULS0:COUN:STAT 1", ":PULS0:STAT ON"});
        nowNs += 2 * kMs + kMs / 2;
        EXPECT_EQ(ask(r.line), r.accepted ? "3" : "?");
    }
}

} // namespace
