// A window of spin edits set up as the main window uses them, to look at by eye.
//   spinedit-gallery               interactive
//   spinedit-gallery --grab FILE   shows the window, saves it as a PNG and quits

#include "ui/TPlusSpinEdit.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPalette>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

constexpr int kSpinFontPx = 15;
constexpr int kLabelFontPx = 11;
constexpr int kRowHeight = 34;

// fontconfig does not index Wine's fonts folder; add its Tahoma-compatible face by path.
QString tahomaFamily()
{
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive))
        return QStringLiteral("Tahoma");
    const QString wineFace = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
    if (QFile::exists(wineFace)) {
        const int id = QFontDatabase::addApplicationFont(wineFace);
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty())
            return families.first();
    }
    return QStringLiteral("Tahoma");
}

struct Design {
    const char16_t *caption;
    int decimals;
    double increment;
    double minValue;
    double maxValue;
    double value;
    QChar separator;
    int width;
    bool border;
    bool enabled;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const qsizetype grabAt = args.indexOf(QStringLiteral("--grab"));
    const QString grabFile =
        grabAt >= 0 && grabAt + 1 < args.size() ? args.at(grabAt + 1) : QString();

    QFont spinFont(tahomaFamily());
    spinFont.setPixelSize(kSpinFontPx);
    QFont labelFont(tahomaFamily());
    labelFont.setPixelSize(kLabelFontPx);

    const QChar comma(u',');
    const Design designs[] = {
        {u"Period (s), 9 decimals", 9, 1e-8, 2e-7, 1000, 0.001234567, comma, 155, false, true},
        {u"Burst count", 0, 1, 1, 4000000000.0, 4000000000.0, comma, 155, false, true},
        {u"Amplitude (V)", 2, 0.01, 2, 20, 5, QChar(), 65, false, true},
        {u"Delay (s), disabled", 12, 1e-8, -1000, 1000, -12.5, comma, 180, false, false},
        {u"Threshold (V), focused", 2, 0.01, 0.2, 15, 2.5, comma, 100, false, true},
        {u"Input rate (MHz), border", 0, 1, 10, 100, 10, QChar(), 107, true, true},
    };

    QWidget window;
    window.setWindowTitle(QStringLiteral("TPlusSpinEdit gallery"));
    window.setAutoFillBackground(true);
    int y = 10;
    ui::TPlusSpinEdit *focused = nullptr;
    for (const Design &d : designs) {
        auto *label = new QLabel(QString::fromUtf16(d.caption), &window);
        label->setFont(labelFont);
        label->setGeometry(10, y, 170, 24);

        auto *spin = new ui::TPlusSpinEdit(&window);
        spin->setAutoSize(false);
        spin->setBorderStyle(d.border ? ui::TPlusSpinEdit::TBorderStyle::bsSingle
                                      : ui::TPlusSpinEdit::TBorderStyle::bsNone);
        spin->setDecimals(d.decimals);
        spin->setIncrement(d.increment);
        spin->setMaxValue(d.maxValue);
        spin->setMinValue(d.minValue);
        spin->setValue(d.value);
        spin->setThousandSeparator(d.separator);
        QPalette palette = spin->palette();
        palette.setColor(QPalette::Text, Qt::black);
        spin->setPalette(palette);
        spin->setFont(spinFont);
        spin->SetBounds(190, y, d.width, d.border ? 25 : 24);
        spin->setControlEnabled(d.enabled);
        if (QString::fromUtf16(d.caption).contains(QStringLiteral("focused")))
            focused = spin;
        y += kRowHeight;
    }
    window.resize(400, y + 6);
    window.show();
    window.activateWindow();
    if (focused)
        focused->setFocus();

    if (grabFile.isEmpty())
        return app.exec();

    QTimer::singleShot(500, &app, [&] {
        const bool saved = window.grab().save(grabFile, "PNG");
        std::fprintf(stderr, "%s %s (font %s)\n", saved ? "saved" : "could not save",
                     qPrintable(grabFile), qPrintable(spinFont.family()));
        app.exit(saved ? 0 : 1);
    });
    return app.exec();
}
