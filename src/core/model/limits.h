#pragma once

// The fixed sizes of an event. The files store the tables in exactly these shapes.
namespace vexa {

inline constexpr int MaxCompetitors = 300; // Ids 1..300
inline constexpr int MaxRounds = 20;       // rounds 1..20 (element 0 unused)
inline constexpr int MaxRaces = 50;        // races 1..50 per racing table
inline constexpr int MaxSlots = 20;        // slots (car numbers) 1..20 per race
inline constexpr int MaxFrequencies = 200; // frequency indices 1..200, 0 = none
inline constexpr int MaxClasses = 31;      // class indices 0..30
inline constexpr int MaxLapTimes = 200;    // stored lap times per entrant

// Field capacities in characters.
inline constexpr int NameCapacity = 25;
inline constexpr int MemnoCapacity = 6;
inline constexpr int OwnedFreqCapacity = 200;
inline constexpr int PictureCapacity = 255;
inline constexpr int CellCapacity = 6;
inline constexpr int FreqNameCapacity = 20;
inline constexpr int ClassNameCapacity = 20;
inline constexpr int TitleCapacity = 80;

// The owned-frequencies character that marks a driver who needs no frequency.
inline constexpr unsigned char NoFreqNeededFlag = 205;

inline bool validId(int id) {
    return id >= 1 && id <= MaxCompetitors;
}
inline bool validRound(int round) {
    return round >= 1 && round <= MaxRounds;
}

} // namespace vexa
