#pragma once

#include <string>
#include <vector>

namespace vexa {

enum class BarColour { Navy, Green, Yellow, Red };

// What the main window's race panel and the race screen show besides the standings: the clock
// texts, race title, marshals, progress bar and the state of the race buttons.
struct RacePanel {
    std::string TimeLB;                 // main window clock label
    std::string specTimeLB;             // race screen clock
    std::string heatnumLB;              // race title, also shown as specheatnumLB
    std::string roundLB;                // "Round 2", also shown as specroundLB
    std::string rtype;                  // "Mass Start" / "Stagger Start"
    std::string racedur;                // race minutes and " Min Race"
    std::string appTitle;               // the application title while racing
    std::vector<std::string> marshalLB; // also the race screen's marshals list
    int timebar = 0;                    // progress 0..100
    BarColour timebarColour = BarColour::Navy;

    bool preButtonsVisible = true; // "&Start Race", countdown buttons, "+1", "+5", "Read &Order"
    bool readOrderEnabled = false; // ReadOBtn
    bool countdownPaused = false;  // the countdown between races stands still
    bool clockLabelVisible = true;
    bool keysButtonEnabled = false; // Keyenablebtn
    std::string keysCaption = "Enable Keys";

    // The caption of the countdown's stop/start button (Stop_StarTBTN).
    const char* pauseCaption() const {
        return countdownPaused ? "Start &Countdown" : "Stop &Countdown";
    }
};

} // namespace vexa
