#pragma once

#include "ui/settings/setting_controls.h"

#include <QDialog>

#include <functional>

class QStatusBar;
class QTabWidget;

namespace vexa {

struct Program;
class Operator;
class RaceStation;
class EventPage;
class SoundPage;
class MiscPage;
class DevicesPage;
class TranspondersPage;
class TransponderTestPage;
class ClassesPage;

inline constexpr const char* SetupCaption = "Setup";
inline constexpr const char* SavingSettingsCaption = "Saving settings........ (Please wait)";

// "Setup" (`TProgSetF`): the settings of the program and of the open event on the pages "Event",
// "Sound", "Misc", "Devices/Hardware", "Transponders", "Transponder Test" and "Classes". Made
// once at start-up and shown modally from "Program Setup"; the pages keep what they show between
// showings. Closing it checks the times and ports, stores every page into the settings, sets the
// counting equipment up again when it was changed, and saves the settings file and the event's
// own settings file. The status bar (`SetupFSP`) shows the long hint of the control under the
// mouse.
class SettingsWindow : public QDialog {
    Q_OBJECT
  public:
    SettingsWindow(Program& program, Operator& op, RaceStation& station, QWidget* parent = nullptr);

    // Shows the window modally until it closes.
    void openSetup();
    // What the window does each time it is shown: the settings drawn, the device laid out, the
    // transponder test started.
    void FormActivate();
    // Closing: false (after telling the operator why) keeps the window open with nothing
    // stored.
    bool FormClose();

    // What "Crystal Setup" opens.
    void setCrystalSetup(std::function<void()> open);
    // Waits while the counting equipment is looked for after a change of it.
    void setEquipmentWait(std::function<void()> wait) { waitForEquipment_ = std::move(wait); }

  signals:
    // The settings were stored and saved; `nextRaceChanged` when the round, the race or the
    // table raced from changed.
    void settingsSaved(bool nextRaceChanged);

  public slots:
    void reject() override;

  protected:
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    // The settings, the event's values, the classes and transponders and the device shown.
    void drawSettings();
    void showPages(bool transponderPage, bool testPage);

    Program& program_;
    Operator& op_;
    RaceStation& station_;
    std::function<void()> waitForEquipment_;
    // Made before the pages, which keep their table fields in it.
    SettingFields fields_;
    QTabWidget* tabs_;
    QStatusBar* status_;
    EventPage* event_;
    SoundPage* sound_;
    MiscPage* misc_;
    DevicesPage* devices_;
    TranspondersPage* transponders_;
    TransponderTestPage* test_;
    ClassesPage* classes_;
};

} // namespace vexa
