#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Channel numbers (0 = T0, 1..8 = channels A..H) and their two spellings: the display name in
// the sync-source lists ("T0", "Ch A".."Ch H") and the command word ("T0", "CHA".."CHH").
// All comparisons are exact and case-sensitive.
namespace model {

// The channel a name stands for: "T0" is 0; "CHA", "ChA" and "Ch A" are 1; and so on to 8.
// Nothing for any other text, so a caller can refuse it instead of acting on a made-up number.
std::optional<int> GetChannelNumber(const QString &name);

// Write the display name / command word of channel n into name; for a number outside 0..8
// name is left as it was and the result is false.
bool GetChSyncName(int n, QString &name);
bool GetChCmdName(int n, QString &name);

// The position of channel n's display name in a sync-source list; the last equal item wins.
// Nothing when the list has no such item (the list's own channel, a channel the instrument
// lacks, a number outside 0..8).
std::optional<int> GetChannelIndex(const QStringList &items, int n);

} // namespace model
