// "Tools", "Capture Screen Shot" on a real (private) X server: the window's rectangle as the
// screen shows it, written into the working directory.
#include "tests/support/QtPrinters.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/XvfbServer.h"
#include "ui/TMainForm.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

namespace {

// The capture reads real screen pixels, so this binary runs against its own X server rather
// than the offscreen platform of the other window tests. Server and application end after the
// last test, also a failed one, but before the exit handlers: torn down among those, the
// application would reach parts of Qt already gone.
class PrivateDisplay : public ::testing::Environment {
public:
    QApplication *app()
    {
        if (!m_server) {
            m_server = std::make_unique<testsupport::XvfbServer>();
            if (m_server->running()) {
                qputenv("DISPLAY", m_server->display().toLocal8Bit());
                qputenv("QT_QPA_PLATFORM", "xcb");
                m_app = std::make_unique<QApplication>(m_argc, m_argv);
            }
        }
        return m_app.get();
    }

    void TearDown() override
    {
        m_app.reset();
        m_server.reset();
    }

private:
    int m_argc = 1;
    char m_name[25] = "screenshot_handlers_test";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<testsupport::XvfbServer> m_server;
    std::unique_ptr<QApplication> m_app;
};

QApplication *xApp()
{
    // The test framework owns the environment and runs its TearDown after the last test.
    static PrivateDisplay *display = [] {
        auto *environment = new PrivateDisplay;
        ::testing::AddGlobalTestEnvironment(environment);
        return environment;
    }();
    return display->app();
}

void settle(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && !done())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Mean difference per channel between two pictures of the same size.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar *p = x.constScanLine(row);
        const uchar *r = y.constScanLine(row);
        for (int i = 0; i < x.width() * 3; ++i)
            sum += std::abs(int(p[i]) - int(r[i]));
    }
    return sum / (double(x.width()) * x.height() * 3);
}

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!xApp())
            GTEST_SKIP() << "no X server for real screen pixels";
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        form = std::make_unique<ui::TMainForm>();
        form->setDialogs(&dialogs);
        form->QuitEventLoop = [] {};
        form->move(40, 30);
        form->show();
        settle([this] { return form->isVisible() && form->windowHandle()->isExposed(); });
    }

    void TearDown() override
    {
        if (form)
            form->ExitApp();
        form.reset();
        if (!previous.isEmpty())
            QDir::setCurrent(previous);
    }

    QImage capture()
    {
        form->CaptureScreenShot1->trigger();
        return QImage(dir.filePath(QStringLiteral("VNHxxxScreenShot.jpg")), "JPG");
    }

    QTemporaryDir dir;
    QString previous;
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<ui::TMainForm> form;
};

} // namespace

TEST_F(CaptureTest, WritesTheWindowAsShownIntoTheWorkingDirectory)
{
    const QImage shot = capture();
    EXPECT_TRUE(dialogs.shown.isEmpty()) << "nothing is said on success";
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), form->frameGeometry().size());
    const QImage drawn = form->grab().toImage();
    ASSERT_EQ(drawn.size(), shot.size()) << "no frame around the window on this server";
    EXPECT_LT(meanDifference(shot, drawn), 6.0);
}

TEST_F(CaptureTest, AWindowLyingOverItIsCapturedAndTheFileReplaced)
{
    const QImage before = capture();
    ASSERT_FALSE(before.isNull());

    QWidget cover;
    cover.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    cover.setAutoFillBackground(true);
    QPalette red = cover.palette();
    red.setColor(QPalette::Window, Qt::red);
    cover.setPalette(red);
    const QRect frame = form->frameGeometry();
    cover.setGeometry(frame.x() + 100, frame.y() + 200, 120, 80);
    cover.show();
    settle([&] { return cover.windowHandle() && cover.windowHandle()->isExposed(); });

    const QImage after = capture();
    ASSERT_FALSE(after.isNull());
    const QColor middle = after.pixelColor(160, 240);
    EXPECT_GT(middle.red(), 200);
    EXPECT_LT(middle.green(), 60);
    EXPECT_LT(middle.blue(), 60);
    EXPECT_NE(before.pixelColor(160, 240), middle) << "the second capture replaced the first";
}
