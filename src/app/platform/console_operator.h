#pragma once

#include "ports/operator.h"

#include <cstdio>

namespace vexa {

// The operator of a start without anyone at the screen (an installation check): messages go to
// the standard error stream and every question is answered with its first button.
class ConsoleOperator : public Operator {
  public:
    void inform(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool ask(const std::string& text, Buttons) override {
        std::fprintf(stderr, "%s: answered yes\n", text.c_str());
        return true;
    }
};

} // namespace vexa
