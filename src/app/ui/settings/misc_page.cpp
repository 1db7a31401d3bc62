#include "ui/settings/misc_page.h"

#include "settings/prog_settings.h"
#include "ui/settings/setting_controls.h"
#include "ui/settings/settings_grid.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

MiscPage::MiscPage(SettingFields& fields, QWidget* parent) : QWidget(parent) {
    crystal_ = new QPushButton(QStringLiteral("Crystal Setup"), this);
    crystal_->setObjectName(QStringLiteral("CrystalsetBT"));
    crystal_->setEnabled(false);
    longHint(crystal_, "Names the 200 radio frequencies (crystals) drivers can own");
    connect(crystal_, &QPushButton::clicked, this, [this] {
        if (crystalSetup_) crystalSetup_();
    });

    QCheckBox* scroll =
        settingCheckBox(fields, "ScrollTogCB", "Scroll Lock Toggle/Change during race ", this);
    longHint(scroll, "Scroll Lock may be toggled during a race");

    auto* score = new QGroupBox(QStringLiteral("Score Method"), this);
    normal_ = new QRadioButton(QStringLiteral("Normal"), score);
    QRadioButton* normal = normal_;
    normal->setObjectName(QStringLiteral("normalracetypeRB"));
    fields.add(normal);
    auto* clr = new QRadioButton(QStringLiteral("CLR"), score);
    clr->setObjectName(QStringLiteral("clrracetypeRB"));
    fields.add(clr);
    lapsPanel_ = new QWidget(score);
    QSpinBox* laps = settingSpinBox(fields, "clrlapsSE", lapsPanel_);
    longHint(laps, "Consecutive laps counted by the CLR score method");
    auto* lapsRow = new QHBoxLayout(lapsPanel_);
    lapsRow->setContentsMargins(0, 0, 0, 0);
    lapsRow->addWidget(buddyLabel("Laps to count", laps, lapsPanel_));
    lapsRow->addWidget(laps);
    auto* scoreLayout = new QVBoxLayout(score);
    scoreLayout->addWidget(normal);
    scoreLayout->addWidget(clr);
    scoreLayout->addWidget(lapsPanel_);
    score->hide();
    connect(normal, &QRadioButton::toggled, this, &MiscPage::showScoreMethod);

    QCheckBox* leader =
        settingCheckBox(fields, "leaderstart", "Start cars from the leader's first lap", this);
    longHint(leader, "A car that has not started yet starts when the leader completes its "
                     "first lap");

    auto* startOrder = new QGroupBox(QStringLiteral("Round 1 Start Order"), this);
    orderGrid_ =
        new SettingsGrid("Firstrdorder", MaxSlots, {{"Order", 45}, {"Car No.", 60}}, startOrder);
    orderGrid_->setDragRows(true);
    longHint(orderGrid_, "Drag a row to change the order cars start in the first round");
    auto* orderLayout = new QVBoxLayout(startOrder);
    orderLayout->addWidget(orderGrid_);
    connect(orderGrid_, &SettingsGrid::rowDragged, this, [this](int from, int to) {
        moveFirstRoundOrderRow(order_, from + 1, to + 1);
        drawStartOrder();
        orderGrid_->setCurrentCell(to, 0);
    });

    auto* display = new QGroupBox(QStringLiteral("Display"), this);
    QCheckBox* dark =
        settingCheckBox(fields, "darkRaceScreenCB", "Dark high-contrast Race Screen", display,
                        "The race screen shows light figures on black, for a bright pits area");
    QSpinBox* zoom = settingSpinBox(fields, "standingsZoomSE", display);
    zoom->setSuffix(QStringLiteral(" %"));
    zoom->setSingleStep(10);
    longHint(zoom, "The size of the standings on the race panel and the race screen (also "
                   "Ctrl+plus and Ctrl+minus)");
    auto* zoomRow = new QHBoxLayout;
    zoomRow->addWidget(buddyLabel("Standings Zoom", zoom, display));
    zoomRow->addWidget(zoom);
    zoomRow->addStretch();
    auto* displayLayout = new QVBoxLayout(display);
    displayLayout->addWidget(dark);
    displayLayout->addLayout(zoomRow);

    auto* scoreboard = new QGroupBox(QStringLiteral("Scoreboard Feed"), this);
    QSpinBox* scoreboardPort = settingSpinBox(fields, "scoreboardPortSE", scoreboard);
    scoreboardPort->setSpecialValueText(QStringLiteral("Off"));
    longHint(scoreboardPort, "The TCP port on which scoreboards and timing displays read the race "
                             "(RMonitor records); Off serves none. It holds from the next start "
                             "of the program");
    auto* scoreboardRow = new QHBoxLayout(scoreboard);
    scoreboardRow->addWidget(buddyLabel("Scoreboard Port", scoreboardPort, scoreboard));
    scoreboardRow->addWidget(scoreboardPort);
    scoreboardRow->addStretch();

    auto* boxesLayout = new QVBoxLayout;
    boxesLayout->addWidget(crystal_, 0, Qt::AlignLeft);
    boxesLayout->addWidget(scroll);
    boxesLayout->addWidget(leader);
    addCheckBoxes(fields, boxesLayout,
                  {
                      {"printafterraceCB", "Print race results after each race",
                       "The results of every race are printed on the default printer when it ends"},
                      {"Autoenablekeys", "Enable the keys automatically with AMB",
                       "With a decoder the lap counting keys are switched on with the decoder"},
                      {"onecolumn", "One column for frequencies",
                       "The drivers' crystal list shows the frequencies in one column"},
                      {"transponderletters", "Use transponder letters",
                       "Transponders are shown with letters"},
                      {"namestartorder", "Names on start orders",
                       "Printed start orders show the drivers' names instead of car numbers"},
                      {"freqbydefaultCB", "New drivers need a frequency",
                       "A new driver needs a radio frequency unless told otherwise"},
                  },
                  this);
    boxesLayout->addWidget(display);
    boxesLayout->addWidget(scoreboard);
    boxesLayout->addWidget(score);
    boxesLayout->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(boxesLayout, 1);
    layout->addWidget(startOrder);
}

void MiscPage::setCrystalSetup(std::function<void()> open) {
    crystalSetup_ = std::move(open);
    crystal_->setEnabled(static_cast<bool>(crystalSetup_));
}

void MiscPage::showStartOrder(const std::array<int, MaxSlots + 1>& order) {
    order_ = order;
    drawStartOrder();
}

void MiscPage::drawStartOrder() {
    for (int row = 0; row < MaxSlots; ++row) {
        const int car = order_[static_cast<size_t>(row + 1)];
        orderGrid_->setCellText(row, 0, QString::number(row + 1));
        orderGrid_->setCellText(row, 1, car > 0 ? QString::number(car) : QString());
    }
}

void MiscPage::showScoreMethod() {
    lapsPanel_->setVisible(!normal_->isChecked());
}

} // namespace vexa
