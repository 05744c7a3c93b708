#include "ui/TTimingDiagramView.h"

#include "ui/TimingDiagramStyle.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>
#include <cstdlib>

namespace ui {

namespace style = diagramstyle;

namespace {

// One notch of the wheel zooms by this factor.
constexpr double kZoomPerNotch = 1.25;
constexpr double kDegreesPerNotch = 120.0;

} // namespace

TTimingDiagramView::TTimingDiagramView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("DiagramView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_view = wholeView();
}

model::TimeView TTimingDiagramView::wholeView() const
{
    return model::TimeView(m_diagram.start, m_diagram.end - m_diagram.start);
}

void TTimingDiagramView::setDiagram(model::TimingDiagram diagram)
{
    m_diagram = std::move(diagram);
    const model::TimeView whole = wholeView();
    // Zooming by 1 changes nothing but keeps the view inside the new whole.
    m_view = m_fitted ? whole : m_view.zoomed(1.0, 0, layout().plot().width(), whole);
    update();
}

void TTimingDiagramView::fitAll()
{
    m_fitted = true;
    m_view = wholeView();
    update();
}

TimingDiagramLayout TTimingDiagramView::layout() const
{
    return TimingDiagramLayout(size(), static_cast<int>(m_diagram.rows.size()));
}

QSize TTimingDiagramView::sizeHint() const
{
    return QSize(900, 440);
}

QSize TTimingDiagramView::minimumSizeHint() const
{
    return QSize(style::kLabelWidth + 200, 160);
}

void TTimingDiagramView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintTimingDiagram(painter, layout(), m_diagram, m_view);
}

void TTimingDiagramView::wheelEvent(QWheelEvent *event)
{
    const QRect plot = layout().plot();
    const double notches = event->angleDelta().y() / kDegreesPerNotch;
    if (notches == 0) {
        event->ignore();
        return;
    }
    const double x = event->position().x() - plot.left();
    m_view = m_view.zoomed(std::pow(kZoomPerNotch, notches), x, plot.width(), wholeView());
    m_fitted = m_view == wholeView();
    update();
    event->accept();
}

void TTimingDiagramView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = event->position().toPoint();
        setCursor(Qt::ClosedHandCursor);
    }
}

void TTimingDiagramView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragFrom)
        return;
    const QPoint at = event->position().toPoint();
    const int dx = at.x() - m_dragFrom->x();
    if (dx == 0)
        return;
    m_view = m_view.panned(dx, layout().plot().width(), wholeView());
    m_fitted = m_view == wholeView();
    m_dragFrom = at;
    update();
}

void TTimingDiagramView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragFrom.reset();
        unsetCursor();
    }
}

void TTimingDiagramView::mouseDoubleClickEvent(QMouseEvent *)
{
    fitAll();
}

bool TTimingDiagramView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

QString TTimingDiagramView::toolTipAt(QPoint position) const
{
    const TimingDiagramLayout l = layout();
    const int index = l.rowAt(position);
    if (index < 0 || index >= static_cast<int>(m_diagram.rows.size()))
        return {};
    const model::TimingRow &row = m_diagram.rows[static_cast<std::size_t>(index)];
    if (position.x() < l.plot().left()) {
        if (row.overrun)
            return model::rowName(row.channel) + QStringLiteral(": ") +
                   model::describeOverrun(*row.overrun);
        if (row.fault != model::ChainFault::None)
            return model::rowName(row.channel) + QStringLiteral(": ") +
                   model::describeFault(row.fault);
        return {};
    }
    const model::TimingEdge *nearest = nullptr;
    int distance = style::kEdgeHitPx + 1;
    for (const model::TimingEdge &e : row.edges) {
        if (e.time < m_view.start() || e.time > m_view.end())
            continue;
        const int d = std::abs(l.pixelX(e.time, m_view) - position.x());
        if (d < distance) {
            distance = d;
            nearest = &e;
        }
    }
    if (!nearest)
        return {};
    return model::engineeringTime(nearest->time) + u'\n' +
           model::describeEdge(m_diagram, row, *nearest);
}

} // namespace ui
