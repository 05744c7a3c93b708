// Start-up when a serial port is present but refuses to open: the user is told which port and
// why before the "No device found" question (or before the port list). Permission is checked
// as an unprivileged user (uid 65534): the test binary runs its own start-up half again under
// setpriv, against a stand-in instrument whose device the root half has set up.
#include "tests/e2e/E2eWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Button = transport::UserDialogs::Button;
using Kind = transport::UserDialogs::Kind;

const QString kNoDevice = QStringLiteral(
    "No device found. Try to reconnect?\n\r\n\rMake sure unit is fully powered on\n\rbefore "
    "selecting Yes");
const QString kHeading =
    QStringLiteral("Serial ports that are present but could not be opened:\n\n");

constexpr uid_t kUnprivileged = 65534;
constexpr char kRecordVariable[] = "PULSEGEN_TEST_DIALOG_RECORD";
constexpr char kSwitchesVariable[] = "PULSEGEN_TEST_SWITCHES";

// Says No to the question whether to search again (so the program ends instead of restarting),
// cancels the port list, and remembers how many messages came before the list.
class EndingDialogs : public testsupport::ScriptedDialogs {
public:
    Button message(Kind kind, const QString &text, const QList<Button> &buttons) override
    {
        ScriptedDialogs::message(kind, text, buttons);
        return buttons.contains(Button::No) ? Button::No : buttons.value(0, Button::Ok);
    }
    std::optional<int> pickPort(const PortChoice &choice) override
    {
        messagesBeforePick = shown.size();
        if (onPick)
            onPick();
        pickShown.push_back(choice);
        return picked;
    }
    qsizetype messagesBeforePick = -1;
    std::optional<int> picked;
    std::function<void()> onPick;
};

QString heldBy(int com, const QString &device, const QString &program, qint64 pid)
{
    return kHeading + QStringLiteral("COM%1 (%2)\nIn use by another program: %3 (process %4). "
                                     "Close that program, then try again.")
                          .arg(com)
                          .arg(device, program)
                          .arg(pid);
}

// --- As whoever runs the tests: a port that another program holds -------------------------

class HeldPort : public e2e::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        addInstrument(3, {QStringLiteral("--model"), QStringLiteral("HRA4")});
        device = QFileInfo(folder.path() + QStringLiteral("/com3")).canonicalFilePath();
        holder.setPort(3);
    }

    void start(const QStringList &switches)
    {
        form = std::make_unique<ui::TMainForm>();
        form->setDialogs(&ending);
        form->HeldKeysReader = [] { return ui::HeldKeys{}; };
        form->StartNewInstance = [this](const QString &program) { restartedWith << program; };
        form->QuitEventLoop = [this] { ++quitRequests; };
        form->FormCreate(QStringList{QStringLiteral("VNHLxx_HRxx_GUI")} + switches);
    }

    QString heldHere() const
    {
        return heldBy(3, device, QStringLiteral("e2e_portaccess"),
                      QCoreApplication::applicationPid());
    }

    EndingDialogs ending;
    QString device;
    transport::TVNComPort holder;
};

TEST_F(HeldPort, DiscoveryNamesTheHeldPortBeforeTheNoDeviceQuestion)
{
    ASSERT_TRUE(holder.Open());
    start({});
    ASSERT_EQ(ending.texts(), (QStringList{heldHere(), kNoDevice}));
    EXPECT_EQ(ending.shown[0].kind, Kind::Information);
    EXPECT_EQ(ending.shown[0].buttons, QList<Button>{Button::Ok});
    EXPECT_EQ(ending.shown[1].kind, Kind::Warning);
    EXPECT_EQ(quitRequests, 1);
    EXPECT_TRUE(restartedWith.isEmpty());
}

TEST_F(HeldPort, PickNamesItBeforeTheListThatLeavesItOut)
{
    ASSERT_TRUE(holder.Open());
    start({QStringLiteral("-pick")});
    ASSERT_EQ(ending.pickShown.size(), 1);
    EXPECT_TRUE(ending.pickShown[0].entries.isEmpty());
    EXPECT_EQ(ending.texts(), QStringList{heldHere()});
    EXPECT_EQ(ending.messagesBeforePick, 1);
    EXPECT_EQ(quitRequests, 1) << "a cancelled port list ends the program";
}

TEST_F(HeldPort, PortTakenAfterItWasPickedIsExplainedBeforeTheOpenError)
{
    ending.picked = 0;
    ending.onPick = [this] { ASSERT_TRUE(holder.Open()); };
    start({QStringLiteral("-pick")});
    ASSERT_EQ(ending.pickShown.size(), 1);
    EXPECT_EQ(ending.pickShown[0].entries, QStringList{QStringLiteral("COM3")});
    ASSERT_EQ(ending.texts(), (QStringList{heldHere(), QStringLiteral("Error opening COM3: ")}));
    EXPECT_EQ(ending.shown[1].buttons, (QList<Button>{Button::Abort, Button::Retry}));
    EXPECT_FALSE(form->ComPort->Opened());
}

