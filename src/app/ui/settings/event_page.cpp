#include "ui/settings/event_page.h"

#include "model/limits.h"
#include "platform/latin1.h"
#include "settings/setup_fields.h"
#include "ui/settings/setting_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

namespace {

QComboBox* startType(const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems({QStringLiteral("Stagger Start"), QStringLiteral("Mass/Grid")});
    return list;
}

// A time field of the "Times" group with its caption.
QLineEdit* timeField(SettingFields& fields, QGridLayout* grid, int row, const char* caption,
                     const char* control, const char* hint, QWidget* parent) {
    QLineEdit* field = settingLineEdit(fields, control, parent);
    narrowField(field, 4);
    longHint(field, hint);
    grid->addWidget(buddyLabel(caption, field, parent), row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

} // namespace

EventPage::EventPage(SettingFields& fields, QWidget* parent) : QWidget(parent) {
    title_ = limitedLineEdit("meetingtitleED", TitleCapacity, TypedKeys::Any, this);
    longHint(title_, "The name of the meeting, printed on the results and the HTML pages");
    QLineEdit* length = settingLineEdit(fields, "tracklengthED", this);
    narrowField(length, 6);
    longHint(length, "The length of one lap of the track, for the speeds in the results");
    QRadioButton* feet = fields.add(namedRadio("Distfeetchk", "Feet", this));
    QRadioButton* meters = fields.add(namedRadio("distmeterschk", "Meters", this));
    auto* lengthRow = new QHBoxLayout;
    lengthRow->addWidget(length);
    lengthRow->addWidget(feet);
    lengthRow->addWidget(meters);
    lengthRow->addStretch();
    auto* top = new QFormLayout;
    top->addRow(buddyLabel("Event Title", title_, this), title_);
    top->addRow(buddyLabel("Track Length", length, this), lengthRow);

    auto* times = new QGroupBox(QStringLiteral("Times"), this);
    auto* timesGrid = new QGridLayout(times);
    minLap_ = timeField(
        fields, timesGrid, 0, "Min Lap Time", "minlaptED",
        "Seconds: a car crossing the line sooner after its last lap is not counted again", times);
    timeField(fields, timesGrid, 1, "Last Start Time", "LaststarttED",
              "Seconds: the latest start of a car in a stagger start that still runs the full "
              "race time",
              times);
    raceInterval_ = timeField(
        fields, timesGrid, 2, "Race Interval", "tbetweenrED",
        "Seconds of countdown between the end of one race and the start of the next", times);
    raceSetup_ = timeField(
        fields, timesGrid, 3, "Race Setup ", "preracewED",
        "Second of the countdown at which the next race is set up and cars can book in", times);
    lastLap_ = timeField(fields, timesGrid, 4, "Max Last Lap", "maxlastlapT",
                         "Seconds a car has after the race time to finish its last lap", times);
    maxLaps_ = limitedLineEdit("maxLapED", 4, TypedKeys::Digits, times);
    narrowField(maxLaps_, 4);
    longHint(maxLaps_, "A race ends for a car when it has run this many laps (0: no limit)");
    timesGrid->addWidget(buddyLabel("Max Race Laps", maxLaps_, times), 5, 0);
    timesGrid->addWidget(maxLaps_, 5, 1);
    timesGrid->setColumnStretch(2, 1);

    auto* race = new QGroupBox(QStringLiteral("Race"), this);
    round_ = new QSpinBox(race);
    round_->setObjectName(QStringLiteral("rounded"));
    round_->setRange(1, MaxRounds);
    longHint(round_, "The round being raced");
    heat_ = new QSpinBox(race);
    heat_->setObjectName(QStringLiteral("heatnumed"));
    heat_->setRange(1, MaxRaces);
    longHint(heat_, "The race that is set up next");
    heats_ = namedRadio("rheat", "Heats", race);
    finals_ = namedRadio("rfinal", "Finals", race);
    longHint(heats_, "Race from the heats table");
    longHint(finals_, "Race from the finals table");
    QCheckBox* countFirst =
        settingCheckBox(fields, "countfirstLCB", "Count first Lap (Mass Start)", race);
    longHint(countFirst, "In a mass start the first crossing of the line counts as a lap");
    QComboBox* heatType = fields.add(startType("heattypeCB", race));
    QComboBox* finalType = fields.add(startType("finaltypeCB", race));
    longHint(heatType, "How the heats are started");
    longHint(finalType, "How the finals are started");
    auto* raceGrid = new QGridLayout(race);
    raceGrid->addWidget(buddyLabel("Round", round_, race), 0, 0);
    raceGrid->addWidget(round_, 0, 1);
    raceGrid->addWidget(buddyLabel("Heat", heat_, race), 1, 0);
    raceGrid->addWidget(heat_, 1, 1);
    raceGrid->addWidget(heats_, 2, 0);
    raceGrid->addWidget(finals_, 2, 1);
    raceGrid->addWidget(countFirst, 3, 0, 1, 2);
    raceGrid->addWidget(buddyLabel("Heats Start", heatType, race), 4, 0);
    raceGrid->addWidget(heatType, 4, 1);
    raceGrid->addWidget(buddyLabel("Finals Start", finalType, race), 5, 0);
    raceGrid->addWidget(finalType, 5, 1);
    raceGrid->setRowStretch(6, 1);

    auto* groups = new QHBoxLayout;
    groups->addWidget(times);
    groups->addWidget(race);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addStretch();
}

void EventPage::showEventValues(const ProgSettings& s) {
    title_->setText(toQt(s.eventTitle));
    round_->setValue(s.roundNumber);
    heat_->setValue(s.raceNumber);
    (s.racingHeats ? heats_ : finals_)->setChecked(true);
    maxLaps_->setText(QString::number(s.maxRaceLaps));
}

void EventPage::storeEventValues(ProgSettings& s) const {
    s.eventTitle = fromQt(title_->text());
    s.roundNumber = round_->value();
    s.raceNumber = heat_->value();
    s.racingHeats = heats_->isChecked();
    // The field takes four digits at most, so it always holds a whole number; empty is no limit.
    fieldWholeNumber(fromQt(maxLaps_->text()), 0, "Max Race Laps", s.maxRaceLaps);
}

std::string EventPage::minLapText() const {
    return fromQt(minLap_->text());
}
std::string EventPage::lastLapText() const {
    return fromQt(lastLap_->text());
}
std::string EventPage::raceSetupText() const {
    return fromQt(raceSetup_->text());
}
std::string EventPage::raceIntervalText() const {
    return fromQt(raceInterval_->text());
}

} // namespace vexa
