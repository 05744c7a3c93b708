// "Tools", "Timing Diagram": a window beside the main one that draws the records' pulses,
// follows every stored change and read-back, and never talks to the instrument.
#include "HandlersTestSupport.h"

#include "model/TokenTables.h"
#include "ui/MenuHandlers.h"
#include "ui/TTimingDiagramForm.h"
#include "ui/TTimingDiagramView.h"
#include "ui/TimingDiagramStyle.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <cmath>

using handlerstest::HandlerFixture;
using handlerstest::q;
using ui::TTimingDiagramForm;
using ui::TTimingDiagramView;
namespace style = ui::diagramstyle;

namespace {

constexpr int kViewWidth = 900;
constexpr int kViewHeight = 440;

int position(model::TokenTable table, const char *token)
{
    return model::findToken(table, q(token)).value();
}

// A 4-channel instrument read back with a 1 µs period: every channel enabled, on T0, normal,
// its multiplexer on its own timer, and no width yet (nothing fires).
model::ProgramState readBackState()
{
    model::ProgramState s;
    s.ChannelCount = 4;
    s.SystemSettings.Period = 1e-6;
    for (int n = 1; n <= 8; ++n) {
        model::ChannelRecord &r = s.ChannelSettings[n];
        r.Enabled = 1;
        r.Polarity = position(model::TokenTable::Polarity, "NORM");
        r.MuxMask = 1 << (n - 1);
    }
    return s;
}

class DiagramWindow : public ::testing::Test {
protected:
    void SetUp() override { windowtest::ensureApp(); }

    // Shows the window with the view held at a known size; the diagram is computed on
    // showing.
    TTimingDiagramForm &show(bool knownSize = true)
    {
        form = std::make_unique<TTimingDiagramForm>(state, dialogs);
        if (knownSize)
            form->DiagramView->setFixedSize(kViewWidth, kViewHeight);
        form->show();
        return *form;
    }

    QImage picture() const { return form->DiagramView->grab().toImage(); }

    // Where the design puts a time of the fitted 3 µs axis, and the middle of a row (T0 is 0).
    static int expectedX(double fractionOfAxis)
    {
        const int plotWidth = kViewWidth - style::kLabelWidth - style::kRightMargin;
        return style::kLabelWidth + static_cast<int>(std::lround(plotWidth * fractionOfAxis));
    }
    static int rowMiddle(int row, int rows)
    {
        const int height = (kViewHeight - style::kTopMargin - style::kAxisHeight) / rows;
        return style::kTopMargin + row * height + height / 2;
    }

