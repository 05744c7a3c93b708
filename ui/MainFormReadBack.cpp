// The state read-back: the whole instrument state into the records, the window and the
// settings list. Every value is stored in its record first and the control is set from the
// record, so a reply that matches no token leaves both as they were.
#include "ui/TMainForm.h"

#include "link/Communication.h"
#include "link/TaskQueue.h"
#include "model/Capabilities.h"
#include "model/CommandSet.h"
#include "model/ModelRules.h"
#include "model/NumberFormat.h"
#include "model/ReplyParsing.h"
#include "model/TokenTables.h"
#include "model/ValueRanges.h"
#include "transport/TVNComPort.h"
#include "ui/TCheckListBox.h"
#include "ui/TMessageForm.h"
#include "ui/TPlusSpinEdit.h"
#include "ui/TrpVersionInfo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QTabWidget>
#include <QTimer>

namespace ui {

using model::SystemSetting;

namespace {

QString commentLine(const QString &text)
{
    return QStringLiteral("// ") + text;
}

} // namespace

QString TMainForm::SettingsDateLine()
{
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return commentLine(locale.toString(now.date(), QLocale::ShortFormat) + u',' +
                       locale.toString(now.time(), QLocale::LongFormat));
}

void TMainForm::Initialize()
{
    model::ProgramState &s = State;
    s.SettingsList.clear();
    s.SettingsList << SettingsDateLine();
    ShotCountlbl->setText(QStringLiteral("Count: ----"));

    if (s.DemoMode) {
        setStatusTimerActive(false);
        setCaption(QStringLiteral(" Model HRA8  SW Version: ") + VersionInfo->FileVersion() +
                   QStringLiteral(" ComPort: Demo"));
        SerialNumberlbl->setText(QStringLiteral("Serial Number: 1234"));
        FWVersionlbl->setText(QStringLiteral("Firmware Ver: 1.00"));
        FPGAVersionlbl->setText(QStringLiteral("FPGA Ver: 1.25"));
        Q_EMIT settingsChanged();
        return;
    }

    setStatusTimerActive(false);
    Comm->setSuppressCommands(true);
    const bool busyWindow = Tasks->RecallPending() != 0 || Tasks->RefreshPending() != 0;
    if (busyWindow) {
        MessageForm->show();
        QCoreApplication::processEvents();
    }

    const model::InstrumentIdentity &id = s.InstrumentIdentity;
    s.CompanyName = model::CompanyNameOf(id.CompanyCode);
    setCaption(s.CompanyName + QStringLiteral(" Model ") + id.ModelNumber +
               QStringLiteral("  SW Version: ") + VersionInfo->FileVersion() +
               QStringLiteral(" ComPort: ") + QString::number(ComPort->Port()) +
               QStringLiteral(" Baud: ") + QString::number(ComPort->Baud()));
    SerialNumberlbl->setText(QStringLiteral("Serial Number: ") + QString::number(id.SerialNumber));
    FWVersionlbl->setText(QStringLiteral("Firmware Ver: ") + id.FirmwareVersion);
    FPGAVersionlbl->setText(QStringLiteral("FPGA Ver: ") + id.FpgaVersion);
    s.SettingsList << commentLine(windowTitle()) << commentLine(SerialNumberlbl->text())
                   << commentLine(FWVersionlbl->text()) << commentLine(FPGAVersionlbl->text());

    s.InstrumentSeries = model::InstrumentSeriesOf(id.ModelNumber);
    s.ChannelCount = model::ChannelCountOf(id.ModelNumber);

    const QList<SystemSetting> &order = model::systemReadBackOrder();
    ReadSystemSetting(order.first());
    QCoreApplication::processEvents();

    // An unknown series has no limits of its own: the designed ranges stay.
    if (const auto limits = model::limitsForSeries(s.InstrumentSeries))
        s.SeriesLimits = *limits;
    SetResolutionRanges();

    for (qsizetype i = 1; i < order.size(); ++i)
        ReadSystemSetting(order[i]);
    ReadClockSettings();
    for (int n = 1; n <= s.ChannelCount; ++n)
        ReadChannelSettings(n);

    for (int page = 2; page < kChannelCount; ++page) {
        const bool shown = model::channelPageShown(page, s.ChannelCount);
        ChPageControl->widget(page)->setEnabled(shown);
        ChPageControl->setTabVisible(page, shown);
    }

    SetResolutionRanges();
    Comm->setSuppressCommands(false);
    PeriodAdj->setControlEnabled(true);
    ChPageControl->setCurrentIndex(0);
    SystemPageControl->setCurrentIndex(0);
    SystemModesEnable();
    TriggerModesEnable();
    GateModesEnable();
    setStatusTimerActive(true);
    if (busyWindow)
        MessageForm->close();
    Q_EMIT settingsChanged();
}

void TMainForm::ReadSystemSetting(SystemSetting setting)
{
    model::SystemSettings &ss = State.SystemSettings;
    const model::SystemCommand &cmd = model::systemCommand(setting);
    QString valueText;

    auto readToken = [&](std::int32_t &field, QComboBox *list) {
        valueText = Comm->QueryPort(cmd.query);
        field = model::decodeToken(*cmd.table, valueText, field);
        list->setCurrentIndex(field);
    };
    auto readFloat = [&](double &field, TPlusSpinEdit *edit) {
        field = Comm->QueryPortFloat(cmd.query);
        edit->setValue(field);
        valueText = model::generalNotation(field);
    };
    auto readCount = [&](std::uint32_t &field, TPlusSpinEdit *edit) {
        field = static_cast<std::uint32_t>(Comm->QueryPortInt64(cmd.query));
        edit->setValue(field);
        valueText = model::unsignedNotation(field);
    };
    auto readFlag = [&](std::int32_t &field, QCheckBox *box) {
        field = Comm->QueryPortInteger(cmd.query);
        box->setChecked(field == 1);
        valueText = model::integerNotation(field);
    };

    switch (setting) {
    case SystemSetting::ShotCounterEnable: readFlag(ss.ShotCounterEnabled, ShotCountEnbl); break;
    case SystemSetting::Period: readFloat(ss.Period, PeriodAdj); break;
    case SystemSetting::BurstCount: readCount(ss.BurstCount, SysBurstAdj); break;
    case SystemSetting::PulseMode: readToken(ss.PulseMode, SystemModeSel); break;
    case SystemSetting::DutyOnCount: readCount(ss.DutyOnCount, SysDutyOnAdj); break;
    case SystemSetting::DutyOffCount: readCount(ss.DutyOffCount, SysDutyOffAdj); break;
    case SystemSetting::TriggerMode: readToken(ss.TriggerMode, TrigModeSel); break;
    case SystemSetting::TriggerEdge: readToken(ss.TriggerEdge, TriggerEdgeSel); break;
    case SystemSetting::TriggerLevel: readFloat(ss.TriggerLevel, TrigThresholdAdj); break;
    case SystemSetting::GateMode: readToken(ss.GateMode, GateModeSel); break;
    case SystemSetting::GateLogic: readToken(ss.GateLogic, GateLogicSel); break;
    case SystemSetting::GateLevel: readFloat(ss.GateLevel, GateThresholdAdj); break;
    case SystemSetting::AutoStart: readFlag(ss.AutoStart, AutoStartEnbl); break;
    case SystemSetting::InputClockSource: readToken(ss.InputClock, ExternalInputClkSel); break;
    case SystemSetting::OutputClock: readToken(ss.OutputClock, ExternalOutputClkSel); break;
    case SystemSetting::InputClockMode: readToken(ss.InputClock, ExternalInputClkSel); break;
    case SystemSetting::InputClockRate:
        ss.InputClockRate = Comm->QueryPortInteger(cmd.query);
        InputClockRateAdj->setValue(ss.InputClockRate);
        valueText = model::generalNotation(ss.InputClockRate);
        break;
    case SystemSetting::InputClockLevel: readFloat(ss.InputClockLevel, InputClockLevelAdj); break;
    case SystemSetting::InputClockOption:
        readToken(ss.InputClockOption, ExternalInputClkOptionSel);
        break;
    case SystemSetting::HrbOutputClock:
        // The output list's items depend on the input clock mode read just before.
        valueText = Comm->QueryPort(cmd.query);
        UpdateHRB0OutputClock();
        ss.OutputClock = model::decodeToken(*cmd.table, valueText, ss.OutputClock);
        ExternalOutputClkSel->setCurrentIndex(ss.OutputClock);
        break;
    case SystemSetting::RunState:
        return; // polled, never read back
    }
    const QString line = model::settingsLine(setting, valueText);
    if (!line.isEmpty())
        State.SettingsList << line;
}

void TMainForm::ReadClockSettings()
{
    const model::SeriesCapabilities caps = model::capabilitiesForSeries(State.InstrumentSeries);
    if (State.InstrumentSeries == model::SeriesUnknown)
        return;
    if (caps.hrbInputClockItems) {
        ExternalInputClkSel->clear();
        ExternalInputClkSel->addItems(model::captions(model::TokenTable::InputClockMode));
    }
    for (SystemSetting setting : caps.clockReadBack)
        ReadSystemSetting(setting);
    // The read-back only ever hides: the instrument, and so its series, never changes.
    if (caps.optionRateLevelGroups == model::GroupDisplay::Hidden) {
        ExternalOptionGrp->hide();
        InputClockRateGrp->hide();
        InputClockLevelGrp->hide();
    }
    if (caps.inputClockGroupHeight)
        ExternalInputClkGrp->setFixedHeight(*caps.inputClockGroupHeight);
    if (caps.inputClockGroup == model::GroupDisplay::Hidden)
        ExternalInputClkGrp->hide();
    if (caps.outputClockGroup == model::GroupDisplay::Hidden)
        ExternalOutputClkGrp->hide();
}

} // namespace ui
