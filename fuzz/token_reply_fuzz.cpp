// Token replies as the read-back meets them: trailing blanks off the line, the bytes as local
// 8-bit text, then looked up in a token table (every table is tried) or, for a sync source,
// turned into a channel number.
#include "fuzz/FuzzSupport.h"
#include "link/ReplyText.h"
#include "model/ChannelNames.h"
#include "model/TokenTables.h"

#include <QString>

namespace {

using model::TokenTable;

constexpr int kFirstTable = static_cast<int>(TokenTable::PulseMode);
constexpr int kLastTable = static_cast<int>(TokenTable::OutputMode);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzsupport::InputReader in(data, size);
    // The position a list had before the read-back; -1 is "nothing selected".
    const int previous = in.intIn(-1, 9);
    const QString reply = QString::fromLocal8Bit(ilink::replytext::StripTrailing(in.rest()));

    for (int t = kFirstTable; t <= kLastTable; ++t) {
        const auto table = static_cast<TokenTable>(t);
        const QList<model::TokenItem> &items = model::tokenItems(table);
        FUZZ_CHECK(!items.isEmpty());
        const std::optional<int> found = model::findToken(table, reply);
        FUZZ_CHECK(model::decodeToken(table, reply, previous) == found.value_or(previous));
        if (!found) {
            for (const model::TokenItem &item : items)
                FUZZ_CHECK(!item.replies.contains(reply));
            continue;
        }
        // The first item that accepts the reply, and a real position whose token can be sent.
        FUZZ_CHECK(*found >= 0 && *found < items.size());
        FUZZ_CHECK(items.at(*found).replies.contains(reply));
        for (int i = 0; i < *found; ++i)
            FUZZ_CHECK(!items.at(i).replies.contains(reply));
        FUZZ_CHECK(!model::tokenAt(table, *found).isEmpty());
        FUZZ_CHECK(model::findToken(table, model::tokenAt(table, *found)) == found);
    }

    if (const std::optional<int> channel = model::GetChannelNumber(reply)) {
        FUZZ_CHECK(*channel >= 0 && *channel <= 8);
        QString command;
        QString display;
        FUZZ_CHECK(model::GetChCmdName(*channel, command));
        FUZZ_CHECK(model::GetChSyncName(*channel, display));
        FUZZ_CHECK(model::GetChannelNumber(command) == channel);
        FUZZ_CHECK(model::GetChannelNumber(display) == channel);
    }
    return 0;
}
