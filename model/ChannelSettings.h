#pragma once

#include <array>
#include <cstdint>

namespace model {

// One output channel's settings as last sent or read back.
struct ChannelRecord {
    std::int32_t Enabled = 0; // 1 or 0
    double Delay = 0.0;       // s
    double Width = 0.0;       // s
    std::int32_t Mode = 0;    // list positions
    std::int32_t OutputMode = 0;
    std::int32_t Polarity = 0;
    std::int32_t GateMode = 0;
    std::int32_t BurstCount = 0;
    std::int32_t WaitCount = 0;
    std::int32_t DutyOnCount = 0;
    std::int32_t DutyOffCount = 0;
    double Amplitude = 0.0;      // V
    std::int32_t SyncSource = 0; // channel number: 0 = T0, 1..8 = A..H
    std::int32_t MuxMask = 0;    // bit 0 = channel A .. bit 7 = channel H
};

// The eight channel records, addressed by channel number 1 to 8 as everywhere in the program.
// There is no channel 0 (that number means T0 as a sync source), so neither accessor lets a
// caller reach a record for it.
class ChannelSettings {
public:
    static constexpr int FirstChannel = 1;
    static constexpr int LastChannel = 8;

    static constexpr bool isChannel(int n) { return n >= FirstChannel && n <= LastChannel; }

    // For channel numbers the caller has already bounded; any other number is a programming
    // error and stops the program rather than touch memory that is not a record.
    ChannelRecord &operator[](int n);
    const ChannelRecord &operator[](int n) const;

    // For numbers that come from outside (a reply, a list text): nullptr when n names no
    // output channel.
    ChannelRecord *find(int n);
    const ChannelRecord *find(int n) const;

private:
    std::array<ChannelRecord, LastChannel> records_{};
};

} // namespace model
