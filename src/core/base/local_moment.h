#pragma once

#include <string>

namespace vexa {

// A moment of the local calendar as the platform gives it, with the platform's short date and
// long time texts. Reports and files are stamped with it; the core never reads the wall clock.
struct LocalMoment {
    int year = 2000;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::string shortDate; // for example 08/12/2026
    std::string longTime;  // for example 14:05:09

    // A moment whose texts are day/month/year and hh:mm:ss, for callers without a platform
    // locale.
    static LocalMoment withPlainTexts(int year, int month, int day, int hour, int minute,
                                      int second);
};

} // namespace vexa
