#pragma once

#include <QImage>
#include <QLatin1String>
#include <QRect>
#include <QString>

class QScreen;

namespace transport {
class UserDialogs;
}

namespace control {

inline constexpr QLatin1String ScreenShotFileName("VNHxxxScreenShot.jpg");
inline constexpr int ScreenShotJpegQuality = 90;

// The pixels of a rectangle (in global desktop coordinates) as the screen shows them now,
// windows lying over it included. Null when the platform cannot read the screen.
QImage GrabScreenRect(QScreen *screen, const QRect &globalRect);

// "Tools", "Capture Screen Shot": the window's outer frame, as displayed, written as a
// quality-90 baseline JPEG named ScreenShotFileName into `directory`, replacing an older
// one. Nothing is said on success; a failure is reported through `dialogs`.
bool CaptureScreenShot1Click(QScreen *screen, const QRect &frameGeometry,
                             transport::UserDialogs &dialogs, const QString &directory);

} // namespace control
