#include "ui/race/colour_key.h"

#include "race/standings.h"
#include "ui/models/grid_colours.h"

#include <QPainter>
#include <QVBoxLayout>

namespace vexa {

namespace {

// One caption of the key in its colours.
class KeyCaption : public QWidget {
  public:
    KeyCaption(const char* text, GridColour foreground, GridColour background, QWidget* parent)
        : QWidget(parent), text_(QString::fromLatin1(text)), foreground_(foreground),
          background_(background) {
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
        painter.fillRect(rect(), gridColour(background_, palette()));
        drawGridText(painter, rect().adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter, text_,
                     gridColour(foreground_, palette()), needsOutline(foreground_, background_));
    }

  private:
    QString text_;
    GridColour foreground_;
    GridColour background_;
};

} // namespace

ColourKey::ColourKey(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
    struct Entry {
        const char* text;
        GridColour foreground;
        GridColour background;
    };
    const Entry entries[] = {
        {"SET TO BEAT FTD", GridColour::White, GridColour::Black},
        {"BEST TIME IN ROUND", GridColour::White, GridColour::Fuchsia},
        {"SET TO IMPROVE", GridColour::Yellow, GridColour::Normal},
        {"DRIVER IMPROVED", GridColour::Lime, GridColour::Normal},
        {"NOT RUNNING CURRENTLY", GridColour::Grey, GridColour::Normal},
    };
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    for (const Entry& e : entries)
        layout->addWidget(new KeyCaption(e.text, e.foreground, e.background, this));
    layout->addStretch();
}

} // namespace vexa
