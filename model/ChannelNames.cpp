#include "model/ChannelNames.h"

#include "model/TokenTables.h"

namespace model {

std::optional<int> GetChannelNumber(const QString &name)
{
    return findToken(TokenTable::SyncSource, name);
}

bool GetChSyncName(int n, QString &name)
{
    const QList<TokenItem> &items = tokenItems(TokenTable::SyncSource);
    if (n < 0 || n >= items.size())
        return false;
    name = items.at(n).caption;
    return true;
}

bool GetChCmdName(int n, QString &name)
{
    const QList<TokenItem> &items = tokenItems(TokenTable::SyncSource);
    if (n < 0 || n >= items.size())
        return false;
    name = items.at(n).token;
    return true;
}

std::optional<int> GetChannelIndex(const QStringList &items, int n)
{
    QString name;
    if (!GetChSyncName(n, name))
        return std::nullopt;
    const qsizetype index = items.lastIndexOf(name);
    if (index < 0)
        return std::nullopt;
    return static_cast<int>(index);
}

} // namespace model
