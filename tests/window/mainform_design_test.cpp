#include "WindowTestSupport.h"
#include "ui/FormParts.h"

#include "ui/TCheckListBox.h"
#include "ui/TPlusSpinEdit.h"
#include "ui/WindowFonts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMovie>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace windowtest;
using ui::TMainForm;
using ui::TPlusSpinEdit;

namespace {

const QChar kComma = QLatin1Char(',');

QStringList texts(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list << latin(item);
    return list;
}

template <typename T> T *get(const QObject &root, const QString &name)
{
    return qobject_cast<T *>(unique(root, name));
}

bool near(double actual, double expected)
{
    return std::fabs(actual - expected) <= 1e-9 * std::max(1.0, std::fabs(expected));
}

struct ListDesign {
    QString name;
    QStringList items;
    int selected; // -1: nothing selected, the first item's text shown
};

void expectList(const QObject &root, const ListDesign &design)
{
    SCOPED_TRACE(design.name.toStdString());
    const auto *list = get<QComboBox>(root, design.name);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ui::ListItems(list), design.items);
    EXPECT_EQ(list->currentIndex(), design.selected);
    EXPECT_EQ(list->currentText(), design.items.value(std::max(design.selected, 0)));
    EXPECT_TRUE(list->isEditable());
    EXPECT_EQ(list->insertPolicy(), QComboBox::NoInsert);
}

struct SpinDesign {
    QString name;
    int width;
    int decimals;
    double increment;
    double minValue;
    double maxValue;
    double value;
    QChar separator;
    bool border;
};

void expectSpin(const QObject &root, const SpinDesign &d)
{
    SCOPED_TRACE(d.name.toStdString());
    const auto *spin = get<TPlusSpinEdit>(root, d.name);
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->width(), d.width);
    EXPECT_EQ(spin->height(), d.border ? 25 : 24) << "the single border takes one pixel more";
    EXPECT_FALSE(spin->AutoSize());
    EXPECT_EQ(spin->BorderStyle(), d.border ? TPlusSpinEdit::TBorderStyle::bsSingle
                                            : TPlusSpinEdit::TBorderStyle::bsNone);
    EXPECT_EQ(spin->Decimals(), d.decimals);
    EXPECT_TRUE(near(spin->Increment(), d.increment)) << spin->Increment();
    EXPECT_TRUE(near(spin->MinValue(), d.minValue)) << spin->MinValue();
    EXPECT_TRUE(near(spin->MaxValue(), d.maxValue)) << spin->MaxValue();
    EXPECT_TRUE(near(spin->Value(), d.value)) << spin->Value();
    EXPECT_EQ(spin->ThousandSeparator(), d.separator);
    EXPECT_EQ(spin->font().pixelSize(), 15);
    EXPECT_EQ(spin->font().family(), ui::TahomaFamily());
}

QString captionOf(const QObject *object)
{
    if (const auto *group = qobject_cast<const QGroupBox *>(object))
        return group->title();
    if (const auto *button = qobject_cast<const QAbstractButton *>(object))
        return button->text();
    if (const auto *label = qobject_cast<const QLabel *>(object))
        return label->text();
    return QStringLiteral("<no caption>");
}

// What sets each channel page apart; everything else is shared by all eight.
struct PageDesign {
    int channel;
    int delayDecimals;
    double width;
    double burst;
    QChar burstSeparator;
    double wait;
    double waitMax;
    bool dutyHintsShown;
};

const PageDesign kPages[] = {
    {1, 12, 1000, 1000000, kComma, 1000000, 1000000, false},
    {2, 12, 1000, 1000000, kComma, 1000000, 1000000, true},
    {3, 12, 2e-7, 1, kComma, 1, 1000000, true},
    {4, 12, 2e-7, 1, kComma, 1, 100000, true},
    {5, 9, 2e-7, 1, kComma, 1, 100000, true},
    {6, 9, 2e-7, 1, QChar(), 1, 100000, true},
    {7, 9, 2e-7, 1, kComma, 1, 100000, true},
    {8, 9, 2e-7, 1, kComma, 1, 100000, true},
};

} // namespace

