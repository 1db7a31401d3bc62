#pragma once

#include <functional>
#include <memory>

namespace vexa {

class Session;
class EorPositionsWindow;

// Between rounds and after: the end-of-round window the race engine opens after the last race
// of a table, and the output menu's "Final Results", "Position Print (EOR)" and "Statistics".
class EndOfRound {
  public:
    explicit EndOfRound(Session& session);
    ~EndOfRound();

    // Writes the overall pages of the round just completed and shows "End of Round - Options"
    // modally; when it closes the event's main file is written.
    void show();
    // "Position Print (EOR)" and the end-of-round window's "Positions Print".
    void positionsPrint();
    // "Enter Finals" goes through the table sorting windows preset for the finals, shown by this.
    void setSortFinals(std::function<void()> sortFinals) { sortFinals_ = std::move(sortFinals); }

  private:
    void showWindow();
    bool nextRound();
    bool enterFinals();
    void mainScreen();

    Session& session_;
    std::unique_ptr<EorPositionsWindow> positions_;
    std::function<void()> sortFinals_;
};

} // namespace vexa
