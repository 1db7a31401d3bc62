#pragma once

#include "model/outcome.h"

#include <string>

namespace vexa {

struct Program;
class RaceEngine;

// The three screens of the main window; the program starts on the drivers screen.
enum class Screen { Drivers = 1, Tables = 2, Race = 3 };

inline constexpr const char* ExitQuestionCaption = "Sure you want to exit ?";
inline constexpr const char* ExitQuestionText = "Type \"yes\" to exit";

// The main window's rules: which screen shows, what is saved when it changes, and when the
// program may end.
class MainScreens {
  public:
    explicit MainScreens(Program& program) : program_(program) {}

    Screen current() const { return current_; }
    // The race engine of the race station standing now, or none (before the station is built
    // and once it is gone).
    void useRace(RaceEngine* race) { race_ = race; }
    RaceEngine* race() const { return race_; }
    // Shows a screen. Leaving the tables screen for another screen writes both table files
    // first; the outcome reports a failed write (the screen changes all the same).
    Outcome show(Screen screen);

    // A close request of the main window is ignored without a message while a race runs.
    bool closeRequestHeard() const;
    // What the operator typed in the exit confirmation ends the program: "yes" in any case.
    static bool exitConfirmed(const std::string& typed);
    // What the program saves when it ends: both table files when the tables screen is shown, and
    // the open drivers database (its window closes with the program). Everything is written; the
    // first failure is reported.
    Outcome saveOnExit();

  private:
    Outcome writeTables();

    Program& program_;
    RaceEngine* race_ = nullptr;
    Screen current_ = Screen::Drivers;
};

} // namespace vexa
