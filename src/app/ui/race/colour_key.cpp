#include "ui/race/colour_key.h"

#include "ui/race/standings_delegate.h"

#include <QPainter>
#include <QVBoxLayout>

namespace vexa {

namespace {

// One caption of the key in the tones the standings give its colours.
class KeyCaption : public QWidget {
  public:
    KeyCaption(const KeyEntry& entry, const StandingsTheme& theme, QWidget* parent)
        : QWidget(parent), text_(QString::fromLatin1(entry.text)), entry_(entry), theme_(theme) {
        setObjectName(text_);
        setAccessibleName(text_);
    }

    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        return {metrics.horizontalAdvance(text_) + 12, metrics.height() + 6};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const CellTones tones = cellTones(entry_.textColour, entry_.background, theme_);
        painter.fillRect(rect(), toQColor(tones.background));
        painter.setPen(toQColor(tones.text));
        painter.drawText(rect().adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, text_);
    }

  private:
    QString text_;
    KeyEntry entry_;
    const StandingsTheme& theme_;
};

} // namespace

ColourKey::ColourKey(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    for (const KeyEntry& e : colourKeyEntries()) layout->addWidget(new KeyCaption(e, theme_, this));
    layout->addStretch();
}

void ColourKey::setTheme(StandingsTheme theme) {
    theme_ = theme;
    update();
    for (QWidget* caption : findChildren<QWidget*>()) caption->update();
}

} // namespace vexa
