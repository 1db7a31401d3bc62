#pragma once

#include <string>

namespace vexa {

// The buttons of a question to the operator; the first button is the yes-answer.
enum class Buttons { OkCancel, YesNo, YesCancel };

// The race director at the screen: information boxes and questions, each modal over the window
// that asked.
class Operator {
  public:
    virtual ~Operator() = default;
    // An information box with an OK button.
    virtual void inform(const std::string& text) = 0;
    // A question with the given buttons; true on OK or Yes.
    virtual bool ask(const std::string& text, Buttons buttons) = 0;
    // A confirmation with the buttons OK and Cancel; true on OK.
    bool confirm(const std::string& text) { return ask(text, Buttons::OkCancel); }
    // A message the program gives by itself, not in answer to the operator (a decoder link
    // broken, a journal that cannot be written): shown like `inform`, unless the screen keeps
    // the box back while a race or its countdown runs, so that the lap counters keep the keys.
    virtual void notify(const std::string& text) { inform(text); }
    // A save or an output of the end of a race that failed: a message given by itself, shown
    // like `notify`. A run without a screen also counts it, so that it can end with a failure.
    virtual void reportFailure(const std::string& text) { notify(text); }
};

} // namespace vexa
