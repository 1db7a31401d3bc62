#include "ui/tables/final_letter_dialog.h"

#include "model/event_data.h"
#include "programme/final_letter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

LetterBox::LetterBox(char letter, QWidget* parent) : QAbstractSpinBox(parent), letter_(letter) {
    lineEdit()->setReadOnly(true);
    lineEdit()->setMaxLength(1);
    lineEdit()->setText(QString(QLatin1Char(letter_)));
    setAlignment(Qt::AlignCenter);
}

void LetterBox::stepBy(int steps) {
    for (; steps > 0; --steps) letter_ = nextFinalLetter(letter_);
    for (; steps < 0; ++steps) letter_ = previousFinalLetter(letter_);
    lineEdit()->setText(QString(QLatin1Char(letter_)));
}

QAbstractSpinBox::StepEnabled LetterBox::stepEnabled() const {
    return StepUpEnabled | StepDownEnabled;
}

FinalLetterDialog::FinalLetterDialog(EventData& event, int race, QWidget* parent)
    : QDialog(parent), event_(event), race_(race) {
    setObjectName(QStringLiteral("FinalLetterF"));
    setWindowTitle(QStringLiteral("Final Letter"));

    box_ = new LetterBox(finalLetterAtStart(event_.finals.info(race_)), this);
    box_->setObjectName(QStringLiteral("letterED"));
    box_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("WW")) + 40);
    auto* label = new QLabel(QStringLiteral("Select the letter for this final"), this);
    label->setBuddy(box_);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(box_);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void FinalLetterDialog::done(int result) {
    applyFinalLetter(event_, race_, box_->letter());
    QDialog::done(result);
}

} // namespace vexa
