// A port that is present but held by someone else, over real pseudo-terminals: the port says
// so through OnRefused, and the port picker and the failed open tell the user which port and
// why. (Ports refused for want of permission need a user other than root: see the end-to-end
// start-up tests.)
#include "transport/PortAccess.h"
#include "transport/RefusalNotice.h"
#include "transport/TVNComPort.h"

#include "tests/support/PtyPeer.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using testsupport::ComPortFolder;
using testsupport::PtyPeer;
using testsupport::ScriptedDialogs;
using transport::PortRefusal;
using transport::TVNComPort;
using Button = transport::UserDialogs::Button;
using Kind = transport::UserDialogs::Kind;

namespace {

void ensureApp()
{
    static int argc = 1;
    static char name[] = "transport_portrefusal";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

// Remembers how many messages had been shown when the port list came up.
class OrderedDialogs : public ScriptedDialogs {
public:
    std::optional<int> pickPort(const PortChoice &choice) override
    {
        messagesBeforePick = shown.size();
        return ScriptedDialogs::pickPort(choice);
    }
    qsizetype messagesBeforePick = -1;
};

QString heldText(int com, const QString &device)
{
    return QStringLiteral("Serial ports that are present but could not be opened:\n\n"
                          "COM%1 (%2)\nIn use by another program: transport_portrefusal "
                          "(process %3). Close that program, then try again.")
        .arg(com)
        .arg(device)
        .arg(QCoreApplication::applicationPid());
}

class RefusedPort : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApp();
        ASSERT_TRUE(peer3.isValid());
        ASSERT_TRUE(peer12.isValid());
        ASSERT_TRUE(folder.link(3, peer3.slavePath()));
        ASSERT_TRUE(folder.link(12, peer12.slavePath()));
        ASSERT_TRUE(folder.link(20, folder.path() + QStringLiteral("/nothing-there")));
        port.setDialogs(&dialogs);
        port.setShowErrors(false);
        port.OnRefused = [this](const PortRefusal &r) { refusals << r; };
    }

    PtyPeer peer3;
    PtyPeer peer12;
    ComPortFolder folder;
    OrderedDialogs dialogs;
    TVNComPort port;
    QList<PortRefusal> refusals;
};

TEST_F(RefusedPort, HeldPortIsReportedWithItsHolderAbsentAndFreePortsAreNot)
{
    TVNComPort holder;
    holder.setPort(3);
    ASSERT_TRUE(holder.Open());

    port.setPort(3);
    EXPECT_FALSE(port.Open());
    ASSERT_EQ(refusals.size(), 1);
    EXPECT_EQ(refusals[0].port, 3);
    EXPECT_EQ(refusals[0].device, peer3.slavePath());
    EXPECT_EQ(refusals[0].reason, PortRefusal::Reason::InUse);
    EXPECT_EQ(refusals[0].holderPid, QCoreApplication::applicationPid());
    EXPECT_EQ(refusals[0].holderProgram, QStringLiteral("transport_portrefusal"));

    for (const int absent : {20, 21}) {
        port.setPort(absent);
        EXPECT_FALSE(port.Open());
    }
    port.setPort(12);
    EXPECT_TRUE(port.Open());
    holder.Close();
    port.setPort(3);
    EXPECT_TRUE(port.Open());
    EXPECT_EQ(refusals.size(), 1) << "only the held port was reported";
    EXPECT_TRUE(dialogs.shown.isEmpty()) << "the port itself tells no one";
}

TEST_F(RefusedPort, PickExplainsHeldPortsBeforeTheList)
{
    TVNComPort holder;
    holder.setPort(12);
    ASSERT_TRUE(holder.Open());
    dialogs.answerPickNext(std::nullopt);

    EXPECT_FALSE(port.Pick());
    ASSERT_EQ(dialogs.pickShown.size(), 1);
    EXPECT_EQ(dialogs.pickShown[0].entries, QStringList{QStringLiteral("COM3")});
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, Kind::Information);
    EXPECT_EQ(dialogs.shown[0].buttons, QList<Button>{Button::Ok});
    EXPECT_EQ(dialogs.shown[0].text, heldText(12, peer12.slavePath()));
    EXPECT_EQ(dialogs.messagesBeforePick, 1);
    // Pick gathered its own refusals; the owner's observer is back and heard nothing.
    EXPECT_TRUE(refusals.isEmpty());
    ASSERT_TRUE(port.OnRefused);
    port.setPort(12);
    EXPECT_FALSE(port.Open());
    EXPECT_EQ(refusals.size(), 1);
}

TEST_F(RefusedPort, NoticeTellsEachPortOnceAndAtOnceBeforeTheOpenQuestion)
{
    TVNComPort holder;
    holder.setPort(3);
    ASSERT_TRUE(holder.Open());
    {
        transport::RefusalNotice notice(port, &dialogs);
        port.setShowErrors(true);
        port.setPort(3);
        dialogs.answerNext(Button::Ok);
        dialogs.answerNext(Button::Retry);
        dialogs.answerNext(Button::Abort);
        EXPECT_FALSE(port.Open());
        const QString error = QStringLiteral("Error opening COM3: ");
        EXPECT_EQ(dialogs.texts(), (QStringList{heldText(3, peer3.slavePath()), error, error}));
        EXPECT_EQ(notice.refusals().size(), 1);
        EXPECT_TRUE(refusals.isEmpty()) << "the notice had the port's observer for its lifetime";
    }
    port.setShowErrors(false);
    EXPECT_FALSE(port.Open());
    EXPECT_EQ(refusals.size(), 1) << "the previous observer is back";
}

TEST_F(RefusedPort, GatheredPortsAreToldInOneBoxOnRequest)
{
    TVNComPort holder3;
    holder3.setPort(3);
    ASSERT_TRUE(holder3.Open());
    TVNComPort holder12;
    holder12.setPort(12);
    ASSERT_TRUE(holder12.Open());

    transport::RefusalNotice notice(port);
    for (const int n : {3, 12, 20, 3}) {
        port.setPort(n);
        EXPECT_FALSE(port.Open());
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
    notice.tell(&dialogs);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("Serial ports that are present but could not be opened:\n\n"
                             "COM3 (%1), COM12 (%2)\nIn use by another program: "
                             "transport_portrefusal (process %3). Close that program, then try "
                             "again.")
                  .arg(peer3.slavePath(), peer12.slavePath())
                  .arg(QCoreApplication::applicationPid()));
    notice.tell(nullptr); // no one to tell: nothing happens
}

} // namespace