TEST(MainFormDesign, SystemListsItemsAndSelection)
{
    const TMainForm &form = designForm();
    const ListDesign lists[] = {
        {latin("SystemModeSel"), texts({"Continuous", "Single Shot", "Burst", "Duty Cycle"}), 0},
        {latin("TrigModeSel"), texts({"Disabled", "Triggered"}), -1},
        {latin("TriggerEdgeSel"), texts({"Falling", "Rising"}), -1},
        {latin("GateModeSel"), texts({"Disabled", "Pulse Inhibit", "Output Inhibit", "Channel"}),
         -1},
        {latin("GateLogicSel"), texts({"Low", "High"}), 0},
        {latin("ExternalInputClkSel"),
         texts({"System Osc", "10 MHz Ext", "20 MHz Ext", "25 MHz Ext", "40 MHz Ext", "50 MHz Ext",
                "80 MHz Ext", "100 MHz Ext"}),
         -1},
        {latin("ExternalInputClkOptionSel"), texts({"Force", "Last"}), -1},
        {latin("ExternalOutputClkSel"),
         texts({"To Pulse", "10 MHz", "11.11 MHz", "12.5 MHz", "14.2857 MHz", "16.67 MHz", "20 MHz",
                "25 MHz", "33.33 MHz", "50 MHz", "100 MHz"}),
         -1},
    };
    for (const ListDesign &list : lists)
        expectList(form, list);
}

TEST(MainFormDesign, ChannelListsItemsAndSelectionOnEveryPage)
{
    const TMainForm &form = designForm();
    for (int n = 1; n <= TMainForm::kChannelCount; ++n) {
        const ListDesign lists[] = {
            {channelName("ChModeSel", n), texts({"Normal", "Single Shot", "Burst", "Duty Cycle"}),
             0},
            {channelName("ChSyncSourceSel", n),
             texts({"T0", "Ch A", "Ch B", "Ch C", "Ch D", "Ch E", "Ch F", "Ch G", "Ch H"}), 0},
            {channelName("ChPolaritySel", n), texts({"Inverted", "Normal"}), 0},
            {channelName("ChOutputModeSel", n), texts({"TTL/CMOS", "Adjustable"}), -1},
            {channelName("ChGateModeSel", n), texts({"Disabled", "Pulse Inh", "Out Inh"}), -1},
        };
        for (const ListDesign &list : lists)
            expectList(form, list);
    }
}

TEST(MainFormDesign, SystemSpinEditsDesignValues)
{
    const TMainForm &form = designForm();
    const SpinDesign spins[] = {
        {latin("PeriodAdj"), 155, 9, 1e-8, 2e-7, 1000, 1000, kComma, false},
        {latin("SysBurstAdj"), 155, 0, 1, 1, 4e9, 4e9, kComma, false},
        {latin("SysDutyOnAdj"), 123, 0, 1, 1, 4e9, 4e9, kComma, false},
        {latin("SysDutyOffAdj"), 121, 0, 1, 1, 4e9, 4e9, kComma, false},
        {latin("TrigThresholdAdj"), 100, 2, 0.01, 0.2, 15, 2.5, kComma, false},
        {latin("GateThresholdAdj"), 100, 2, 0.01, 0.2, 15, 2.5, kComma, false},
        {latin("InputClockRateAdj"), 107, 0, 1, 10, 100, 10, QChar(), true},
        {latin("InputClockLevelAdj"), 108, 2, 0.01, 0.02, 2.5, 0.02, QChar(), true},
    };
    for (const SpinDesign &spin : spins)
        expectSpin(form, spin);
}

