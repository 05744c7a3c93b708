#include "sim/Instrument.h"

#include "sim/SettingTable.h"
#include "sim/ValueText.h"

#include <chrono>

namespace sim {

// One line taken apart: the keyword path after its header, whether it asks ("?"), and the
// argument after the first blank.
struct Instrument::Parsed {
    QByteArray path;
    bool query = false;
    QByteArray arg;
};

namespace {

constexpr int kMaxLineLength = 200;

bool isPrintableAscii(QByteArrayView line)
{
    for (char c : line) {
        if (c < 0x20 || c > 0x7e)
            return false;
    }
    return true;
}

} // namespace

Instrument::Instrument(const ModelInfo &model, Identity identity, Clock clock)
    : m_model(model), m_identity(std::move(identity)), m_clock(std::move(clock)),
      m_state(InstrumentState::factoryDefaults(model))
{
    m_bins.fill(m_state);
}

qint64 Instrument::now() const
{
    if (m_clock)
        return m_clock();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

PulseTrain::Timing Instrument::timing() const
{
    const SystemState &s = m_state.system;
    PulseTrain::Timing t;
    t.periodSeconds = s.period;
    t.mode = static_cast<PulseTrain::Mode>(s.pulseMode);
    t.burst = static_cast<quint64>(s.burst);
    t.dutyOn = static_cast<quint64>(s.dutyOn);
    t.dutyOff = static_cast<quint64>(s.dutyOff);
    t.waitsForTrigger = s.triggerMode == 1;
    t.counterEnabled = s.counterEnabled == 1;
    return t;
}

void Instrument::setBins(const Bins &bins)
{
    m_bins = bins;
    m_bins[0] = InstrumentState::factoryDefaults(m_model);
}

QByteArray Instrument::handleLine(QByteArrayView rawLine)
{
    const QByteArray line = rawLine.toByteArray().trimmed().toUpper();
    if (line.isEmpty() || line.size() > kMaxLineLength || !isPrintableAscii(line))
        return errorReply();

    // Pulses up to this moment follow the settings that held until now.
    m_train.advance(now(), timing());

    Parsed p;
    QByteArray head = line;
    const qsizetype blank = line.indexOf(' ');
    if (blank >= 0) {
        head = line.left(blank);
        p.arg = line.mid(blank + 1).trimmed();
    }
    p.query = head.endsWith('?');
    if (p.query)
        head.chop(1);

    if (head.startsWith('*')) {
        p.path = head;
        return commonCommand(p);
    }
    if (head.startsWith(":SYST:")) {
        p.path = head.mid(6);
        return systBlockCommand(p);
    }
    if (!head.startsWith(":PULS") || head.size() < 7 || head[6] != ':')
        return errorReply();
    const char digit = head[5];
    if (digit < '0' || digit > '0' + m_model.channels)
        return errorReply();
    p.path = head.mid(7);
    if (digit == '0')
        return systemCommand(p);
    return channelCommand(p, digit - '0');
}

QByteArray Instrument::commonCommand(const Parsed &p)
{
    if (p.path == "*IDN" && p.query && p.arg.isEmpty()) {
        return m_identity.company + ',' + m_model.name.toByteArray() + ',' +
               QByteArray::number(m_identity.serialNumber) + ',' + m_identity.firmware + '-' +
               m_identity.fpga;
    }
    if (p.query)
        return errorReply();
    const auto bin = parseCount(p.arg);
    if (!bin || *bin > kBinCount)
        return errorReply();
    const auto index = static_cast<std::size_t>(*bin);
    if (p.path == "*SAV" && *bin >= 1) {
        m_bins[index] = m_state;
        if (binsChanged)
            binsChanged();
        return okReply();
    }
    if (p.path == "*RCL") {
        m_state = m_bins[index];
        return okReply();
    }
    return errorReply();
}

QByteArray Instrument::systBlockCommand(const Parsed &p)
{
    const SystemSpec *spec = findSystBlockSetting(p.path);
    if (!spec)
        return errorReply();
    if (p.query)
        return p.arg.isEmpty() ? settingReply(*spec, m_state.system) : errorReply();
    return applySetting(*spec, m_state.system, p.arg, m_model) ? okReply() : errorReply();
}

QByteArray Instrument::systemCommand(const Parsed &p)
{
    if (p.path == "STAT")
        return runCommand(p);
    if (p.path.startsWith("COUN:") && p.path != "COUN:STAT")
        return counterCommand(p);
    const SystemSpec *spec = findSystemSetting(p.path, m_model.series);
    if (!spec)
        return errorReply();
    if (p.query)
        return p.arg.isEmpty() ? settingReply(*spec, m_state.system) : errorReply();
    return applySetting(*spec, m_state.system, p.arg, m_model) ? okReply() : errorReply();
}

QByteArray Instrument::runCommand(const Parsed &p)
{
    if (p.query) {
        if (!p.arg.isEmpty())
            return errorReply();
        return m_train.running() ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
    }
    if (p.arg == "ON" || p.arg == "1") {
        m_train.start(now());
        return okReply();
    }
    if (p.arg == "OFF" || p.arg == "0") {
        m_train.stop(now(), timing());
        return okReply();
    }
    return errorReply();
}

// The two series families speak different counter dialects; each rejects the other's.
QByteArray Instrument::counterCommand(const Parsed &p)
{
    const bool series4 = m_model.series == 4;
    if (p.path == "COUN:CL" && !p.query) {
        const bool accepted = series4 ? p.arg.isEmpty() : p.arg == "TCNTS";
        if (!accepted)
            return errorReply();
        m_train.clearCount();
        return okReply();
    }
    if (!p.query)
        return errorReply();
    // The program asks ":PULS0:COUN:COUN? TCNTS?" with its own question mark added; a person
    // at a terminal types it without the second one. Both are the same question.
    const bool accepted = series4
                              ? p.path == "COUN:PULSES" && p.arg.isEmpty()
                              : p.path == "COUN:COUN" && (p.arg == "TCNTS?" || p.arg == "TCNTS");
    if (!accepted)
        return errorReply();
    return QByteArray::number(m_train.count());
}

QByteArray Instrument::channelCommand(const Parsed &p, int channel)
{
    if (p.path == "CAL:TYPE") {
        if (!p.query || !p.arg.isEmpty() || !hasCalibrationType(m_model.series))
            return errorReply();
        return m_identity.calibrationType;
    }
    const ChannelSpec *spec = findChannelSetting(p.path);
    if (!spec)
        return errorReply();
    ChannelState &ch = m_state.channels[static_cast<std::size_t>(channel - 1)];
    if (p.query)
        return p.arg.isEmpty() ? settingReply(*spec, ch) : errorReply();
    return applySetting(*spec, ch, p.arg, m_model, channel) ? okReply() : errorReply();
}

} // namespace sim
