// Runs a fuzz target once on every file of the folders (or files) named on the command line,
// so that the ordinary test run replays the checked-in corpus: an input that once broke a
// target keeps being tried after the fix.
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) __attribute__((weak));

namespace {

QStringList inputFiles(const QString &path)
{
    const QFileInfo info(path);
    if (info.isFile())
        return {info.filePath()};
    QStringList files;
    QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER_OR_FILE...\n", argv[0]);
        return 2;
    }
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);

    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QStringList files = inputFiles(QFile::decodeName(argv[i]));
        if (files.isEmpty()) {
            // A corpus that went missing must not pass as a corpus that passed.
            std::fprintf(stderr, "no inputs in %s\n", argv[i]);
            return 1;
        }
        for (const QString &name : files) {
            QFile file(name);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size()));
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return 0;
}
