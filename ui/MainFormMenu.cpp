// The main window's menu: every item is a QAction named as its handler's item.

#include "ui/TMainForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace ui {

namespace {

QMenu *addMenu(QWidget *owner, const char *name, const QString &title)
{
    auto *menu = new QMenu(title, owner);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction *addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

void TMainForm::BuildMainMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setNativeMenuBar(false);

    File1 = addMenu(this, "File1", QStringLiteral("File"));
    Exit1 = addItem(File1, QStringLiteral("Exit1"), QStringLiteral("Exit"));
    R1 = addItem(File1, QStringLiteral("R1"), QStringLiteral("Restart App"));
    MainMenu1->addMenu(File1);

    Storage1 = addMenu(this, "Storage1", QStringLiteral("Storage"));
    SaveToBin1 = addMenu(Storage1, "SaveToBin1", QStringLiteral("Save To Bin"));
    RestoreFromBin1 = addMenu(Storage1, "RestoreFromBin1", QStringLiteral("Restore From Bin"));
    using control::StorageBins;
    RestoreItems[StorageBins::DefaultBin] =
        addItem(RestoreFromBin1, QStringLiteral("Default01"), QStringLiteral("Default 0"));
    for (int bin = StorageBins::FirstUserBin; bin <= StorageBins::LastUserBin; ++bin) {
        const QString number = QString::number(bin);
        SaveItems[bin] = addItem(SaveToBin1, QStringLiteral("Save") + number, number);
        RestoreItems[bin] = addItem(RestoreFromBin1, QStringLiteral("Restore") + number, number);
    }
    Storage1->addMenu(SaveToBin1);
    Storage1->addMenu(RestoreFromBin1);
    SaveToFile1 =
        addItem(Storage1, QStringLiteral("SaveToFile1"), QStringLiteral("Save Settings To File"));
    RestoreSettingsFromFile1 = addItem(Storage1, QStringLiteral("RestoreSettingsFromFile1"),
                                       QStringLiteral("Restore Settings From File"));
    MainMenu1->addMenu(Storage1);

    ools1 = addMenu(this, "ools1", QStringLiteral("Tools"));
    Up1 = addItem(ools1, QStringLiteral("Up1"), QStringLiteral("Refresh"));
    CaptureScreenShot1 =
        addItem(ools1, QStringLiteral("CaptureScreenShot1"), QStringLiteral("Capture Screen Shot"));
    // Its check mark follows the log file, which the logging code opens and closes.
    EnableLoggingMenu =
        addItem(ools1, QStringLiteral("EnableLoggingMenu"), QStringLiteral("Logging Enabled"));
    EnableLoggingMenu->setCheckable(true);
    TimingDiagram1 =
        addItem(ools1, QStringLiteral("TimingDiagram1"), QStringLiteral("Timing Diagram"));
    MainMenu1->addMenu(ools1);

    Help1 = addMenu(this, "Help1", QStringLiteral("Help"));
    WebSite1 = addItem(Help1, QStringLiteral("WebSite1"), QStringLiteral("Web Site"));
    About1 = addItem(Help1, QStringLiteral("About1"), QStringLiteral("About"));
    MainMenu1->addMenu(Help1);
}

} // namespace ui
