#include "output/start_order_print.h"

#include "output/field_format.h"
#include "output/print_header.h"
#include "program/program.h"

#include <algorithm>

namespace vexa {

std::vector<int> heatStartOrder(const Program& program, int heat, int round) {
    const EventData& event = program.event;
    struct Entry {
        int slot = 0;
        int id = 0;
        int judged = 0; // the round judged, 0 for none
        bool picked = false;
    };
    std::vector<Entry> entries;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        const int id = event.heats.idAt(heat, slot);
        if (id == 0) continue;
        Entry e{slot, id, 0, false};
        if (round >= 1)
            e.judged = program.settings.staggerOrderLast ? std::min(round, MaxRounds)
                                                         : BestRound(event, id, 1, round);
        entries.push_back(e);
    }
    std::vector<int> order;
    for (int pick = 0; pick < MaxSlots; ++pick) {
        Entry* best = nullptr;
        int bestLaps = 0;
        double bestTime = 32555.0;
        for (Entry& e : entries) {
            if (e.picked || e.judged == 0) continue;
            const res_ent& r = event.cptres[static_cast<size_t>(e.id)];
            const int laps = r.laps[static_cast<size_t>(e.judged)];
            const double time = r.time[static_cast<size_t>(e.judged)];
            if (laps > bestLaps || (laps == bestLaps && time < bestTime)) {
                best = &e;
                bestLaps = laps;
                bestTime = time;
            }
        }
        // Drivers without a judged round come last, in slot order.
        for (size_t i = 0; !best && i < entries.size(); ++i)
            if (!entries[i].picked && entries[i].judged == 0) best = &entries[i];
        if (!best) break;
        best->picked = true;
        order.push_back(best->slot);
    }
    return order;
}

Outcome printStartOrder(PrintStream& out, const ReportContext& context, int round) {
    if (Outcome opened = PrintHeader(out, context); !opened) return opened;
    const Program& program = context.program;
    out.setFontSize(20);
    writeLine(out, "START ORDER FOR ROUND " + std::to_string(round + 1));
    for (int heat = 1; heat <= MaxRaces; ++heat) {
        bool hasDrivers = false;
        for (int slot = 1; slot <= MaxSlots && !hasDrivers; ++slot)
            hasDrivers = program.event.heats.idAt(heat, slot) != 0;
        if (!hasDrivers) continue;
        out.endLine();
        out.setFontSize(12);
        out.write("Heat: " + PadRight(heat, 2) + "   Start Order....   ");
        int k = 0;
        for (const int slot : heatStartOrder(program, heat, round)) {
            if (program.settings.startOrderNames) {
                out.endLine();
                out.setFontSize(10);
                const int id = program.event.heats.idAt(heat, slot);
                out.write(PadLeft(++k, 2) + "  " + PadRight("Car " + std::to_string(slot), 10) +
                          program.event.competitor(id).name);
            } else {
                out.write("   " + std::to_string(slot));
            }
        }
        out.endLine();
    }
    return out.close();
}

} // namespace vexa
