#include "WindowTestSupport.h"

#include "tests/support/QtPrinters.h"
#include "transport/TVNComPort.h"
#include "ui/TCheckListBox.h"
#include "ui/TPlusSpinEdit.h"
#include "ui/TrpVersionInfo.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace windowtest;
using ui::TMainForm;

namespace {

struct NamedPart {
    const char *name;
    const char *kind; // class name as the meta-object knows it
    std::function<QObject *(TMainForm &)> member;
};

#define PART(member, kind)                                                                         \
    {                                                                                              \
#member, kind, [](TMainForm & f) -> QObject * { return f.member; }                         \
    }

const std::vector<NamedPart> &windowParts()
{
    static const std::vector<NamedPart> parts = {
        PART(BlueBanner, "QLabel"),
        PART(PulseAnimate, "QLabel"),
        PART(ErrorLabel, "QLabel"),
        PART(RunStopbtn, "QPushButton"),
        PART(GroupBox23, "QGroupBox"),
        PART(SystemPageControl, "QTabWidget"),
        PART(SystemPage, "QWidget"),
        PART(AdditionalPage, "QWidget"),
        PART(Systemgrp, "QGroupBox"),
        PART(PulseModeGrp, "QGroupBox"),
        PART(SystemModeSel, "QComboBox"),
        PART(PeriodGrp, "QGroupBox"),
        PART(PeriodAdj, "ui::TPlusSpinEdit"),
        PART(BurstCountGrp, "QGroupBox"),
        PART(SysBurstAdj, "ui::TPlusSpinEdit"),
        PART(AutoStartEnbl, "QCheckBox"),
        PART(DutyCycleGrp, "QGroupBox"),
        PART(OnCountGrp, "QGroupBox"),
        PART(SysDutyOnAdj, "ui::TPlusSpinEdit"),
        PART(OffCountGrp, "QGroupBox"),
        PART(SysDutyOffAdj, "ui::TPlusSpinEdit"),
        PART(Externalgrp, "QGroupBox"),
        PART(TriggerModeSelGrp, "QGroupBox"),
        PART(TrigModeSel, "QComboBox"),
        PART(ExtTrigEdgeGrp, "QGroupBox"),
        PART(TriggerEdgeSel, "QComboBox"),
        PART(ExtThresholdGrp, "QGroupBox"),
        PART(TrigThresholdAdj, "ui::TPlusSpinEdit"),
        PART(GateModeGrp, "QGroupBox"),
        PART(GateModeSel, "QComboBox"),
        PART(GateLogicGrp, "QGroupBox"),
        PART(GateLogicSel, "QComboBox"),
        PART(GateThresholdGrp, "QGroupBox"),
        PART(GateThresholdAdj, "ui::TPlusSpinEdit"),
        PART(GroupBox32, "QGroupBox"),
        PART(ShotCountEnbl, "QCheckBox"),
        PART(ClearShotCount, "QPushButton"),
        PART(ShotCountlbl, "QLabel"),
        PART(ExternalInputClkGrp, "QGroupBox"),
        PART(ExternalInputClkSel, "QComboBox"),
        PART(ExternalOptionGrp, "QGroupBox"),
        PART(ExternalInputClkOptionSel, "QComboBox"),
        PART(InputClockRateGrp, "QGroupBox"),
        PART(InputClockRateAdj, "ui::TPlusSpinEdit"),
        PART(InputClockLevelGrp, "QGroupBox"),
        PART(InputClockLevelAdj, "ui::TPlusSpinEdit"),
        PART(ExternalOutputClkGrp, "QGroupBox"),
        PART(ExternalOutputClkSel, "QComboBox"),
        PART(ChannelGrp, "QGroupBox"),
        PART(ChPageControl, "QTabWidget"),
        PART(TabChA, "QWidget"),
        PART(TabChB, "QWidget"),
        PART(TabChC, "QWidget"),
        PART(TabChD, "QWidget"),
        PART(TabChE, "QWidget"),
        PART(TabChF, "QWidget"),
        PART(TabChG, "QWidget"),
        PART(TabChH, "QWidget"),
        PART(TerminalBoxgrp, "QGroupBox"),
        PART(SendEdit, "QComboBox"),
        PART(SendBtn, "QPushButton"),
        PART(ResponseList, "QTextEdit"),
        PART(SystemInfoGrp, "QGroupBox"),
        PART(SerialNumberlbl, "QLabel"),
        PART(FWVersionlbl, "QLabel"),
        PART(FPGAVersionlbl, "QLabel"),
        PART(MainMenu1, "QMenuBar"),
        PART(ComPort, "transport::TVNComPort"),
        PART(StatusTimer, "QTimer"),
        PART(TaskTimer, "QTimer"),
        PART(LaunchTimer, "QTimer"),
        PART(VersionInfo, "TrpVersionInfo"),
    };
    return parts;
}

#undef PART

struct ChannelStem {
    const char *stem;
    const char *kind;
};

// Every per-channel name: the eighteen array families and the other groups named by stem.
const ChannelStem kChannelStems[] = {
    {"ChEnablebox", "QCheckBox"},
    {"ChDelayAdj", "ui::TPlusSpinEdit"},
    {"ChWidthAdj", "ui::TPlusSpinEdit"},
    {"ChModeSel", "QComboBox"},
    {"ChAmplitudeAdj", "ui::TPlusSpinEdit"},
    {"ChOutputModeSel", "QComboBox"},
    {"ChAmplitudeAdjGrp", "QGroupBox"},
    {"ChBurstAdj", "ui::TPlusSpinEdit"},
    {"ChBurstCountGrp", "QGroupBox"},
    {"ChWaitCountAdj", "ui::TPlusSpinEdit"},
    {"ChSyncSourceSel", "QComboBox"},
    {"ChPolaritySel", "QComboBox"},
    {"ChDutyOnAdj", "ui::TPlusSpinEdit"},
    {"ChDutyOnGrp", "QGroupBox"},
    {"ChDutyOffAdj", "ui::TPlusSpinEdit"},
    {"ChDutyOffGrp", "QGroupBox"},
    {"ChGateModeSel", "QComboBox"},
    {"MuxSelect", "ui::TCheckListBox"},
    {"PolarityGrp", "QGroupBox"},
    {"MuxGrp", "QGroupBox"},
    {"ChOutputModeGrp", "QGroupBox"},
};

const char *const kPageNames[] = {"TabChA", "TabChB", "TabChC", "TabChD",
                                  "TabChE", "TabChF", "TabChG", "TabChH"};

} // namespace

