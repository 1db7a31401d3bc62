#pragma once

namespace vexa {

// The keyboard's Scroll Lock light, blinked once a second during a race so that the race
// director sees the clock run without looking at the screen. Where the platform gives programs
// no hold of the light, toggling does nothing.
class KeyboardLight {
  public:
    void toggle();
};

} // namespace vexa
