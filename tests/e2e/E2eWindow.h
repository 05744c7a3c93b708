#pragma once

#include "link/Communication.h"
#include "link/TaskQueue.h"
#include "tests/e2e/SimInstrument.h"
#include "tests/support/PtyPeer.h"
#include "tests/support/ScriptedDialogs.h"
#include "transport/TVNComPort.h"
#include "ui/FormParts.h"
#include "ui/TMainForm.h"
#include "ui/TPlusSpinEdit.h"

#include <QComboBox>
#include <QDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace e2e {

// The program writes its log and captures into the working directory.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const QString &path) : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~WorkingDirectory() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

// The main window started as the program starts it, against stand-in instruments in a private
// port folder, with scripted dialogs and without the platform's restart and quit.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override { app(); }
    void TearDown() override { form.reset(); }

    SimInstrument &addInstrument(int comNumber, const QStringList &options)
    {
        sims.push_back(std::make_unique<SimInstrument>(folder.path(), comNumber));
        EXPECT_TRUE(sims.back()->start(options));
        return *sims.back();
    }

    void startProgram(const QStringList &switches = {})
    {
        form = std::make_unique<ui::TMainForm>();
        form->setDialogs(&dialogs);
        form->HeldKeysReader = [] { return ui::HeldKeys{}; };
        form->StartNewInstance = [this](const QString &program) { restartedWith << program; };
        form->QuitEventLoop = [this] { ++quitRequests; };
        form->FormCreate(QStringList{QStringLiteral("VNHLxx_HRxx_GUI")} + switches);
    }

    // The launch timer's read-back has run to its end.
    bool waitForReadBack(int timeoutMs = 20000)
    {
        return QTest::qWaitFor(
            [this] {
                return !form->LaunchTimer->isActive() && !form->Comm->SuppressCommands() &&
                       form->State.SettingsList.size() > 1;
            },
            timeoutMs);
    }

    QStringList comboItems(const QComboBox *list) const { return ui::ListItems(list); }

    testsupport::ComPortFolder folder;
    testsupport::ScriptedDialogs dialogs;
    std::vector<std::unique_ptr<SimInstrument>> sims;
    std::unique_ptr<ui::TMainForm> form;
    QStringList restartedWith;
    int quitRequests = 0;
};

} // namespace e2e
