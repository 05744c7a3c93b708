// The state read-back: the whole instrument state into the records, the window and the
// settings list. Every value is stored in its record first and the control is set from the
// record, so a reply that matches no token leaves both as they were.
#include "ui/TMainForm.h"

#include "link/Communication.h"
#include "link/LocalTimeText.h"
#include "link/TaskQueue.h"
#include "model/Capabilities.h"
#include "model/CommandSet.h"
#include "model/ModelRules.h"
#include "model/NumberFormat.h"
#include "model/TokenTables.h"
#include "model/ValueRanges.h"
#include "transport/TVNComPort.h"
#include "ui/ReadBackInputGuard.h"
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
    return commentLine(ilink::localtime::DateCommaTime(locale, now.date(), now.time()));
}

bool TMainForm::ReadBackGoesOn() const
{
    return !m_readBackCut && !Comm->Ended();
}

void TMainForm::Initialize()
{
    m_readBackComplete = false;
    const ilink::TaskQueue::ReadBackScope line(*Tasks);
    if (!line.Holds())
        return;
    m_readBackCut = false;
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
        m_readBackComplete = true;
        Q_EMIT settingsChanged();
        return;
    }

    setStatusTimerActive(false);
    Comm->setSuppressCommands(true);
    const ReadBackInputGuard noInput(this);
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

    m_readBackComplete = ReadBackGoesOn();
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
    const auto query = [&] { return ReadBackExchange([&] { return Comm->QueryPort(cmd.query); }); };

    auto readToken = [&](std::int32_t &field, QComboBox *list) {
        const auto reply = query();
        if (!reply)
            return false;
        valueText = *reply;
        field = model::decodeToken(*cmd.table, valueText, field);
        list->setCurrentIndex(field);
        return true;
    };
    auto readNumber = [&](auto exchange, auto &field, auto notation, auto show) {
        return ReadBackNumber(exchange, field, notation, show, valueText);
    };
    const auto asFloat = [&] { return Comm->QueryPortFloat(cmd.query); };
    const auto asInteger = [&] { return Comm->QueryPortInteger(cmd.query); };
    const auto asInt64 = [&] { return Comm->QueryPortInt64(cmd.query); };
    const auto general = [](auto v) { return model::generalNotation(v); };
    auto readFloat = [&](double &field, TPlusSpinEdit *edit) {
        return readNumber(asFloat, field, general, [edit](double v) { edit->setValue(v); });
    };
    auto readCount = [&](std::uint32_t &field, TPlusSpinEdit *edit) {
        return readNumber(
            asInt64, field, [](std::uint32_t v) { return model::unsignedNotation(v); },
            [edit](std::uint32_t v) { edit->setValue(v); });
    };
    auto readFlag = [&](std::int32_t &field, QCheckBox *box) {
        return readNumber(
            asInteger, field, [](std::int32_t v) { return model::integerNotation(v); },
            [box](std::int32_t v) { box->setChecked(v == 1); });
    };
    auto readRate = [&](std::int32_t &field, TPlusSpinEdit *edit) {
        return readNumber(asInteger, field, general, [edit](std::int32_t v) { edit->setValue(v); });
    };
    auto readHrbOutputClock = [&] {
        const auto reply = query();
        if (!reply)
            return false;
        valueText = *reply;
        // The output list's items depend on the input clock mode read just before.
        UpdateHRB0OutputClock();
        ss.OutputClock = model::decodeToken(*cmd.table, valueText, ss.OutputClock);
        ExternalOutputClkSel->setCurrentIndex(ss.OutputClock);
        return true;
    };

    bool read = false;
    switch (setting) {
    case SystemSetting::ShotCounterEnable:
        read = readFlag(ss.ShotCounterEnabled, ShotCountEnbl);
        break;
    case SystemSetting::Period:
        read = readFloat(ss.Period, PeriodAdj);
        break;
    case SystemSetting::BurstCount:
        read = readCount(ss.BurstCount, SysBurstAdj);
        break;
    case SystemSetting::PulseMode:
        read = readToken(ss.PulseMode, SystemModeSel);
        break;
    case SystemSetting::DutyOnCount:
        read = readCount(ss.DutyOnCount, SysDutyOnAdj);
        break;
    case SystemSetting::DutyOffCount:
        read = readCount(ss.DutyOffCount, SysDutyOffAdj);
        break;
    case SystemSetting::TriggerMode:
        read = readToken(ss.TriggerMode, TrigModeSel);
        break;
    case SystemSetting::TriggerEdge:
        read = readToken(ss.TriggerEdge, TriggerEdgeSel);
        break;
    case SystemSetting::TriggerLevel:
        read = readFloat(ss.TriggerLevel, TrigThresholdAdj);
        break;
    case SystemSetting::GateMode:
        read = readToken(ss.GateMode, GateModeSel);
        break;
    case SystemSetting::GateLogic:
        read = readToken(ss.GateLogic, GateLogicSel);
        break;
    case SystemSetting::GateLevel:
        read = readFloat(ss.GateLevel, GateThresholdAdj);
        break;
    case SystemSetting::AutoStart:
        read = readFlag(ss.AutoStart, AutoStartEnbl);
        break;
    case SystemSetting::InputClockSource:
        read = readToken(ss.InputClock, ExternalInputClkSel);
        break;
    case SystemSetting::OutputClock:
        read = readToken(ss.OutputClock, ExternalOutputClkSel);
        break;
    case SystemSetting::InputClockMode:
        read = readToken(ss.InputClock, ExternalInputClkSel);
        break;
    case SystemSetting::InputClockRate:
        read = readRate(ss.InputClockRate, InputClockRateAdj);
        break;
    case SystemSetting::InputClockLevel:
        read = readFloat(ss.InputClockLevel, InputClockLevelAdj);
        break;
    case SystemSetting::InputClockOption:
        read = readToken(ss.InputClockOption, ExternalInputClkOptionSel);
        break;
    case SystemSetting::HrbOutputClock:
        read = readHrbOutputClock();
        break;
    case SystemSetting::RunState:
        return; // polled, never read back
    }
    if (!read)
        return;
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
