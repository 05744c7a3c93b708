#include "sim/PulseTrain.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// Pulses in the first `slots` periods of a run.
quint64 pulsesIn(quint64 slots, const PulseTrain::Timing &t)
{
    if (t.mode != PulseTrain::Mode::DutyCycle)
        return slots;
    const quint64 cycle = t.dutyOn + t.dutyOff;
    return (slots / cycle) * t.dutyOn + std::min(slots % cycle, t.dutyOn);
}

// Periods after which the run ends by itself; 0 for a run without end.
quint64 lastSlot(const PulseTrain::Timing &t)
{
    switch (t.mode) {
    case PulseTrain::Mode::SingleShot:
        return 1;
    case PulseTrain::Mode::Burst:
        return t.burst;
    default:
        return 0;
    }
}

} // namespace

void PulseTrain::start(qint64 nowNs)
{
    if (m_running)
        return;
    m_running = true;
    m_nextSlotNs = static_cast<double>(nowNs);
    m_slotsDone = 0;
}

void PulseTrain::stop(qint64 nowNs, const Timing &timing)
{
    advance(nowNs, timing);
    m_running = false;
}

void PulseTrain::advance(qint64 nowNs, const Timing &timing)
{
    if (!m_running)
        return;
    const double now = static_cast<double>(nowNs);
    if (timing.waitsForTrigger) {
        m_nextSlotNs = std::max(m_nextSlotNs, now);
        return;
    }
    const double periodNs = timing.periodSeconds * 1e9;
    if (now < m_nextSlotNs || !(periodNs > 0.0))
        return;

    // Bounded so that a tiny period over a long time cannot overflow the slot arithmetic.
    const double due = std::floor((now - m_nextSlotNs) / periodNs) + 1.0;
    quint64 slots = static_cast<quint64>(std::min(due, 1e15));
    const quint64 end = lastSlot(timing);
    if (end != 0)
        slots = m_slotsDone >= end ? 0 : std::min(slots, end - m_slotsDone);

    if (timing.counterEnabled) {
        const quint64 pulses =
            pulsesIn(m_slotsDone + slots, timing) - pulsesIn(m_slotsDone, timing);
        m_count = std::min(kCountCap, m_count + std::min(pulses, kCountCap));
    }
    m_slotsDone += slots;
    m_nextSlotNs += static_cast<double>(slots) * periodNs;
    if (end != 0 && m_slotsDone >= end && now >= m_nextSlotNs)
        m_running = false;
}

} // namespace sim
