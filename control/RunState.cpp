#include "control/RunState.h"

namespace control {

QString RunStopCaption(bool running)
{
    return running ? QStringLiteral("Stop") : QStringLiteral("Run");
}

QString ShotCountText(std::uint32_t count)
{
    return QStringLiteral("Count: ") + QString::number(count).rightJustified(10, u' ');
}

} // namespace control
