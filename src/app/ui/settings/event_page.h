#pragma once

#include "settings/prog_settings.h"

#include <QWidget>

#include <string>

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace vexa {

class SettingFields;

// The "Event" page: the event's title, track length, times, current round and race, the table
// raced from and the start types. The title, round, race, table and "Max Race Laps" belong to the
// event's own settings file; the rest to the settings file.
class EventPage : public QWidget {
    Q_OBJECT
  public:
    explicit EventPage(SettingFields& fields, QWidget* parent = nullptr);

    // The values of the event's own file (the others are shown through the settings table).
    void showEventValues(const ProgSettings& settings);
    void storeEventValues(ProgSettings& settings) const;
    // The time fields that closing the window checks, as typed.
    std::string minLapText() const;
    std::string lastLapText() const;
    std::string raceSetupText() const;
    std::string raceIntervalText() const;

  private:
    QLineEdit* title_;
    QLineEdit* minLap_;
    QLineEdit* raceInterval_;
    QLineEdit* raceSetup_;
    QLineEdit* lastLap_;
    QLineEdit* maxLaps_;
    QSpinBox* round_;
    QSpinBox* heat_;
    QRadioButton* heats_;
    QRadioButton* finals_;
};

} // namespace vexa