TEST(MainFormDesign, ChannelSpinEditsDifferOnlyWhereDesigned)
{
    const TMainForm &form = designForm();
    for (const PageDesign &p : kPages) {
        const int n = p.channel;
        SCOPED_TRACE(n);
        const SpinDesign spins[] = {
            {channelName("ChDelayAdj", n), 180, p.delayDecimals, 1e-8, -1000, 1000, 1000, kComma,
             false},
            {channelName("ChWidthAdj", n), 180, 9, 1e-8, 1e-8, 1000, p.width, kComma, false},
            {channelName("ChDutyOnAdj", n), 95, 0, 1, 1, 1e6, 1e6, kComma, false},
            {channelName("ChDutyOffAdj", n), 95, 0, 1, 1, 1e6, 1e6, kComma, false},
            {channelName("ChBurstAdj", n), 95, 0, 1, 1, 1e6, p.burst, p.burstSeparator, false},
            {channelName("ChAmplitudeAdj", n), 65, 2, 0.01, 2, 20, 5, QChar(), false},
            {channelName("ChWaitCountAdj", n), 95, 0, 1, 0, p.waitMax, p.wait, kComma, false},
        };
        for (const SpinDesign &spin : spins)
            expectSpin(form, spin);
    }
}

TEST(MainFormDesign, UngroupedBurstCountShowsPlainDigits)
{
    ensureApp();
    TMainForm form;
    auto *plain = form.findChild<TPlusSpinEdit *>(latin("ChBurstAdj6"));
    auto *grouped = form.findChild<TPlusSpinEdit *>(latin("ChBurstAdj5"));
    plain->setValue(123456);
    grouped->setValue(123456);
    EXPECT_EQ(plain->Text(), latin("123456"));
    EXPECT_EQ(grouped->Text(), latin("123,456"));
}

TEST(MainFormDesign, ChecksAndMultiplexerStartAsDesigned)
{
    const TMainForm &form = designForm();
    EXPECT_FALSE(form.AutoStartEnbl->isChecked());
    EXPECT_FALSE(form.ShotCountEnbl->isChecked());
    for (int n = 1; n <= TMainForm::kChannelCount; ++n) {
        SCOPED_TRACE(n);
        EXPECT_TRUE(get<QAbstractButton>(form, channelName("ChEnablebox", n))->isChecked());
        const auto *mux = get<ui::TCheckListBox>(form, channelName("MuxSelect", n));
        ASSERT_NE(mux, nullptr);
        ASSERT_EQ(mux->count(), 8);
        EXPECT_EQ(mux->Columns(), 4);
        EXPECT_EQ(mux->height(), 40);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(mux->item(i)->text(), QString(QLatin1Char(static_cast<char>('A' + i))));
            EXPECT_FALSE(mux->Checked(i));
        }
    }
}

