#pragma once

#include <QByteArrayView>

#include <initializer_list>
#include <span>

namespace sim {

// One list setting: the token the instrument answers for each position, and the other
// spellings it also takes in a command.
struct TokenEntry {
    QByteArrayView token;
    QByteArrayView alias;
};

struct TokenTable {
    std::span<const TokenEntry> entries;

    // Position of `word` (token or alias, upper case), or -1.
    int positionOf(QByteArrayView word) const;
    // The token of `position`; empty when out of range.
    QByteArrayView tokenAt(int position) const;
    int size() const { return static_cast<int>(entries.size()); }
};

namespace tokens {
extern const TokenTable pulseMode; // system and channel mode
extern const TokenTable triggerMode;
extern const TokenTable triggerEdge;
extern const TokenTable gateMode;
extern const TokenTable gateLogic;
extern const TokenTable inputClock;       // series 1 and 4
extern const TokenTable outputClock;      // series 1 and 4
extern const TokenTable inputClockMode;   // series 2
extern const TokenTable inputClockOption; // series 2
extern const TokenTable outputClockHrb;   // series 2
extern const TokenTable polarity;
extern const TokenTable channelGate;
extern const TokenTable outputMode;
extern const TokenTable calibrationType;
} // namespace tokens

} // namespace sim
