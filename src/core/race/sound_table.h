#pragma once

#include "ports/sound_out.h"

#include <filesystem>

namespace vexa {

// The spoken-announcement sounds: 56 slots, each loaded from the program's sounds folder.
// Slots 1..20 are the numbers one to twenty, 21..27 the tens thirty to ninety; 0 and 28 hold no
// sound.
namespace Sound {
inline constexpr int SlotCount = 56;
inline constexpr int Twenty = 20;
inline constexpr int Thirty = 21;
inline constexpr int Countdown = 29;    // cntdown.wav
inline constexpr int LastFinish = 30;   // lfinish.wav
inline constexpr int StartOrder = 31;   // startord.wav
inline constexpr int Half = 32;         // half.wav
inline constexpr int FinishOrder = 33;  // finishorder.wav
inline constexpr int Start = 34;        // start.wav
inline constexpr int RunOrder = 35;     // runorder.wav
inline constexpr int Finished = 36;     // finished.wav
inline constexpr int Currently = 37;    // currently.wav
inline constexpr int IntoRace = 38;     // intorace.wav
inline constexpr int NextMin = 39;      // nextmin.wav
inline constexpr int OneNext = 40;      // onenext.wav
inline constexpr int With = 41;         // with.wav
inline constexpr int Remain = 42;       // remain.wav
inline constexpr int RaceOver = 43;     // raceover.wav
inline constexpr int CarPass = 44;      // carpass.wav
inline constexpr int BookedIn = 45;     // bookedin.wav
inline constexpr int RunStart = 46;     // runstart.wav
inline constexpr int SecondsDrv = 47;   // secondsdrv.wav
inline constexpr int NoImprove = 48;    // noimprove.wav
inline constexpr int CarImprove = 49;   // carimprove.wav
inline constexpr int Car = 50;          // car.wav
inline constexpr int FtdImprove = 51;   // ftdimprove.wav
inline constexpr int RoundImprove = 52; // roundimprove.wav
inline constexpr int CarPassNo = 53;    // carpassno.wav
inline constexpr int CarPassFtd = 54;   // carpassftd.wav
inline constexpr int Started = 55;      // started.wav

// Pass beeps play on channel 0, everything else on channel 1.
inline constexpr int BeepChannel = 0;
inline constexpr int SpeechChannel = 1;

inline bool isPassBeep(int slot) {
    return slot == CarPass || slot == CarPassNo || slot == CarPassFtd;
}
} // namespace Sound

// The file name of a slot, or empty for slots that hold no sound.
const char* SoundFileName(int slot);

// Whether the sounds folder holds a file for every slot that has a sound.
bool soundTableComplete(const std::filesystem::path& soundsDir);

// Loads every sound from the sounds folder, in slot order 1..27, then 29..55.
void loadSoundTable(SoundOut& sound, const std::filesystem::path& soundsDir);

} // namespace vexa