TEST(MainFormDesign, Captions)
{
    const TMainForm &form = designForm();
    const std::pair<const char *, const char *> captions[] = {
        {"RunStopbtn", "Run"},
        {"ErrorLabel", "Error Label"},
        {"GroupBox23", ""},
        {"Systemgrp", "System"},
        {"PulseModeGrp", "Pulse Mode"},
        {"PeriodGrp", "Period"},
        {"BurstCountGrp", "Burst Count"},
        {"AutoStartEnbl", "Auto Start"},
        {"DutyCycleGrp", "Duty Cycle"},
        {"OnCountGrp", "On Counts"},
        {"OffCountGrp", "Off Counts"},
        {"Externalgrp", "External Trigger/Gate"},
        {"TriggerModeSelGrp", "Trigger Mode"},
        {"ExtTrigEdgeGrp", "Trigger Edge"},
        {"ExtThresholdGrp", "Threshold (V)"},
        {"GateModeGrp", "Gate Mode"},
        {"GateLogicGrp", "Gate Logic"},
        {"GateThresholdGrp", "Threshold (V)"},
        {"GroupBox32", "Shot Counter"},
        {"ShotCountEnbl", "Enable"},
        {"ClearShotCount", "Clear"},
        {"ShotCountlbl", "Count: 4,294,967,296"},
        {"ExternalInputClkGrp", "External Input Clock"},
        {"ExternalOptionGrp", "External Option"},
        {"InputClockRateGrp", "Input Rate (MHz)"},
        {"InputClockLevelGrp", "Input Clock Level (V)"},
        {"ExternalOutputClkGrp", "External Output Clock"},
        {"ChannelGrp", "Channels"},
        {"TerminalBoxgrp", "Command Terminal"},
        {"SendBtn", "Send"},
        {"SystemInfoGrp", "System Information"},
        {"SerialNumberlbl", "Serial Number: "},
        {"FWVersionlbl", "Firmware Ver:"},
        {"FPGAVersionlbl", "FPGA Ver:"},
    };
    for (const auto &[name, caption] : captions) {
        const QObject *object = unique(form, latin(name));
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(captionOf(object), latin(caption)) << name;
    }
    for (int n = 1; n <= TMainForm::kChannelCount; ++n) {
        const std::pair<const char *, const char *> channelCaptions[] = {
            {"ChEnablebox", "Enabled"},
            {"ChDutyOnGrp", "Duty Cycle On"},
            {"ChDutyOffGrp", "Duty Cycle Off"},
            {"ChBurstCountGrp", "Burst Count"},
            {"PolarityGrp", "Polarity"},
            {"ChOutputModeGrp", "Output Mode"},
            {"ChAmplitudeAdjGrp", "Amplitude (V)"},
            {"MuxGrp", "Multiplexer"},
        };
        for (const auto &[stem, caption] : channelCaptions)
            EXPECT_EQ(captionOf(unique(form, channelName(stem, n))), latin(caption)) << stem << n;
        // The groups nothing refers to by name, found by what they hold.
        const std::pair<const char *, const char *> holders[] = {
            {"ChDelayAdj", "Delay"},          {"ChWidthAdj", "Width"},
            {"ChModeSel", "Channel Mode"},    {"ChSyncSourceSel", "Sync Source"},
            {"ChWaitCountAdj", "Wait Count"}, {"ChGateModeSel", "Gate Mode"},
        };
        for (const auto &[stem, caption] : holders)
            EXPECT_EQ(captionOf(unique(form, channelName(stem, n))->parent()), latin(caption))
                << stem << n;
    }
}

