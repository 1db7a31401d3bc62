#pragma once

#include <cstdio>
#include <string>

namespace vexa::test {

// A line of a `vexa-cli race` script: the moment in seconds, then what happens.
inline std::string scriptLine(double seconds, const std::string& what) {
    char moment[64];
    std::snprintf(moment, sizeof moment, "%.3f ", seconds);
    return moment + what + "\n";
}

// A script's decoder event: the bytes as hexadecimal pairs.
inline std::string decoderEvent(const std::string& bytes) {
    std::string hexText = "decoder";
    char pair[4];
    for (unsigned char c : bytes) {
        std::snprintf(pair, sizeof pair, " %02X", c);
        hexText += pair;
    }
    return hexText;
}

} // namespace vexa::test
