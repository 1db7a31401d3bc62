#pragma once

#include <string>

namespace vexa {

// The race director at the screen: information boxes and confirmations, each modal.
class Operator {
  public:
    virtual ~Operator() = default;
    // An information box with an OK button.
    virtual void inform(const std::string& text) = 0;
    // A confirmation with the buttons OK and Cancel; true on OK.
    virtual bool confirm(const std::string& text) = 0;
    // A save or an output that failed: shown like `inform`. A run without a screen also counts
    // it, so that it can end with a failure.
    virtual void reportFailure(const std::string& text) { inform(text); }
};

} // namespace vexa
