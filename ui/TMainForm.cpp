#include "ui/TMainForm.h"

#include "link/CommLog.h"
#include "link/Communication.h"
#include "transport/TVNComPort.h"
#include "ui/ChannelPageBuilder.h"
#include "ui/FormParts.h"
#include "ui/QtDialogs.h"
#include "ui/TCheckListBox.h"
#include "ui/TMessageForm.h"
#include "ui/TPlusSpinEdit.h"
#include "ui/TrpVersionInfo.h"
#include "ui/WindowFonts.h"

#include <QCheckBox>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QGuiApplication>
#include <QIcon>
#include <QLayout>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

// Resources of a static library are registered only when something refers to them; the
// macro cannot be used inside a namespace.
static void initWindowResources()
{
    Q_INIT_RESOURCE(window);
}

namespace ui {

namespace {

constexpr int kChannelAreaTop = 317;
constexpr int kChannelAreaHeight = 269;
constexpr int kChannelCaptionPx = 16;

// The serial port's design values; start-up changes them as the instrument is found.
constexpr qint32 kDesignBaud = 115200;
constexpr quint32 kResponseTimeMs = 3000;
constexpr qint32 kDesignPort = 1;

constexpr int kStatusIntervalMs = 1000;
constexpr int kTaskIntervalMs = 5;
constexpr int kLaunchDelayMs = 500;

const char *const kChannelPageNames[TMainForm::kChannelCount] = {
    "TabChA", "TabChB", "TabChC", "TabChD", "TabChE", "TabChF", "TabChG", "TabChH"};

template <typename T>
void lookUp(const QObject *root, TMainForm::ChannelArray<T> &array, const char *stem, int channel)
{
    const QString name = QString::fromLatin1(stem) + QString::number(channel);
    array[channel] = qobject_cast<T *>(root->findChild<QObject *>(name));
}

} // namespace

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    initWindowResources();
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("HLxx HRxx Pulse Generator"));
    setWindowIcon(QIcon(QStringLiteral(":/window/icon.png")));
    setFont(TahomaFont(kWindowFontPx));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    BuildTopBand(client);
    BuildSystemArea(client);
    BuildChannelArea(client);
    BuildBottomBand(client);
    BuildMainMenu();
    BuildNonVisualParts();
    CreateProgramParts();

    // The window takes exactly the client area plus the menu bar and cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    ConnectHandlers();
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildChannelArea(QWidget *client)
{
    ChannelGrp =
        MakeGroup(client, QStringLiteral("ChannelGrp"), QStringLiteral("Channels"),
                  QRect(0, kChannelAreaTop, kClientWidth, kChannelAreaHeight), kChannelCaptionPx);
    ChPageControl = MakePageControl(ChannelGrp, QStringLiteral("ChPageControl"),
                                    QRect(4, 20, kClientWidth - 8, kChannelAreaHeight - 22));

    QWidget **pages[kChannelCount] = {&TabChA, &TabChB, &TabChC, &TabChD,
                                      &TabChE, &TabChF, &TabChG, &TabChH};
    for (int n = 1; n <= kChannelCount; ++n) {
        auto *page = new QWidget;
        page->setObjectName(QString::fromLatin1(kChannelPageNames[n - 1]));
        BuildChannelPage(page, n);
        ChPageControl->addTab(page, QStringLiteral("Ch ") + QChar(QLatin1Char('A' + n - 1)));
        *pages[n - 1] = page;
    }
    ChPageControl->setCurrentIndex(0);
}

void TMainForm::BuildNonVisualParts()
{
    ComPort = new transport::TVNComPort(this);
    ComPort->setObjectName(QStringLiteral("ComPort"));
    ComPort->setAllowEvents(false);
    ComPort->setBaud(kDesignBaud);
    ComPort->setHandshaking(transport::THandshake::hsNone);
    ComPort->setParity(transport::TParity::parNone);
    ComPort->setResponseTime(kResponseTimeMs);
    ComPort->setPort(kDesignPort);
    ComPort->setShowErrors(true);
    ComPort->setVersion(QByteArrayLiteral("2.0.2"));

    const auto makeTimer = [this](const char *name, int intervalMs) {
        auto *timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(intervalMs);
        return timer;
    };
    StatusTimer = makeTimer("StatusTimer", kStatusIntervalMs);
    TaskTimer = makeTimer("TaskTimer", kTaskIntervalMs);
    LaunchTimer = makeTimer("LaunchTimer", kLaunchDelayMs);

    VersionInfo = new TrpVersionInfo(this);
    VersionInfo->setObjectName(QStringLiteral("VersionInfo"));
}

