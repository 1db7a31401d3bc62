#include "ui/models/grid_colours.h"

#include <QPainter>
#include <QRect>
#include <QString>

namespace vexa {

QColor gridColour(GridColour colour, const QPalette& palette) {
    switch (colour) {
    case GridColour::Normal:
        return palette.color(QPalette::Button);
    case GridColour::Black:
        return QColor(0, 0, 0);
    case GridColour::Fuchsia:
        return QColor(255, 0, 255);
    case GridColour::Lime:
        return QColor(0, 255, 0);
    case GridColour::Yellow:
        return QColor(255, 255, 0);
    case GridColour::Grey:
        return QColor(128, 128, 128);
    case GridColour::Red:
        return QColor(255, 0, 0);
    case GridColour::Blue:
        return QColor(0, 0, 255);
    case GridColour::White:
        return QColor(255, 255, 255);
    case GridColour::Maroon:
        return QColor(128, 0, 0);
    }
    return {};
}

QColor barColour(BarColour colour) {
    switch (colour) {
    case BarColour::Navy:
        return QColor(0, 0, 128);
    case BarColour::Green:
        return QColor(0, 128, 0);
    case BarColour::Yellow:
        return QColor(255, 255, 0);
    case BarColour::Red:
        return QColor(255, 0, 0);
    }
    return {};
}

bool needsOutline(GridColour text, GridColour background) {
    const bool lightText =
        text == GridColour::White || text == GridColour::Yellow || text == GridColour::Lime;
    return lightText && background != GridColour::Black && background != GridColour::Fuchsia;
}

void drawGridText(QPainter& painter, const QRect& rect, int alignment, const QString& text,
                  const QColor& colour, bool outline) {
    if (outline) {
        painter.setPen(OutlineColour);
        for (const QPoint offset : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
            painter.drawText(rect.translated(offset), alignment, text);
    }
    painter.setPen(colour);
    painter.drawText(rect, alignment, text);
}

} // namespace vexa
