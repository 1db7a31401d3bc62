#include "ui/results/final_results_window.h"

#include "model/limits.h"
#include "output/final_results_report.h"
#include "program/program.h"
#include "ui/common/ok_cancel_row.h"
#include "ui/common/round_range_group.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

FinalResultsWindow::FinalResultsWindow(const ReportPrinting& printing, QWidget* parent)
    : QDialog(parent), printing_(printing) {
    setObjectName(QStringLiteral("Ttotalfinal"));
    setWindowTitle(QStringLiteral("Final Results"));
    setModal(true);
    const ProgSettings& settings = printing_.program.settings;

    auto* races = new QGroupBox(QStringLiteral("Select Races"), this);
    races->setObjectName(QStringLiteral("selectracesGB"));
    // Every final of the table and every round of the results can be chosen.
    first_ = numberBox("SpinEdit1", 1, MaxRaces, 1, races);
    last_ =
        numberBox("SpinEdit2", 1, MaxRaces, std::clamp(settings.raceNumber, 1, MaxRaces), races);
    round_ =
        numberBox("SpinEdit3", 1, MaxRounds, std::clamp(settings.roundNumber, 1, MaxRounds), races);
    auto* finalLabel = new QLabel(QStringLiteral("Final"), races);
    finalLabel->setBuddy(first_);
    auto* toLabel = new QLabel(QStringLiteral("to"), races);
    toLabel->setBuddy(last_);
    auto* roundLabel = new QLabel(QStringLiteral("Use round:"), races);
    roundLabel->setBuddy(round_);
    auto* grid = new QGridLayout(races);
    grid->addWidget(finalLabel, 0, 0);
    grid->addWidget(first_, 0, 1);
    grid->addWidget(toLabel, 0, 2);
    grid->addWidget(last_, 0, 3);
    grid->addWidget(roundLabel, 1, 0);
    grid->addWidget(round_, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(races);
    const OkCancelRow row = okCancelRow(layout, "&OK", "cancel", this);
    connect(row.ok, &QPushButton::clicked, this, &FinalResultsWindow::okClicked);
    connect(row.cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FinalResultsWindow::okClicked() {
    const int first = first_->value();
    const int last = last_->value();
    const int round = round_->value();
    accept();
    printing_.print(parentWidget(), "Final Results",
                    [&](PrintStream& out, const ReportContext& context) {
                        return PrintFinalResults(out, context, first, last, round);
                    });
}

} // namespace vexa
