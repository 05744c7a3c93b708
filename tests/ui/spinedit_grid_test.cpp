// The time edits of every series, stepped with the arrow keys: each step has to land on the
// grid that the period, delay and width handlers check, or the handler refuses it, puts the
// stored value back, and the next step lands on the same refused value again.

#include "tests/ui/SpinEditFixture.h"

#include "model/ModelRules.h"
#include "model/ValueRanges.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

using spintest::Design;
using spintest::SpinEditTest;

namespace {

enum class TimeEdit { Period, Delay, Width };

const char *nameOf(TimeEdit e)
{
    switch (e) {
    case TimeEdit::Period:
        return "period";
    case TimeEdit::Delay:
        return "delay";
    case TimeEdit::Width:
        return "width";
    }
    return "?";
}

struct EditLimits {
    double step; // the grid, and the edit's Increment
    int decimals;
    double min;
    double max;
};

EditLimits limitsOf(const model::SeriesLimits &l, TimeEdit e)
{
    switch (e) {
    case TimeEdit::Period:
        return {l.PeriodStep, l.PeriodDecimals, l.PeriodMin, l.PeriodMax};
    case TimeEdit::Delay:
        return {l.DelayStep, l.DelayDecimals, l.DelayMin, l.DelayMax};
    case TimeEdit::Width:
        return {l.WidthStep, l.WidthDecimals, l.WidthMin, l.WidthMax};
    }
    return {};
}

// Every step and limit of the series is a whole number of these.
constexpr double kUnitsPerSecond = 1e11;

// The double nearest to `units` x 1e-11 s, the way a typed or read-back value is held.
double fromUnits(long long units)
{
    return static_cast<double>(units) / kUnitsPerSecond;
}

long long toUnits(double seconds)
{
    return std::llround(seconds * kUnitsPerSecond);
}

constexpr int kSteps = 1000;

class SpinGridTest : public SpinEditTest, public ::testing::WithParamInterface<int> {
protected:
    // As the window builds a time edit and then applies the series' ranges to it, in the order
    // the range setting uses for that edit.
    void configureAs(TimeEdit edit, const EditLimits &l)
    {
        recreate();
        configure({9, 1e-8, -1000, 1000, 1000, QChar(u',')});
        spin->SetBounds(0, 0, 260, 25);
        spin->setIncrement(l.step);
        if (edit == TimeEdit::Period) {
            spin->setDecimals(l.decimals);
            spin->setMaxValue(l.max);
            spin->setMinValue(l.min);
        } else {
            spin->setMaxValue(l.max);
            spin->setMinValue(l.min);
            spin->setDecimals(l.decimals);
        }
    }

    // Moves the selection left until the step is `step`; false when it never gets there.
    bool selectStep(double step)
    {
        for (int n = 0; n < 30 && spin->Increment() != step; ++n)
            key(Qt::Key_Left);
        return spin->Increment() == step;
    }

    // Holds Up (or Down) for `count` steps. Empty when every step moved the value onto the
    // grid, else what went wrong first.
    QString hold(Qt::Key k, int count, double grid)
    {
        QString fault;
        for (int n = 1; n <= count && fault.isEmpty(); ++n) {
            const double before = spin->Value();
            sendKey(QEvent::KeyPress, k, n > 1);
            const double v = spin->Value();
            if (v == before)
                fault = QStringLiteral("step %1 does not move from %2").arg(n).arg(v, 0, 'g', 17);
            else if (!model::CheckResolution(v, grid))
                fault = QStringLiteral("step %1 gives %2, off the grid").arg(n).arg(v, 0, 'g', 17);
        }
        sendKey(QEvent::KeyRelease, k, false);
        return fault;
    }
};

} // namespace

TEST_P(SpinGridTest, ArrowStepsStayOnTheGridAndComeBackExactly)
{
    const int series = GetParam();
    const model::SeriesLimits limits = model::limitsForSeries(series).value();
    QStringList faults;
    int cases = 0;
    for (TimeEdit edit : {TimeEdit::Period, TimeEdit::Delay, TimeEdit::Width}) {
        const EditLimits l = limitsOf(limits, edit);
        // The step right after the ranges are applied (the grid itself, which on a VDX period
        // lies beyond the last decimal shown), the last decimal, and digits further left.
        std::vector<double> steps = {l.step};
        for (int e : {-l.decimals, -(l.decimals - 2), -6, -3, -1}) {
            const double s = std::max(l.step, std::pow(10.0, e));
            if (std::find(steps.begin(), steps.end(), s) == steps.end())
                steps.push_back(s);
        }
        for (double step : steps) {
            const long long stepUnits = toUnits(step);
            std::vector<double> starts;
            for (double wanted : {0.0, 5.0, 50.0, 100.0, 500.0, -500.0,
                                  fromUnits(toUnits(l.max) - 3 * stepUnits)}) {
                const double start = std::clamp(wanted, l.min, l.max);
                if (std::find(starts.begin(), starts.end(), start) == starts.end())
                    starts.push_back(start);
            }
            for (double start : starts) {
                ++cases;
                const QString where = QStringLiteral("series %1 %2 from %3, step %4: ")
                                          .arg(series)
                                          .arg(QLatin1String(nameOf(edit)))
                                          .arg(start, 0, 'g', 17)
                                          .arg(step, 0, 'g', 17);
                configureAs(edit, l);
                spin->setValue(start);
                if (spin->Value() != start || !model::CheckResolution(start, l.step)) {
                    faults << where + QStringLiteral("no start on the grid");
                    continue;
                }
                if (!selectStep(step)) {
                    faults << where + QStringLiteral("the step cannot be selected");
                    continue;
                }
                // Near the maximum the way up is short: go down first.
                const bool downFirst = toUnits(start) + kSteps * stepUnits > toUnits(l.max);
                const Qt::Key first = downFirst ? Qt::Key_Down : Qt::Key_Up;
                const Qt::Key back = downFirst ? Qt::Key_Up : Qt::Key_Down;
                QString fault = hold(first, kSteps, l.step);
                if (fault.isEmpty())
                    fault = hold(back, kSteps, l.step);
                if (fault.isEmpty() && spin->Value() != start)
                    fault = QStringLiteral("ends on %1").arg(spin->Value(), 0, 'g', 17);
                if (!fault.isEmpty())
                    faults << where + fault;
            }
        }
    }
    EXPECT_GT(cases, 60);
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " of " << cases << " cases fail:\n"
                                  << faults.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(EverySeries, SpinGridTest,
                         ::testing::Values(model::SeriesHRA, model::SeriesHRB, model::SeriesHLA,
                                           model::SeriesVDX));