TEST_F(HeldPort, FreePortIsFoundWithoutAWord)
{
    start({});
    EXPECT_TRUE(ending.shown.isEmpty());
    EXPECT_EQ(form->State.InstrumentIdentity.ModelNumber, QStringLiteral("HRA4"));
}

// --- As an unprivileged user -------------------------------------------------------------

// The unprivileged half. It runs only when AsUnprivilegedUser starts it (disabled tests are not
// run otherwise): the start-up with the switches it is given, its dialogs written to a file.
TEST(UnprivilegedHalf, DISABLED_StartUp)
{
    const QString record = qEnvironmentVariable(kRecordVariable);
    ASSERT_FALSE(record.isEmpty()) << "started only by the AsUnprivilegedUser tests";
    e2e::app();
    EndingDialogs dialogs;
    QJsonObject out;
    {
        ui::TMainForm form;
        form.setDialogs(&dialogs);
        form.HeldKeysReader = [] { return ui::HeldKeys{}; };
        form.StartNewInstance = [](const QString &) {};
        form.QuitEventLoop = [] {};
        form.FormCreate(QStringList{QStringLiteral("VNHLxx_HRxx_GUI")} +
                        qEnvironmentVariable(kSwitchesVariable).split(u' ', Qt::SkipEmptyParts));
        out[QStringLiteral("model")] = form.State.InstrumentIdentity.ModelNumber;
    }
    QJsonArray messages;
    for (const auto &shown : dialogs.shown)
        messages.append(QJsonObject{{QStringLiteral("kind"), int(shown.kind)},
                                    {QStringLiteral("text"), shown.text}});
    out[QStringLiteral("messages")] = messages;
    out[QStringLiteral("uid")] = qint64(::geteuid());
    out[QStringLiteral("messagesBeforePick")] = qint64(dialogs.messagesBeforePick);
    out[QStringLiteral("picks")] = qint64(dialogs.pickShown.size());
    QFile file(record);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << file.errorString().toStdString();
    file.write(QJsonDocument(out).toJson());
}

class AsUnprivilegedUser : public e2e::WindowFixture {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "only root can run the start-up as uid 65534; as any other user "
                            "every refusal here would be this user's own";
        setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            GTEST_SKIP() << "setpriv (Debian: util-linux) is not installed";
        const passwd *pw = ::getpwuid(kUnprivileged);
        if (!pw)
            GTEST_SKIP() << "no user with uid 65534 in the user database";
        user = QString::fromLocal8Bit(pw->pw_name);
        userGroup = pw->pw_gid;
        WindowFixture::SetUp();

        // The unprivileged half must reach its copy of the test, the port folder and the
        // record; the stand-in instrument stays root's, as a real device is.
        ASSERT_TRUE(work.isValid());
        ASSERT_TRUE(QFile::setPermissions(work.path(), QFile::Permissions(0x7777)));
        ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::Permissions(0x7755)));
        binary = work.filePath(QStringLiteral("e2e_portaccess"));
        ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), binary));
        ASSERT_TRUE(QFile::setPermissions(binary, QFile::Permissions(0x7755)));
        addInstrument(3, {QStringLiteral("--model"), QStringLiteral("HRA4")});
        device = QFileInfo(folder.path() + QStringLiteral("/com3")).canonicalFilePath();
        ASSERT_FALSE(device.isEmpty());
    }

    void setDevice(gid_t group, mode_t mode) const
    {
        const QByteArray path = QFile::encodeName(device);
        ASSERT_EQ(::chown(path.constData(), uid_t(-1), group), 0);
        ASSERT_EQ(::chmod(path.constData(), mode), 0);
    }

    static gid_t groupId(const char *name)
    {
        const group *gr = ::getgrnam(name);
        return gr ? gr->gr_gid : gid_t(-1);
    }

    // Runs the start-up as uid 65534 with no supplementary groups and `sessionGroup` as its
    // group, and returns what it recorded.
    QJsonObject runStartUp(const QStringList &switches, gid_t sessionGroup)
    {
        const QString record = work.filePath(QStringLiteral("record.json"));
        QFile::remove(record);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), work.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.insert(QString::fromLatin1(kRecordVariable), record);
        env.insert(QString::fromLatin1(kSwitchesVariable), switches.join(u' '));
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(setpriv, {QStringLiteral("--reuid=%1").arg(kUnprivileged),
                              QStringLiteral("--regid=%1").arg(sessionGroup),
                              QStringLiteral("--clear-groups"), QStringLiteral("--"), binary,
                              QStringLiteral("--gtest_also_run_disabled_tests"),
                              QStringLiteral("--gtest_filter=UnprivilegedHalf.DISABLED_StartUp")});
        if (!child.waitForFinished(60000)) {
            child.kill();
            child.waitForFinished(5000);
            ADD_FAILURE() << "the unprivileged start-up did not end";
        }
        const QByteArray output = child.readAll();
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.constData();
        EXPECT_EQ(child.exitCode(), 0) << output.constData();
        QFile file(record);
        if (!file.open(QIODevice::ReadOnly)) {
            ADD_FAILURE() << "no record: " << output.constData();
            return {};
        }
        const QJsonObject out = QJsonDocument::fromJson(file.readAll()).object();
        EXPECT_EQ(out.value(QStringLiteral("uid")).toInteger(), kUnprivileged);
        return out;
    }

    static QStringList texts(const QJsonObject &record)
    {
        QStringList t;
        for (const QJsonValue &m : record.value(QStringLiteral("messages")).toArray())
            t << m.toObject().value(QStringLiteral("text")).toString();
        return t;
    }

    QString refused(const QString &remedy) const
    {
        return kHeading + QStringLiteral("COM3 (%1)\n").arg(device) + remedy;
    }

    QTemporaryDir work;
    QString setpriv;
    QString binary;
    QString device;
    QString user;
    gid_t userGroup = 0;
};

