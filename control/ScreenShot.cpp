#include "control/ScreenShot.h"

#include "control/JpegEncoder.h"
#include "transport/UserDialogs.h"

#include <QDir>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>

namespace control {

QImage GrabScreenRect(QScreen *screen, const QRect &globalRect)
{
    if (!screen || globalRect.isEmpty())
        return {};
    // Window 0 is the whole screen; the offset is counted from the screen's own corner.
    const QPoint offset = globalRect.topLeft() - screen->geometry().topLeft();
    return screen->grabWindow(0, offset.x(), offset.y(), globalRect.width(), globalRect.height())
        .toImage();
}

bool CaptureScreenShot1Click(QScreen *screen, const QRect &frameGeometry,
                             transport::UserDialogs &dialogs, const QString &directory)
{
    auto fail = [&dialogs](const QString &text) {
        dialogs.message(transport::UserDialogs::Kind::Error, text,
                        {transport::UserDialogs::Button::Ok});
        return false;
    };

    const QImage picture = GrabScreenRect(screen, frameGeometry);
    if (picture.isNull())
        return fail(QStringLiteral("The window could not be read from the screen."));

    QString why;
    const QByteArray jpeg = EncodeJpeg(picture, ScreenShotJpegQuality, &why);
    if (jpeg.isEmpty())
        return fail(QStringLiteral("The screen shot could not be encoded: %1").arg(why));

    const QString path = QDir(directory).filePath(ScreenShotFileName);
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size() || !file.commit())
        return fail(QStringLiteral("The screen shot could not be saved to \"%1\": %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    return true;
}

} // namespace control