    model::ProgramState state = readBackState();
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<TTimingDiagramForm> form;
};

bool hasColourNear(const QImage &image, int x, int y, const QColor &colour, int reach = 1)
{
    for (int dx = -reach; dx <= reach; ++dx) {
        if (image.pixelColor(x + dx, y) == colour)
            return true;
    }
    return false;
}

TEST_F(DiagramWindow, IsASeparateResizableWindowThatDoesNotBlock)
{
    TTimingDiagramForm &f = show(false);
    EXPECT_EQ(f.windowTitle(), q("Timing Diagram"));
    EXPECT_TRUE(f.isWindow());
    EXPECT_FALSE(f.isModal());
    EXPECT_NE(f.minimumSize(), f.maximumSize());
    EXPECT_EQ(f.PeriodsAdj->value(), 3);
    EXPECT_EQ(f.SavePictureBtn->text(), q("Save Picture..."));
    EXPECT_EQ(f.DiagramView->diagram().rows.size(), 5u); // T0, A to D
}

TEST_F(DiagramWindow, DrawsARisingEdgeAtItsTimeOnTheAxis)
{
    state.ChannelSettings[1].Delay = 250e-9;
    state.ChannelSettings[1].Width = 100e-9;
    show();
    const QImage image = picture();
    ASSERT_EQ(image.size(), QSize(kViewWidth, kViewHeight));
    // 250 ns of a 3 µs axis.
    const int x = expectedX(250.0 / 3000.0);
    const int y = rowMiddle(1, 5);
    EXPECT_TRUE(hasColourNear(image, x, y, style::wave)) << x;
    EXPECT_FALSE(hasColourNear(image, x - 4, y, style::wave, 0));
    EXPECT_FALSE(hasColourNear(image, x + 4, y, style::wave, 0));
    // The falling edge 100 ns later, and the same pulse one and two periods on.
    EXPECT_TRUE(hasColourNear(image, expectedX(350.0 / 3000.0), y, style::wave));
    EXPECT_TRUE(hasColourNear(image, expectedX(1250.0 / 3000.0), y, style::wave));
    EXPECT_TRUE(hasColourNear(image, expectedX(2250.0 / 3000.0), y, style::wave));
    // Channel B has no width: its row stays flat.
    EXPECT_FALSE(hasColourNear(image, x, rowMiddle(2, 5), style::wave, 0));
}

TEST_F(DiagramWindow, APulsePastTheNextT0IsMarkedRedWithTheAmount)
{
    state.ChannelSettings[2].Delay = 900e-9;
    state.ChannelSettings[2].Width = 200e-9;
    state.ChannelSettings[1].Width = 100e-9;
    show();
    const QImage image = picture();
    const QPoint labelB(10, rowMiddle(2, 5));
    const QPoint labelA(10, rowMiddle(1, 5));
    EXPECT_EQ(image.pixelColor(labelB), style::warning);
    EXPECT_NE(image.pixelColor(labelA), style::warning);
    // Its waveform is red as well: the rising edge at 900 ns of the 3.1 µs axis.
    const int plotWidth = kViewWidth - style::kLabelWidth - style::kRightMargin;
    const int x = style::kLabelWidth + static_cast<int>(std::lround(plotWidth * 900.0 / 3100.0));
    EXPECT_TRUE(hasColourNear(image, x, labelB.y(), style::warning));
    EXPECT_EQ(form->DiagramView->toolTipAt(labelB), q("Ch B: Pulse runs 100 ns past the next T0"));
    EXPECT_EQ(form->DiagramView->toolTipAt(labelA), QString());
}

TEST_F(DiagramWindow, RestingOnAnEdgeShowsItsTimeAndChain)
{
    state.ChannelSettings[1].Delay = 1.5e-6;
    state.ChannelSettings[1].Width = 100e-9;
    state.ChannelSettings[2].SyncSource = 1;
    state.ChannelSettings[2].Delay = 250e-9;
    state.ChannelSettings[2].Width = 100e-9;
    state.SystemSettings.Period = 3e-6; // axis 0 to 9 µs
    show();
    const int y = rowMiddle(2, 5);
    EXPECT_EQ(form->DiagramView->toolTipAt(QPoint(expectedX(1.75 / 9.0), y)),
              QString::fromUtf8("1.75 µs\nB: T0 + 1.5 µs (A) + 250 ns"));
    EXPECT_EQ(form->DiagramView->toolTipAt(QPoint(expectedX(1.85 / 9.0) + 2, y)),
              QString::fromUtf8("1.85 µs\nB: T0 + 1.5 µs (A) + 250 ns + 100 ns (width)"));
    // The second period's pulse: same chain, later time.
    EXPECT_EQ(form->DiagramView->toolTipAt(QPoint(expectedX(4.75 / 9.0), y)),
              QString::fromUtf8("4.75 µs\nB: T0 + 1.5 µs (A) + 250 ns"));
    EXPECT_EQ(form->DiagramView->toolTipAt(QPoint(expectedX(3.0 / 9.0), y)), QString());
}

TEST_F(DiagramWindow, ASyncLoopIsHatchedAndNamed)
{
    state.ChannelSettings[3].SyncSource = 4;
    state.ChannelSettings[4].SyncSource = 3;
    state.ChannelSettings[3].Width = 100e-9;
    show();
    const QImage image = picture();
    const int y0 = rowMiddle(3, 5) - 20;
    int hatched = 0;
    for (int x = style::kLabelWidth; x < style::kLabelWidth + 60; ++x)
        hatched += image.pixelColor(x, y0) == style::hatch ? 1 : 0;
    EXPECT_GT(hatched, 0);
    EXPECT_EQ(form->DiagramView->toolTipAt(QPoint(10, rowMiddle(3, 5))), q("Ch C: sync loop"));
    EXPECT_EQ(form->DiagramView->toolTipAt(QPoint(10, rowMiddle(4, 5))), q("Ch D: sync loop"));
}

TEST_F(DiagramWindow, WheelZoomsAboutThePointerAndDraggingPans)
{
    show();
    TTimingDiagramView *view = form->DiagramView;
    const model::TimeView whole = view->view();
    const QPointF at(style::kLabelWidth + 200, rowMiddle(1, 5));
    const model::Picoseconds under = whole.toTime(200, view->layout().plot().width());
    QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &wheel);
    const model::TimeView zoomed = view->view();
    EXPECT_LT(zoomed.span(), whole.span());
    EXPECT_NEAR(static_cast<double>(zoomed.toTime(200, view->layout().plot().width())),
                static_cast<double>(under), zoomed.span() / 1000.0);
    EXPECT_FALSE(view->fitted());

    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, at.toPoint());
    QTest::mouseMove(view, at.toPoint() + QPoint(-50, 0));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, at.toPoint() + QPoint(-50, 0));
    EXPECT_GT(view->view().start(), zoomed.start());
    EXPECT_EQ(view->view().span(), zoomed.span());

    form->FitBtn->click();
    EXPECT_EQ(view->view(), whole);
}

