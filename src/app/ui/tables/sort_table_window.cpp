#include "ui/tables/sort_table_window.h"

#include "program/program.h"
#include "ui/common/choice_group.h"
#include "ui/common/named.h"
#include "ui/tables/heat_sort_control.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

namespace {

QSpinBox* roundBox(const char* name, int value, QWidget* parent) {
    auto* box = named(new QSpinBox(parent), name);
    box->setRange(1, MaxRounds);
    box->setValue(value);
    return box;
}

QCheckBox* option(const char* caption, const char* name, QWidget* parent) {
    auto* box = named(new QCheckBox(QString::fromLatin1(caption), parent), name);
    box->setChecked(true);
    return box;
}

QPushButton* button(const char* caption, const char* name, QWidget* parent) {
    auto* b = named(new QPushButton(QString::fromLatin1(caption), parent), name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

SortTableWindow::SortTableWindow(Program& program, Operator& op, Ports ports, QWidget* parent)
    : QDialog(parent), program_(program), op_(op), ports_(std::move(ports)) {
    setObjectName(QStringLiteral("TVexaSortTableF"));
    setWindowTitle(QStringLiteral("Sort Table"));
    auto* layout = new QVBoxLayout(this);

    const ChoicePair table =
        choiceGroup(layout, "Sort Table", "heattableRB", "Heat / Qualifier Table", "finalstableRB",
                    "Finals / Mains Table", this);
    heatsTable_ = table.first;
    finalsTable_ = table.second;
    tableChoice_ = static_cast<QGroupBox*>(heatsTable_->parentWidget());
    tableChoice_->setObjectName(QStringLiteral("tablesorttypeRG"));
    tableChoice_->setEnabled(false);

    const ChoicePair order = choiceGroup(layout, "Sort By", "abilitysortRB", "Ability Level",
                                         "ResultSortRB", "Results", this);
    ability_ = order.first;
    results_ = order.second;
    results_->setChecked(true);

    roundPanel_ = new QWidget(this);
    roundPanel_->setObjectName(QStringLiteral("roundPNL"));
    firstRound_ = roundBox("roundsrtSE", 1, roundPanel_);
    lastRound_ = roundBox("roundfinSE", 1, roundPanel_);
    auto* roundsLabel = new QLabel(QStringLiteral("Round(s)"), roundPanel_);
    roundsLabel->setBuddy(firstRound_);
    auto* toLabel = new QLabel(QStringLiteral("to"), roundPanel_);
    toLabel->setBuddy(lastRound_);
    auto* rounds = new QHBoxLayout(roundPanel_);
    rounds->setContentsMargins(0, 0, 0, 0);
    rounds->addWidget(roundsLabel);
    rounds->addWidget(firstRound_);
    rounds->addWidget(toLabel);
    rounds->addWidget(lastRound_);
    rounds->addStretch();
    layout->addWidget(roundPanel_);

    sortingType_ = new QGroupBox(QStringLiteral("Sorting Type"), this);
    sortingType_->setObjectName(QStringLiteral("sorttypeGB"));
    ftd_ = new QRadioButton(QStringLiteral("FTD"), sortingType_);
    ftd_->setObjectName(QStringLiteral("SCoreBYftdCB"));
    ftd_->setChecked(true);
    points_ = new QRadioButton(QStringLiteral("RbyR / Points"), sortingType_);
    points_->setObjectName(QStringLiteral("ScorebyRbyrCB"));
    roundsToCount_ = new QSpinBox(sortingType_);
    roundsToCount_->setObjectName(QStringLiteral("RoundcSE"));
    roundsToCount_->setRange(1, MaxRounds);
    roundsToCountLabel_ = new QLabel(QStringLiteral("Rounds to count"), sortingType_);
    roundsToCountLabel_->setBuddy(roundsToCount_);
    multipleFtdButton_ = button("Multiple FTD", "MultipleFtdBtn", sortingType_);
    multipleFtdButton_->setEnabled(false);
    auto* sorting = new QGridLayout(sortingType_);
    sorting->addWidget(ftd_, 0, 0);
    sorting->addWidget(multipleFtdButton_, 0, 1, 1, 2);
    sorting->addWidget(points_, 1, 0);
    sorting->addWidget(roundsToCountLabel_, 1, 1);
    sorting->addWidget(roundsToCount_, 1, 2);
    layout->addWidget(sortingType_);

    includeNoScore_ = option("Include drivers with no scores", "includenoscoreCB", this);
    allocateFrequencies_ = option("Allocated frequencies", "AutoAllocatFreqCB", this);
    layout->addWidget(includeNoScore_);
    layout->addWidget(allocateFrequencies_);

    auto* nextButton = button("&Next >", "NextBtn", this);
    nextButton->setDefault(true);
    auto* cancel = button("&Cancel", "CancelBtn", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(nextButton);
    buttons->addWidget(cancel);
    layout->addStretch();
    layout->addLayout(buttons);

    for (QRadioButton* choice : {ability_, results_, ftd_, points_})
        connect(choice, &QRadioButton::toggled, this, &SortTableWindow::showChoices);
    connect(multipleFtdButton_, &QPushButton::clicked, this, &SortTableWindow::multipleFtd);
    connect(nextButton, &QPushButton::clicked, this, &SortTableWindow::next);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showChoices();
}

bool SortTableWindow::openFromSort(bool heatsShown) {
    (heatsShown ? heatsTable_ : finalsTable_)->setChecked(true);
    (heatsShown ? ability_ : results_)->setChecked(true);
    tableChoice_->setEnabled(true);
    return run();
}

bool SortTableWindow::openForFinals() {
    finalsTable_->setChecked(true);
    // The finals are seeded by the results, by the scoring last chosen (FTD unless "RbyR /
    // Points" was), never by the heats' abilities.
    results_->setChecked(true);
    tableChoice_->setEnabled(false);
    return run();
}

void SortTableWindow::setMultipleFtdWindow(std::function<void(QWidget*)> window) {
    multipleFtdWindow_ = std::move(window);
    multipleFtdButton_->setEnabled(static_cast<bool>(multipleFtdWindow_));
}

SortChoice SortTableWindow::choice() const {
    SortChoice c;
    c.heatsTable = heatsTable_->isChecked();
    c.ordering = ability_->isChecked()  ? SeedOrdering::Ability
                 : points_->isChecked() ? SeedOrdering::Points
                                        : SeedOrdering::Ftd;
    c.firstRound = firstRound_->value();
    c.lastRound = lastRound_->value();
    c.roundsToCount = roundsToCount_->value();
    c.includeNoScore = includeNoScore_->isChecked();
    c.allocateFrequencies = allocateFrequencies_->isChecked();
    return c;
}

bool SortTableWindow::run() {
    lastRound_->setValue(program_.settings.roundNumber);
    showChoices();
    if (exec() != QDialog::Accepted) return false;
    HeatSortControl control(program_, op_, choice(), parentWidget());
    return control.exec() == QDialog::Accepted;
}

void SortTableWindow::showChoices() {
    const bool byResults = results_->isChecked();
    roundPanel_->setVisible(byResults);
    sortingType_->setVisible(byResults);
    roundsToCountLabel_->setVisible(points_->isChecked());
    roundsToCount_->setVisible(points_->isChecked());
}

void SortTableWindow::next() {
    const SortChoice c = choice();
    if (writesOverallPageFirst(c) && ports_.writeOverallPage)
        ports_.writeOverallPage(c.firstRound, c.lastRound);
    accept();
}

void SortTableWindow::multipleFtd() {
    if (!multipleFtdWindow_) return;
    multipleFtdWindow_(this);
    // A following FTD ordering ranks by the composite that the window put into round 20.
    firstRound_->setValue(MaxRounds);
    lastRound_->setValue(MaxRounds);
}

} // namespace vexa
