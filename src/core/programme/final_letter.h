#pragma once

#include "model/event_data.h"

#include <string>

namespace vexa {

// The "Final Letter" dialog of a finals column ("Select the letter for this final").

// The letter the dialog starts with: the last character of the information text when it has at
// least 3 characters, otherwise 'A'.
char finalLetterAtStart(const std::string& info);

// The up and down arrows: the next or previous letter, held within 'A'..'Z'. Anything that is
// not a capital letter (an empty box) becomes 'A'.
char nextFinalLetter(char letter);
char previousFinalLetter(char letter);

// On closing: a final with a driver gets the information text "class/letter" from the class of
// its first driver (class 2, letter C gives 2/C); a final without one gets an empty text.
void applyFinalLetter(EventData& event, int race, char letter);

} // namespace vexa