TEST(MainFormDesign, HintsShownOrKept)
{
    const TMainForm &form = designForm();
    struct Hint {
        QString owner;
        const char *text;
        bool shown;
        QStringList inside;
    };
    std::vector<Hint> hints = {
        {latin("RunStopbtn"), "Starts(arms) or stops(disarms) the system", true, {}},
        {latin("TerminalBoxgrp"), "Send and receive commands directly to unit", true,
         texts({"SendEdit", "SendBtn"})},
        {latin("SystemInfoGrp"), "Information about unit", true,
         texts({"SerialNumberlbl", "FWVersionlbl", "FPGAVersionlbl"})},
        {latin("PeriodGrp"), "Sets system pulse period", true, texts({"PeriodAdj"})},
        {latin("BurstCountGrp"), "Sets number of burst counts when in system burst mode", true,
         texts({"SysBurstAdj"})},
        {latin("AutoStartEnbl"), "Sets system auto start (will start on power up)", true, {}},
        {latin("OnCountGrp"), "Sets number of on counts when in system duty cycle mode", true,
         texts({"SysDutyOnAdj"})},
        {latin("OffCountGrp"), "Sets number of off counts when in system duty cycle mode", true,
         texts({"SysDutyOffAdj"})},
        {latin("ExtThresholdGrp"), "Sets input trigger/gate threshold level", true,
         texts({"TrigThresholdAdj"})},
        {latin("GateThresholdGrp"), "Sets input gate threshold level", true,
         texts({"GateThresholdAdj"})},
        {latin("GroupBox32"), "System shot counter", false, texts({"ShotCountEnbl"})},
    };
    for (const PageDesign &p : kPages) {
        const int n = p.channel;
        const auto inside = [n](const char *stem) { return QStringList{channelName(stem, n)}; };
        const QString delayGroup =
            get<QWidget>(form, channelName("ChDelayAdj", n))->parentWidget()->objectName();
        const QString widthGroup =
            get<QWidget>(form, channelName("ChWidthAdj", n))->parentWidget()->objectName();
        const QString waitGroup =
            get<QWidget>(form, channelName("ChWaitCountAdj", n))->parentWidget()->objectName();
        const QString modeGroup =
            get<QWidget>(form, channelName("ChModeSel", n))->parentWidget()->objectName();
        const QString syncGroup =
            get<QWidget>(form, channelName("ChSyncSourceSel", n))->parentWidget()->objectName();
        hints.push_back({channelName("ChEnablebox", n), "Enables or disables channel ", true, {}});
        hints.push_back({delayGroup, "Sets channel delay from selected sync source", true,
                         inside("ChDelayAdj")});
        hints.push_back({widthGroup, "Sets channel pulse width", true, inside("ChWidthAdj")});
        hints.push_back({modeGroup, "Channel pulse mode", false, inside("ChModeSel")});
        hints.push_back({syncGroup, "Channel sync source", false, inside("ChSyncSourceSel")});
        hints.push_back({channelName("ChDutyOnGrp", n),
                         "Sets channel number of on counts when in channel duty cycle mode",
                         p.dutyHintsShown, inside("ChDutyOnAdj")});
        hints.push_back({channelName("ChBurstCountGrp", n),
                         "Sets channel burst count when in channel burst mode", true,
                         inside("ChBurstAdj")});
        hints.push_back({channelName("PolarityGrp", n), "Channel output polarity", false,
                         inside("ChPolaritySel")});
        hints.push_back({channelName("ChDutyOffGrp", n),
                         "Sets channel number of off counts when in channel duty cycle mode",
                         p.dutyHintsShown, inside("ChDutyOffAdj")});
        hints.push_back({channelName("ChAmplitudeAdjGrp", n), "Sets channel output amplitude", true,
                         inside("ChAmplitudeAdj")});
        hints.push_back({waitGroup, "Sets number of pulses to wait until outputs start", true,
                         inside("ChWaitCountAdj")});
    }

    for (const Hint &hint : hints) {
        SCOPED_TRACE(hint.owner.toStdString());
        const auto *owner = get<QWidget>(form, hint.owner);
        ASSERT_NE(owner, nullptr);
        EXPECT_EQ(owner->property("hint").toString(), latin(hint.text));
        const QString tip = hint.shown ? latin(hint.text) : QString();
        EXPECT_EQ(owner->toolTip(), tip);
        for (const QString &name : hint.inside)
            EXPECT_EQ(get<QWidget>(form, name)->toolTip(), tip) << name.toStdString();
    }

    // Controls without a hint of their own or of their group show none.
    for (const char *name : {"ResponseList", "SystemModeSel", "TrigModeSel", "GateLogicSel",
                             "ExternalInputClkSel", "InputClockRateAdj", "ExternalOutputClkSel",
                             "ChOutputModeSel1", "MuxSelect1", "ChGateModeSel8"})
        EXPECT_TRUE(get<QWidget>(form, latin(name))->toolTip().isEmpty()) << name;
}

TEST(MainFormDesign, PageControlsTabsAndActivePages)
{
    const TMainForm &form = designForm();
    ASSERT_EQ(form.SystemPageControl->count(), 2);
    EXPECT_EQ(form.SystemPageControl->tabText(0), latin("System Options"));
    EXPECT_EQ(form.SystemPageControl->tabText(1), latin("Additional Options"));
    EXPECT_EQ(form.SystemPageControl->widget(0), form.SystemPage);
    EXPECT_EQ(form.SystemPageControl->widget(1), form.AdditionalPage);
    EXPECT_EQ(form.SystemPageControl->currentIndex(), 0);

    const QWidget *pages[] = {form.TabChA, form.TabChB, form.TabChC, form.TabChD,
                              form.TabChE, form.TabChF, form.TabChG, form.TabChH};
    ASSERT_EQ(form.ChPageControl->count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(form.ChPageControl->widget(i), pages[i]);
        EXPECT_EQ(form.ChPageControl->tabText(i),
                  latin("Ch ") + QLatin1Char(static_cast<char>('A' + i)));
        EXPECT_TRUE(form.ChPageControl->isTabVisible(i));
    }
    EXPECT_EQ(form.ChPageControl->currentIndex(), 0);
}

