// The program entry: the toolkit, the main window with its start-up, the event loop.
#include "link/ProgramInfo.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

// --help and --version are answered before the toolkit starts, so they work without a display
// and never open a port or a window.
int answerInfoRequest(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto request = ilink::startup::FindInfoRequest(arguments);
    if (request == ilink::startup::InfoRequest::None)
        return -1;
    const QString program = QFileInfo(arguments.value(0)).fileName();
    const QString text = request == ilink::startup::InfoRequest::Help
                             ? ilink::startup::HelpText(program)
                             : ilink::startup::VersionText(program);
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const int status = answerInfoRequest(argc, argv); status >= 0)
        return status;
    QApplication app(argc, argv);
    // Lets the desktop tie the window to the program's menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PULSEGEN_DESKTOP_ID));
    ui::TMainForm form;
    form.FormCreate(QCoreApplication::arguments());
    form.show(); // stays hidden when start-up already ended the program
    return QApplication::exec();
}