void TMainForm::FillChannelArrays()
{
    for (int n = 1; n <= kChannelCount; ++n) {
        lookUp(this, ChEnablebox, "ChEnablebox", n);
        lookUp(this, ChDelayAdj, "ChDelayAdj", n);
        lookUp(this, ChWidthAdj, "ChWidthAdj", n);
        lookUp(this, ChModeSel, "ChModeSel", n);
        lookUp(this, ChAmplitudeAdj, "ChAmplitudeAdj", n);
        lookUp(this, ChOutputModeSel, "ChOutputModeSel", n);
        lookUp(this, ChAmplitudeAdjGrp, "ChAmplitudeAdjGrp", n);
        lookUp(this, ChBurstAdj, "ChBurstAdj", n);
        lookUp(this, ChBurstCountGrp, "ChBurstCountGrp", n);
        lookUp(this, ChWaitCountAdj, "ChWaitCountAdj", n);
        lookUp(this, ChSyncSourceSel, "ChSyncSourceSel", n);
        lookUp(this, ChPolaritySel, "ChPolaritySel", n);
        lookUp(this, ChDutyOnAdj, "ChDutyOnAdj", n);
        lookUp(this, ChDutyOnGrp, "ChDutyOnGrp", n);
        lookUp(this, ChDutyOffAdj, "ChDutyOffAdj", n);
        lookUp(this, ChDutyOffGrp, "ChDutyOffGrp", n);
        lookUp(this, ChGateModeSel, "ChGateModeSel", n);
        lookUp(this, MuxSelect, "MuxSelect", n);
    }
}

void TMainForm::CreateProgramParts()
{
    Comm = std::make_unique<ilink::Communication>(*ComPort);
    Comm->setTerminal(
        [this](const QString &text, const QColor &color) { AppendTerminalLine(text, color); });
    Tasks = std::make_unique<ilink::TaskQueue>(*Comm, *this);
    ComPort->OnTimeout = [this](transport::TVNComPort *sender) { ComPortTimeout(sender); };
    MessageForm = std::make_unique<TMessageForm>();

    StartNewInstance = [](const QString &program) { QProcess::startDetached(program, {}); };
    // Queued, so that an end requested before the event loop runs (during start-up) still
    // ends it as soon as it starts.
    QuitEventLoop = [] {
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    };

    m_ownDialogs = std::make_unique<QtDialogs>(this);
    setDialogs(m_ownDialogs.get());
}

void TMainForm::setDialogs(transport::UserDialogs *dialogs)
{
    m_dialogs = dialogs ? dialogs : m_ownDialogs.get();
    ComPort->setDialogs(m_dialogs);
    for (TPlusSpinEdit *edit : findChildren<TPlusSpinEdit *>())
        edit->setDialogs(m_dialogs);
}

void TMainForm::ConnectHandlers()
{
    connect(LaunchTimer, &QTimer::timeout, this, &TMainForm::LaunchTimerTimer);
    connect(TaskTimer, &QTimer::timeout, this, &TMainForm::TaskTimerTimer);
    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(R1, &QAction::triggered, this, &TMainForm::R1Click);
    connect(EnableLoggingMenu, &QAction::triggered, this, &TMainForm::EnableLoggingMenuClick);
    connect(SendBtn, &QPushButton::clicked, this, &TMainForm::SendBtnClick);
    SendEdit->installEventFilter(this);
    if (SendEdit->lineEdit())
        SendEdit->lineEdit()->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        (watched == SendEdit || watched == SendEdit->lineEdit()))
        return SendEditKeyPress(static_cast<QKeyEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

} // namespace ui
