#include "model/ChannelSettings.h"

#include <QtGlobal>

namespace model {

namespace {

[[noreturn]] void badChannel(int n)
{
    qFatal("ChannelSettings: no output channel %d (valid: 1 to 8)", n);
}

} // namespace

ChannelRecord &ChannelSettings::operator[](int n)
{
    if (!isChannel(n))
        badChannel(n);
    return records_[static_cast<std::size_t>(n - FirstChannel)];
}

const ChannelRecord &ChannelSettings::operator[](int n) const
{
    if (!isChannel(n))
        badChannel(n);
    return records_[static_cast<std::size_t>(n - FirstChannel)];
}

ChannelRecord *ChannelSettings::find(int n)
{
    return isChannel(n) ? &records_[static_cast<std::size_t>(n - FirstChannel)] : nullptr;
}

const ChannelRecord *ChannelSettings::find(int n) const
{
    return isChannel(n) ? &records_[static_cast<std::size_t>(n - FirstChannel)] : nullptr;
}

} // namespace model
