#pragma once

#include <string>
#include <utility>

namespace vexa {

// The result of an operation that can fail: on failure it carries the text shown to the operator.
struct Outcome {
    bool ok = true;
    std::string message;

    static Outcome success() { return {}; }
    static Outcome failure(std::string text) { return {false, std::move(text)}; }
    explicit operator bool() const { return ok; }
};

} // namespace vexa
