#pragma once

#include "ports/operator.h"

namespace vexa {

// The operator's message boxes: modal over the window that is active when the core asks,
// titled with the application's name.
class QtOperator : public Operator {
  public:
    void inform(const std::string& text) override;
    bool ask(const std::string& text, Buttons buttons) override;
};

} // namespace vexa
