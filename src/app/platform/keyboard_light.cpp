#include "platform/keyboard_light.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vexa {

void KeyboardLight::toggle() {
#ifdef Q_OS_WIN
    // A press and release of Scroll Lock, as the keyboard would send them.
    INPUT keys[2] = {};
    keys[0].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_SCROLL;
    keys[1] = keys[0];
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
#endif
}

} // namespace vexa
