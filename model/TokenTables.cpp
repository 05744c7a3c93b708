#include "model/TokenTables.h"

#include "model/ModelRules.h"

#include <initializer_list>
#include <map>

namespace model {

namespace {

struct Row {
    const char *token;
    const char *caption;
    const char *altCaption;
    std::initializer_list<const char *> extraReplies;
};

QList<TokenItem> makeTable(std::initializer_list<Row> rows)
{
    QList<TokenItem> items;
    for (const Row &row : rows) {
        TokenItem item;
        item.token = QString::fromLatin1(row.token);
        item.replies.append(item.token);
        for (const char *reply : row.extraReplies)
            item.replies.append(QString::fromLatin1(reply));
        item.caption = QString::fromLatin1(row.caption);
        item.altCaption = QString::fromLatin1(row.altCaption);
        items.append(item);
    }
    return items;
}

std::map<TokenTable, QList<TokenItem>> buildTables()
{
    std::map<TokenTable, QList<TokenItem>> t;
    t[TokenTable::PulseMode] = makeTable({
        {"NORM", "Continuous", "Normal", {}},
        {"SING", "Single Shot", "Single Shot", {}},
        {"BURS", "Burst", "Burst", {}},
        {"DCYC", "Duty Cycle", "Duty Cycle", {}},
    });
    t[TokenTable::TriggerMode] = makeTable({
        {"DIS", "Disabled", "", {}},
        {"TRIG", "Triggered", "", {}},
    });
    t[TokenTable::TriggerEdge] = makeTable({
        {"FALL", "Falling", "", {}},
        {"RIS", "Rising", "", {}},
    });
    t[TokenTable::GateMode] = makeTable({
        {"DIS", "Disabled", "", {}},
        {"PULS", "Pulse Inhibit", "", {}},
        {"OUTP", "Output Inhibit", "", {}},
        {"CHAN", "Channel", "", {}},
    });
    t[TokenTable::GateLogic] = makeTable({
        {"LOW", "Low", "", {}},
        {"HIGH", "High", "", {}},
    });
    // The instrument may answer the input clock query with the bare rate instead of the token.
    t[TokenTable::InputClockSource] = makeTable({
        {"SYS", "System Osc", "", {}},
        {"EXT10", "10 MHz Ext", "", {"10"}},
        {"EXT20", "20 MHz Ext", "", {"20"}},
        {"EXT25", "25 MHz Ext", "", {"25"}},
        {"EXT40", "40 MHz Ext", "", {"40"}},
        {"EXT50", "50 MHz Ext", "", {"50"}},
        {"EXT80", "80 MHz Ext", "", {"80"}},
        {"EXT100", "100 MHz Ext", "", {"100"}},
    });
    // "T0" here is T and the digit zero; the HRB table below uses the letter O.
    t[TokenTable::OutputClock] = makeTable({
        {"T0", "To Pulse", "", {}},
        {"10", "10 MHz", "", {}},
        {"11", "11.11 MHz", "", {}},
        {"12", "12.5 MHz", "", {}},
        {"14", "14.2857 MHz", "", {}},
        {"16", "16.67 MHz", "", {}},
        {"20", "20 MHz", "", {}},
        {"25", "25 MHz", "", {}},
        {"33", "33.33 MHz", "", {}},
        {"50", "50 MHz", "", {}},
        {"100", "100 MHz", "", {}},
    });
    t[TokenTable::InputClockMode] = makeTable({
        {"INT", "Internal", "", {}},
        {"EXT", "External", "", {}},
        {"XPL", "Ext w/PLL", "", {}},
    });
    t[TokenTable::InputClockOption] = makeTable({
        {"FORCE", "Force", "", {}},
        {"LAST", "Last", "", {}},
    });
    t[TokenTable::HrbOutputClock] = makeTable({
        {"DIS", "Disabled", "Disabled", {}},
        {"AUX4", "5 MHz", "1/2 Ext", {}},
        {"AUX3", "10 MHz", "1/2 Ext PLL", {}},
        {"AUX2", "20 MHz", "1X EXT PLL", {}},
        {"AUX1", "40 MHz", "2X EXT PLL", {}},
        {"CHAN", "Ch Clock", "Ch Clock", {}},
        {"RATE", "Rate Clock", "Rate Clock", {}},
        {"TO", "T0 Pulse", "T0 Pulse", {}},
    });
    // Inverted comes first in the list.
    t[TokenTable::Polarity] = makeTable({
        {"INV", "Inverted", "", {}},
        {"NORM", "Normal", "", {}},
    });
    t[TokenTable::ChannelGateMode] = makeTable({
        {"DIS", "Disabled", "", {}},
        {"PULS", "Pulse Inh", "", {}},
        {"OUTP", "Out Inh", "", {}},
    });
    // Firmware versions differ in how they spell a channel in a sync reply.
    t[TokenTable::SyncSource] = makeTable({
        {"T0", "T0", "", {}},
        {"CHA", "Ch A", "", {"ChA", "Ch A"}},
        {"CHB", "Ch B", "", {"ChB", "Ch B"}},
        {"CHC", "Ch C", "", {"ChC", "Ch C"}},
        {"CHD", "Ch D", "", {"ChD", "Ch D"}},
        {"CHE", "Ch E", "", {"ChE", "Ch E"}},
        {"CHF", "Ch F", "", {"ChF", "Ch F"}},
        {"CHG", "Ch G", "", {"ChG", "Ch G"}},
        {"CHH", "Ch H", "", {"ChH", "Ch H"}},
    });
    t[TokenTable::OutputMode] = makeTable({
        {"TTL", "TTL/CMOS", "", {}},
        {"ADJ", "Adjustable", "", {}},
    });
    return t;
}

} // namespace

const QList<TokenItem> &tokenItems(TokenTable table)
{
    static const std::map<TokenTable, QList<TokenItem>> tables = buildTables();
    static const QList<TokenItem> none;
    const auto it = tables.find(table);
    return it == tables.end() ? none : it->second;
}

QString tokenAt(TokenTable table, int position)
{
    const QList<TokenItem> &items = tokenItems(table);
    if (position < 0 || position >= items.size())
        return {};
    return items.at(position).token;
}

std::optional<int> findToken(TokenTable table, const QString &reply)
{
    const QList<TokenItem> &items = tokenItems(table);
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).replies.contains(reply, Qt::CaseSensitive))
            return i;
    }
    return std::nullopt;
}

int decodeToken(TokenTable table, const QString &reply, int previous)
{
    return findToken(table, reply).value_or(previous);
}

QStringList captions(TokenTable table)
{
    QStringList result;
    for (const TokenItem &item : tokenItems(table))
        result.append(item.caption);
    return result;
}

QStringList channelModeCaptions()
{
    QStringList result;
    for (const TokenItem &item : tokenItems(TokenTable::PulseMode))
        result.append(item.altCaption);
    return result;
}

QStringList hrbOutputClockCaptions(int inputClockMode)
{
    if (inputClockMode == 0)
        return captions(TokenTable::HrbOutputClock);
    QStringList result;
    for (const TokenItem &item : tokenItems(TokenTable::HrbOutputClock))
        result.append(item.altCaption);
    return result;
}

TokenTable inputClockTable(int series)
{
    return series == SeriesHRB ? TokenTable::InputClockMode : TokenTable::InputClockSource;
}

TokenTable outputClockTable(int series)
{
    return series == SeriesHRB ? TokenTable::HrbOutputClock : TokenTable::OutputClock;
}

} // namespace model
