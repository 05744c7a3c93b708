#pragma once

#include "model/TimeAxis.h"
#include "model/TimingDiagram.h"
#include "ui/TimingDiagramPainter.h"

#include <QPoint>
#include <QWidget>

#include <optional>

namespace ui {

// Draws a computed timing diagram and routes the mouse: the wheel zooms about the pointer,
// dragging pans, a double click fits the whole diagram again, and resting on an edge or a row
// name shows what lies behind it.
class TTimingDiagramView : public QWidget {
    Q_OBJECT
public:
    explicit TTimingDiagramView(QWidget *parent = nullptr);

    // A new diagram keeps the zoom the user chose, as far as it still fits; an unzoomed view
    // follows the diagram's whole span.
    void setDiagram(model::TimingDiagram diagram);
    const model::TimingDiagram &diagram() const { return m_diagram; }

    model::TimeView view() const { return m_view; }
    model::TimeView wholeView() const;
    void fitAll();
    bool fitted() const { return m_fitted; }

    TimingDiagramLayout layout() const;

    // What the pointer at this position would show: the edge's time and chain, a row's
    // warning or fault; empty over nothing in particular.
    QString toolTipAt(QPoint position) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;

private:
    model::TimingDiagram m_diagram;
    model::TimeView m_view;
    bool m_fitted = true;
    std::optional<QPoint> m_dragFrom;
};

} // namespace ui
