#include "control/RunState.h"

namespace control {

namespace {
constexpr int SeriesWithOwnCounterWords = 4;
}

QString RunStopCaption(bool running) {
    return running ? QStringLiteral("Stop") : QStringLiteral("Run");
}

QString ShotCountText(std::uint32_t count) {
    return QStringLiteral("Count: ") + QString::number(count).rightJustified(10, u' ');
}

QString ShotCountQuery(int instrumentSeries) {
    // The TCNTS form already holds a "?"; the query appends its own all the same, so the
    // line on the wire carries two.
    return instrumentSeries == SeriesWithOwnCounterWords
               ? QStringLiteral(":PULS0:COUN:PULSES")
               : QStringLiteral(":PULS0:COUN:COUN? TCNTS");
}

QString ClearShotCountCommand(int instrumentSeries) {
    return instrumentSeries == SeriesWithOwnCounterWords ? QStringLiteral(":PULS0:COUN:CL")
                                                         : QStringLiteral(":PULS0:COUN:CL TCNTS");
}

} // namespace control
