#include "ui/race/race_screen.h"

#include "platform/latin1.h"
#include "race/race_engine.h"
#include "ui/race/colour_key.h"
#include "ui/race/marshals_list.h"
#include "ui/race/standings_grid.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace vexa {

RaceScreen::RaceScreen(const RaceEngine& engine, QWidget* parent)
    : QWidget(parent, Qt::Window), engine_(engine) {
    setObjectName(QStringLiteral("RaceScreen"));
    setWindowTitle(QStringLiteral("Race Screen"));

    grid_ = new StandingsGrid(engine.standings(), StandingsModel::Grid::Spectator, this);
    clock_ = new QLabel(this);
    clock_->setObjectName(QStringLiteral("specTimeLB"));
    clock_->setStyleSheet(QStringLiteral("color: #ff0000"));
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("specheatnumLB"));
    title_->setStyleSheet(QStringLiteral("color: #0000ff"));
    auto* marshalsBox = new QGroupBox(QStringLiteral("Marshals"), this);
    marshals_ = new MarshalsList("specmarshalLB", 2, marshalsBox);
    auto* marshalsLayout = new QVBoxLayout(marshalsBox);
    marshalsLayout->addWidget(marshals_);
    key_ = new ColourKey(QStringLiteral("Colour Key"), this);

    auto* texts = new QHBoxLayout;
    texts->addWidget(clock_);
    texts->addStretch();
    texts->addWidget(title_);
    auto* band = new QHBoxLayout;
    band->addWidget(marshalsBox, 1);
    band->addWidget(key_, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(texts, 0);
    layout->addLayout(band, 0);

    refreshPanel();
}

void RaceScreen::toggle() {
    if (isVisible()) {
        hide();
        return;
    }
    // A second monitor is the spectators'; without one the race screen covers the main one.
    QScreen* target = QGuiApplication::primaryScreen();
    for (QScreen* other : QGuiApplication::screens())
        if (other != QGuiApplication::primaryScreen()) {
            target = other;
            break;
        }
    if (target) {
        setScreen(target);
        setGeometry(target->availableGeometry());
    }
    showMaximized();
    raise();
}

void RaceScreen::refreshPanel() {
    const RacePanel& panel = engine_.panel();
    const QString clock = toQt(panel.specTimeLB);
    if (clock_->text() != clock) clock_->setText(clock);
    const QString title = toQt(panel.heatnumLB);
    if (title_->text() != title) title_->setText(title);
    marshals_->setMarshals(panel.marshalLB);
}

void RaceScreen::refreshStandings() {
    grid_->refresh();
}

void RaceScreen::carCellChanged(int row) {
    grid_->carCellChanged(row);
}

void RaceScreen::resizeEvent(QResizeEvent* event) {
    // The band's texts grow with the screen so that they read from across the track.
    const int pixels = std::max(14, event->size().height() / 28);
    QFont big = font();
    big.setPixelSize(pixels);
    big.setBold(true);
    clock_->setFont(big);
    title_->setFont(big);
    QFont small = font();
    small.setPixelSize(std::max(12, pixels * 6 / 10));
    marshals_->parentWidget()->setFont(small);
    key_->setFont(small);
    QWidget::resizeEvent(event);
}

} // namespace vexa