TEST(MainFormNames, EveryWindowPartHasItsNameKindAndMember)
{
    TMainForm &form = designForm();
    for (const NamedPart &part : windowParts()) {
        SCOPED_TRACE(part.name);
        QObject *found = unique(form, latin(part.name));
        ASSERT_NE(found, nullptr) << "missing or not unique";
        EXPECT_TRUE(found->inherits(part.kind)) << found->metaObject()->className();
        EXPECT_EQ(part.member(form), found);
    }
    EXPECT_EQ(form.objectName(), latin("MainForm"));
}

TEST(MainFormNames, EveryChannelControlIsOnItsOwnPage)
{
    TMainForm &form = designForm();
    int checked = 0;
    for (int n = 1; n <= TMainForm::kChannelCount; ++n) {
        const QObject *page = unique(form, latin(kPageNames[n - 1]));
        ASSERT_NE(page, nullptr);
        for (const ChannelStem &stem : kChannelStems) {
            const QString name = channelName(stem.stem, n);
            SCOPED_TRACE(name.toStdString());
            QObject *found = unique(form, name);
            ASSERT_NE(found, nullptr) << "missing or not unique";
            EXPECT_TRUE(found->inherits(stem.kind)) << found->metaObject()->className();
            EXPECT_EQ(page->findChild<QObject *>(name), found)
                << "not on page " << kPageNames[n - 1];
            ++checked;
        }
    }
    EXPECT_EQ(checked, 8 * 21);
}

// The arrays reach the same controls the names do; entry 0 is never used.
template <typename T>
void expectArray(const TMainForm &form, const TMainForm::ChannelArray<T> &array, const char *stem)
{
    SCOPED_TRACE(stem);
    EXPECT_EQ(array[0], nullptr);
    for (int n = 1; n <= TMainForm::kChannelCount; ++n) {
        ASSERT_NE(array[n], nullptr) << "channel " << n;
        EXPECT_EQ(array[n]->objectName(), channelName(stem, n));
        EXPECT_EQ(form.findChild<QObject *>(channelName(stem, n)), array[n]);
    }
}

