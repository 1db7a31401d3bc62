#pragma once

#include "race/race_panel.h"
#include "race/standings.h"

#include <QColor>
#include <QPalette>

class QPainter;
class QRect;
class QString;

namespace vexa {

// The named colour of a standings cell; Normal is the palette's button face.
QColor gridColour(GridColour colour, const QPalette& palette);

// The progress bar's colour.
QColor barColour(BarColour colour);

// Whether text of this colour needs a dark outline to be read on a light background (white,
// yellow and lime, seen from across the track).
bool needsOutline(GridColour text, GridColour background);

// The outline drawn around light text.
inline const QColor OutlineColour{40, 40, 40};

// Draws a cell's text in its colour, with a thin dark outline when `outline` is set.
void drawGridText(QPainter& painter, const QRect& rect, int alignment, const QString& text,
                  const QColor& colour, bool outline);

} // namespace vexa
