// The channel pages: one handler per setting finds its channel from the control's name,
// queues one ":PULSn:..." command and keeps the value in that channel's record.
#include "HandlersTestSupport.h"

#include "ui/ChannelHandlers.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

#include <functional>
#include <optional>
#include <vector>

using handlerstest::HandlerFixture;
using handlerstest::q;
using model::ChannelRecord;
using ui::TMainForm;

namespace {

// The item that names a sync source: "T0" for 0, "Ch A" to "Ch H" for 1 to 8.
QString sourceName(int source)
{
    return source == 0 ? q("T0") : q("Ch ") + QLatin1Char(static_cast<char>('A' + source - 1));
}

// Channel n's sync-source list as the read-back leaves it on an eight-channel model: T0 and the
// seven other channels. Past the channel's own place an item's index is not the channel it
// names, so a handler that took the index for the channel would send the wrong source.
void trimSyncList(TMainForm &f, int channel)
{
    QStringList items;
    for (int source = 0; source <= 8; ++source) {
        if (source != channel)
            items << sourceName(source);
    }
    QComboBox *list = f.ChSyncSourceSel[channel];
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(list->findText(sourceName(f.State.ChannelSettings[channel].SyncSource)));
}

struct ChannelCase {
    const char *name;
    std::function<void(TMainForm &)> change;
    QStringList commands;
    int channel;
    std::function<double(const ChannelRecord &)> stored;
    double storedValue;
};

const std::vector<ChannelCase> &channelCases()
{
    using R = ChannelRecord;
    static const std::vector<ChannelCase> cases = {
        {"DisableChannelH",
         [](TMainForm &f) { f.ChEnablebox[8]->setChecked(false); },
         {q(":PULS8:STAT 0")},
         8,
         [](const R &r) { return double(r.Enabled); },
         0},
        {"EnableChannelB",
         [](TMainForm &f) {
             f.ChEnablebox[2]->setChecked(false);
             f.ChEnablebox[2]->setChecked(true);
         },
         {q(":PULS2:STAT 0"), q(":PULS2:STAT 1")},
         2,
         [](const R &r) { return double(r.Enabled); },
         1},
        {"NegativeDelayTenNanoseconds",
         [](TMainForm &f) { f.ChDelayAdj[1]->setValue(-1e-8); },
         {q(":PULS1:DEL -0.00000001000")},
         1,
         [](const R &r) { return r.Delay; },
         -1e-8},
        {"NegativeDelayOneGridStep",
         [](TMainForm &f) { f.ChDelayAdj[2]->setValue(-2.5e-10); },
         {q(":PULS2:DEL -0.00000000025")},
         2,
         [](const R &r) { return r.Delay; },
         -2.5e-10},
        {"WidthOneMicrosecond",
         [](TMainForm &f) { f.ChWidthAdj[3]->setValue(1e-6); },
         {q(":PULS3:WIDT 0.00000100000")},
         3,
         [](const R &r) { return r.Width; },
         1e-6},
        {"ModeBurst",
         [](TMainForm &f) { HandlerFixture::choose(f.ChModeSel[4], 2); },
         {q(":PULS4:CMOD BURS")},
         4,
         [](const R &r) { return double(r.Mode); },
         2},
        {"BurstCount",
         [](TMainForm &f) { f.ChBurstAdj[5]->setValue(1000); },
         {q(":PULS5:BCO 1000")},
         5,
         [](const R &r) { return double(r.BurstCount); },
         1000},
        {"WaitCount",
         [](TMainForm &f) { f.ChWaitCountAdj[6]->setValue(25); },
         {q(":PULS6:WCO 25")},
         6,
         [](const R &r) { return double(r.WaitCount); },
         25},
        {"PolarityNormal",
         [](TMainForm &f) { HandlerFixture::choose(f.ChPolaritySel[7], 1); },
         {q(":PULS7:POL NORM")},
         7,
         [](const R &r) { return double(r.Polarity); },
         1},
        {"PolarityInverted",
         [](TMainForm &f) { HandlerFixture::choose(f.ChPolaritySel[7], 0); },
         {q(":PULS7:POL INV")},
         7,
         [](const R &r) { return double(r.Polarity); },
         0},
        {"DutyOnCount",
         [](TMainForm &f) { f.ChDutyOnAdj[1]->setValue(3); },
         {q(":PULS1:PCO 3")},
         1,
         [](const R &r) { return double(r.DutyOnCount); },
         3},
        {"DutyOffCount",
         [](TMainForm &f) { f.ChDutyOffAdj[2]->setValue(4); },
         {q(":PULS2:OCO 4")},
         2,
         [](const R &r) { return double(r.DutyOffCount); },
         4},
        {"GateModeOutputInhibit",
         [](TMainForm &f) { HandlerFixture::choose(f.ChGateModeSel[3], 2); },
         {q(":PULS3:CGAT OUTP")},
         3,
         [](const R &r) { return double(r.GateMode); },
         2},
        {"SyncSourceChannelG",
         [](TMainForm &f) {
             trimSyncList(f, 5);
             HandlerFixture::chooseText(f.ChSyncSourceSel[5], q("Ch G"));
         },
         {q(":PULS5:SYNC CHG")},
         5,
         [](const R &r) { return double(r.SyncSource); },
         7},
        {"SyncSourceT0",
         [](TMainForm &f) {
             f.State.ChannelSettings[6].SyncSource = 2;
             trimSyncList(f, 6);
             HandlerFixture::chooseText(f.ChSyncSourceSel[6], q("T0"));
         },
         {q(":PULS6:SYNC T0")},
         6,
         [](const R &r) { return double(r.SyncSource); },
         0},
        {"MuxChannelsAAndC",
         [](TMainForm &f) {
             HandlerFixture::toggleMark(f.MuxSelect[3], 0);
             HandlerFixture::toggleMark(f.MuxSelect[3], 2);
         },
         {q(":PULS3:MUX 1"), q(":PULS3:MUX 5")},
         3,
         [](const R &r) { return double(r.MuxMask); },
         5},
        {"OutputModeTtl",
         [](TMainForm &f) { HandlerFixture::choose(f.ChOutputModeSel[4], 0); },
         {q(":PULS4:OUTP:MOD TTL")},
         4,
         [](const R &r) { return double(r.OutputMode); },
         0},
        {"OutputModeAdjustable",
         [](TMainForm &f) { HandlerFixture::choose(f.ChOutputModeSel[8], 1); },
         {q(":PULS8:OUTP:MOD ADJ")},
         8,
         [](const R &r) { return double(r.OutputMode); },
         1},
        {"AmplitudeTwoDecimals",
         [](TMainForm &f) { f.ChAmplitudeAdj[6]->setValue(2.5); },
         {q(":PULS6:OUTP:AMPL 2.50")},
         6,
         [](const R &r) { return r.Amplitude; },
         2.5},
    };
    return cases;
}

class ChannelControlChange : public HandlerFixture,
                             public ::testing::WithParamInterface<ChannelCase> {};

} // namespace

