// The program entry: the toolkit, the main window with its start-up, the event loop.
#include "ui/TMainForm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ui::TMainForm form;
    form.FormCreate(QCoreApplication::arguments());
    form.show(); // stays hidden when start-up already ended the program
    return QApplication::exec();
}
