#include "model/competitor.h"

#include <algorithm>

namespace vexa {

std::vector<int> comp_ent::ownedFreqs() const {
    std::vector<int> out;
    const int count = std::min<int>(owned[0], OwnedFreqCapacity);
    out.reserve(count);
    for (int i = 1; i <= count; ++i) out.push_back(owned[i]);
    return out;
}

void comp_ent::setOwnedFreqs(const std::vector<int>& freqs) {
    const bool flag = noFreqNeeded();
    const int count = std::min<int>(static_cast<int>(freqs.size()), OwnedFreqCapacity);
    for (int i = 1; i < OwnedFreqCapacity; ++i)
        owned[i] = i <= count ? static_cast<uint8_t>(freqs[i - 1]) : 0;
    owned[OwnedFreqCapacity] = count == OwnedFreqCapacity
                                   ? static_cast<uint8_t>(freqs[OwnedFreqCapacity - 1])
                                   : (flag ? NoFreqNeededFlag : 0);
    owned[0] = static_cast<uint8_t>(count);
}

void res_ent::clear() {
    laps[0] = 0;
    time[0] = 0.0;
    for (int r = 1; r <= MaxRounds; ++r) {
        laps[r] = NoLaps;
        time[r] = NoTime;
    }
}

static char upperChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    // Latin-1 accented small letters, except the division sign and y-diaeresis.
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
    return c;
}

std::string capitaliseWords(const std::string& name) {
    std::string out = name;
    for (size_t i = 0; i < out.size(); ++i)
        if (i == 0 || out[i - 1] == ' ') out[i] = upperChar(out[i]);
    return out;
}

std::string upperLatin1(const std::string& text) {
    std::string out = text;
    for (char& c : out) c = upperChar(c);
    return out;
}

} // namespace vexa
