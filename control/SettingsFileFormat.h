#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <cstdint>

namespace control {

// A settings file of the largest instrument is about 140 lines and 6 KB. These bounds leave
// room for hand-edited files while keeping a wrongly chosen file (a log, an image, a device)
// from being replayed for minutes: 1000 entries already take 30 s of pauses.
inline constexpr std::int64_t MaxSettingsFileBytes = 64 * 1024;
inline constexpr int MaxSettingsFileEntries = 1000;

// The file text of a settings list: every line in 8-bit text followed by CR LF.
QByteArray SettingsFileBytes(const QStringList &lines);

enum class SettingsFileProblem { None, TooLarge, TooManyEntries, NotText };

struct SettingsFileContent {
    SettingsFileProblem problem = SettingsFileProblem::None;
    QList<QByteArray> entries; // only when there is no problem
};

// Splits a file's bytes into entries at CR LF, LF or CR, the way the settings list reads a
// file: a final line ending adds no empty entry, an empty line in the middle is an entry.
// Refuses anything that is not plain text: control characters other than tab, CR and LF
// (a NUL byte is the usual sign of a binary file), more than MaxSettingsFileBytes or more
// than MaxSettingsFileEntries. A leading UTF-8 byte-order mark is dropped, so an editor that
// adds one does not spoil the first command.
SettingsFileContent ParseSettingsFile(const QByteArray &bytes);

// Comment entries are never sent; a command with a "//" remark counts as one, too.
bool IsSkippedEntry(const QByteArray &entry);

} // namespace control