void expectAllArrays(const TMainForm &f)
{
    expectArray(f, f.ChEnablebox, "ChEnablebox");
    expectArray(f, f.ChDelayAdj, "ChDelayAdj");
    expectArray(f, f.ChWidthAdj, "ChWidthAdj");
    expectArray(f, f.ChModeSel, "ChModeSel");
    expectArray(f, f.ChAmplitudeAdj, "ChAmplitudeAdj");
    expectArray(f, f.ChOutputModeSel, "ChOutputModeSel");
    expectArray(f, f.ChAmplitudeAdjGrp, "ChAmplitudeAdjGrp");
    expectArray(f, f.ChBurstAdj, "ChBurstAdj");
    expectArray(f, f.ChBurstCountGrp, "ChBurstCountGrp");
    expectArray(f, f.ChWaitCountAdj, "ChWaitCountAdj");
    expectArray(f, f.ChSyncSourceSel, "ChSyncSourceSel");
    expectArray(f, f.ChPolaritySel, "ChPolaritySel");
    expectArray(f, f.ChDutyOnAdj, "ChDutyOnAdj");
    expectArray(f, f.ChDutyOnGrp, "ChDutyOnGrp");
    expectArray(f, f.ChDutyOffAdj, "ChDutyOffAdj");
    expectArray(f, f.ChDutyOffGrp, "ChDutyOffGrp");
    expectArray(f, f.ChGateModeSel, "ChGateModeSel");
    expectArray(f, f.MuxSelect, "MuxSelect");
}

TEST(MainFormArrays, EmptyUntilFilledThenEveryEntryFound)
{
    ensureApp();
    TMainForm form;
    for (int n = 0; n <= TMainForm::kChannelCount; ++n) {
        EXPECT_EQ(form.ChDelayAdj[n], nullptr);
        EXPECT_EQ(form.MuxSelect[n], nullptr);
    }
    form.FillChannelArrays();
    expectAllArrays(form);
}

TEST(MainFormArrays, MissingNameOrWrongKindLeavesTheEntryEmpty)
{
    ensureApp();
    TMainForm form;
    // Channel 3's delay name now belongs to a list; channel 5's multiplexer has no name.
    form.findChild<ui::TPlusSpinEdit *>(latin("ChDelayAdj3"))->setObjectName(latin("Renamed"));
    form.findChild<QComboBox *>(latin("ChModeSel3"))->setObjectName(latin("ChDelayAdj3"));
    form.findChild<ui::TCheckListBox *>(latin("MuxSelect5"))->setObjectName(QString());

    form.FillChannelArrays();

    EXPECT_EQ(form.ChDelayAdj[3], nullptr);
    EXPECT_EQ(form.ChModeSel[3], nullptr);
    EXPECT_EQ(form.MuxSelect[5], nullptr);
    EXPECT_NE(form.ChDelayAdj[2], nullptr);
    EXPECT_NE(form.ChDelayAdj[4], nullptr);
    EXPECT_NE(form.ChModeSel[4], nullptr);
    EXPECT_NE(form.MuxSelect[4], nullptr);
    EXPECT_NE(form.MuxSelect[6], nullptr);
}

TEST(MainFormArrays, FillingNamesEveryControlItCannotFind)
{
    ensureApp();
    TMainForm built;
    EXPECT_EQ(built.FillChannelArrays(), QStringList{});

    TMainForm form;
    form.findChild<ui::TPlusSpinEdit *>(latin("ChDelayAdj3"))->setObjectName(latin("Renamed"));
    form.findChild<QComboBox *>(latin("ChModeSel3"))->setObjectName(latin("ChDelayAdj3"));
    form.findChild<ui::TCheckListBox *>(latin("MuxSelect5"))->setObjectName(QString());
    EXPECT_EQ(form.FillChannelArrays(),
              QStringList({latin("ChDelayAdj3"), latin("ChModeSel3"), latin("MuxSelect5")}));
}

// The events of every per-channel control reach a handler: the wiring found each control of
// each page by its name and kind.
TEST(MainFormArrays, WiringFindsEveryChannelControl)
{
    TMainForm &form = designForm();
    EXPECT_EQ(form.UnwiredControls(), QStringList{});
}

struct MenuDesign {
    const char *menu;
    const char *title;
    // Item names in order; a submenu is listed by its menu name.
    std::vector<std::pair<const char *, const char *>> items;
};

