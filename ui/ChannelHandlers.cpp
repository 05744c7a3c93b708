#include "ui/ChannelHandlers.h"
#include "ui/FormParts.h"

#include "control/SyncSourceHandler.h"
#include "model/ChannelNames.h"
#include "model/NumberFormat.h"
#include "model/TokenTables.h"
#include "model/ValueRanges.h"
#include "ui/TCheckListBox.h"
#include "ui/TMainForm.h"
#include "ui/TPlusSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

#include <array>

namespace ui {

using model::ChannelRecord;
using model::ChannelSetting;

namespace {

// Positions of the output mode list.
enum { OutputTtl = 0, OutputAdjustable = 1 };

} // namespace

ChannelHandlers::ChannelHandlers(TMainForm &form) : m_form(form) {}

std::optional<int> ChannelHandlers::ChannelOf(const QObject *control)
{
    if (!control)
        return std::nullopt;
    const QString name = control->objectName();
    if (name.isEmpty())
        return std::nullopt;
    const int digit = name.back().digitValue();
    if (!model::ChannelSettings::isChannel(digit))
        return std::nullopt;
    return digit;
}

std::optional<int> ChannelHandlers::selectionChanged(QObject *sender, ChannelSetting setting,
                                                     std::int32_t ChannelRecord::*field)
{
    const auto n = ChannelOf(sender);
    const auto *list = qobject_cast<const QComboBox *>(sender);
    if (!n || !list)
        return std::nullopt;
    // No selection (-1) gives an empty word: the header goes out alone.
    m_form.QueuedCommandToPort(model::buildChannelCommand(setting, *n, list->currentIndex()));
    m_form.State.ChannelSettings[*n].*field = list->currentIndex();
    return n;
}

void ChannelHandlers::countChanged(QObject *sender, ChannelSetting setting,
                                   std::int32_t ChannelRecord::*field)
{
    const auto n = ChannelOf(sender);
    const auto *edit = qobject_cast<const TPlusSpinEdit *>(sender);
    if (!n || !edit)
        return;
    std::int32_t &count = m_form.State.ChannelSettings[*n].*field;
    count = model::countToInt32(edit->Value());
    m_form.QueuedCommandToPort(model::buildChannelCommand(setting, *n, count));
}

void ChannelHandlers::timeChanged(QObject *sender, ChannelSetting setting, double step,
                                  double ChannelRecord::*field)
{
    const auto n = ChannelOf(sender);
    auto *edit = qobject_cast<TPlusSpinEdit *>(sender);
    if (!n || !edit)
        return;
    double &stored = m_form.State.ChannelSettings[*n].*field;
    const double value = edit->Value();
    if (model::CheckResolution(value, step)) {
        stored = value;
        m_form.QueuedCommandToPort(model::buildChannelCommand(setting, *n, value));
        return;
    }
    // Off the grid: as with the period, the stored value comes back silently and, through the
    // change it raises, is queued once more.
    edit->setValue(stored);
}

void ChannelHandlers::SetChEnableState(QObject *sender)
{
    const auto n = ChannelOf(sender);
    const auto *box = qobject_cast<const QCheckBox *>(sender);
    if (!n || !box)
        return;
    std::int32_t &enabled = m_form.State.ChannelSettings[*n].Enabled;
    enabled = box->isChecked() ? 1 : 0;
    m_form.QueuedCommandToPort(model::buildChannelCommand(ChannelSetting::Enable, *n, enabled));
}

void ChannelHandlers::SetChannelDelay(QObject *sender)
{
    timeChanged(sender, ChannelSetting::Delay, m_form.State.SeriesLimits.DelayStep,
                &ChannelRecord::Delay);
}

void ChannelHandlers::SetChannelWidth(QObject *sender)
{
    timeChanged(sender, ChannelSetting::Width, m_form.State.SeriesLimits.WidthStep,
                &ChannelRecord::Width);
}

void ChannelHandlers::SetChannelMode(QObject *sender)
{
    const auto n = selectionChanged(sender, ChannelSetting::Mode, &ChannelRecord::Mode);
    // The availability routine works through the channel arrays, which start-up fills.
    if (n && m_form.ChBurstCountGrp[*n] && m_form.ChBurstAdj[*n] && m_form.ChDutyOnGrp[*n] &&
        m_form.ChDutyOnAdj[*n] && m_form.ChDutyOffGrp[*n] && m_form.ChDutyOffAdj[*n])
        m_form.ChModesEnable(*n);
}

void ChannelHandlers::SetChannelBurst(QObject *sender)
{
    countChanged(sender, ChannelSetting::BurstCount, &ChannelRecord::BurstCount);
}

void ChannelHandlers::SetChannelWaitCount(QObject *sender)
{
    countChanged(sender, ChannelSetting::WaitCount, &ChannelRecord::WaitCount);
}

void ChannelHandlers::SetChannelPolarity(QObject *sender)
{
    selectionChanged(sender, ChannelSetting::Polarity, &ChannelRecord::Polarity);
}

void ChannelHandlers::SetChannelDCOn(QObject *sender)
{
    countChanged(sender, ChannelSetting::DutyOnCount, &ChannelRecord::DutyOnCount);
}

void ChannelHandlers::SetChannelDCOff(QObject *sender)
{
    countChanged(sender, ChannelSetting::DutyOffCount, &ChannelRecord::DutyOffCount);
}

void ChannelHandlers::SetChannelGateMode(QObject *sender)
{
    selectionChanged(sender, ChannelSetting::GateMode, &ChannelRecord::GateMode);
}

void ChannelHandlers::SetChannelSyncSource(QObject *sender)
{
    const auto channel = ChannelOf(sender);
    auto *list = qobject_cast<QComboBox *>(sender);
    if (!channel || !list)
        return;

    control::SyncSourceHooks hooks;
    hooks.queue = [this](const QString &command) { m_form.QueuedCommandToPort(command); };
    // The lists are editable and lose entries at the read-back, so the stored source is
    // found by its name. A source the list cannot show leaves no choice shown rather than a
    // wrong one.
    hooks.restoreBox = [list](int storedSource) {
        list->setCurrentIndex(model::GetChannelIndex(ListItems(list), storedSource).value_or(-1));
    };
    // A text typed into the list that names no channel is refused without a message and the
    // list shows the stored source again.
    control::SetChannelSyncSource(*channel, model::GetChannelNumber(list->currentText()),
                                  m_form.State.ChannelSettings, m_form.State.ChannelCount,
                                  m_form.Dialogs(), hooks);
}

void ChannelHandlers::SetChannelMux(QObject *sender)
{
    const auto n = ChannelOf(sender);
    const auto *mux = qobject_cast<const TCheckListBox *>(sender);
    if (!n || !mux)
        return;
    std::array<bool, 8> checked{};
    for (std::size_t i = 0; i < checked.size(); ++i)
        checked[i] = mux->Checked(static_cast<int>(i));
    std::int32_t &mask = m_form.State.ChannelSettings[*n].MuxMask;
    // Marks on channels the instrument lacks do not count.
    mask = model::muxMaskFromChecks(checked, m_form.State.ChannelCount);
    m_form.QueuedCommandToPort(model::buildChannelCommand(ChannelSetting::Mux, *n, mask));
}

void ChannelHandlers::SetChannelOuputMode(QObject *sender)
{
    const auto n = ChannelOf(sender);
    const auto *list = qobject_cast<const QComboBox *>(sender);
    if (!n || !list)
        return;
    const int mode = list->currentIndex();
    if ((mode == OutputTtl || mode == OutputAdjustable) && m_form.ChAmplitudeAdjGrp[*n] &&
        m_form.ChAmplitudeAdj[*n])
        m_form.SetAmplitudeEnabled(*n, mode == OutputAdjustable);
    selectionChanged(sender, ChannelSetting::OutputMode, &ChannelRecord::OutputMode);
}

void ChannelHandlers::SetChAmplitude(QObject *sender)
{
    const auto n = ChannelOf(sender);
    const auto *edit = qobject_cast<const TPlusSpinEdit *>(sender);
    if (!n || !edit)
        return;
    double &amplitude = m_form.State.ChannelSettings[*n].Amplitude;
    amplitude = edit->Value();
    m_form.QueuedCommandToPort(
        model::buildChannelCommand(ChannelSetting::Amplitude, *n, amplitude));
}

} // namespace ui
