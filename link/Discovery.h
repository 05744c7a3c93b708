#pragma once

#include "model/InstrumentIdentity.h"

#include <QString>

#include <array>
#include <functional>

namespace transport {
class TVNComPort;
}

namespace ilink {

class Communication;

namespace discovery {

inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 100;
// Fastest first: an instrument left at its factory speed is found on the first try.
inline constexpr std::array<qint32, 6> kSpeeds{115200, 57600, 38400, 19200, 9600, 4800};
// Short, so that a hundred silent ports cost seconds, not minutes.
inline constexpr quint32 kResponseTimeMs = 100;
// A shorter reply cannot hold the four fields; it counts as no answer.
inline constexpr int kMinimumReplyLength = 11;

bool IsAcceptedModel(const QString &modelNumber);

// Applies one identification reply (trailing blanks already removed) to `identity`.
void ParseIdentityReply(const QString &reply, model::InstrumentIdentity &identity);

} // namespace discovery

// One "*IDN" query and the parse of its reply.
void ParseIDN(Communication &comm, model::InstrumentIdentity &identity);

// Scans COM1 to COM100 at every discovery speed. On success the port stays open at the
// instrument's speed, `identity` is filled and `clearTerminal` (when set) has been called.
bool FindInstrument(transport::TVNComPort &port, Communication &comm,
                    model::InstrumentIdentity &identity,
                    const std::function<void()> &clearTerminal = {});

} // namespace ilink