TEST_F(AsUnprivilegedUser, DeviceGroupMayNotReadItAsThePseudoTerminalIsMade)
{
    const QString remedy = QStringLiteral(
        "Permission denied: the device belongs to the group \"tty\", but its mode (0620) does "
        "not give that group read and write access. Ask your administrator for read and write "
        "access to the device.");
    setDevice(groupId("tty"), 0620);
    const QJsonObject discovery = runStartUp({}, userGroup);
    EXPECT_EQ(texts(discovery), (QStringList{refused(remedy), kNoDevice}));
    EXPECT_EQ(discovery.value(QStringLiteral("messages"))
                  .toArray()
                  .at(0)
                  .toObject()
                  .value(QStringLiteral("kind")),
              int(Kind::Information));

    const QJsonObject pick = runStartUp({QStringLiteral("-pick")}, userGroup);
    EXPECT_EQ(texts(pick), QStringList{refused(remedy)});
    EXPECT_EQ(pick.value(QStringLiteral("picks")).toInteger(), 1);
    EXPECT_EQ(pick.value(QStringLiteral("messagesBeforePick")).toInteger(), 1);
}

TEST_F(AsUnprivilegedUser, NotInTheDeviceGroupIsToldToJoinItAndLogInAgain)
{
    const gid_t dialout = groupId("dialout");
    if (dialout == gid_t(-1))
        GTEST_SKIP() << "no group dialout on this system";
    setDevice(dialout, 0660);
    EXPECT_EQ(
        texts(runStartUp({}, userGroup)),
        (QStringList{refused(QStringLiteral(
                                 "Permission denied: the device belongs to the group \"dialout\", "
                                 "and you (%1) are not a member of it. Ask your administrator to "
                                 "add you to that group, for example with\n    sudo usermod -aG "
                                 "dialout %1\nthen log out and log in again.")
                                 .arg(user)),
                     kNoDevice}));
}

TEST_F(AsUnprivilegedUser, GroupJoinedAfterLoginIsToldToLogInAgain)
{
    // The user database gives the user its own group; a session started with another group
    // lacks it, as a login from before joining does.
    const gid_t other = groupId("daemon");
    if (other == gid_t(-1) || other == userGroup)
        GTEST_SKIP() << "no group daemon to start the session with";
    setDevice(userGroup, 0660);
    const group *gr = ::getgrgid(userGroup);
    ASSERT_NE(gr, nullptr);
    EXPECT_EQ(texts(runStartUp({}, other)),
              (QStringList{refused(QStringLiteral("Permission denied: you (%1) were added to the "
                                                  "group \"%2\", which owns the device, after "
                                                  "you logged in. Log out and log in again.")
                                       .arg(user, QString::fromLocal8Bit(gr->gr_name))),
                           kNoDevice}));
}

TEST_F(AsUnprivilegedUser, PortHeldByAnotherUsersProgramNamesThatProgram)
{
    setDevice(groupId("tty"), 0666);
    transport::TVNComPort holder;
    holder.setPort(3);
    ASSERT_TRUE(holder.Open());
    EXPECT_EQ(texts(runStartUp({}, userGroup)),
              (QStringList{heldBy(3, device, QStringLiteral("e2e_portaccess"),
                                  QCoreApplication::applicationPid()),
                           kNoDevice}));
}

TEST_F(AsUnprivilegedUser, PortTheUserMayUseIsFoundWithoutAWord)
{
    setDevice(groupId("tty"), 0666);
    const QJsonObject record = runStartUp({}, userGroup);
    EXPECT_TRUE(texts(record).isEmpty());
    EXPECT_EQ(record.value(QStringLiteral("model")).toString(), QStringLiteral("HRA4"));
}

} // namespace
