#include "base/local_moment.h"

#include <cstdio>

namespace vexa {

LocalMoment LocalMoment::withPlainTexts(int year, int month, int day, int hour, int minute,
                                        int second) {
    LocalMoment m{year, month, day, hour, minute, second, {}, {}};
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", day, month, year);
    m.shortDate = buf;
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hour, minute, second);
    m.longTime = buf;
    return m;
}

} // namespace vexa
