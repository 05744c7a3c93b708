#include "ui/TMainForm.h"

#include "link/CommLog.h"
#include "link/Communication.h"
#include "transport/TVNComPort.h"
#include "ui/ChannelControls.h"
#include "ui/ChannelHandlers.h"
#include "ui/ChannelPageBuilder.h"
#include "ui/ClockHandlers.h"
#include "ui/FormParts.h"
#include "ui/MenuHandlers.h"
#include "ui/QtDialogs.h"
#include "ui/RunStatusHandlers.h"
#include "ui/StorageHandlers.h"
#include "ui/SystemHandlers.h"
#include "ui/TCheckListBox.h"
#include "ui/TMessageForm.h"
#include "ui/TPlusSpinEdit.h"
#include "ui/TrpVersionInfo.h"
#include "ui/WindowFonts.h"
#include "ui/WindowStyle.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
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

// The serial port's design values; start-up changes them as the instrument is found.
constexpr qint32 kDesignBaud = 115200;
constexpr qint32 kDesignPort = 1;

constexpr int kStatusIntervalMs = 1000;
constexpr int kTaskIntervalMs = 5;
constexpr int kLaunchDelayMs = 500;

const char *const kChannelPageNames[TMainForm::kChannelCount] = {
    "TabChA", "TabChB", "TabChC", "TabChD", "TabChE", "TabChF", "TabChG", "TabChH"};

// The event a kind of per-channel control reports a change with, chosen as ConnectHandlers
// chooses it for the system controls.
template <typename Control> constexpr auto changeSignal()
{
    if constexpr (std::is_same_v<Control, QCheckBox>)
        return &QCheckBox::toggled;
    else if constexpr (std::is_same_v<Control, TPlusSpinEdit>)
        return &TPlusSpinEdit::OnChange;
    else if constexpr (std::is_same_v<Control, QComboBox>)
        return &QComboBox::activated;
    else
        return &TCheckListBox::OnClickCheck;
}

} // namespace

static_assert(kBottomBand.bottom() == TMainForm::kClientHeight, "regions fill the client area");

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
    ChannelGrp = MakeGroup(client, QStringLiteral("ChannelGrp"), QStringLiteral("Channels"),
                           QRect(0, kChannelArea.top, kClientWidth, kChannelArea.height),
                           kChannelGroupFontPx);
    ChPageControl = MakePageControl(ChannelGrp, QStringLiteral("ChPageControl"),
                                    QRect(4, 20, kClientWidth - 8, kChannelArea.height - 22));

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

