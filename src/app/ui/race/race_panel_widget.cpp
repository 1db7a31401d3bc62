#include "ui/race/race_panel_widget.h"

#include "journal/race_inputs.h"

#include "platform/latin1.h"
#include "race/extra_column_menu.h"
#include "race/race_engine.h"
#include "race/race_panel_choices.h"
#include "settings/prog_settings.h"
#include "ui/models/bar_colour.h"
#include "ui/race/colour_key.h"
#include "ui/race/place_pictures.h"
#include "ui/race/standings_delegate.h"
#include "ui/race/standings_grid.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

namespace {

QPushButton* button(const char* caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    // A button never holds the focus, so the counting keys and Enter press none of them.
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel* label(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

void setTextIfChanged(QLabel& label, const std::string& text) {
    const QString shown = toQt(text);
    if (label.text() != shown) label.setText(shown);
}

} // namespace

RacePanelWidget::RacePanelWidget(RaceEngine& engine, RaceInputs& inputs, ProgSettings& settings,
                                 std::function<std::string()> countingEquipment, QWidget* parent)
    : QWidget(parent), engine_(engine), inputs_(inputs), settings_(settings),
      countingEquipment_(std::move(countingEquipment)) {
    setObjectName(QStringLiteral("racePanelWidget"));

    grid_ = new StandingsGrid(engine.standings(), StandingsModel::Grid::Operator, this);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionPressed, this,
            &RacePanelWidget::headerPressed);
    timebar_ = new QProgressBar(this);
    timebar_->setObjectName(QStringLiteral("timebar"));
    timebar_->setRange(0, 100);
    timebar_->setTextVisible(false);
    timebar_->setFixedHeight(14);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(buildControls(), 0);
    bottom->addWidget(buildInformation(), 0);
    bottom->addWidget(new ColourKey(QStringLiteral("COLOUR CODE (KEY)"), this), 0);
    auto* marshalsBox = new QGroupBox(QStringLiteral("Marshals"), this);
    marshals_ = new QListWidget(marshalsBox);
    marshals_->setObjectName(QStringLiteral("marshalLB"));
    marshals_->setFocusPolicy(Qt::NoFocus);
    marshals_->setSelectionMode(QAbstractItemView::NoSelection);
    // The list takes the height the controls beside it need, and scrolls beyond.
    marshals_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    auto* marshalsLayout = new QVBoxLayout(marshalsBox);
    marshalsLayout->setContentsMargins(4, 4, 4, 4);
    marshalsLayout->addWidget(marshals_);
    marshalsBox->setMinimumWidth(110);
    marshals_->setMinimumWidth(90);
    bottom->addWidget(marshalsBox, 1);

    auto* clockRow = new QHBoxLayout;
    clockRow->addWidget(clock_);
    clockRow->addStretch();
    clockRow->addWidget(title_);
    clockRow->addSpacing(16);
    clockRow->addWidget(round_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_, 1);
    layout->addWidget(timebar_);
    layout->addLayout(clockRow);
    layout->addLayout(bottom);

    grid_->setZoom(settings_.standingsZoom);
    buildRaceMenu();
    extraMenu_ = new QMenu(this);
    extraMenu_->setObjectName(QStringLiteral("extraColumnMenu"));
    refreshPanel();
}

QWidget* RacePanelWidget::buildControls() {
    auto* controls = new QWidget(this);
    clock_ = label("TimeLB", this);
    QFont big = clock_->font();
    big.setPointSize(big.pointSize() + 5);
    big.setBold(true);
    clock_->setFont(big);
    // Red, in the shade that reads on the window.
    clock_->setStyleSheet(
        QStringLiteral("color: %1")
            .arg(toQColor(textTone(GridColour::Red, themeTones(StandingsTheme::Light).window))
                     .name()));
    QSizePolicy keepSpace = clock_->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    clock_->setSizePolicy(keepSpace);
    title_ = label("heatnumLB", this);
    QFont titleFont = title_->font();
    titleFont.setPointSize(titleFont.pointSize() + 3);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    title_->setStyleSheet(QStringLiteral("color: #0000ff"));
    round_ = label("roundLB", this);
    round_->setFont(titleFont);

    preButtons_ = new QWidget(controls);
    preButtons_->setObjectName(QStringLiteral("PreButtons"));
    auto* start = button("&Start Race", "StartBtn", preButtons_);
    pause_ = button("Stop &Countdown", "Stop_StarTBTN", preButtons_);
    auto* reset = button("&Reset Countdown", "RestartCBtn", preButtons_);
    readOrder_ = button("Read &Order", "ReadOBtn", preButtons_);
    auto* plus1 = button("+1", "plus1m", preButtons_);
    auto* plus5 = button("+5", "plus5m", preButtons_);
    plus1->setToolTip(QStringLiteral("One more minute of countdown"));
    plus5->setToolTip(QStringLiteral("Five more minutes of countdown"));
    auto* pre = new QGridLayout(preButtons_);
    pre->setContentsMargins(0, 0, 0, 0);
    pre->addWidget(start, 0, 0);
    pre->addWidget(pause_, 0, 1);
    pre->addWidget(reset, 1, 0);
    pre->addWidget(readOrder_, 1, 1);
    auto* plus = new QHBoxLayout;
    plus->addWidget(plus1);
    plus->addWidget(plus5);
    pre->addLayout(plus, 2, 0);

    raceOptions_ = button("Race Options", "raceoptions", controls);
    keys_ = button("Enable Keys", "Keyenablebtn", controls);
    auto* reprint = button("Re-Print Laptimes", "reprintbtn", controls);
    passBeeps_ = new QCheckBox(QStringLiteral("Passing Beeps"), controls);
    passBeeps_->setObjectName(QStringLiteral("PassbeepCB"));
    passBeeps_->setFocusPolicy(Qt::NoFocus);
    passBeeps_->setChecked(settings_.passBeeps);
    auto* copiesLabel = new QLabel(QStringLiteral("Copies"), controls);
    copies_ = new QSpinBox(controls);
    copies_->setObjectName(QStringLiteral("Copiesse"));
    copies_->setRange(1, 9);
    copies_->setValue(engine_.values().Copies);
    copiesLabel->setBuddy(copies_);
    auto* options = new QGridLayout;
    options->addWidget(raceOptions_, 0, 0);
    options->addWidget(keys_, 0, 1);
    options->addWidget(reprint, 1, 0);
    options->addWidget(passBeeps_, 1, 1);
    auto* copiesRow = new QHBoxLayout;
    copiesRow->addWidget(copiesLabel);
    copiesRow->addWidget(copies_);
    copiesRow->addStretch();
    options->addLayout(copiesRow, 2, 1);

    auto* layout = new QVBoxLayout(controls);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(preButtons_);
    layout->addLayout(options);
    layout->addStretch();

    connect(start, &QPushButton::clicked, this, [this] { inputs_.action(RaceAction::Start); });
    connect(pause_, &QPushButton::clicked, this, [this] { inputs_.countdownButton(); });
    connect(reset, &QPushButton::clicked, this, [this] { inputs_.action(RaceAction::Reset); });
    connect(readOrder_, &QPushButton::clicked, this,
            [this] { inputs_.action(RaceAction::ReadOrder); });
    connect(plus1, &QPushButton::clicked, this, [this] { inputs_.action(RaceAction::PlusOne); });
    connect(plus5, &QPushButton::clicked, this, [this] { inputs_.action(RaceAction::PlusFive); });
    connect(keys_, &QPushButton::clicked, this, [this] { inputs_.action(RaceAction::Keys); });
    connect(reprint, &QPushButton::clicked, this, [this] { inputs_.action(RaceAction::Reprint); });
    connect(raceOptions_, &QPushButton::clicked, this, [this] {
        raceMenu_->popup(raceOptions_->mapToGlobal(QPoint(0, raceOptions_->height())));
    });
    connect(passBeeps_, &QCheckBox::toggled, this,
            [this](bool on) { setPassBeeps(settings_, on); });
    connect(copies_, &QSpinBox::valueChanged, this, [this](int n) { engine_.setCopies(n); });
    return controls;
}

QWidget* RacePanelWidget::buildInformation() {
    auto* box = new QGroupBox(QStringLiteral("Race Information"), this);
    startType_ = label("rtype", box);
    raceLength_ = label("racedur", box);
    equipment_ = label("raceEquipmentLB", box);
    pictures_ = new PlacePictures(box);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(startType_);
    layout->addWidget(raceLength_);
    layout->addWidget(equipment_);
    layout->addWidget(pictures_);
    layout->addStretch();
    return box;
}

void RacePanelWidget::buildRaceMenu() {
    raceMenu_ = new QMenu(this);
    raceMenu_->setObjectName(QStringLiteral("rsmenu"));
    QAction* restart = raceMenu_->addAction(QStringLiteral("Restart Race"));
    QAction* end = raceMenu_->addAction(QStringLiteral("End Race (Save Scores)"));
    raceMenu_->addSeparator();
    QAction* penalty = raceMenu_->addAction(QStringLiteral("Give Time Penalty"));
    raceMenu_->addSeparator();
    QAction* spectator = raceMenu_->addAction(QStringLiteral("Spectator Screen"));
    QAction* correct = raceMenu_->addAction(QStringLiteral("Correct Results"));
    restart->setObjectName(QStringLiteral("restartRaceItem"));
    end->setObjectName(QStringLiteral("endRaceItem"));
    penalty->setObjectName(QStringLiteral("penaltyItem"));
    spectator->setObjectName(QStringLiteral("spectatorScreenItem"));
    correct->setObjectName(QStringLiteral("correctResultsItem"));
    connect(raceMenu_, &QMenu::aboutToShow, this, [this, restart, end, penalty, correct] {
        const bool running = engine_.raceMenuEnabled();
        for (QAction* a : {restart, end, penalty}) a->setEnabled(running);
        correct->setEnabled(!running);
    });
    connect(restart, &QAction::triggered, this, [this] { inputs_.action(RaceAction::Restart); });
    connect(end, &QAction::triggered, this, [this] { inputs_.action(RaceAction::EndRace); });
    connect(penalty, &QAction::triggered, this, &RacePanelWidget::penaltyRequested);
    connect(spectator, &QAction::triggered, this, &RacePanelWidget::spectatorScreenRequested);
    connect(correct, &QAction::triggered, this, &RacePanelWidget::correctResultsRequested);
}

void RacePanelWidget::refreshPanel() {
    const RacePanel& panel = engine_.panel();
    setTextIfChanged(*clock_, panel.TimeLB);
    clock_->setVisible(panel.clockLabelVisible);
    setTextIfChanged(*title_, panel.heatnumLB);
    setTextIfChanged(*round_, panel.roundLB);
    setTextIfChanged(*startType_, panel.rtype);
    setTextIfChanged(*raceLength_, panel.racedur);
    setTextIfChanged(*equipment_, countingEquipment_ ? countingEquipment_() : std::string{});
    if (panel.marshalLB != shownMarshals_) {
        shownMarshals_ = panel.marshalLB;
        marshals_->clear();
        for (const std::string& m : shownMarshals_) marshals_->addItem(toQt(m));
    }
    if (passBeeps_->isChecked() != settings_.passBeeps) passBeeps_->setChecked(settings_.passBeeps);

    if (timebar_->value() != panel.timebar) timebar_->setValue(panel.timebar);
    if (const int colour = static_cast<int>(panel.timebarColour); colour != timebarColour_) {
        timebarColour_ = colour;
        timebar_->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: %1; }")
                                    .arg(barColour(panel.timebarColour).name()));
    }
    preButtons_->setVisible(panel.preButtonsVisible);
    readOrder_->setEnabled(panel.readOrderEnabled);
    const QString pause = QString::fromLatin1(panel.pauseCaption());
    if (pause_->text() != pause) pause_->setText(pause);
    keys_->setEnabled(panel.keysButtonEnabled);
    const QString keys = QString::fromStdString(panel.keysCaption);
    if (keys_->text() != keys) keys_->setText(keys);
}

