// What the user sends reaches the instrument in order: the task queue, a recall, the terminal.
#include "tests/e2e/E2eWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

namespace {

using e2e::WindowFixture;

TEST_F(WindowFixture, RecallGoesFirstThenTheReadBackThenTheQueuedCommands)
{
    auto &sim = addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRA2")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    form->StatusTimer->stop(); // keep polls off the wire for an exact comparison
    const qsizetype before = sim.received().size();

    form->QueuedCommandToPort(QStringLiteral(":PULS1:WIDT 0.00000200000"));
    form->Tasks->RequestRecall(3);
    form->QueuedCommandToPort(QStringLiteral(":PULS2:WIDT 0.00000300000"));
    form->setTaskTimerActive(true);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !form->Tasks->CommandsPending() && !form->Tasks->RecallPending(); }, 15000));

    const QStringList wire = sim.received().mid(before);
    ASSERT_GE(wire.size(), 4);
    EXPECT_EQ(wire.first(), QStringLiteral("*RCL 3"));
    EXPECT_EQ(wire[1], QStringLiteral(":PULS0:COUN:STAT?")) << "the read-back follows the recall";
    EXPECT_EQ(wire.mid(wire.size() - 2),
              (QStringList{QStringLiteral(":PULS1:WIDT 0.00000200000"),
                           QStringLiteral(":PULS2:WIDT 0.00000300000")}));
    EXPECT_EQ(wire.count(QStringLiteral(":PULS1:WIDT 0.00000200000")), 1);
    // Read-back queries are not shown; the recall and the commands are.
    const QString terminal = form->ResponseList->toPlainText();
    EXPECT_TRUE(terminal.contains(QStringLiteral(") *RCL 3")));
    EXPECT_FALSE(terminal.contains(QStringLiteral("COUN:STAT?")));
}

TEST_F(WindowFixture, TerminalSendsTypedLinesAndKeepsTheirHistory)
{
    auto &sim = addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRA2")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    form->StatusTimer->stop();
    const qsizetype before = sim.received().size();

    form->SendEdit->setEditText(QStringLiteral(":PULS0:MOD BURS"));
    QTest::keyClick(form->SendEdit->lineEdit(), Qt::Key_Return);
    QTest::keyClick(form->SendEdit->lineEdit(), Qt::Key_Return);
    form->SendEdit->setEditText(QString());
    form->SendBtn->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.received().size() >= before + 3; }, 5000));

    EXPECT_EQ(sim.received().mid(before),
              (QStringList{QStringLiteral(":PULS0:MOD BURS"), QStringLiteral(":PULS0:MOD BURS"),
                           QString()}));
    EXPECT_EQ(form->SendEdit->count(), 3) << "duplicates are kept in the history";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Tasks->CommandsPending(); }, 5000));
    QTest::qWait(100);

    // Each sent line in black, each reply in green.
    QStringList colours;
    for (QTextBlock b = form->ResponseList->document()->begin(); b.isValid(); b = b.next()) {
        const auto fmt = b.begin().fragment().charFormat();
        colours << (fmt.foreground().color() == QColor(0, 128, 0) ? QStringLiteral("green")
                                                                  : QStringLiteral("black"));
    }
    ASSERT_GE(colours.size(), 6);
    EXPECT_EQ(
        colours.mid(colours.size() - 6),
        (QStringList{QStringLiteral("black"), QStringLiteral("green"), QStringLiteral("black"),
                     QStringLiteral("green"), QStringLiteral("black"), QStringLiteral("green")}));

    // Delete removes the history entry the user picked.
    form->SendEdit->setCurrentIndex(0);
    QTest::keyClick(form->SendEdit->lineEdit(), Qt::Key_Delete);
    EXPECT_EQ(form->SendEdit->count(), 2);
}

} // namespace
