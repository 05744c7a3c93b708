#include "ui/TimingDiagramPainter.h"

#include "ui/TimingDiagramStyle.h"
#include "ui/WindowFonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace ui {

namespace style = diagramstyle;

using model::Picoseconds;
using model::TimeView;
using model::TimingDiagram;
using model::TimingRow;

TimingDiagramLayout::TimingDiagramLayout(QSize size, int rowCount)
    : m_size(size), m_rowCount(std::max(rowCount, 1))
{
    const int available = size.height() - style::kTopMargin - style::kAxisHeight;
    m_rowHeight = std::max(style::kMinRowHeight, available / m_rowCount);
}

QRect TimingDiagramLayout::plot() const
{
    return QRect(style::kLabelWidth, style::kTopMargin,
                 std::max(1, m_size.width() - style::kLabelWidth - style::kRightMargin),
                 m_rowHeight * m_rowCount);
}

QRect TimingDiagramLayout::row(int index) const
{
    const QRect p = plot();
    return QRect(p.left(), p.top() + index * m_rowHeight, p.width(), m_rowHeight);
}

QRect TimingDiagramLayout::label(int index) const
{
    const QRect r = row(index);
    return QRect(0, r.top(), style::kLabelWidth, r.height());
}

QRect TimingDiagramLayout::axis() const
{
    const QRect p = plot();
    return QRect(p.left(), p.bottom() + 1, p.width(), style::kAxisHeight);
}

int TimingDiagramLayout::rowAt(QPoint point) const
{
    const QRect p = plot();
    if (point.y() < p.top() || point.y() > p.bottom() || point.x() < 0 || point.x() > p.right())
        return -1;
    return (point.y() - p.top()) / m_rowHeight;
}

int TimingDiagramLayout::highY(int index) const
{
    return row(index).top() + style::kLevelInset;
}

int TimingDiagramLayout::lowY(int index) const
{
    return row(index).bottom() - style::kLevelInset;
}

int TimingDiagramLayout::pixelX(Picoseconds t, const TimeView &view) const
{
    const QRect p = plot();
    const double x = view.toPixel(t, p.width());
    const double held =
        std::clamp(x, -double(style::kOffViewPx), p.width() + double(style::kOffViewPx));
    return p.left() + static_cast<int>(std::lround(held));
}

