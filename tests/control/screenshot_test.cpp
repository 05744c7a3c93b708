#include "control/ScreenShot.h"
#include "tests/control/JpegInspect.h"
#include "tests/support/XvfbServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>
#include <QScreen>
#include <QTemporaryDir>

// GCC 12 takes the copy of a scripted std::optional<QString> answer for uninitialised use
// once it inlines the chooser methods here; the answers are never read in this file.
#include "tests/support/ScriptedDialogs.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

// The capture reads real screen pixels, so these tests run against a private X server
// rather than the offscreen platform the other tests use.
QGuiApplication *guiApp()
{
    static testsupport::XvfbServer server;
    static std::unique_ptr<QGuiApplication> app = [] {
        std::unique_ptr<QGuiApplication> a;
        if (!server.running())
            return a;
        qputenv("DISPLAY", server.display().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
        static int argc = 1;
        static char name[] = "screenshot_test";
        static char *argv[] = {name, nullptr};
        a = std::make_unique<QGuiApplication>(argc, argv);
        return a;
    }();
    return app.get();
}

class FlatWindow : public QRasterWindow {
public:
    explicit FlatWindow(const QRect &geometry, QColor left, QColor right)
        : m_left(left), m_right(right)
    {
        setFlags(Qt::FramelessWindowHint);
        setGeometry(geometry);
    }
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(0, 0, width() / 2, height(), m_left);
        p.fillRect(width() / 2, 0, width() - width() / 2, height(), m_right);
        ++paints;
    }

private:
    QColor m_left, m_right;
};

// Waits (without judging how long it took) until the window is on screen and painted.
bool showAndWait(FlatWindow &w)
{
    w.show();
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && !(w.isExposed() && w.paints > 0))
        QGuiApplication::processEvents(QEventLoop::AllEvents, 50);
    for (int i = 0; i < 5; ++i)
        QGuiApplication::processEvents(QEventLoop::AllEvents, 20);
    return w.isExposed() && w.paints > 0;
}

bool near(QColor a, QColor b, int tolerance = 16)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QColor Red(210, 20, 20), Blue(20, 30, 200), Green(20, 190, 40), Grey(128, 128, 128);

class ScreenShotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!guiApp())
            GTEST_SKIP() << "no Xvfb to read screen pixels from";
        ASSERT_TRUE(dir.isValid());
        window = std::make_unique<FlatWindow>(QRect(100, 80, 300, 200), Red, Blue);
        ASSERT_TRUE(showAndWait(*window));
    }

    QScreen *screen() const { return window->screen(); }
    QRect frameRect() const { return window->frameGeometry(); }

    QString shotPath() const { return dir.filePath(QStringLiteral("VNHxxxScreenShot.jpg")); }

    QTemporaryDir dir;
    // Created once the application exists.
    std::unique_ptr<FlatWindow> window;
    testsupport::ScriptedDialogs dialogs;
};

TEST_F(ScreenShotTest, WritesTheFrameAsDisplayedAsBaselineJpeg)
{
    FlatWindow over(QRect(250, 150, 100, 100), Green, Green);
    ASSERT_TRUE(showAndWait(over));

    ASSERT_TRUE(control::CaptureScreenShot1Click(screen(), frameRect(), dialogs, dir.path()));
    EXPECT_TRUE(dialogs.shown.isEmpty());
    const QByteArray jpeg = readAll(shotPath());

    const auto frame = jpeginspect::readFrame(jpeg);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->sofMarker, 0xC0);
    EXPECT_EQ(frame->components, 3);
    EXPECT_EQ(QSize(frame->width, frame->height), frameRect().size());

    const auto decoded = jpeginspect::decode(jpeg);
    ASSERT_TRUE(decoded);
    EXPECT_FALSE(decoded->progressive);
    ASSERT_TRUE(decoded->quant[0] && decoded->quant[1]);
    EXPECT_EQ(*decoded->quant[0], jpeginspect::standardTable(false, 90));
    EXPECT_EQ(*decoded->quant[1], jpeginspect::standardTable(true, 90));

    const QImage &img = decoded->image;
    EXPECT_TRUE(near(img.pixelColor(40, 100), Red));
    EXPECT_TRUE(near(img.pixelColor(200, 40), Blue));
    // The other window lies over the lower right part and is captured with it.
    EXPECT_TRUE(near(img.pixelColor(200, 120), Green));
}

TEST_F(ScreenShotTest, ReplacesAnEarlierFile)
{
    {
        QFile old(shotPath());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
    }
    ASSERT_TRUE(control::CaptureScreenShot1Click(screen(), frameRect(), dialogs, dir.path()));
    const auto decoded = jpeginspect::decode(readAll(shotPath()));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->image.size(), frameRect().size());
}

TEST_F(ScreenShotTest, PlaceThatCannotHoldTheFileIsReported)
{
    // A folder below a regular file cannot exist, whoever runs the test.
    const QString blocker = dir.filePath(QStringLiteral("plain-file"));
    {
        QFile f(blocker);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(control::CaptureScreenShot1Click(screen(), frameRect(), dialogs, blocker));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, transport::UserDialogs::Kind::Error);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("VNHxxxScreenShot.jpg")))
        << dialogs.shown[0].text.toStdString();
}

TEST_F(ScreenShotTest, NoScreenIsReported)
{
    EXPECT_FALSE(control::CaptureScreenShot1Click(nullptr, frameRect(), dialogs, dir.path()));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("The window could not be read from the screen."));
    EXPECT_FALSE(QFile::exists(shotPath()));
}

TEST_F(ScreenShotTest, GrabTakesTheGivenDesktopRectangle)
{
    const QImage grabbed = control::GrabScreenRect(screen(), QRect(90, 70, 20, 20));
    ASSERT_EQ(grabbed.size(), QSize(20, 20));
    // Outside the window: the server's background, not red.
    EXPECT_FALSE(near(grabbed.pixelColor(2, 2), Red));
    EXPECT_TRUE(near(grabbed.pixelColor(15, 15), Red));
}

} // namespace
