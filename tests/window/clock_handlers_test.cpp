// The clock controls in both dialects: HRB's input clock modes and auxiliary outputs, and the
// fixed input and output frequencies of every other series.
#include "HandlersTestSupport.h"
#include "ui/FormParts.h"

#include "model/TokenTables.h"
#include "ui/ClockHandlers.h"

#include <QComboBox>

#include <functional>
#include <vector>

using handlerstest::HandlerFixture;
using handlerstest::OnLineFixture;
using handlerstest::q;
using ui::TMainForm;

namespace {

// The clock lists as the read-back leaves them for an HRB: the input list replaced by the
// input clock modes, the output list built for the stored input clock, both selected.
class HrbClocks : public HandlerFixture {
protected:
    void SetUp() override
    {
        setUpForm(model::SeriesHRB, 8);
        form->ExternalInputClkSel->clear();
        form->ExternalInputClkSel->addItems(model::captions(model::TokenTable::InputClockMode));
        form->State.SystemSettings.InputClock = 0;
        form->ExternalInputClkSel->setCurrentIndex(0);
        form->UpdateHRB0OutputClock();
        form->State.SystemSettings.OutputClock = 5;
        form->ExternalOutputClkSel->setCurrentIndex(5);
    }
};

} // namespace

TEST_F(HrbClocks, InputChangeSendsTheModeAndOffersTheOutputsForIt)
{
    chooseText(form->ExternalInputClkSel, q("External"));
    EXPECT_EQ(sent(), QStringList{q(":PULS0:ICL:MOD EXT")}) << "no output clock command";
    EXPECT_EQ(form->State.SystemSettings.InputClock, 1);
    EXPECT_EQ(ui::ListItems(form->ExternalOutputClkSel),
              (QStringList{q("Disabled"), q("1/2 Ext"), q("1/2 Ext PLL"), q("1X EXT PLL"),
                           q("2X EXT PLL"), q("Ch Clock"), q("Rate Clock"), q("T0 Pulse")}));
    EXPECT_EQ(form->ExternalOutputClkSel->currentIndex(), -1);
    EXPECT_EQ(form->State.SystemSettings.OutputClock, 5) << "the instrument keeps its output";

    chooseText(form->ExternalInputClkSel, q("Internal"));
    EXPECT_EQ(sent(), QStringList{q(":PULS0:ICL:MOD INT")});
    EXPECT_EQ(ui::ListItems(form->ExternalOutputClkSel),
              (QStringList{q("Disabled"), q("5 MHz"), q("10 MHz"), q("20 MHz"), q("40 MHz"),
                           q("Ch Clock"), q("Rate Clock"), q("T0 Pulse")}));

    chooseText(form->ExternalInputClkSel, q("Ext w/PLL"));
    EXPECT_EQ(sent(), QStringList{q(":PULS0:ICL:MOD XPL")});
    EXPECT_EQ(form->State.SystemSettings.InputClock, 2);
}

