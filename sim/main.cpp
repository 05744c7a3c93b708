// pulsegen-sim: a stand-in instrument on a pseudo-terminal.

#include "sim/BinStore.h"
#include "sim/Instrument.h"
#include "sim/PtyPort.h"
#include "sim/SimServer.h"
#include "sim/TokenTable.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {

// The write end of the pipe that turns SIGINT and SIGTERM into an ordinary wake-up of the
// serving loop; a signal handler can do nothing safer than write to it.
int g_stopPipeWrite = -1;

void requestStop(int)
{
    const char byte = 0;
    [[maybe_unused]] const ssize_t n = ::write(g_stopPipeWrite, &byte, 1);
}

int fail(const QString &message)
{
    std::fprintf(stderr, "pulsegen-sim: %s\n", qPrintable(message));
    return 2;
}

std::optional<int> intOption(const QCommandLineParser &parser, const QString &name, int min,
                             int max)
{
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pulsegen-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Stand-in pulse generator on a pseudo-terminal. Prints slave=<path>, link=<path> and "
        "ready on start; ends on SIGINT or SIGTERM and removes its link."));
    parser.addHelpOption();
    const auto opt = [&parser](const QString &name, const QString &help, const QString &value = {},
                               const QString &def = {}) {
        QCommandLineOption o(name, help, value, def);
        parser.addOption(o);
    };
    opt(QStringLiteral("model"),
        QStringLiteral("HRA2 HRA4 HRA8 HRB4 HRB8 HLA2 HLA4 HLA8 VDX-2 VDX-4 VDX-8 (default HRA8)"),
        QStringLiteral("model"), QStringLiteral("HRA8"));
    opt(QStringLiteral("company"),
        QStringLiteral("Company code in the identification (default VN)."), QStringLiteral("code"),
        QStringLiteral("VN"));
    opt(QStringLiteral("serial"), QStringLiteral("Serial number (default 12345)."),
        QStringLiteral("number"), QStringLiteral("12345"));
    opt(QStringLiteral("firmware"), QStringLiteral("Firmware version (default 1.2.3)."),
        QStringLiteral("version"), QStringLiteral("1.2.3"));
    opt(QStringLiteral("fpga"), QStringLiteral("FPGA version (default 2.0.1.7)."),
        QStringLiteral("version"), QStringLiteral("2.0.1.7"));
    opt(QStringLiteral("cal"),
        QStringLiteral("Calibration type (HRA, VDX): AT20 (default) AT35 AT45 L130 L82."),
        QStringLiteral("type"), QStringLiteral("AT20"));
    opt(QStringLiteral("baud"),
        QStringLiteral("The only line speed the instrument answers at (default 115200)."),
        QStringLiteral("bit/s"), QStringLiteral("115200"));
    opt(QStringLiteral("link"), QStringLiteral("Make a symbolic link to the slave, e.g. DIR/com4."),
        QStringLiteral("path"));
    opt(QStringLiteral("state"),
        QStringLiteral("Keep the storage bins in this file across restarts."),
        QStringLiteral("file"));
    opt(QStringLiteral("verbose"), QStringLiteral("Print one line per exchange."));
    opt(QStringLiteral("silent"), QStringLiteral("Fault: never answer."));
    opt(QStringLiteral("delay"), QStringLiteral("Fault: answer each line this late."),
        QStringLiteral("ms"), QStringLiteral("0"));
    opt(QStringLiteral("reply"), QStringLiteral("Fault: answer LINE with TEXT (repeatable)."),
        QStringLiteral("LINE=TEXT"));
    opt(QStringLiteral("leading-blanks"), QStringLiteral("Fault: blanks before every reply."),
        QStringLiteral("n"), QStringLiteral("0"));
    opt(QStringLiteral("close-after"),
        QStringLiteral("Fault: pull the cable (remove the pseudo-terminal) after n lines."),
        QStringLiteral("n"), QStringLiteral("0"));
    opt(QStringLiteral("garbage"), QStringLiteral("Fault: n noise bytes before every reply."),
        QStringLiteral("n"), QStringLiteral("0"));
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        return fail(
            QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));

    const QByteArray modelName = parser.value(QStringLiteral("model")).toLatin1();
    const sim::ModelInfo *model = sim::findModel(modelName);
    if (!model)
        return fail(QStringLiteral("unknown model %1").arg(QString::fromLatin1(modelName)));

    sim::Identity identity;
    identity.company = parser.value(QStringLiteral("company")).toLatin1();
    identity.firmware = parser.value(QStringLiteral("firmware")).toLatin1();
    identity.fpga = parser.value(QStringLiteral("fpga")).toLatin1();
    identity.calibrationType = parser.value(QStringLiteral("cal")).toLatin1().toUpper();
    bool serialOk = false;
    identity.serialNumber = parser.value(QStringLiteral("serial")).toInt(&serialOk);
    if (!serialOk)
        return fail(QStringLiteral("--serial takes a 32-bit integer"));
    if (sim::tokens::calibrationType.positionOf(identity.calibrationType) < 0)
        return fail(QStringLiteral("unknown calibration type"));

    sim::ServerOptions options;
    options.verbose = parser.isSet(QStringLiteral("verbose"));
    options.silent = parser.isSet(QStringLiteral("silent"));
    const auto baud = intOption(parser, QStringLiteral("baud"), 1, 4000000);
    const auto delay = intOption(parser, QStringLiteral("delay"), 0, 600000);
    const auto blanks = intOption(parser, QStringLiteral("leading-blanks"), 0, 100);
    const auto closeAfter = intOption(parser, QStringLiteral("close-after"), 0, 1000000000);
    const auto garbage = intOption(parser, QStringLiteral("garbage"), 0, 1000);
    if (!baud || !sim::PtyPort::isSupportedBaud(*baud))
        return fail(QStringLiteral("unsupported --baud"));
    if (!delay || !blanks || !closeAfter || !garbage)
        return fail(QStringLiteral("a fault option is out of range"));
    options.baud = *baud;
    options.replyDelayMs = *delay;
    options.leadingBlanks = *blanks;
    options.closeAfterLines = *closeAfter;
    options.garbageBytes = *garbage;
    for (const QString &fixed : parser.values(QStringLiteral("reply"))) {
        const qsizetype eq = fixed.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return fail(QStringLiteral("--reply takes LINE=TEXT"));
        options.fixedReplies.append({fixed.left(eq).toLatin1(), fixed.mid(eq + 1).toLatin1()});
    }

    sim::Instrument instrument(*model, identity);
    std::optional<sim::BinStore> store;
    if (parser.isSet(QStringLiteral("state"))) {
        store.emplace(parser.value(QStringLiteral("state")));
        QStringList warnings;
        instrument.setBins(store->load(*model, &warnings));
        for (const QString &w : warnings)
            std::fprintf(stderr, "pulsegen-sim: %s\n", qPrintable(w));
        instrument.binsChanged = [&] {
            QString error;
            if (!store->save(instrument.bins(), *model, &error))
                std::fprintf(stderr, "pulsegen-sim: cannot save bins: %s\n", qPrintable(error));
        };
    }

    int stopPipe[2];
    if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return fail(QStringLiteral("cannot create a pipe"));
    g_stopPipeWrite = stopPipe[1];
    struct sigaction sa {};
    sa.sa_handler = requestStop;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    sim::PtyPort port;
    QString error;
    if (!port.open(options.baud, &error))
        return fail(error);
    if (parser.isSet(QStringLiteral("link")) &&
        !port.makeLink(parser.value(QStringLiteral("link")), &error))
        return fail(error);

    std::printf("pulsegen-sim %s (series %d, %d channels) at %d bit/s\n", model->name.data(),
                model->series, model->channels, options.baud);
    std::printf("slave=%s\n", qPrintable(port.slavePath()));
    if (!port.linkPath().isEmpty())
        std::printf("link=%s\n", qPrintable(port.linkPath()));
    std::printf("ready\n");
    std::fflush(stdout);

    sim::SimServer server(instrument, port, options);
    server.run(stopPipe[0]);
    port.close();
    std::printf("stopped\n");
    std::fflush(stdout);
    return 0;
}
