#pragma once

// A program home holding one full event, "Full Event": 300 competitors, 20 rounds of results,
// both tables full, for the benchmarks that open or start on it.
#include "program/event_store.h"

#include <filesystem>
#include <random>

namespace vexa::bench {

inline void fillFullEvent(Program& program) {
    EventData& e = program.event;
    for (int id = 1; id <= MaxCompetitors; ++id) {
        comp_ent& c = e.competitor(id);
        c.name = "Driver Number " + std::to_string(id);
        c.memno = "M" + std::to_string(id);
        c.classno = static_cast<int8_t>(id % 31);
        c.ability = static_cast<int8_t>(id % 100);
        c.heatfreq = static_cast<uint8_t>(id % 200 + 1);
        c.setOwnedFreqs({1, 5, 9, 33, 120});
        c.picture = "driver" + std::to_string(id) + ".jpg";
        c.transponder = 1000000 + id;
        for (int r = 1; r <= MaxRounds; ++r)
            e.storeResult(id, r, 10 + (id + r) % 9, 300.0 + id * 0.37 + r);
    }
    for (int race = 1; race <= MaxRaces; ++race) {
        e.heats.setInfo(race, std::to_string(race % 31) + "/A");
        e.finals.setInfo(race, std::to_string(race % 31) + "/B");
        for (int slot = 1; slot <= MaxSlots; ++slot) {
            e.heats.setSlotText(race, slot, std::to_string((race * 20 + slot) % 300 + 1));
            e.finals.setSlotText(race, slot, std::to_string((race * 7 + slot) % 300 + 1));
        }
    }
}

struct FullEventHome {
    std::filesystem::path root;
    FullEventHome() {
        std::random_device rd;
        root = std::filesystem::temp_directory_path() / ("vexa-bench-" + std::to_string(rd()));
        Program program;
        program.home.root = root;
        startProgram(program);
        fillFullEvent(program);
        createEvent(program, "Full Event");
    }
    ~FullEventHome() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    // The event opened into a program of its own.
    void open(Program& program) const {
        program.home.root = root;
        openEvent(program, "Full Event");
    }
};

} // namespace vexa::bench