namespace {

struct ClockCase {
    const char *name;
    int series;
    std::function<void(TMainForm &)> change;
    QString command;
    std::function<double(const model::SystemSettings &)> stored;
    double storedValue;
};

const std::vector<ClockCase> &clockCases()
{
    using S = model::SystemSettings;
    const auto output = [](const S &s) { return double(s.OutputClock); };
    static const std::vector<ClockCase> cases = {
        // HRB: "T0 Pulse" goes out with the letter O.
        {"HrbOutputT0Pulse", model::SeriesHRB,
         [](TMainForm &f) { HandlerFixture::chooseText(f.ExternalOutputClkSel, q("T0 Pulse")); },
         q(":PULS0:OCL TO"), output, 7},
        {"HrbOutputFiveMegahertz", model::SeriesHRB,
         [](TMainForm &f) { HandlerFixture::chooseText(f.ExternalOutputClkSel, q("5 MHz")); },
         q(":PULS0:OCL AUX4"), output, 1},
        {"HrbOutputHalfExternalSameWord", model::SeriesHRB,
         [](TMainForm &f) {
             HandlerFixture::chooseText(f.ExternalInputClkSel, q("External"));
             f.ResponseList->clear();
             f.Tasks->ProcessTasks();
             f.ResponseList->clear();
             HandlerFixture::chooseText(f.ExternalOutputClkSel, q("1/2 Ext"));
         },
         q(":PULS0:OCL AUX4"), output, 1},
        {"HrbOutputRateClock", model::SeriesHRB,
         [](TMainForm &f) { HandlerFixture::chooseText(f.ExternalOutputClkSel, q("Rate Clock")); },
         q(":PULS0:OCL RATE"), output, 6},
        {"HrbOptionLast", model::SeriesHRB,
         [](TMainForm &f) { HandlerFixture::choose(f.ExternalInputClkOptionSel, 1); },
         q(":PULS0:ICL:OPT LAST"), [](const S &s) { return double(s.InputClockOption); }, 1},
        {"HrbOptionForce", model::SeriesHRB,
         [](TMainForm &f) { HandlerFixture::choose(f.ExternalInputClkOptionSel, 0); },
         q(":PULS0:ICL:OPT FORCE"), [](const S &s) { return double(s.InputClockOption); }, 0},
        {"HrbRate", model::SeriesHRB, [](TMainForm &f) { f.InputClockRateAdj->setValue(25); },
         q(":PULS0:ICL:RAT 25"), [](const S &s) { return double(s.InputClockRate); }, 25},
        {"HrbLevel", model::SeriesHRB, [](TMainForm &f) { f.InputClockLevelAdj->setValue(0.5); },
         q(":PULS0:ICL:LEV 0.50"), [](const S &s) { return s.InputClockLevel; }, 0.5},
        // The other series: "To Pulse" goes out with the digit zero.
        {"HraOutputToPulse", model::SeriesHRA,
         [](TMainForm &f) { HandlerFixture::chooseText(f.ExternalOutputClkSel, q("To Pulse")); },
         q(":PULS0:OCL T0"), output, 0},
        {"HraOutput14Megahertz", model::SeriesHRA,
         [](TMainForm &f) { HandlerFixture::chooseText(f.ExternalOutputClkSel, q("14.2857 MHz")); },
         q(":PULS0:OCL 14"), output, 4},
        {"VdxOutput100Megahertz", model::SeriesVDX,
         [](TMainForm &f) { HandlerFixture::chooseText(f.ExternalOutputClkSel, q("100 MHz")); },
         q(":PULS0:OCL 100"), output, 10},
        {"HraInput100MegahertzExternal", model::SeriesHRA,
         [](TMainForm &f) { HandlerFixture::chooseText(f.ExternalInputClkSel, q("100 MHz Ext")); },
         q(":PULS0:ICL EXT100"), [](const S &s) { return double(s.InputClock); }, 7},
        {"VdxInputSystemOscillator", model::SeriesVDX,
         [](TMainForm &f) { HandlerFixture::chooseText(f.ExternalInputClkSel, q("System Osc")); },
         q(":PULS0:ICL SYS"), [](const S &s) { return double(s.InputClock); }, 0},
        // Before any read-back (series 0) the designed lists speak the common dialect.
        {"UnknownSeriesInput", model::SeriesUnknown,
         [](TMainForm &f) { HandlerFixture::chooseText(f.ExternalInputClkSel, q("25 MHz Ext")); },
         q(":PULS0:ICL EXT25"), [](const S &s) { return double(s.InputClock); }, 3},
    };
    return cases;
}

class ClockChange : public HandlerFixture, public ::testing::WithParamInterface<ClockCase> {
protected:
    void SetUp() override
    {
        setUpForm(GetParam().series, 8);
        if (GetParam().series == model::SeriesHRB) {
            form->ExternalInputClkSel->clear();
            form->ExternalInputClkSel->addItems(model::captions(model::TokenTable::InputClockMode));
            form->ExternalInputClkSel->setCurrentIndex(0);
            form->UpdateHRB0OutputClock();
        }
    }
};

} // namespace

TEST_P(ClockChange, QueuesTheSeriesWordAndStoresTheValue)
{
    const ClockCase &c = GetParam();
    c.change(*form);
    EXPECT_EQ(sent(), QStringList{c.command});
    EXPECT_DOUBLE_EQ(c.stored(form->State.SystemSettings), c.storedValue);
}

INSTANTIATE_TEST_SUITE_P(BySeries, ClockChange, ::testing::ValuesIn(clockCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(HandlerFixture, OtherSeriesLeaveTheOutputListAloneOnAnInputChange)
{
    const QStringList designed = ui::ListItems(form->ExternalOutputClkSel);
    form->ExternalOutputClkSel->setCurrentIndex(3);
    chooseText(form->ExternalInputClkSel, q("10 MHz Ext"));
    EXPECT_EQ(sent(), QStringList{q(":PULS0:ICL EXT10")});
    EXPECT_EQ(ui::ListItems(form->ExternalOutputClkSel), designed);
    EXPECT_EQ(form->ExternalOutputClkSel->currentIndex(), 3);
}

// On the wire, because the terminal shows lines without their trailing blanks.
TEST_F(OnLineFixture, ClockListWithNothingSelectedSendsTheHeaderAlone)
{
    ASSERT_EQ(form->ExternalOutputClkSel->currentIndex(), -1) << "design state";
    form->ClockHandling->ExternalOutputClkSelChange();
    form->ClockHandling->ExternalInputClkOptionSelChange();
    form->Tasks->ProcessTasks();
    EXPECT_EQ(received(), (QStringList{q(":PULS0:OCL "), q(":PULS0:ICL:OPT ")}));
    EXPECT_EQ(form->State.SystemSettings.OutputClock, -1);
}
