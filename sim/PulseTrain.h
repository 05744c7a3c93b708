#pragma once

#include <QtGlobal>

namespace sim {

// The system timer's pulses while the instrument runs, and the shot counter that counts them.
// Time is passed in, in nanoseconds, so the train can be driven by a test clock. Pulses come
// at the start of each period; single shot and burst end one period after their last pulse.
class PulseTrain {
public:
    enum class Mode { Continuous, SingleShot, Burst, DutyCycle };

    // What shapes the train; taken from the settings that held up to the moment advanced to.
    struct Timing {
        double periodSeconds = 0.001;
        Mode mode = Mode::Continuous;
        quint64 burst = 1;
        quint64 dutyOn = 1;
        quint64 dutyOff = 1;
        bool waitsForTrigger = false; // nothing drives the trigger input of the stand-in
        bool counterEnabled = false;
    };

    static constexpr quint64 kCountCap = 4294967295ULL;

    void start(qint64 nowNs);
    void stop(qint64 nowNs, const Timing &timing);
    // Emits the pulses due up to `nowNs`; a single shot or burst that has ended stops the run.
    void advance(qint64 nowNs, const Timing &timing);

    bool running() const { return m_running; }
    quint64 count() const { return m_count; }
    void clearCount() { m_count = 0; }

private:
    bool m_running = false;
    double m_nextSlotNs = 0.0; // time of the next period start
    quint64 m_slotsDone = 0;   // periods begun since the run started
    quint64 m_count = 0;
};

} // namespace sim
