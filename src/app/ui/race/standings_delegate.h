#pragma once

#include "race/standings_tones.h"

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

#include <functional>

namespace vexa {

// Paints a standings cell straight from the model: its background and its text in the tones of
// their named colours (standings_tones.h), in the font of its column. The texts are laid out
// once and kept, since most of them stay the same from one passing to the next.
class StandingsDelegate : public QStyledItemDelegate {
  public:
    // `columnFont` gives the font of a column; `theme` the grid's theme.
    StandingsDelegate(std::function<const QFont&(int column)> columnFont,
                      std::function<StandingsTheme()> theme, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    const QStaticText& laidOut(const QString& text, const QFont& font) const;

    std::function<const QFont&(int)> columnFont_;
    std::function<StandingsTheme()> theme_;
    // The laid-out texts of each font (a grid has two or three).
    mutable QHash<QString, QHash<QString, QStaticText>> texts_;
};

QColor toQColor(Rgb colour);

} // namespace vexa
