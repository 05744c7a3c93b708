// Start-up values that need no window: command-line switches, the start stamp, the user name.
#include "LinkTestSupport.h"

#include "link/StartUp.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using ilink::startup::CommandLineSwitches;
using ilink::startup::ParseCommandLine;

struct SwitchCase {
    QStringList arguments; // after the program's own path
    bool log, pick, demo;
};

void PrintTo(const SwitchCase &c, std::ostream *os)
{
    *os << c.arguments.join(u' ').toStdString();
}

class SwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchTest, DashOrSlashAndTheWordInAnyCase)
{
    const SwitchCase &c = GetParam();
    const CommandLineSwitches s =
        ParseCommandLine(QStringList{QStringLiteral("/usr/bin/program")} + c.arguments);
    EXPECT_EQ(s.log, c.log);
    EXPECT_EQ(s.pick, c.pick);
    EXPECT_EQ(s.demo, c.demo);
}

QStringList args(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *a : list)
        out << QString::fromLatin1(a);
    return out;
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SwitchTest,
                         ::testing::Values(SwitchCase{{}, false, false, false},
                                           SwitchCase{args({"-LOG"}), true, false, false},
                                           SwitchCase{args({"/log"}), true, false, false},
                                           SwitchCase{args({"-Log", "/PICK"}), true, true, false},
                                           SwitchCase{args({"-demo"}), false, false, true},
                                           SwitchCase{args({"log"}), false, false, false},
                                           SwitchCase{args({"--log"}), false, false, false},
                                           SwitchCase{args({"-logfile"}), false, false, false},
                                           SwitchCase{args({"-lo"}), false, false, false},
                                           SwitchCase{args({"-"}), false, false, false},
                                           SwitchCase{args({"\\log"}), false, false, false}));

TEST(StartUpSwitches, ProgramPathIsNoSwitch)
{
    EXPECT_FALSE(ParseCommandLine({QStringLiteral("/log")}).log);
}

TEST(StartUpStamp, MonthDayYearThen24HourTime)
{
    const QDateTime afternoon(QDate(2024, 3, 15), QTime(14, 5, 9));
    EXPECT_EQ(ilink::startup::StartTimeStamp(afternoon), QStringLiteral("03-15-24_14-05-09"));
    const QDateTime morning(QDate(2031, 12, 1), QTime(0, 0, 0));
    EXPECT_EQ(ilink::startup::StartTimeStamp(morning), QStringLiteral("12-01-31_00-00-00"));
}

// Sets or removes one environment variable for the scope.
class EnvOverride {
public:
    EnvOverride(const char *name, std::optional<QByteArray> value)
        : m_name(name),
          m_saved(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt)
    {
        set(value);
    }
    ~EnvOverride() { set(m_saved); }

private:
    void set(const std::optional<QByteArray> &value)
    {
        if (value)
            qputenv(m_name, *value);
        else
            qunsetenv(m_name);
    }
    const char *m_name;
    std::optional<QByteArray> m_saved;
};

TEST(StartUpUser, UserNameFromUSERNAMEElseUSER)
{
    struct Case {
        std::optional<QByteArray> username, user;
        const char *expected;
    };
    const Case cases[] = {
        {QByteArray("operator"), QByteArray("root"), "operator"},
        {std::nullopt, QByteArray("tech"), "tech"},
        {QByteArray(""), QByteArray("tech"), "tech"},
        {std::nullopt, std::nullopt, ""},
    };
    for (const Case &c : cases) {
        EnvOverride username("USERNAME", c.username);
        EnvOverride user("USER", c.user);
        EXPECT_EQ(ilink::startup::UserName(), QString::fromLatin1(c.expected));
    }
}

} // namespace
