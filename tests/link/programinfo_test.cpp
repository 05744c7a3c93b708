// --help and --version: which arguments ask for them, and what they print.
#include "link/ProgramInfo.h"
#include "link/StartUp.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using ilink::startup::FindInfoRequest;
using ilink::startup::InfoRequest;

struct RequestCase {
    QStringList arguments; // after the program's own path
    InfoRequest request;
};

void PrintTo(const RequestCase &c, std::ostream *os)
{
    *os << c.arguments.join(u' ').toStdString();
}

class InfoRequestTest : public ::testing::TestWithParam<RequestCase> {};

TEST_P(InfoRequestTest, OnlyTheExactDoubleDashWords)
{
    const RequestCase &c = GetParam();
    EXPECT_EQ(
        FindInfoRequest(QStringList{QStringLiteral("/usr/bin/VNHLxx_HRxx_GUI")} + c.arguments),
        c.request);
}

QStringList args(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *a : list)
        out << QString::fromLatin1(a);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, InfoRequestTest,
    ::testing::Values(RequestCase{{}, InfoRequest::None},
                      RequestCase{args({"--help"}), InfoRequest::Help},
                      RequestCase{args({"--version"}), InfoRequest::Version},
                      RequestCase{args({"-log", "--version"}), InfoRequest::Version},
                      RequestCase{args({"--help", "--version"}), InfoRequest::Help},
                      RequestCase{args({"--version", "--help"}), InfoRequest::Version},
                      RequestCase{args({"-help"}), InfoRequest::None},
                      RequestCase{args({"/help"}), InfoRequest::None},
                      RequestCase{args({"help"}), InfoRequest::None},
                      RequestCase{args({"--HELP"}), InfoRequest::None},
                      RequestCase{args({"--versions"}), InfoRequest::None},
                      RequestCase{args({"-demo"}), InfoRequest::None}));

TEST(InfoRequestTest, ProgramPathIsNoRequest)
{
    EXPECT_EQ(FindInfoRequest({QStringLiteral("--help")}), InfoRequest::None);
}

TEST(InfoRequestTest, InfoWordsAreNoStartUpSwitches)
{
    const auto s = ilink::startup::ParseCommandLine(
        {QStringLiteral("p"), QStringLiteral("--help"), QStringLiteral("--version")});
    EXPECT_FALSE(s.log || s.pick || s.demo);
}

TEST(HelpText, OneLinePerSwitch)
{
    const QString text = ilink::startup::HelpText(QStringLiteral("VNHLxx_HRxx_GUI"));
    const QStringList lines = text.split(u'\n');
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("Usage: VNHLxx_HRxx_GUI ")));
    for (const char *word : {"-log", "-pick", "-demo", "--help", "--version"}) {
        const QString lead = QStringLiteral("  ") + QString::fromLatin1(word) + u' ';
        const auto described = std::count_if(lines.cbegin(), lines.cend(), [&](const QString &l) {
            return l.startsWith(lead) && l.size() > lead.size() + 4;
        });
        EXPECT_EQ(described, 1) << word;
    }
    for (const QString &line : lines)
        EXPECT_LE(line.size(), 80) << line.toStdString();
    EXPECT_TRUE(text.endsWith(u'\n'));
}

TEST(VersionText, NameAndVersionOnOneLine)
{
    EXPECT_EQ(ilink::startup::VersionText(QStringLiteral("VNHLxx_HRxx_GUI")),
              QStringLiteral("VNHLxx_HRxx_GUI (HLxx HRxx Pulse Generator) 1.0.0.0\n"));
}

} // namespace
