#include "ui/settings/sound_page.h"

#include "ui/settings/setting_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

SoundPage::SoundPage(SettingFields& fields, std::function<void(int)> speakNumber, QWidget* parent)
    : QWidget(parent), speakNumber_(std::move(speakNumber)) {
    runOrder_ = settingLineEdit(fields, "Readordmin", this);
    narrowField(runOrder_, 2);
    longHint(runOrder_, "Minutes between spoken running orders during a race (0: none)");
    auto* runOrderRow = new QHBoxLayout;
    runOrderRow->addWidget(buddyLabel("Read Running order every", runOrder_, this));
    runOrderRow->addWidget(runOrder_);
    runOrderRow->addWidget(new QLabel(QStringLiteral("Minutes"), this));
    runOrderRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(runOrderRow);
    addCheckBoxes(
        fields, layout,
        {
            {"coundownwarningCB", "Countdown warnings between races",
             "Announce the minutes and seconds left before the next race"},
            {"racenumreadCB", "Read the race number half way",
             "Announce the race number half way into a race"},
            {"readfinishorderCB", "Read the finishing order",
             "Announce the car numbers in finishing order after a race"},
            {"readimprovedCB", "Read the drivers who improved",
             "After a heat, announce the cars whose drivers improved on an earlier round"},
            {"soundremainCB", "Read the remaining time",
             "With the running order, announce the minutes of the race left"},
            {"numendingCB", "Count down the last five seconds (Mass Start)",
             "Count 5, 4, 3, 2, 1 at the end of a mass start race"},
        },
        this);

    auto* test = new QGroupBox(QStringLiteral("Sound Test (Numbers)"), this);
    number_ = new QSpinBox(test);
    number_->setObjectName(QStringLiteral("SpinEdit1"));
    number_->setRange(1, 199);
    longHint(number_, "The number \"Play Number\" speaks");
    auto* play = new QPushButton(QStringLiteral("Play Number"), test);
    play->setObjectName(QStringLiteral("Button2"));
    longHint(play, "Speaks the number, then moves on to the next one");
    auto* testRow = new QHBoxLayout(test);
    testRow->addWidget(buddyLabel("Number", number_, test));
    testRow->addWidget(number_);
    testRow->addWidget(play);
    testRow->addStretch();
    layout->addWidget(test);
    layout->addStretch();

    connect(play, &QPushButton::clicked, this, [this] {
        if (speakNumber_) speakNumber_(number_->value());
        number_->setValue(number_->value() + 1);
    });
}

void SoundPage::emptyRunOrderBecomesZero() {
    if (runOrder_->text().isEmpty()) runOrder_->setText(QStringLiteral("0"));
}

} // namespace vexa