namespace {

void paintLabels(QPainter &painter, const TimingDiagramLayout &layout, const TimingDiagram &d)
{
    for (int i = 0; i < static_cast<int>(d.rows.size()); ++i) {
        const TimingRow &row = d.rows[static_cast<std::size_t>(i)];
        const QRect cell = layout.label(i).adjusted(0, 1, -4, -1);
        const bool marked = row.overrun.has_value();
        painter.fillRect(cell, marked ? style::warning : style::labelBackground);
        painter.setPen(marked ? style::warningText : !row.enabled ? style::disabled : style::text);
        painter.drawText(cell.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         model::rowName(row.channel));
    }
}

model::AxisTicks ticksThatFit(QPainter &painter, const TimingDiagramLayout &layout,
                              const TimeView &view)
{
    const int width = layout.plot().width();
    int count = std::max(1, width / style::kMinTickSpacing);
    model::AxisTicks ticks = model::axisTicks(view, count);
    // Long labels (far out on a wide axis) take fewer ticks.
    for (int tries = 0; tries < 6 && count > 1; ++tries) {
        int widest = 0;
        for (Picoseconds t : ticks.positions)
            widest = std::max(
                widest, painter.fontMetrics().horizontalAdvance(model::numberIn(t, ticks.unit)));
        const double spacing = view.toPixel(view.start() + ticks.step, width);
        if (spacing >= widest + style::kTickLabelGap)
            break;
        count = std::max(1, count / 2);
        ticks = model::axisTicks(view, count);
    }
    return ticks;
}

void paintGrid(QPainter &painter, const TimingDiagramLayout &layout, const TimingDiagram &d,
               const TimeView &view, const model::AxisTicks &ticks)
{
    const QRect plot = layout.plot();
    painter.setPen(QPen(style::grid, 1));
    for (Picoseconds t : ticks.positions) {
        const int x = layout.pixelX(t, view);
        painter.drawLine(x, plot.top(), x, plot.bottom());
    }
    if (d.period <= 0)
        return;
    // Where every period begins, whether or not T0 fires there: an overrun shows against it.
    painter.setPen(QPen(style::periodLine, 1, Qt::DashLine));
    for (int k = 0; k <= d.periods; ++k) {
        const Picoseconds t = d.period * k;
        if (t < view.start() || t > view.end())
            continue;
        const int x = layout.pixelX(t, view);
        painter.drawLine(x, plot.top(), x, plot.bottom());
    }
}

void paintT0(QPainter &painter, const TimingDiagramLayout &layout, const TimingRow &row,
             const TimeView &view, int index)
{
    const QRect r = layout.row(index);
    const int high = layout.highY(index);
    const int low = layout.lowY(index);
    QPolygon line;
    line << QPoint(r.left() - style::kOffViewPx, low);
    for (const model::TimingEdge &e : row.edges) {
        const int x = layout.pixelX(e.time, view);
        line << QPoint(x, low) << QPoint(x, high) << QPoint(x + style::kT0PulsePx, high)
             << QPoint(x + style::kT0PulsePx, low);
    }
    line << QPoint(r.right() + style::kOffViewPx, low);
    painter.setPen(QPen(style::t0Wave, style::kWavePen));
    painter.drawPolyline(line);
}

void paintFault(QPainter &painter, const QRect &r, model::ChainFault fault)
{
    painter.fillRect(r.adjusted(0, 2, 0, -2), QBrush(style::hatch, Qt::BDiagPattern));
    const QString text = model::describeFault(fault);
    const QFontMetrics metrics = painter.fontMetrics();
    QRect box(0, 0, metrics.horizontalAdvance(text) + 12, metrics.height() + 4);
    box.moveCenter(r.center());
    painter.fillRect(box, style::background);
    painter.setPen(style::text);
    painter.drawText(box, Qt::AlignCenter, text);
}

void paintWave(QPainter &painter, const TimingDiagramLayout &layout, const TimingRow &row,
               const TimeView &view, int index)
{
    const QRect r = layout.row(index);
    const int high = layout.highY(index);
    const int low = layout.lowY(index);
    if (row.fault != model::ChainFault::None) {
        paintFault(painter, r, row.fault);
        return;
    }
    QColor colour = style::wave;
    if (!row.enabled)
        colour = style::disabled;
    else if (row.overrun)
        colour = style::warning;
    int y = row.initialLevel ? high : low;
    QPolygon line;
    line << QPoint(r.left() - style::kOffViewPx, y);
    for (const model::TimingEdge &e : row.edges) {
        const int x = layout.pixelX(e.time, view);
        const int next = e.level ? high : low;
        line << QPoint(x, y) << QPoint(x, next);
        y = next;
    }
    line << QPoint(r.right() + style::kOffViewPx, y);
    painter.setPen(QPen(colour, style::kWavePen));
    painter.drawPolyline(line);
}

void paintAxis(QPainter &painter, const TimingDiagramLayout &layout, const TimeView &view,
               const model::AxisTicks &ticks)
{
    const QRect axis = layout.axis();
    painter.setPen(QPen(style::text, 1));
    painter.drawLine(axis.left(), axis.top(), axis.right(), axis.top());
    const QFontMetrics metrics = painter.fontMetrics();
    for (Picoseconds t : ticks.positions) {
        const int x = layout.pixelX(t, view);
        painter.drawLine(x, axis.top(), x, axis.top() + style::kTickLength);
        const QString text = model::numberIn(t, ticks.unit);
        const int w = metrics.horizontalAdvance(text);
        painter.drawText(
            QRect(x - w / 2 - 2, axis.top() + style::kTickLength + 1, w + 4, metrics.height()),
            Qt::AlignCenter, text);
    }
    // The unit once, under the row names.
    painter.drawText(
        QRect(0, axis.top() + style::kTickLength + 1, style::kLabelWidth - 12, metrics.height()),
        Qt::AlignRight | Qt::AlignVCenter, model::unitSymbol(ticks.unit));
}

} // namespace

void paintTimingDiagram(QPainter &painter, const TimingDiagramLayout &layout,
                        const TimingDiagram &diagram, const TimeView &view)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(TahomaFont(style::kFontPx));
    painter.fillRect(QRect(QPoint(0, 0), layout.size()), style::background);

    paintLabels(painter, layout, diagram);
    const model::AxisTicks ticks = ticksThatFit(painter, layout, view);
    paintGrid(painter, layout, diagram, view, ticks);

    painter.save();
    // Edges beyond the view are held just outside this clip; one at the very end of the view
    // (the last pulse's end, when the view is fitted) stays in it.
    painter.setClipRect(layout.plot().adjusted(0, 0, style::kWavePen, 0));
    for (int i = 0; i < static_cast<int>(diagram.rows.size()); ++i) {
        const TimingRow &row = diagram.rows[static_cast<std::size_t>(i)];
        if (row.channel == 0)
            paintT0(painter, layout, row, view, i);
        else
            paintWave(painter, layout, row, view, i);
    }
    painter.restore();

    paintAxis(painter, layout, view, ticks);
    painter.restore();
}

} // namespace ui