TEST(MainFormDesign, ChannelTabsCanBeHidden)
{
    ensureApp();
    TMainForm form;
    form.show();
    for (int i = 2; i < 8; ++i)
        form.ChPageControl->setTabVisible(i, false);
    QApplication::processEvents();
    EXPECT_TRUE(form.ChPageControl->tabBar()->isTabVisible(0));
    EXPECT_TRUE(form.ChPageControl->tabBar()->isTabVisible(1));
    for (int i = 2; i < 8; ++i)
        EXPECT_FALSE(form.ChPageControl->tabBar()->isTabVisible(i)) << i;
    EXPECT_LT(form.ChPageControl->tabBar()->tabRect(7).width(), 1);
}

TEST(MainFormDesign, ClientAreaFixedBelowTheMenuBar)
{
    TMainForm &form = designForm();
    form.show();
    QApplication::processEvents();
    const QWidget *client = form.centralWidget();
    EXPECT_EQ(client->size(), QSize(622, 710));
    EXPECT_GE(client->y(), form.menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(form.height(), 710 + client->y());
    EXPECT_EQ(form.width(), 622);
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.minimumSize(), form.size());

    form.resize(800, 900);
    QApplication::processEvents();
    EXPECT_EQ(client->size(), QSize(622, 710));
    EXPECT_EQ(form.width(), 622);
}

TEST(MainFormDesign, CaptionIsTheWindowTitle)
{
    const TMainForm &form = designForm();
    EXPECT_EQ(form.windowTitle(), latin("HLxx HRxx Pulse Generator"));
    EXPECT_FALSE(form.windowIcon().isNull());
}

TEST(MainFormDesign, RegionsAndPlacedControls)
{
    TMainForm &form = designForm();
    form.show();
    QApplication::processEvents();
    const struct {
        const char *name;
        QRect geometry; // within its parent; width or height 0 means "not fixed"
    } placed[] = {
        {"BlueBanner", {0, 0, 615, 72}},        {"RunStopbtn", {524, 2, 95, 68}},
        {"GroupBox23", {0, 70, 622, 247}},      {"ChannelGrp", {0, 317, 622, 269}},
        {"TerminalBoxgrp", {0, 586, 456, 124}}, {"SystemInfoGrp", {459, 586, 163, 124}},
        {"ResponseList", {8, 46, 390, 70}},     {"ExternalInputClkGrp", {172, 4, 152, 196}},
    };
    for (const auto &p : placed)
        EXPECT_EQ(get<QWidget>(form, latin(p.name))->geometry(), p.geometry) << p.name;
    EXPECT_EQ(form.PulseAnimate->x(), 444);
    EXPECT_EQ(form.PulseAnimate->size(), QSize(65, 46));
    EXPECT_EQ(form.ErrorLabel->x(), 213);
    EXPECT_EQ(form.SendEdit->width(), 318);
    EXPECT_GT(form.SendBtn->x(), form.SendEdit->geometry().right());
    EXPECT_GT(form.ResponseList->y(), form.SendEdit->geometry().bottom());
}

// A control that reaches past its group is clipped on screen: every control on every page
// lies wholly inside its parent.
TEST(MainFormDesign, EveryControlFitsInsideItsParent)
{
    TMainForm &form = designForm();
    form.show();
    for (int page = 0; page < form.ChPageControl->count(); ++page) {
        form.ChPageControl->setCurrentIndex(page);
        for (int system = 0; system < 2; ++system) {
            form.SystemPageControl->setCurrentIndex(system);
            QApplication::processEvents();
        }
    }
    form.ChPageControl->setCurrentIndex(0);
    form.SystemPageControl->setCurrentIndex(0);
    QApplication::processEvents();

    const auto widgets = form.centralWidget()->findChildren<QWidget *>();
    int checked = 0;
    for (const QWidget *w : widgets) {
        const bool control =
            qobject_cast<const QGroupBox *>(w) || qobject_cast<const TPlusSpinEdit *>(w) ||
            qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractButton *>(w) ||
            qobject_cast<const ui::TCheckListBox *>(w) || qobject_cast<const QTextEdit *>(w) ||
            (qobject_cast<const QLabel *>(w) && !w->objectName().isEmpty());
        // The tab bars' own scroll buttons stay hidden; the error label is hidden by design.
        if (!control || w->objectName().isEmpty() || !w->parentWidget() || w->isHidden())
            continue;
        ++checked;
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << w->objectName().toStdString() << " " << w->geometry().x() << "," << w->geometry().y()
            << " " << w->width() << "x" << w->height() << " in "
            << w->parentWidget()->objectName().toStdString() << " " << w->parentWidget()->width()
            << "x" << w->parentWidget()->height();
    }
    EXPECT_GT(checked, 200);
}

