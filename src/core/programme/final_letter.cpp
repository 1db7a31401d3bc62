#include "programme/final_letter.h"

#include "model/table_queries.h"

namespace vexa {

namespace {
bool capital(char c) {
    return c >= 'A' && c <= 'Z';
}
} // namespace

char finalLetterAtStart(const std::string& info) {
    return info.size() >= 3 ? info.back() : 'A';
}

char nextFinalLetter(char letter) {
    if (!capital(letter)) return 'A';
    return letter == 'Z' ? 'Z' : static_cast<char>(letter + 1);
}

char previousFinalLetter(char letter) {
    if (!capital(letter)) return 'A';
    return letter == 'A' ? 'A' : static_cast<char>(letter - 1);
}

void applyFinalLetter(EventData& event, int race, char letter) {
    const int first = firstDriverId(event.finals, race);
    if (first == 0) {
        event.finals.setInfo(race, {});
        return;
    }
    event.finals.setInfo(race, std::to_string(event.cpts[first].classno) + "/" + letter);
}

} // namespace vexa
