#pragma once

namespace vexa {

// The car number a lap counter's key stands for: 1..9 for the digit keys, 10 for 0, and 11..20
// for the letters Q W E R T Y U I O P (either case). 0 for any other key.
int carForKey(char key);

} // namespace vexa
