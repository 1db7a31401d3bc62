#include "ui/results/eor_positions_window.h"

#include "output/ftd_report.h"
#include "output/points_report.h"
#include "program/program.h"
#include "ui/common/choice_group.h"
#include "ui/common/ok_cancel_row.h"
#include "ui/common/round_range_group.h"
#include "ui/results/multiple_ftd_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

EorPositionsWindow::EorPositionsWindow(const ReportPrinting& printing, bool& includeNoScore,
                                       QWidget* parent)
    : QDialog(parent), printing_(printing), includeNoScore_(includeNoScore) {
    setObjectName(QStringLiteral("Trestypefrm"));
    setWindowTitle(QStringLiteral("EOR Positions"));

    auto* layout = new QVBoxLayout(this);
    const ChoicePair method = choiceGroup(layout, "Sort scores by", "SCoreBYftdCB", "FTD",
                                          "ScorebyRbyrCB", "RbyR / Points", this);
    ftd_ = method.first;
    points_ = method.second;

    countPanel_ = new QWidget(this);
    countPanel_->setObjectName(QStringLiteral("roundcountPanel"));
    roundsToCount_ = numberBox("RoundcSE", 1, 20, 1, countPanel_);
    auto* countLabel = new QLabel(QStringLiteral("Rounds to count"), countPanel_);
    countLabel->setBuddy(roundsToCount_);
    auto* count = new QHBoxLayout(countPanel_);
    count->setContentsMargins(0, 0, 0, 0);
    count->addWidget(countLabel);
    count->addWidget(roundsToCount_);
    count->addStretch();

    auto* multiple = new QPushButton(QStringLiteral("Multiple FTD"), this);
    multiple->setObjectName(QStringLiteral("MultipleFTDBtn"));
    range_ = new RoundRangeGroup(20, this);
    noScores_ = new QCheckBox(QStringLiteral("Print Drivers with no scores"), this);
    noScores_->setObjectName(QStringLiteral("EorFNoscoreCB"));
    noScores_->setChecked(includeNoScore_);

    layout->addWidget(countPanel_);
    layout->addWidget(multiple, 0, Qt::AlignLeft);
    layout->addWidget(range_);
    layout->addWidget(noScores_);
    const OkCancelRow row = okCancelRow(layout, "&OK", "Cancel", this);

    connect(ftd_, &QRadioButton::toggled, this, &EorPositionsWindow::methodChanged);
    connect(noScores_, &QCheckBox::toggled, this, [this](bool on) { includeNoScore_ = on; });
    connect(multiple, &QPushButton::clicked, this, &EorPositionsWindow::multipleFtdClicked);
    connect(row.ok, &QPushButton::clicked, this, &EorPositionsWindow::okClicked);
    connect(row.cancel, &QPushButton::clicked, this, &QDialog::reject);
    methodChanged();
}

void EorPositionsWindow::openModal() {
    range_->setRange(range_->first(), printing_.program.settings.roundNumber);
    methodChanged();
    exec();
}

void EorPositionsWindow::methodChanged() {
    countPanel_->setVisible(points_->isChecked());
}

void EorPositionsWindow::okClicked() {
    const int round = printing_.program.settings.roundNumber;
    if (range_->allRounds()) range_->setRange(1, round);
    const int first = range_->first();
    const int last = range_->last();
    const bool noScores = noScores_->isChecked();
    if (ftd_->isChecked()) {
        printing_.print(this, "FTD Positions", [&](PrintStream& out, const ReportContext& context) {
            return PrintFTDResults(out, context, first, last, noScores);
        });
    } else {
        const int count = roundsToCount_->value();
        printing_.print(this, "Points Positions",
                        [&](PrintStream& out, const ReportContext& context) {
                            return printPointsReport(out, context, first, last, count, noScores);
                        });
    }
}

void EorPositionsWindow::multipleFtdClicked() {
    MultipleFtdWindow multiple(printing_.program, printing_.op, this);
    multiple.exec();
    range_->setRange(20, 20);
}

} // namespace vexa
