#include "ui/TimingDiagramPicture.h"

#include "ui/TimingDiagramPainter.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace ui {

bool isSvgPath(const QString &path)
{
    return path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
}

bool saveTimingPicture(const QString &path, QSize size, const model::TimingDiagram &diagram,
                       const model::TimeView &view)
{
    const TimingDiagramLayout layout(size, static_cast<int>(diagram.rows.size()));
    if (isSvgPath(path)) {
        // The generator reports no failure of its own: open the file first to know.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Timing Diagram"));
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        paintTimingDiagram(painter, layout, diagram, view);
        painter.end();
        return file.error() == QFileDevice::NoError;
    }
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintTimingDiagram(painter, layout, diagram, view);
    painter.end();
    return image.save(path, "PNG");
}

} // namespace ui
