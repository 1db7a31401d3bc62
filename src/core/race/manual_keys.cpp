#include "race/manual_keys.h"

#include <cstring>

namespace vexa {

int carForKey(char key) {
    if (key >= '1' && key <= '9') return key - '0';
    if (key == '0') return 10;
    static const char Letters[] = "QWERTYUIOP";
    const char upper = (key >= 'a' && key <= 'z') ? static_cast<char>(key - 'a' + 'A') : key;
    if (upper == '\0') return 0;
    if (const char* at = std::strchr(Letters, upper)) return 11 + static_cast<int>(at - Letters);
    return 0;
}

} // namespace vexa
