// The ways from program start to the instrument: discovery over ports and speeds, a port
// picked by hand, demo mode, no instrument at all.
#include "tests/e2e/E2eWindow.h"

#include <QDate>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QTextEdit>

namespace {

using e2e::WindowFixture;
using Button = transport::UserDialogs::Button;

const QString kNoDevice = QStringLiteral(
    "No device found. Try to reconnect?\n\r\n\rMake sure unit is fully powered on\n\rbefore "
    "selecting Yes");

TEST_F(WindowFixture, DiscoveryFindsAnInstrumentAt9600AfterASilentPort)
{
    addInstrument(1,
                  {QStringLiteral("--model"), QStringLiteral("HRA8"), QStringLiteral("--silent")});
    auto &found = addInstrument(3, {QStringLiteral("--model"), QStringLiteral("HRA4"),
                                    QStringLiteral("--baud"), QStringLiteral("9600")});
    startProgram();
    EXPECT_TRUE(dialogs.shown.isEmpty()) << "discovery shows no dialog";
    EXPECT_EQ(form->ComPort->Port(), 3);
    EXPECT_EQ(form->ComPort->Baud(), 9600);
    EXPECT_EQ(form->State.InstrumentIdentity.ModelNumber, QStringLiteral("HRA4"));
    ASSERT_TRUE(waitForReadBack());
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral("Veltrano Model HRA4  SW Version: 1.0.0.0 ComPort: 3 Baud: 9600"));
    // The instrument heard only what was sent at its own speed: two identifications, then
    // the read-back.
    const QStringList wire = found.received();
    ASSERT_GE(wire.size(), 3);
    EXPECT_EQ(wire.mid(0, 3), (QStringList{QStringLiteral("*IDN?"), QStringLiteral("*IDN?"),
                                           QStringLiteral(":PULS0:COUN:STAT?")}));
    EXPECT_EQ(form->ComPort->ResponseTime(), 3000u);
    EXPECT_TRUE(form->ComPort->AllowEvents());
    EXPECT_FALSE(form->ComPort->ShowErrors());
}

TEST_F(WindowFixture, NoInstrumentAsksAndEndsOrRestarts)
{
    struct Case {
        Button answer;
        int restarts;
    };
    for (const Case c : {Case{Button::No, 0}, Case{Button::Yes, 1}}) {
        dialogs = {};
        restartedWith.clear();
        quitRequests = 0;
        dialogs.answerNext(c.answer);
        startProgram();
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.shown[0].text, kNoDevice);
        EXPECT_EQ(dialogs.shown[0].buttons, (QList<Button>{Button::Yes, Button::No}));
        EXPECT_EQ(restartedWith.size(), c.restarts);
        EXPECT_EQ(quitRequests, 1);
        EXPECT_TRUE(form->Finished());
        EXPECT_FALSE(form->LaunchTimer->isActive()) << "no read-back after the end";
        form->show();
        EXPECT_FALSE(form->isVisible()) << "a program ended during start-up never shows";
    }
}

TEST_F(WindowFixture, DemoModeSendsNothingAndShowsTheDemoCaption)
{
    auto &sim = addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRA8")});
    startProgram({QStringLiteral("/DEMO")});
    ASSERT_EQ(dialogs.texts(), QStringList{QStringLiteral("Entering Demo Mode")});
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->LaunchTimer->isActive(); }, 5000));
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral(" Model HRA8  SW Version: 1.0.0.0 ComPort: Demo"));
    EXPECT_EQ(form->SerialNumberlbl->text(), QStringLiteral("Serial Number: 1234"));
    EXPECT_EQ(form->FWVersionlbl->text(), QStringLiteral("Firmware Ver: 1.00"));
    EXPECT_EQ(form->FPGAVersionlbl->text(), QStringLiteral("FPGA Ver: 1.25"));
    ASSERT_EQ(form->State.SettingsList.size(), 1);
    // The date line: the user's short date and long time, without a time-zone name.
    const QString dateLine = form->State.SettingsList.first();
    EXPECT_TRUE(dateLine.startsWith(
        QStringLiteral("// ") +
        QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat) + u','))
        << dateLine.toStdString();
    EXPECT_FALSE(dateLine.contains(QDateTime::currentDateTime().timeZoneAbbreviation()))
        << dateLine.toStdString();

    form->QueuedCommandToPort(QStringLiteral(":PULS0:STAT ON"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->Tasks->CommandsPending(); }, 5000));
    EXPECT_TRUE(form->ResponseList->toPlainText().endsWith(QStringLiteral(") :PULS0:STAT ON")));
    EXPECT_TRUE(sim.received().isEmpty()) << "demo mode reached the instrument on COM1";
    EXPECT_FALSE(form->ComPort->Opened());
    // The launch read-back switches polling on; its first tick in demo mode switches it off.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !form->StatusTimer->isActive(); }, 3000));
    EXPECT_TRUE(sim.received().isEmpty());
}

TEST_F(WindowFixture, PickedPortIsUsedWithoutIdentification)
{
    auto &sim = addInstrument(3, {QStringLiteral("--model"), QStringLiteral("HRA2")});
    dialogs.answerPickNext(0); // the only port there is: COM3
    startProgram({QStringLiteral("-pick")});
    ASSERT_EQ(dialogs.pickShown.size(), 1);
    EXPECT_EQ(dialogs.pickShown[0].entries, QStringList{QStringLiteral("COM3")});
    ASSERT_TRUE(waitForReadBack());
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral("Unknown Model   SW Version: 1.0.0.0 ComPort: 3 Baud: 115200"));
    const QStringList wire = sim.received();
    ASSERT_FALSE(wire.isEmpty());
    EXPECT_EQ(wire.first(), QStringLiteral(":PULS0:COUN:STAT?")) << "no identification";
    // An unknown series is read as eight channels and keeps the designed ranges.
    EXPECT_TRUE(wire.contains(QStringLiteral(":PULS8:MUX?")));
    EXPECT_EQ(form->PeriodAdj->Decimals(), 9);
    EXPECT_DOUBLE_EQ(form->PeriodAdj->MinValue(), 2e-7);
}

TEST_F(WindowFixture, CancelledPortChoiceEndsTheProgram)
{
    auto &sim = addInstrument(3, {QStringLiteral("--model"), QStringLiteral("HRA2")});
    startProgram({QStringLiteral("-PICK")});
    EXPECT_TRUE(form->Finished());
    EXPECT_EQ(quitRequests, 1);
    EXPECT_TRUE(sim.received().isEmpty());
}

} // namespace