void RacePanelWidget::applySettings() {
    grid_->setZoom(settings_.standingsZoom);
}

void RacePanelWidget::refreshStandings() {
    grid_->refresh();
    pictures_->refresh(engine_.standings());
}

void RacePanelWidget::carCellChanged(int row) {
    grid_->carCellChanged(row);
}

void RacePanelWidget::headerPressed(int column) {
    const int slot = extraSlotAtColumn(engine_.standings(), column, engine_.values().ManualKeys);
    if (slot == 0) return;
    extraMenu_->clear();
    const CountingDevice device = engine_.countDevice();
    for (const ExtraColumnMenuItem& item :
         vexa::extraColumnMenu(engine_.standings(), device, settings_.speedTrap)) {
        QAction* action = extraMenu_->addAction(QString::fromLatin1(item.caption));
        action->setEnabled(item.enabled);
        const ExtraColumn type = item.type;
        connect(action, &QAction::triggered, this,
                [this, slot, type] { vexa::chooseExtraColumn(engine_, slot, type); });
    }
    QHeaderView* header = grid_->horizontalHeader();
    const QPoint below(header->sectionViewportPosition(column), header->height());
    extraMenu_->popup(header->mapToGlobal(below));
}

void RacePanelWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Two extra columns in a narrow main window, four in a wide one.
    fitExtraColumns(engine_, wideOperatorGrid(window()->width()));
}

} // namespace vexa