TEST(MainFormMenu, MenusAndItemsInOrder)
{
    TMainForm &form = designForm();
    const std::vector<MenuDesign> menus = {
        {"File1", "File", {{"Exit1", "Exit"}, {"R1", "Restart App"}}},
        {"Storage1",
         "Storage",
         {{"SaveToBin1", "Save To Bin"},
          {"RestoreFromBin1", "Restore From Bin"},
          {"SaveToFile1", "Save Settings To File"},
          {"RestoreSettingsFromFile1", "Restore Settings From File"}}},
        {"SaveToBin1",
         "Save To Bin",
         {{"Save1", "1"},
          {"Save2", "2"},
          {"Save3", "3"},
          {"Save4", "4"},
          {"Save5", "5"},
          {"Save6", "6"},
          {"Save7", "7"},
          {"Save8", "8"},
          {"Save9", "9"},
          {"Save10", "10"},
          {"Save11", "11"},
          {"Save12", "12"}}},
        {"RestoreFromBin1",
         "Restore From Bin",
         {{"Default01", "Default 0"},
          {"Restore1", "1"},
          {"Restore2", "2"},
          {"Restore3", "3"},
          {"Restore4", "4"},
          {"Restore5", "5"},
          {"Restore6", "6"},
          {"Restore7", "7"},
          {"Restore8", "8"},
          {"Restore9", "9"},
          {"Restore10", "10"},
          {"Restore11", "11"},
          {"Restore12", "12"}}},
        {"ools1",
         "Tools",
         {{"Up1", "Refresh"},
          {"CaptureScreenShot1", "Capture Screen Shot"},
          {"EnableLoggingMenu", "Logging Enabled"},
          {"TimingDiagram1", "Timing Diagram"}}},
        {"Help1", "Help", {{"WebSite1", "Web Site"}, {"About1", "About"}}},
    };

    QStringList barTitles;
    for (QAction *action : form.MainMenu1->actions())
        barTitles << (action->menu() ? action->menu()->objectName() : action->objectName());
    EXPECT_EQ(barTitles,
              QStringList({latin("File1"), latin("Storage1"), latin("ools1"), latin("Help1")}));

    for (const MenuDesign &design : menus) {
        SCOPED_TRACE(design.menu);
        auto *menu = qobject_cast<QMenu *>(unique(form, latin(design.menu)));
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), latin(design.title));
        const QList<QAction *> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(design.items.size()));
        for (qsizetype i = 0; i < actions.size(); ++i) {
            const auto &[name, caption] = design.items[static_cast<size_t>(i)];
            QAction *action = actions[i];
            const QString actual =
                action->menu() ? action->menu()->objectName() : action->objectName();
            EXPECT_EQ(actual, latin(name));
            EXPECT_EQ(action->text(), latin(caption));
            if (!action->menu()) {
                EXPECT_EQ(unique(form, latin(name)), action) << name << " not unique";
            }
        }
    }

    const QAction *logging = form.EnableLoggingMenu;
    EXPECT_TRUE(logging->isCheckable());
    EXPECT_FALSE(logging->isChecked());
    for (const QAction *item : {form.Exit1, form.R1, form.SaveItems[7], form.RestoreItems[12],
                                form.RestoreItems[0], form.SaveToFile1, form.Up1, form.About1})
        EXPECT_FALSE(item->isCheckable()) << item->objectName().toStdString();
    EXPECT_EQ(form.SaveItems[0], nullptr);
    EXPECT_EQ(form.RestoreItems[0]->objectName(), latin("Default01"));
    for (int bin = 1; bin <= 12; ++bin) {
        EXPECT_EQ(form.SaveItems[bin]->objectName(), latin("Save") + QString::number(bin));
        EXPECT_EQ(form.RestoreItems[bin]->objectName(), latin("Restore") + QString::number(bin));
    }
}

TEST(MainFormParts, TimersDesignedOffWithTheirIntervals)
{
    TMainForm &form = designForm();
    const struct {
        QTimer *timer;
        int intervalMs;
    } timers[] = {{form.StatusTimer, 1000}, {form.TaskTimer, 5}, {form.LaunchTimer, 500}};
    for (const auto &t : timers) {
        SCOPED_TRACE(t.timer->objectName().toStdString());
        EXPECT_EQ(t.timer->interval(), t.intervalMs);
        EXPECT_FALSE(t.timer->isActive());
        EXPECT_EQ(t.timer->parent(), &form);
    }
}

TEST(MainFormParts, SerialPortHasItsDesignValuesAndStaysClosed)
{
    TMainForm &form = designForm();
    const transport::TVNComPort *port = form.ComPort;
    EXPECT_EQ(port->parent(), &form);
    EXPECT_FALSE(port->AllowEvents());
    EXPECT_EQ(port->Baud(), 115200);
    EXPECT_EQ(port->Handshaking(), transport::THandshake::hsNone);
    EXPECT_EQ(port->Parity(), transport::TParity::parNone);
    EXPECT_EQ(port->ResponseTime(), 3000u);
    EXPECT_EQ(port->Port(), 1);
    EXPECT_TRUE(port->ShowErrors());
    EXPECT_FALSE(port->Opened());
    EXPECT_EQ(form.VersionInfo->parent(), &form);
}
