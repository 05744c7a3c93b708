#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace model {

// The instrument's token tables. Each ties a token to the position of an item in a window
// list; the numbering follows the instrument's command reference.
enum class TokenTable {
    PulseMode = 1,    // SystemModeSel and ChModeSel
    TriggerMode,      // TrigModeSel
    TriggerEdge,      // TriggerEdgeSel
    GateMode,         // GateModeSel
    GateLogic,        // GateLogicSel
    InputClockSource, // ExternalInputClkSel, all series but HRB
    OutputClock,      // ExternalOutputClkSel, all series but HRB
    InputClockMode,   // ExternalInputClkSel, HRB
    InputClockOption, // ExternalInputClkOptionSel, HRB
    HrbOutputClock,   // ExternalOutputClkSel, HRB
    Polarity,         // ChPolaritySel
    ChannelGateMode,  // ChGateModeSel
    SyncSource,       // by channel number 0 (T0) to 8, not by list position
    OutputMode,       // ChOutputModeSel
};

struct TokenItem {
    QString token;       // what a command sends
    QStringList replies; // what a query reply may say for this item, the token first
    QString caption;     // the item's text in the window list
    // A second caption where the list's texts change with context: ChModeSel's for the pulse
    // mode table, the captions under an external input clock for the HRB output clock table.
    QString altCaption;
};

const QList<TokenItem> &tokenItems(TokenTable table);

// The token for a list position; empty when the position is outside the table (-1: nothing
// selected), in which case the command goes out with an empty argument.
QString tokenAt(TokenTable table, int position);

// The position whose accepted replies hold the reply exactly (case-sensitive, a blank counts),
// first match in table order; nothing when no reply is equal.
std::optional<int> findToken(TokenTable table, const QString &reply);

// As findToken, but an unknown reply leaves the caller's position as it was.
int decodeToken(TokenTable table, const QString &reply, int previous);

QStringList captions(TokenTable table);
QStringList channelModeCaptions();
// The HRB output clock list's items depend on the input clock mode just chosen (0: internal).
QStringList hrbOutputClockCaptions(int inputClockMode);

// HRB instruments speak their own clock vocabulary.
TokenTable inputClockTable(int series);
TokenTable outputClockTable(int series);

} // namespace model
