#include "ui/race/race_screen.h"

#include "platform/latin1.h"
#include "race/race_engine.h"
#include "settings/prog_settings.h"
#include "ui/common/window_place.h"
#include "ui/race/colour_key.h"
#include "ui/race/marshals_list.h"
#include "ui/race/standings_delegate.h"
#include "ui/race/standings_grid.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace vexa {

namespace {

void setTextIfChanged(QLabel& label, const std::string& text) {
    const QString shown = toQt(text);
    if (label.text() != shown) label.setText(shown);
}

} // namespace

RaceScreen::RaceScreen(const RaceEngine& engine, ProgSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), engine_(engine), settings_(settings) {
    setObjectName(QStringLiteral("RaceScreen"));
    setWindowTitle(QStringLiteral("Race Screen"));
    setAutoFillBackground(true);

    grid_ = new StandingsGrid(engine.standings(), StandingsModel::Grid::Spectator, this);
    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    clock_ = label("specTimeLB");
    title_ = label("specheatnumLB");
    round_ = label("specroundLB");
    back_ = new QPushButton(QStringLiteral("Back to Race Panel"), this);
    back_->setObjectName(QStringLiteral("backToPanelBtn"));
    back_->setFocusPolicy(Qt::NoFocus); // lap-counting keys must not press it
    back_->setToolTip(QStringLiteral("Hides the race screen (F11 shows it again)"));
    back_->hide();
    connect(back_, &QPushButton::clicked, this, [this] {
        hide();
        emit backToRacePanel();
    });
    auto* marshalsBox = new QGroupBox(QStringLiteral("Marshals"), this);
    marshals_ = new MarshalsList("specmarshalLB", 2, marshalsBox);
    auto* marshalsLayout = new QVBoxLayout(marshalsBox);
    marshalsLayout->addWidget(marshals_);
    key_ = new ColourKey(QStringLiteral("Colour Key"), this);

    auto* texts = new QHBoxLayout;
    texts->addWidget(clock_);
    texts->addStretch();
    texts->addWidget(title_);
    texts->addSpacing(24);
    texts->addWidget(round_);
    auto* band = new QHBoxLayout;
    band->addWidget(marshalsBox, 1);
    band->addWidget(key_, 0);
    band->addWidget(back_, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(texts, 0);
    layout->addLayout(band, 0);

    applySettings();
    refreshPanel();
}

void RaceScreen::toggle() {
    if (isVisible()) {
        hide();
        return;
    }
    const std::optional<bool> kept = restoreWindowPlace(*this, settings_.raceScreenPlace);
    if (!kept) {
        // A second monitor is the spectators'; without one the race screen covers the main
        // one, with its way back.
        QScreen* target = QGuiApplication::primaryScreen();
        for (QScreen* other : QGuiApplication::screens())
            if (other != QGuiApplication::primaryScreen()) {
                target = other;
                break;
            }
        if (target) setGeometry(target->availableGeometry());
    }
    if (kept.value_or(true))
        showMaximized();
    else
        show();
    raise();
    showBackButton();
}

void RaceScreen::keepPlace() {
    if (const std::string place = windowPlace(*this); !place.empty())
        settings_.raceScreenPlace = place;
}

void RaceScreen::refreshPanel() {
    const RacePanel& panel = engine_.panel();
    setTextIfChanged(*clock_, panel.specTimeLB);
    setTextIfChanged(*title_, panel.heatnumLB);
    setTextIfChanged(*round_, panel.roundLB);
    marshals_->setMarshals(panel.marshalLB);
}

void RaceScreen::refreshStandings() {
    grid_->refresh();
}

void RaceScreen::carCellChanged(int row) {
    grid_->carCellChanged(row);
}

void RaceScreen::applySettings() {
    grid_->setZoom(settings_.standingsZoom);
    const StandingsTheme theme =
        settings_.darkRaceScreen ? StandingsTheme::Dark : StandingsTheme::Light;
    theme_ = theme;
    grid_->setTheme(theme);
    key_->setTheme(theme);
    paintTheme();
}

void RaceScreen::paintTheme() {
    const ThemeTones tones = themeTones(theme_);
    const QColor window = toQColor(tones.window);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, window);
    colours.setColor(QPalette::WindowText, toQColor(tones.windowText));
    setPalette(colours);
    // The clock in red and the title in blue, in the shades that read on the window.
    clock_->setStyleSheet(
        QStringLiteral("color: %1").arg(toQColor(textTone(GridColour::Red, tones.window)).name()));
    title_->setStyleSheet(
        QStringLiteral("color: %1").arg(toQColor(textTone(GridColour::Blue, tones.window)).name()));
    round_->setStyleSheet(QStringLiteral("color: %1").arg(toQColor(tones.windowText).name()));
}

void RaceScreen::showBackButton() {
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    back_->setVisible(isVisible() && main && screenOf(*this) == screenOf(*main));
}

void RaceScreen::sizeBand(int height) {
    // The band's texts grow with the screen, yet stay smaller than the standings' figures.
    const int pixels = std::max(14, height / 48);
    QFont big = font();
    big.setPixelSize(pixels);
    big.setBold(true);
    for (QLabel* l : {clock_, title_, round_}) l->setFont(big);
    QFont small = font();
    small.setPixelSize(std::max(12, height / 60));
    marshals_->parentWidget()->setFont(small);
    key_->setFont(small);
    back_->setFont(small);
}

void RaceScreen::resizeEvent(QResizeEvent* event) {
    sizeBand(event->size().height());
    QWidget::resizeEvent(event);
}

void RaceScreen::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    showBackButton();
}

void RaceScreen::hideEvent(QHideEvent* event) {
    keepPlace();
    QWidget::hideEvent(event);
}

} // namespace vexa
