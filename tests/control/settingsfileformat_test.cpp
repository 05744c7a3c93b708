#include "control/SettingsFileFormat.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using control::SettingsFileProblem;

QByteArray bytes(const char *text, qsizetype size)
{
    return QByteArray(text, size);
}
template <std::size_t N> QByteArray bytes(const char (&text)[N])
{
    return bytes(text, N - 1);
}

struct SplitCase {
    const char *name;
    QByteArray file;
    QList<QByteArray> entries;
};

void PrintTo(const SplitCase &c, std::ostream *os)
{
    *os << c.name;
}

class SettingsFileSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SettingsFileSplit, Entries)
{
    const control::SettingsFileContent content = control::ParseSettingsFile(GetParam().file);
    EXPECT_EQ(content.problem, SettingsFileProblem::None);
    EXPECT_EQ(content.entries, GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SettingsFileSplit,
    ::testing::Values(
        SplitCase{"Empty", bytes(""), {}},
        SplitCase{"CrLf", bytes("// a\r\n:PULS0:PER 1\r\n"), {"// a", ":PULS0:PER 1"}},
        SplitCase{"LastLineUnterminated", bytes("a\r\nb"), {"a", "b"}},
        SplitCase{"EmptyEntryInTheMiddle", bytes("a\r\n\r\nb\r\n"), {"a", "", "b"}},
        SplitCase{"LfOnly", bytes("a\n\nb\n"), {"a", "", "b"}},
        SplitCase{"CrOnly", bytes("a\rb\r"), {"a", "b"}},
        SplitCase{"CrBeforeCrLf", bytes("a\r\r\nb"), {"a", "", "b"}},
        SplitCase{"OnlyALineEnd", bytes("\r\n"), {""}},
        SplitCase{"BlanksAndTabsKept", bytes(" :PULS1:STAT 1\t \r\n"), {" :PULS1:STAT 1\t "}},
        SplitCase{
            "ByteOrderMarkDropped", bytes("\xEF\xBB\xBF:PULS1:STAT 1\r\n"), {":PULS1:STAT 1"}},
        SplitCase{"CodePageTextKept", bytes("// caf\xE9\r\n"), {"// caf\xE9"}}),
    [](const auto &info) { return std::string(info.param.name); });

struct RefusalCase {
    const char *name;
    QByteArray file;
    SettingsFileProblem problem;
};

void PrintTo(const RefusalCase &c, std::ostream *os)
{
    *os << c.name;
}

class SettingsFileRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SettingsFileRefusal, Problem)
{
    const control::SettingsFileContent content = control::ParseSettingsFile(GetParam().file);
    EXPECT_EQ(content.problem, GetParam().problem);
    EXPECT_TRUE(content.entries.isEmpty());
}

QByteArray lines(int count)
{
    return QByteArray(":PULS1:STAT 1\r\n").repeated(count);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsFileRefusal,
    ::testing::Values(
        RefusalCase{"NulByte", bytes(":PULS1:STAT 1\r\n\0\0\r\n", 19),
                    SettingsFileProblem::NotText},
        RefusalCase{"Escape", bytes("\x1b[0m\r\n"), SettingsFileProblem::NotText},
        RefusalCase{"Delete", bytes("a\x7f\r\n"), SettingsFileProblem::NotText},
        RefusalCase{"Utf16", bytes("\xFF\xFE/\0/\0", 6), SettingsFileProblem::NotText},
        RefusalCase{"OneByteTooLarge", QByteArray(control::MaxSettingsFileBytes + 1, 'a'),
                    SettingsFileProblem::TooLarge},
        RefusalCase{"OneEntryTooMany", lines(control::MaxSettingsFileEntries + 1),
                    SettingsFileProblem::TooManyEntries},
        RefusalCase{"ManyEmptyLines", QByteArray(control::MaxSettingsFileEntries + 1, '\n'),
                    SettingsFileProblem::TooManyEntries}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SettingsFileLimits, FilesAtTheLimitsAreAccepted)
{
    EXPECT_EQ(control::ParseSettingsFile(lines(control::MaxSettingsFileEntries)).entries.size(),
              control::MaxSettingsFileEntries);
    QByteArray full(control::MaxSettingsFileBytes, 'a');
    full[100] = '\n';
    EXPECT_EQ(control::ParseSettingsFile(full).entries.size(), 2);
}

TEST(SettingsFileBytes, EveryLineEndsInCrLf)
{
    EXPECT_EQ(control::SettingsFileBytes({}), QByteArray());
    EXPECT_EQ(control::SettingsFileBytes(
                  {QStringLiteral("// 1"), QString(), QStringLiteral(":PULS0:PER 0.001")}),
              QByteArray("// 1\r\n\r\n:PULS0:PER 0.001\r\n"));
}

TEST(SettingsFileBytes, ReadsBackAsTheSameEntries)
{
    const QStringList written = {QStringLiteral("// 10/12/2026,13:04:48"),
                                 QStringLiteral(":PULS0:PER 0.001"), QString(),
                                 QStringLiteral(":PULS1:SYNC T0")};
    QList<QByteArray> expected;
    for (const QString &line : written)
        expected << line.toLatin1();
    EXPECT_EQ(control::ParseSettingsFile(control::SettingsFileBytes(written)).entries, expected);
}

TEST(SettingsFileEntries, CommentsAndRemarkedCommandsAreSkipped)
{
    for (const char *skipped : {"// 10/12/2026", "//", ":PULS1:WIDT 0.000001 // wider", "x//y"})
        EXPECT_TRUE(control::IsSkippedEntry(skipped)) << skipped;
    for (const char *sent : {":PULS0:PER 0.001", "", "/ /", "/", ":PULS1:SYNC CHA"})
        EXPECT_FALSE(control::IsSkippedEntry(sent)) << sent;
}

} // namespace
