#pragma once

#include "model/limits.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

// An owned-frequencies field as the files hold it: [0] is the count, [1..200] the frequency
// indices in ascending order; [200] doubles as the no-frequency-needed flag.
using OwnedFreqBytes = std::array<uint8_t, OwnedFreqCapacity + 1>;

// The owned frequency indices, in stored order.
std::vector<int> ownedFreqList(const OwnedFreqBytes& owned);
// Replaces the owned list (at most 200 kept); character 200 keeps the flag unless the list
// itself reaches it.
void setOwnedFreqList(OwnedFreqBytes& owned, const std::vector<int>& freqs);

// One competitor entry. Text is Latin-1 bytes. An entry is in use when its name is not empty.
struct comp_ent {
    std::string name;     // at most 25 characters; empty = free slot
    int8_t ability = 0;   // 0..100
    std::string memno;    // membership number, at most 6 characters
    int8_t classno = 0;   // index 0..30 into the class table
    uint8_t heatfreq = 0; // index into freqnames, 0 = none
    uint8_t finalfreq = 0;
    // The owned frequencies as the files hold them: owned[0] is the count, owned[1..200] the
    // frequency indices in ascending order. owned[200] doubles as the no-frequency-needed flag.
    OwnedFreqBytes owned{};
    char enabled = 'Y';
    std::string picture; // file name inside driverpics
    int32_t transponder = 0;

    bool inUse() const { return !name.empty(); }
    bool noFreqNeeded() const { return owned[OwnedFreqCapacity] == NoFreqNeededFlag; }
    void setNoFreqNeeded(bool on) { owned[OwnedFreqCapacity] = on ? NoFreqNeededFlag : 0; }
    bool isEnabled() const { return enabled == 'Y'; }

    // The owned frequency indices, in stored order.
    std::vector<int> ownedFreqs() const;
    // Replaces the owned list (at most 200 kept); character 200 keeps the flag unless the list
    // itself reaches it.
    void setOwnedFreqs(const std::vector<int>& freqs);
};

// One competitor's results for rounds 1..20; element 0 is 0 / 0.0 and unused.
struct res_ent {
    std::array<int32_t, MaxRounds + 1> laps{};
    std::array<double, MaxRounds + 1> time{};

    static constexpr int32_t NoLaps = -1;
    static constexpr double NoTime = -1.0;

    void clear(); // every round to "no result"
    bool hasResult(int round) const { return laps[round] > -1 || time[round] > -1.0; }
};

// Every character that starts the name or follows a blank is upper-cased; the rest stay.
std::string capitaliseWords(const std::string& name);

// Upper-cases Latin-1 letters.
std::string upperLatin1(const std::string& text);

} // namespace vexa