TEST_P(ChannelControlChange, QueuesItsCommandAndStoresTheValue)
{
    const ChannelCase &c = GetParam();
    c.change(*form);
    EXPECT_EQ(sent(), c.commands);
    EXPECT_DOUBLE_EQ(c.stored(form->State.ChannelSettings[c.channel]), c.storedValue);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(EveryControl, ChannelControlChange, ::testing::ValuesIn(channelCases()),
                         [](const auto &info) { return std::string(info.param.name); });

namespace {

struct NameCase {
    const char *name;
    std::optional<int> channel;
};

class ChannelFromName : public ::testing::TestWithParam<NameCase> {};

} // namespace

TEST_P(ChannelFromName, IsTheLastCharacterAsADigitOneToEight)
{
    QObject control;
    control.setObjectName(QString::fromLatin1(GetParam().name));
    EXPECT_EQ(ui::ChannelHandlers::ChannelOf(&control), GetParam().channel);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ChannelFromName,
    ::testing::Values(NameCase{"ChDelayAdj3", 3}, NameCase{"MuxSelect8", 8},
                      NameCase{"ChEnablebox1", 1}, NameCase{"ChDelayAdj0", std::nullopt},
                      NameCase{"ChDelayAdj9", std::nullopt}, NameCase{"ChDelayAdj", std::nullopt},
                      NameCase{"", std::nullopt},
                      // Only the last character counts, as the window names no channel 10.
                      NameCase{"ChDelayAdj12", 2}));

using ChannelHandlersTest = HandlerFixture;

TEST_F(ChannelHandlersTest, ControlWithoutAChannelDigitIsIgnored)
{
    ui::TPlusSpinEdit stray;
    stray.setObjectName(q("ChDelayAdj"));
    stray.setMinValue(-1);
    stray.setMaxValue(1);
    stray.setValue(0.5);
    form->ChannelHandling->SetChannelDelay(&stray);
    stray.setObjectName(q("ChDelayAdj9"));
    form->ChannelHandling->SetChannelDelay(&stray);
    // A control of another kind under a channel name.
    form->ChannelHandling->SetChannelMode(form->ChDelayAdj[2]);
    form->ChannelHandling->SetChannelDelay(nullptr);
    EXPECT_EQ(sent(), QStringList{});
}

TEST_F(ChannelHandlersTest, DelayAndWidthOffTheGridRestoreAndRequeueTheStoredValue)
{
    // The decimals the range setting gives an HRA.
    form->ChDelayAdj[2]->setDecimals(11);
    form->ChWidthAdj[2]->setDecimals(11);
    form->ChDelayAdj[2]->setValue(1e-6);
    form->ChWidthAdj[2]->setValue(2e-6);
    ASSERT_EQ(sent(), (QStringList{q(":PULS2:DEL 0.00000100000"), q(":PULS2:WIDT 0.00000200000")}));

    // 0.1 ns beside the 250 ps grid; a negative delay would pass.
    form->ChDelayAdj[2]->setValue(1.0001e-6);
    form->ChWidthAdj[2]->setValue(2.0001e-6);
    EXPECT_EQ(sent(), (QStringList{q(":PULS2:DEL 0.00000100000"), q(":PULS2:WIDT 0.00000200000")}));
    EXPECT_DOUBLE_EQ(form->State.ChannelSettings[2].Delay, 1e-6);
    EXPECT_DOUBLE_EQ(form->ChDelayAdj[2]->Value(), 1e-6);
    EXPECT_DOUBLE_EQ(form->ChWidthAdj[2]->Value(), 2e-6);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ChannelHandlersTest, CountsAreRoundedToWholeNumbers)
{
    form->ChBurstAdj[1]->setDecimals(1);
    form->ChBurstAdj[1]->setValue(12.5); // halves go to the even neighbour
    form->ChWaitCountAdj[1]->setDecimals(1);
    form->ChWaitCountAdj[1]->setValue(7.6);
    EXPECT_EQ(sent(), (QStringList{q(":PULS1:BCO 12"), q(":PULS1:WCO 8")}));
    EXPECT_EQ(form->State.ChannelSettings[1].BurstCount, 12);
    EXPECT_EQ(form->State.ChannelSettings[1].WaitCount, 8);
}

TEST_F(ChannelHandlersTest, OutputModeSwitchesTheAmplitudeControls)
{
    choose(form->ChOutputModeSel[4], 0);
    EXPECT_FALSE(form->ChAmplitudeAdjGrp[4]->isEnabled());
    EXPECT_FALSE(form->ChAmplitudeAdj[4]->ControlEnabled());
    EXPECT_TRUE(form->ChAmplitudeAdjGrp[3]->isEnabled()) << "only channel 4's";
    choose(form->ChOutputModeSel[4], 1);
    EXPECT_TRUE(form->ChAmplitudeAdjGrp[4]->isEnabled());
    EXPECT_TRUE(form->ChAmplitudeAdj[4]->ControlEnabled());
}

TEST_F(ChannelHandlersTest, ChannelModeEnablesThatChannelsCountGroups)
{
    choose(form->ChModeSel[5], 2); // Burst
    EXPECT_TRUE(form->ChBurstCountGrp[5]->isEnabled());
    EXPECT_FALSE(form->ChDutyOnGrp[5]->isEnabled());
    choose(form->ChModeSel[5], 3); // Duty Cycle
    EXPECT_FALSE(form->ChBurstCountGrp[5]->isEnabled());
    EXPECT_TRUE(form->ChDutyOnGrp[5]->isEnabled());
    EXPECT_TRUE(form->ChDutyOffAdj[5]->ControlEnabled());
}

namespace {

struct MuxCase {
    const char *name;
    int channelCount;
    std::vector<int> marks; // items the user checks, in order
    int mask;
};

class MuxMask : public HandlerFixture, public ::testing::WithParamInterface<MuxCase> {
protected:
    void SetUp() override { setUpForm(model::SeriesHRA, GetParam().channelCount); }
};

} // namespace

TEST_P(MuxMask, CountsOnlyTheChannelsTheInstrumentHas)
{
    const MuxCase &c = GetParam();
    for (int item : c.marks)
        toggleMark(form->MuxSelect[2], item);
    const QStringList commands = sent();
    ASSERT_EQ(commands.size(), qsizetype(c.marks.size()));
    EXPECT_EQ(commands.last(), q(":PULS2:MUX ") + QString::number(c.mask));
    EXPECT_EQ(form->State.ChannelSettings[2].MuxMask, c.mask);
}

INSTANTIATE_TEST_SUITE_P(
    ByChannelCount, MuxMask,
    ::testing::Values(MuxCase{"FourChannelsAAndD", 4, {0, 3}, 9},
                      MuxCase{"FourChannelsMarkOnEIgnored", 4, {0, 3, 4}, 9},
                      MuxCase{"TwoChannelsAtMostThree", 2, {0, 1, 2, 7}, 3},
                      MuxCase{"EightChannelsAAndC", 8, {0, 2}, 5},
                      MuxCase{"EightChannelsAll", 8, {0, 1, 2, 3, 4, 5, 6, 7}, 255}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ChannelHandlersTest, MarksSetFromCodeRaiseNothing)
{
    form->MuxSelect[1]->setChecked(0, true);
    form->ChSyncSourceSel[1]->setCurrentIndex(2);
    EXPECT_EQ(sent(), QStringList{});
    EXPECT_EQ(form->State.ChannelSettings[1].MuxMask, 0);
    EXPECT_EQ(form->State.ChannelSettings[1].SyncSource, 0);
}

namespace {

struct SyncCase {
    const char *name;
    std::vector<std::pair<int, int>> stored; // channel, its sync source
    int channel;
    const char *choice;
    const char *refusal; // empty: accepted
    const char *command; // when accepted
    int chosen;          // the source the choice names
    // Only the designed list, as before the first read-back, still offers the channel itself.
    bool designedList = false;
};

class SyncSource : public HandlerFixture, public ::testing::WithParamInterface<SyncCase> {};

} // namespace

TEST_P(SyncSource, RefusesLoopsWithTheirMessageAndPutsTheBoxBack)
{
    const SyncCase &c = GetParam();
    for (const auto &[channel, source] : c.stored)
        form->State.ChannelSettings[channel].SyncSource = source;
    QComboBox *list = form->ChSyncSourceSel[c.channel];
    const int before = form->State.ChannelSettings[c.channel].SyncSource;
    if (c.designedList)
        list->setCurrentIndex(before); // T0 and Ch A..Ch H in order
    else
        trimSyncList(*form, c.channel);
    ASSERT_EQ(list->currentText(), sourceName(before));

    chooseText(list, q(c.choice));

    if (QString::fromLatin1(c.refusal).isEmpty()) {
        EXPECT_TRUE(dialogs.shown.isEmpty());
        EXPECT_EQ(sent(), QStringList{q(c.command)});
        EXPECT_EQ(list->currentText(), q(c.choice));
        EXPECT_EQ(form->State.ChannelSettings[c.channel].SyncSource, c.chosen);
        return;
    }
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, q(c.refusal));
    EXPECT_EQ(dialogs.shown[0].buttons, QList{transport::UserDialogs::Button::Ok});
    EXPECT_EQ(sent(), QStringList{});
    EXPECT_EQ(form->State.ChannelSettings[c.channel].SyncSource, before);
    EXPECT_EQ(list->currentText(), sourceName(before));
}

INSTANTIATE_TEST_SUITE_P(
    Choices, SyncSource,
    ::testing::Values(
        SyncCase{"TwoChannelsToEachOther",
                 {{2, 1}},
                 1,
                 "Ch B",
                 "Error. You cannot sync two channels to each other.",
                 "",
                 2},
        SyncCase{"ItSelf", {}, 3, "Ch C", "Error. Channel cannot sync to itself.", "", 3, true},
        SyncCase{"Circular", {{1, 2}, {2, 3}}, 3, "Ch A", "Error. Circular sync reference.", "", 1},
        SyncCase{"LongerCircle",
                 {{1, 2}, {2, 4}, {4, 5}},
                 5,
                 "Ch A",
                 "Error. Circular sync reference.",
                 "",
                 1},
        SyncCase{"CircleThroughHigherChannels",
                 {{3, 6}, {5, 7}, {7, 3}},
                 3,
                 "Ch E",
                 "Error. Circular sync reference.",
                 "",
                 5},
        SyncCase{"ChainEndingAtT0", {{1, 2}, {2, 0}}, 3, "Ch A", "", ":PULS3:SYNC CHA", 1},
        SyncCase{"ChainAboveTheChannel", {{6, 7}, {7, 0}}, 2, "Ch F", "", ":PULS2:SYNC CHF", 6},
        SyncCase{"ItSelfWithNoChain",
                 {},
                 8,
                 "Ch H",
                 "Error. Channel cannot sync to itself.",
                 "",
                 8,
                 true},
        SyncCase{"T0AlwaysAccepted", {{1, 2}, {2, 1}, {4, 1}}, 4, "T0", "", ":PULS4:SYNC T0", 0},
        SyncCase{"ChannelH", {}, 7, "Ch H", "", ":PULS7:SYNC CHH", 8}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ChannelHandlersTest, SyncTextNamingNoChannelIsPutBackSilently)
{
    QComboBox *list = form->ChSyncSourceSel[2];
    form->State.ChannelSettings[2].SyncSource = 3;
    trimSyncList(*form, 2);
    // The lists are editable: what the box shows may be text the user typed.
    list->setEditText(q("Ch Z"));
    form->ChannelHandling->SetChannelSyncSource(list);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(sent(), QStringList{});
    EXPECT_EQ(form->State.ChannelSettings[2].SyncSource, 3);
    EXPECT_EQ(list->currentText(), q("Ch C"));
}

TEST_F(ChannelHandlersTest, SyncRestoreFindsTheStoredSourceByNameInATrimmedList)
{
    // As the read-back leaves channel C's list on a 4-channel model: no "Ch C", nothing above D.
    QComboBox *list = form->ChSyncSourceSel[3];
    list->clear();
    list->addItems({q("T0"), q("Ch A"), q("Ch B"), q("Ch D")});
    form->State.ChannelSettings[3].SyncSource = 4;
    form->State.ChannelSettings[2].SyncSource = 3;
    list->setCurrentIndex(3);
    chooseText(list, q("Ch B"));
    ASSERT_EQ(dialogs.texts(),
              QStringList{q("Error. You cannot sync two channels to each other.")});
    EXPECT_EQ(list->currentIndex(), 3);
    EXPECT_EQ(list->currentText(), q("Ch D"));

    // A stored source the list cannot show leaves no choice rather than a wrong one.
    form->State.ChannelSettings[3].SyncSource = 3;
    list->setEditText(q("nonsense"));
    form->ChannelHandling->SetChannelSyncSource(list);
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(sent(), QStringList{});
}
