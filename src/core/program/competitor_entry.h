#pragma once

#include "model/outcome.h"
#include "model/result_cells.h"

#include <optional>
#include <string>

namespace vexa {

struct Program;
struct comp_ent;

// "Remember numbers are from 1 to 300"
std::string idRangeMessage();

// The competitor entry window ("Drivers Details") without its widgets: the competitor shown, the
// rules of each box, moving between Ids, and what is stored and written when the window hides.
// Every change of a box is stored in the competitor table at once.
class CompetitorEntry {
  public:
    // Starts on Id 1 without changing anything; show() an entry before editing it.
    explicit CompetitorEntry(Program& program);

    int id() const { return id_; }
    const comp_ent& competitor() const;

    // Shows an entry. A free entry (no name) takes its no-frequency-needed flag from the
    // settings: needed when "New Driver requires frequency by default" is on, otherwise not.
    void show(int id);
    // The Id box on Enter or when left: the results typed are stored first; then empty shows
    // Id 1, and a number outside 1..300 shows Id 1 and returns idRangeMessage() for the operator.
    std::optional<std::string> showTyped(const std::string& text, const ResultRows& typed);
    // Back and forward store the results typed on the shown entry first. Back goes to Id - 1
    // (1 stays 1); forward to Id + 1 (300 stays 300), and a free entry ahead takes the class that
    // was shown.
    void back(const ResultRows& typed);
    void forward(const ResultRows& typed);

    void setName(const std::string& text); // cut to 25 characters
    void capitaliseName();                 // Enter in the name box
    void setClass(int classno);            // held to 0..30
    void setNoFreqNeeded(bool on);
    // An empty box stores 0; a value above 100 stores 100 and returns "100" for the box.
    std::optional<std::string> setAbility(const std::string& text);
    void setMemno(const std::string& text);       // cut to 6 characters
    void setTransponder(const std::string& text); // an empty box, or no number, stores 0
    void setEnabled(bool on);
    void setPicture(const std::string& name); // empty removes it

    std::string abilityText() const;     // empty for 0
    std::string transponderText() const; // empty for 0
    std::string className() const;
    // The frequency beside "Fre&q ": "Not Req/2.4Ghz", the frequency of the table raced from, or
    // "None".
    std::string freqText() const;

    // The "Results" rows as shown for the current entry.
    const ResultRows& shownResults() const { return shownResults_; }
    void storeResults(const ResultRows& typed);

    // Hiding the window: the typed results are stored, then the competitors file and the results
    // file are written. A failed write is reported; the tables keep what was typed.
    Outcome hide(const ResultRows& typed);

  private:
    comp_ent& shown();

    Program& program_;
    int id_ = 1;
    ResultRows shownResults_;
};

} // namespace vexa