TEST(MainFormDesign, TopBandPicturesAndStates)
{
    const TMainForm &form = designForm();
    EXPECT_EQ(form.BlueBanner->pixmap().size(), QSize(524, 67));
    const QMovie *movie = form.PulseAnimate->movie();
    ASSERT_NE(movie, nullptr);
    EXPECT_TRUE(movie->isValid());
    EXPECT_NE(movie->state(), QMovie::Running);
    EXPECT_EQ(movie->frameRect().size(), QSize(320, 240));
    EXPECT_EQ(movie->loopCount(), -1); // endless
    EXPECT_GT(movie->frameCount(), 1);
    EXPECT_TRUE(form.PulseAnimate->hasScaledContents());
    EXPECT_FALSE(form.PulseAnimate->isHidden());
    EXPECT_TRUE(form.ErrorLabel->isHidden());
    EXPECT_EQ(form.ErrorLabel->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST(MainFormDesign, TerminalControls)
{
    const TMainForm &form = designForm();
    EXPECT_TRUE(form.ResponseList->isReadOnly());
    EXPECT_EQ(form.ResponseList->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(form.ResponseList->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(form.ResponseList->toPlainText().isEmpty());
    const QPalette &palette = form.ResponseList->palette();
    EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::Highlight),
              palette.color(QPalette::Active, QPalette::Highlight));
    EXPECT_TRUE(form.SendEdit->isEditable());
    EXPECT_EQ(form.SendEdit->insertPolicy(), QComboBox::NoInsert);
    EXPECT_EQ(form.SendEdit->count(), 0);
    EXPECT_TRUE(form.SendEdit->currentText().isEmpty());
}

TEST(MainFormDesign, FontHeights)
{
    const TMainForm &form = designForm();
    const struct {
        const QWidget *widget;
        int pixels;
    } fonts[] = {
        {&form, 11},
        {form.ResponseList, 11},
        {form.SendEdit, 11},
        {form.SystemModeSel, 11},
        {form.AutoStartEnbl, 11},
        {form.SerialNumberlbl, 11},
        {form.PeriodGrp, 13},
        {form.Systemgrp, 13},
        {get<QWidget>(form, latin("MuxGrp4")), 13},
        {form.ChannelGrp, 16},
        {form.ChPageControl->tabBar(), 16},
        {form.SystemPageControl->tabBar(), 16},
        {form.RunStopbtn, 21},
        {form.ErrorLabel, 27},
    };
    for (const auto &f : fonts) {
        SCOPED_TRACE(f.widget->objectName().toStdString());
        EXPECT_EQ(f.widget->font().pixelSize(), f.pixels);
        EXPECT_EQ(f.widget->font().family(), ui::TahomaFamily());
    }
}

TEST(MainFormDesign, TahomaFaceIsUsedWhereTheSystemHasOne)
{
    ensureApp();
    const bool available = QFile::exists(latin("/usr/share/wine/fonts/tahoma.ttf")) ||
                           QFontDatabase::families().contains(latin("Tahoma"), Qt::CaseInsensitive);
    if (!available)
        GTEST_SKIP() << "no Tahoma face on this machine";
    EXPECT_EQ(QFontInfo(ui::TahomaFont(11)).family(), latin("Tahoma"));
}
