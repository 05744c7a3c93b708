#include "control/SettingsFileFormat.h"

namespace control {

QByteArray SettingsFileBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toLocal8Bit();
        bytes += "\r\n";
    }
    return bytes;
}

namespace {

bool isTextByte(unsigned char c)
{
    if (c == '\t' || c == '\r' || c == '\n')
        return true;
    return c >= 0x20 && c != 0x7F;
}

} // namespace

SettingsFileContent ParseSettingsFile(const QByteArray &bytes)
{
    SettingsFileContent content;
    if (bytes.size() > MaxSettingsFileBytes) {
        content.problem = SettingsFileProblem::TooLarge;
        return content;
    }
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    for (char c : text) {
        if (!isTextByte(static_cast<unsigned char>(c))) {
            content.problem = SettingsFileProblem::NotText;
            return content;
        }
    }

    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        if (content.entries.size() == MaxSettingsFileEntries) {
            content.problem = SettingsFileProblem::TooManyEntries;
            content.entries.clear();
            return content;
        }
        content.entries.append(text.sliced(start, end - start).toByteArray());
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return content;
}

bool IsSkippedEntry(const QByteArray &entry)
{
    return entry.contains("//");
}

} // namespace control
