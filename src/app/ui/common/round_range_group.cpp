#include "ui/common/round_range_group.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace vexa {

QSpinBox* numberBox(const char* name, int minimum, int maximum, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

RoundRangeGroup::RoundRangeGroup(int lastRound, QWidget* parent)
    : QGroupBox(QStringLiteral("Rounds to be used"), parent) {
    setObjectName(QStringLiteral("roundsGB"));
    all_ = new QRadioButton(QStringLiteral("All"), this);
    all_->setObjectName(QStringLiteral("useallRoundsRB"));
    all_->setChecked(true);
    rounds_ = new QRadioButton(QStringLiteral("Rounds"), this);
    rounds_->setObjectName(QStringLiteral("RadioButton2"));
    first_ = numberBox("eorpositions1", 1, lastRound, 1, this);
    first_->setAccessibleName(QStringLiteral("First round"));
    last_ = numberBox("eorpositions2", 1, lastRound, 1, this);
    auto* to = new QLabel(QStringLiteral("to"), this);
    to->setBuddy(last_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(all_, 0, 0);
    layout->addWidget(rounds_, 1, 0);
    layout->addWidget(first_, 1, 1);
    layout->addWidget(to, 1, 2);
    layout->addWidget(last_, 1, 3);
}

bool RoundRangeGroup::allRounds() const {
    return all_->isChecked();
}

int RoundRangeGroup::first() const {
    return first_->value();
}

int RoundRangeGroup::last() const {
    return last_->value();
}

void RoundRangeGroup::setRange(int first, int last) {
    first_->setValue(first);
    last_->setValue(last);
}

} // namespace vexa
