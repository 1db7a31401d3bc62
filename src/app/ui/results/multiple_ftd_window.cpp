#include "ui/results/multiple_ftd_window.h"

#include "ports/operator.h"
#include "program/program.h"
#include "scoring/multiple_ftd.h"
#include "ui/common/ok_cancel_row.h"
#include "ui/common/round_range_group.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

MultipleFtdWindow::MultipleFtdWindow(Program& program, Operator& op, QWidget* parent)
    : QDialog(parent), program_(program), op_(op) {
    setObjectName(QStringLiteral("TMulti_FTDF"));
    setWindowTitle(QStringLiteral("Multiple FTD"));
    setModal(true);

    roundsToScore_ = numberBox("RoundcSE", 2, 19, 2, this);
    auto* label = new QLabel(QStringLiteral("Number of round to score"), this);
    label->setBuddy(roundsToScore_);
    range_ = new RoundRangeGroup(19, this);
    range_->setRange(1, std::clamp(program_.settings.roundNumber, 1, 19));

    auto* count = new QHBoxLayout;
    count->addWidget(label);
    count->addWidget(roundsToScore_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(count);
    layout->addWidget(range_);
    const OkCancelRow row = okCancelRow(layout, "&OK", "Cancel", this);
    connect(row.ok, &QPushButton::clicked, this, &MultipleFtdWindow::okClicked);
    connect(row.cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void MultipleFtdWindow::okClicked() {
    const MultipleFtdChoice choice{range_->allRounds(), range_->first(), range_->last(),
                                   roundsToScore_->value()};
    if (const Outcome summed = MultipleFTD(program_.event, choice); !summed) {
        op_.inform(summed.message);
        return;
    }
    accept();
}

} // namespace vexa
