#include "sim/TokenTable.h"

#include <array>

namespace sim {

int TokenTable::positionOf(QByteArrayView word) const
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].token == word || (!entries[i].alias.isEmpty() && entries[i].alias == word))
            return static_cast<int>(i);
    }
    return -1;
}

QByteArrayView TokenTable::tokenAt(int position) const
{
    if (position < 0 || position >= size())
        return {};
    return entries[static_cast<std::size_t>(position)].token;
}

namespace {

// clang-format off
constexpr std::array<TokenEntry, 4> kPulseMode{{{"NORM", {}}, {"SING", {}}, {"BURS", {}}, {"DCYC", {}}}};
constexpr std::array<TokenEntry, 2> kTriggerMode{{{"DIS", {}}, {"TRIG", {}}}};
constexpr std::array<TokenEntry, 2> kTriggerEdge{{{"FALL", {}}, {"RIS", {}}}};
constexpr std::array<TokenEntry, 4> kGateMode{{{"DIS", {}}, {"PULS", {}}, {"OUTP", {}}, {"CHAN", {}}}};
constexpr std::array<TokenEntry, 2> kGateLogic{{{"LOW", {}}, {"HIGH", {}}}};
// Some firmware answers the bare rate; the command takes either spelling.
constexpr std::array<TokenEntry, 8> kInputClock{{{"SYS", {}},
                                                 {"EXT10", "10"},
                                                 {"EXT20", "20"},
                                                 {"EXT25", "25"},
                                                 {"EXT40", "40"},
                                                 {"EXT50", "50"},
                                                 {"EXT80", "80"},
                                                 {"EXT100", "100"}}};
constexpr std::array<TokenEntry, 11> kOutputClock{{{"T0", {}},
                                                   {"10", {}},
                                                   {"11", {}},
                                                   {"12", {}},
                                                   {"14", {}},
                                                   {"16", {}},
                                                   {"20", {}},
                                                   {"25", {}},
                                                   {"33", {}},
                                                   {"50", {}},
                                                   {"100", {}}}};
constexpr std::array<TokenEntry, 3> kInputClockMode{{{"INT", {}}, {"EXT", {}}, {"XPL", {}}}};
constexpr std::array<TokenEntry, 2> kInputClockOption{{{"FORCE", {}}, {"LAST", {}}}};
// "TO" is T and the letter O on this series, unlike the "T0" of the other output clock list.
constexpr std::array<TokenEntry, 8> kOutputClockHrb{{{"DIS", {}},
                                                     {"AUX4", {}},
                                                     {"AUX3", {}},
                                                     {"AUX2", {}},
                                                     {"AUX1", {}},
                                                     {"CHAN", {}},
                                                     {"RATE", {}},
                                                     {"TO", {}}}};
constexpr std::array<TokenEntry, 2> kPolarity{{{"INV", {}}, {"NORM", {}}}};
constexpr std::array<TokenEntry, 3> kChannelGate{{{"DIS", {}}, {"PULS", {}}, {"OUTP", {}}}};
constexpr std::array<TokenEntry, 2> kOutputMode{{{"TTL", {}}, {"ADJ", {}}}};
constexpr std::array<TokenEntry, 5> kCalibrationType{
    {{"AT20", {}}, {"AT35", {}}, {"AT45", {}}, {"L130", {}}, {"L82", {}}}};

// clang-format on

} // namespace

namespace tokens {
const TokenTable pulseMode{kPulseMode};
const TokenTable triggerMode{kTriggerMode};
const TokenTable triggerEdge{kTriggerEdge};
const TokenTable gateMode{kGateMode};
const TokenTable gateLogic{kGateLogic};
const TokenTable inputClock{kInputClock};
const TokenTable outputClock{kOutputClock};
const TokenTable inputClockMode{kInputClockMode};
const TokenTable inputClockOption{kInputClockOption};
const TokenTable outputClockHrb{kOutputClockHrb};
const TokenTable polarity{kPolarity};
const TokenTable channelGate{kChannelGate};
const TokenTable outputMode{kOutputMode};
const TokenTable calibrationType{kCalibrationType};
} // namespace tokens

} // namespace sim
