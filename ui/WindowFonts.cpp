#include "ui/WindowFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace ui {

namespace {

const QString kFamily = QStringLiteral("Tahoma");

// Where Debian's fonts-wine keeps its faces; fontconfig does not index that folder, so the
// face is known to the toolkit only once it is added by path.
const char *const kWineFaces[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
    "/usr/lib/wine/fonts/tahoma.ttf",
};

QString resolveFamily()
{
    if (QFontDatabase::families().contains(kFamily, Qt::CaseInsensitive))
        return kFamily;
    QString found;
    for (const char *path : kWineFaces) {
        const QString file = QString::fromLatin1(path);
        if (!QFile::exists(file))
            continue;
        const int id = QFontDatabase::addApplicationFont(file);
        if (id < 0)
            continue;
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (found.isEmpty() && !families.isEmpty())
            found = families.first();
    }
    return found.isEmpty() ? kFamily : found;
}

} // namespace

QString TahomaFamily()
{
    static const QString family = resolveFamily();
    return family;
}

QFont TahomaFont(int pixelHeight)
{
    QFont font(TahomaFamily());
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace ui