TEST_F(DiagramWindow, EdgesOutsideTheZoomedViewLeaveNoMarks)
{
    // Pulses wider than the period run together from 0 to 4.5 µs; zoomed in at the left end
    // the fall lies beyond the view, and the level stays high to the plot's end.
    state.ChannelSettings[1].Width = 2.5e-6;
    show();
    TTimingDiagramView *view = form->DiagramView;
    const QPointF left(style::kLabelWidth, rowMiddle(1, 5));
    QWheelEvent wheel(left, view->mapToGlobal(left), QPoint(), QPoint(0, 4 * 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &wheel);
    ASSERT_EQ(view->view().start(), 0);
    ASSERT_LT(view->view().end(), 4'500'000);

    const QImage image = picture();
    const ui::TimingDiagramLayout layout = view->layout();
    const int high = layout.highY(1);
    const int low = layout.lowY(1);
    const int right = layout.plot().right();
    EXPECT_TRUE(hasColourNear(image, right - 10, high, style::warning, 0));
    for (int x = right + 4; x < kViewWidth; ++x) {
        EXPECT_EQ(image.pixelColor(x, low), style::background) << x;
        EXPECT_EQ(image.pixelColor(x, high), style::background) << x;
    }
}

TEST_F(DiagramWindow, PeriodsShownFollowTheSpinBox)
{
    show();
    EXPECT_EQ(form->DiagramView->diagram().end, 3'000'000);
    form->PeriodsAdj->setValue(5);
    EXPECT_EQ(form->DiagramView->diagram().periods, 5);
    EXPECT_EQ(form->DiagramView->diagram().end, 5'000'000);
}

TEST_F(DiagramWindow, SavePictureWritesPngOrSvgByTheChosenName)
{
    state.ChannelSettings[1].Width = 100e-9;
    show();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    const QString png = dir.filePath(q("diagram.png"));
    dialogs.answerFileNext(png);
    form->SavePictureBtn->click();
    ASSERT_EQ(dialogs.saveShown.size(), 1);
    EXPECT_EQ(dialogs.saveShown[0].filter, q("PNG picture|*.png|SVG drawing|*.svg"));
    EXPECT_EQ(dialogs.saveShown[0].defaultSuffix, q("png"));
    QImage saved(png);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(kViewWidth, kViewHeight));
    EXPECT_EQ(saved.pixelColor(10, rowMiddle(1, 5)), picture().pixelColor(10, rowMiddle(1, 5)));

    const QString svg = dir.filePath(q("diagram.SVG"));
    dialogs.answerFileNext(svg);
    form->SavePictureBtn->click();
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("<?xml"));
    EXPECT_TRUE(text.contains("<svg"));
    EXPECT_TRUE(text.contains("Ch A"));
    EXPECT_TRUE(text.trimmed().endsWith("</svg>"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(DiagramWindow, SavePictureCancelledWritesNothingAndAFailureIsReported)
{
    show();
    dialogs.answerFileNext(std::nullopt);
    form->SavePictureBtn->click();
    EXPECT_TRUE(dialogs.shown.isEmpty());

    const QString nowhere = q("/nonexistent-folder/diagram.svg");
    dialogs.answerFileNext(nowhere);
    form->SavePictureBtn->click();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, transport::UserDialogs::Kind::Error);
    EXPECT_EQ(dialogs.shown[0].text, q("Could not write the picture ") + nowhere);
}

TEST(DiagramChannels, DemoModeDrawsTheEightPagesTheWindowShows)
{
    model::ProgramState s;
    EXPECT_EQ(TTimingDiagramForm::DiagramChannelCount(s), 8);
    s.ChannelCount = 2;
    EXPECT_EQ(TTimingDiagramForm::DiagramChannelCount(s), 2);
}

// The window opened from the menu of the main window, which drives it through its one signal.
class DiagramFromMenu : public HandlerFixture {
protected:
    void SetUp() override
    {
        HandlerFixture::SetUp();
        model::ProgramState base = readBackState();
        form->State.SystemSettings = base.SystemSettings;
        form->State.ChannelSettings = base.ChannelSettings;
        form->State.SystemSettings.Period = 10e-6;
        for (int n = 1; n <= 8; ++n)
            form->State.ChannelSettings[n].Width = 100e-9;
    }

    ui::TTimingDiagramForm *open()
    {
        form->TimingDiagram1->trigger();
        return form->MenuHandling->TimingDiagram();
    }

    const model::TimingRow &row(int channel)
    {
        return open()->DiagramView->diagram().rows.at(static_cast<std::size_t>(channel));
    }
};

TEST_F(DiagramFromMenu, OpensNonModalAndSendsNothing)
{
    ui::TTimingDiagramForm *diagram = open();
    ASSERT_NE(diagram, nullptr);
    EXPECT_TRUE(diagram->isVisible());
    EXPECT_FALSE(diagram->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(sent().isEmpty());
    // A second click shows the same window again.
    EXPECT_EQ(open(), diagram);
    EXPECT_EQ(form->State.ChannelCount, 8);
    EXPECT_EQ(diagram->DiagramView->diagram().rows.size(), 9u);
}

TEST_F(DiagramFromMenu, ChangingTheSourcesDelayMovesTheSyncedChannelAtOnce)
{
    open();
    chooseText(form->ChSyncSourceSel[2], q("Ch A"));
    ASSERT_EQ(form->State.ChannelSettings[2].SyncSource, 1);
    form->ChDelayAdj[2]->setValue(250e-9);
    EXPECT_EQ(row(2).edges.front().time, 250'000);

    form->ChDelayAdj[1]->setValue(1.5e-6);
    EXPECT_EQ(row(1).edges.front().time, 1'500'000);
    EXPECT_EQ(row(2).edges.front().time, 1'750'000);
    // The commands went out as ever; the diagram added none.
    EXPECT_EQ(sent(), (QStringList{q(":PULS2:SYNC CHA"), q(":PULS2:DEL 0.00000025000"),
                                   q(":PULS1:DEL 0.00000150000")}));
}

TEST_F(DiagramFromMenu, FollowsEveryKindOfControl)
{
    open();
    form->ChWidthAdj[3]->setValue(20e-6); // past the 10 µs period
    EXPECT_EQ(row(3).overrun, 10'000'000);
    choose(form->ChPolaritySel[3], position(model::TokenTable::Polarity, "INV"));
    EXPECT_TRUE(row(3).inverted);
    form->ChEnablebox[4]->setChecked(true);
    form->ChEnablebox[4]->setChecked(false);
    EXPECT_FALSE(row(4).enabled);
    toggleMark(form->MuxSelect[1], 1); // A's output takes B's timer instead of its own
    EXPECT_EQ(form->State.ChannelSettings[1].MuxMask, 0b10);
    EXPECT_EQ(row(1).edges.front().timer, 2);
    choose(form->SystemModeSel, position(model::TokenTable::PulseMode, "SING"));
    EXPECT_EQ(row(0).edges.size(), 1u);
    form->PeriodAdj->setValue(5e-6);
    EXPECT_EQ(open()->DiagramView->diagram().period, 5'000'000);
}

TEST_F(DiagramFromMenu, FollowsTheEndOfEveryReadBack)
{
    QSignalSpy changed(form.get(), &ui::TMainForm::settingsChanged);
    form->Initialize(); // demo mode: nothing read, the records stay
    EXPECT_EQ(changed.count(), 1);

    ui::TTimingDiagramForm *diagram = open();
    form->State.ChannelSettings[1].Delay = 3e-6; // as a read-back stores it
    EXPECT_EQ(row(1).edges.front().time, 0);
    form->Initialize();
    EXPECT_EQ(diagram->DiagramView->diagram().rows.at(1).edges.front().time, 3'000'000);
}

} // namespace
