// A settings file's bytes as the restore reads them: split into entries, refused when it is
// no plain text or too big, and each entry judged a comment or a command to send.
#include "control/SettingsFileFormat.h"
#include "fuzz/FuzzSupport.h"

#include <QByteArray>

namespace {

using control::MaxSettingsFileBytes;
using control::MaxSettingsFileEntries;
using control::ParseSettingsFile;
using control::SettingsFileContent;
using control::SettingsFileProblem;

bool isPlainTextByte(unsigned char c)
{
    return c == '\t' || (c >= 0x20 && c != 0x7F);
}

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzzsupport::bytesOf(data, size);
    const SettingsFileContent content = ParseSettingsFile(bytes);
    FUZZ_CHECK(ParseSettingsFile(bytes).entries == content.entries);

    if (content.problem != SettingsFileProblem::None) {
        FUZZ_CHECK(content.entries.isEmpty());
        FUZZ_CHECK(content.problem != SettingsFileProblem::TooLarge ||
                   bytes.size() > MaxSettingsFileBytes);
        return 0;
    }
    FUZZ_CHECK(bytes.size() <= MaxSettingsFileBytes);
    FUZZ_CHECK(content.entries.size() <= MaxSettingsFileEntries);

    // Entries are whole lines: no line ending and no control character goes to the port.
    qsizetype kept = 0;
    for (const QByteArray &entry : content.entries) {
        for (char c : entry)
            FUZZ_CHECK(isPlainTextByte(static_cast<unsigned char>(c)));
        FUZZ_CHECK(control::IsSkippedEntry(entry) == entry.contains("//"));
        kept += entry.size();
    }
    // Nothing but line endings (and a leading byte-order mark) is dropped.
    const qsizetype lineEndings = bytes.count('\r') + bytes.count('\n');
    const qsizetype mark = bytes.startsWith(kByteOrderMark) ? kByteOrderMark.size() : 0;
    FUZZ_CHECK(kept + lineEndings + mark == bytes.size());
    // A file without a final line ending still has its last line.
    FUZZ_CHECK(content.entries.size() >= (bytes.size() - mark - lineEndings > 0 ? 1 : 0));

    // The entries written out as a settings file read back as the same entries, unless the
    // first one itself starts with a byte-order mark, which the reader drops again.
    QByteArray written;
    for (const QByteArray &entry : content.entries)
        written += entry + "\r\n";
    const bool markInFirst =
        !content.entries.isEmpty() && content.entries.front().startsWith(kByteOrderMark);
    if (written.size() <= MaxSettingsFileBytes && !markInFirst) {
        const SettingsFileContent reread = ParseSettingsFile(written);
        FUZZ_CHECK(reread.problem == SettingsFileProblem::None);
        FUZZ_CHECK(reread.entries == content.entries);
    }
    return 0;
}