QStringList TMainForm::FillChannelArrays()
{
    QStringList missing;
    ForEachChannelControl(
        [&](const auto &kind) { this->*kind.array = FindChannelControls(*this, kind, missing); });
    return missing;
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

    // Spin edits raise OnChange on every new value, also one set by code; check boxes report
    // every new state the same way. Lists answer the user's choice only (`activated`): code
    // that selects an item raises nothing.
    SystemHandling = std::make_unique<SystemHandlers>(*this);
    SystemHandlers *sys = SystemHandling.get();
    connect(PeriodAdj, &TPlusSpinEdit::OnChange, this, [sys] { sys->PeriodAdjChange(); });
    connect(SystemModeSel, &QComboBox::activated, this, [sys] { sys->SystemModeSelChange(); });
    connect(SysBurstAdj, &TPlusSpinEdit::OnChange, this, [sys] { sys->SysBurstAdjChange(); });
    connect(SysDutyOnAdj, &TPlusSpinEdit::OnChange, this, [sys] { sys->SysDutyOnAdjChange(); });
    connect(SysDutyOffAdj, &TPlusSpinEdit::OnChange, this, [sys] { sys->SysDutyOffAdjChange(); });
    connect(TrigModeSel, &QComboBox::activated, this, [sys] { sys->TrigModeSelChange(); });
    connect(TriggerEdgeSel, &QComboBox::activated, this, [sys] { sys->TriggerEdgeSelClick(); });
    connect(TrigThresholdAdj, &TPlusSpinEdit::OnChange, this,
            [sys] { sys->TrigThresholdAdjChange(); });
    connect(GateModeSel, &QComboBox::activated, this, [sys] { sys->GateModeSelChange(); });
    connect(GateLogicSel, &QComboBox::activated, this, [sys] { sys->GateLogicSelChange(); });
    connect(GateThresholdAdj, &TPlusSpinEdit::OnChange, this,
            [sys] { sys->GateThresholdAdjChange(); });
    connect(AutoStartEnbl, &QCheckBox::toggled, this, [sys] { sys->AutoStartEnblClick(); });

    // The window's arrays are filled only by start-up, so the controls are found here through
    // the same table, into arrays of the wiring's own. Each handler finds the channel from the
    // name of the control that fired.
    ChannelHandling = std::make_unique<ChannelHandlers>(*this);
    ChannelHandlers *chn = ChannelHandling.get();
    m_unwired.clear();
    ForEachChannelControl([&](const auto &kind) {
        using Control = typename std::remove_cvref_t<decltype(kind)>::ControlType;
        if constexpr (!std::is_same_v<Control, QGroupBox>) {
            for (Control *control : FindChannelControls(*this, kind, m_unwired)) {
                if (control)
                    connect(control, changeSignal<Control>(), this,
                            [chn, handler = kind.handler, control] { (chn->*handler)(control); });
            }
        }
    });

    ClockHandling = std::make_unique<ClockHandlers>(*this);
    ClockHandlers *clk = ClockHandling.get();
    connect(ExternalInputClkSel, &QComboBox::activated, this,
            [clk] { clk->ExternalInputClkSelChange(); });
    connect(ExternalInputClkOptionSel, &QComboBox::activated, this,
            [clk] { clk->ExternalInputClkOptionSelChange(); });
    connect(InputClockRateAdj, &TPlusSpinEdit::OnChange, this,
            [clk] { clk->InputClockRateAdjChange(); });
    connect(InputClockLevelAdj, &TPlusSpinEdit::OnChange, this,
            [clk] { clk->InputClockLevelAdjChange(); });
    connect(ExternalOutputClkSel, &QComboBox::activated, this,
            [clk] { clk->ExternalOutputClkSelChange(); });

    RunStatusHandling = std::make_unique<RunStatusHandlers>(*this);
    RunStatusHandlers *run = RunStatusHandling.get();
    connect(StatusTimer, &QTimer::timeout, this, [run] { run->StatusTimerTimer(); });
    connect(RunStopbtn, &QPushButton::clicked, this, [run] { run->RunStopbtnClick(); });
    connect(ShotCountEnbl, &QCheckBox::toggled, this, [run] { run->ShotCountEnblClick(); });
    connect(ClearShotCount, &QPushButton::clicked, this, [run] { run->ClearShotCountClick(); });
    connect(Up1, &QAction::triggered, this, [run] { run->Up1Click(); });

    StorageHandling = std::make_unique<StorageHandlers>(*this);
    StorageHandlers *sto = StorageHandling.get();
    using control::StorageBins;
    for (int bin = StorageBins::FirstUserBin; bin <= StorageBins::LastUserBin; ++bin)
        connect(SaveItems[bin], &QAction::triggered, this, [sto, bin] { sto->SaveToBin(bin); });
    for (int bin = StorageBins::DefaultBin; bin <= StorageBins::LastUserBin; ++bin)
        connect(RestoreItems[bin], &QAction::triggered, this,
                [sto, bin] { sto->RestoreFromBin(bin); });
    connect(SaveToFile1, &QAction::triggered, this, [sto] { sto->SaveToFile1Click(); });
    connect(RestoreSettingsFromFile1, &QAction::triggered, this,
            [sto] { sto->RestoreSettingsFromFile1Click(); });

    MenuHandling = std::make_unique<MenuHandlers>(*this);
    MenuHandlers *menu = MenuHandling.get();
    connect(About1, &QAction::triggered, this, [menu] { menu->About1Click(); });
    connect(WebSite1, &QAction::triggered, this, [menu] { menu->WebSite1Click(); });
    connect(CaptureScreenShot1, &QAction::triggered, this,
            [menu] { menu->CaptureScreenShot1Click(); });
    connect(TimingDiagram1, &QAction::triggered, this, [menu] { menu->TimingDiagram1Click(); });

    // Made after the handlers' connections, so the signal follows each handler once it has
    // stored its value. The command line's list is no setting.
    for (TPlusSpinEdit *edit : findChildren<TPlusSpinEdit *>())
        connect(edit, &TPlusSpinEdit::OnChange, this, &TMainForm::settingsChanged);
    for (QComboBox *list : findChildren<QComboBox *>()) {
        if (list != SendEdit)
            connect(list, &QComboBox::activated, this, &TMainForm::settingsChanged);
    }
    for (QCheckBox *box : findChildren<QCheckBox *>())
        connect(box, &QCheckBox::toggled, this, &TMainForm::settingsChanged);
    for (TCheckListBox *mux : findChildren<TCheckListBox *>())
        connect(mux, &TCheckListBox::OnClickCheck, this, &TMainForm::settingsChanged);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        (watched == SendEdit || watched == SendEdit->lineEdit()))
        return SendEditKeyPress(static_cast<QKeyEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

} // namespace ui
