#pragma once

#include "sim/InstrumentState.h"
#include "sim/PulseTrain.h"
#include "sim/SimModels.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <functional>

namespace sim {

struct Identity {
    QByteArray company = QByteArrayLiteral("VN");
    qint32 serialNumber = 12345;
    QByteArray firmware = QByteArrayLiteral("1.2.3");
    QByteArray fpga = QByteArrayLiteral("2.0.1.7");
    QByteArray calibrationType = QByteArrayLiteral("AT20"); // series 1 and 4 only
};

// The instrument's command interpreter: one command or query line in, one reply line out.
// Knows nothing of the serial line; the caller adds the line ending.
class Instrument {
public:
    static constexpr int kBinCount = 12; // bins 1 to 12; bin 0 is the factory defaults
    using Bins = std::array<InstrumentState, kBinCount + 1>;
    using Clock = std::function<qint64()>; // monotonic nanoseconds

    // The model must be one of the family (see findModel). Without a clock the steady clock runs.
    explicit Instrument(const ModelInfo &model, Identity identity = {}, Clock clock = {});

    // `line` without its line ending. Keywords and tokens are taken in any letter case.
    QByteArray handleLine(QByteArrayView line);

    const ModelInfo &model() const { return m_model; }
    const Identity &identity() const { return m_identity; }
    const InstrumentState &state() const { return m_state; }

    const Bins &bins() const { return m_bins; }
    // Bin 0 always stays the factory defaults, whatever `bins` holds there.
    void setBins(const Bins &bins);
    // Called after "*SAV" has changed a bin, so that its owner can keep the bins.
    std::function<void()> binsChanged;

    static QByteArray okReply() { return QByteArrayLiteral("ok"); }
    static QByteArray errorReply() { return QByteArrayLiteral("?"); }

private:
    struct Parsed;
    QByteArray commonCommand(const Parsed &p);
    QByteArray systemCommand(const Parsed &p);
    QByteArray systBlockCommand(const Parsed &p);
    QByteArray channelCommand(const Parsed &p, int channel);
    QByteArray runCommand(const Parsed &p);
    QByteArray counterCommand(const Parsed &p);
    PulseTrain::Timing timing() const;
    qint64 now() const;

    const ModelInfo m_model;
    Identity m_identity;
    Clock m_clock;
    InstrumentState m_state;
    Bins m_bins;
    PulseTrain m_train;
};

} // namespace sim
