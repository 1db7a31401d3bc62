#include "ui/race/standings_delegate.h"

#include "ui/models/standings_model.h"

#include <QPainter>

namespace vexa {

namespace {
// Texts kept per font; a meeting's texts stay far below this, a runaway field cannot grow it.
constexpr int KeptTexts = 4000;
} // namespace

QColor toQColor(Rgb colour) {
    return QColor(colour.r, colour.g, colour.b);
}

StandingsDelegate::StandingsDelegate(std::function<const QFont&(int)> columnFont,
                                     std::function<StandingsTheme()> theme, QObject* parent)
    : QStyledItemDelegate(parent), columnFont_(std::move(columnFont)), theme_(std::move(theme)) {}

void StandingsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QRect cell = option.rect;
    const auto background =
        static_cast<GridColour>(index.data(StandingsModel::GridBackgroundRole).toInt());
    const auto colour = static_cast<GridColour>(index.data(StandingsModel::GridTextRole).toInt());
    const CellTones tones = cellTones(colour, background, theme_());
    painter->fillRect(cell, toQColor(tones.background));
    const QFont& font = columnFont_(index.column());
    const QStaticText& text = laidOut(index.data(Qt::DisplayRole).toString(), font);
    if (text.text().isEmpty()) return;
    const QSizeF size = text.size();
    const QRect room = cell.adjusted(4, 0, -4, 0);
    const int alignment = index.data(Qt::TextAlignmentRole).toInt();
    const qreal x = (alignment & Qt::AlignRight) ? room.right() + 1 - size.width() : room.left();
    painter->setFont(font);
    painter->setPen(toQColor(tones.text));
    painter->drawStaticText(QPointF(x, room.top() + (room.height() - size.height()) / 2.0), text);
}

const QStaticText& StandingsDelegate::laidOut(const QString& text, const QFont& font) const {
    // A zoom step brings new fonts; those of earlier steps go.
    if (texts_.size() > 6 && !texts_.contains(font.key())) texts_.clear();
    QHash<QString, QStaticText>& texts = texts_[font.key()];
    if (texts.size() > KeptTexts) texts.clear();
    auto found = texts.find(text);
    if (found == texts.end()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), font);
        found = texts.insert(text, laid);
    }
    return *found;
}

} // namespace vexa
