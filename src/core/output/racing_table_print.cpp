#include "output/racing_table_print.h"

#include "output/field_format.h"
#include "output/print_header.h"
#include "program/program.h"

#include <algorithm>

namespace vexa {

namespace {

// The first driver's Id of a race, or 0 when it has none.
int firstDriver(const RacingTable& table, int race) {
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (const int id = table.idAt(race, slot)) return id;
    return 0;
}

std::string raceTitle(const ProgSettings& settings, const RacingTable& table, bool finals, int race,
                      int classno) {
    const ClassSetup& cls = settings.classSetup(classno);
    if (!finals)
        return "Heat:" + PadRight(race, 2) + "(" + PadRight(cls.name, 20) +
               ") Minutes: " + std::to_string(cls.qualMinutes);
    const std::string& info = table.info(race);
    const std::string letter = info.empty() ? std::string() : info.substr(info.size() - 1);
    const int minutes = letter == "A"   ? cls.aMinutes
                        : letter == "B" ? cls.bMinutes
                                        : cls.otherMinutes;
    return letter + " Final:" + PadRight(race, 2) + " " + PadRight(cls.name, 20) +
           "Minutes: " + std::to_string(minutes);
}

std::string transponderColumn(const comp_ent& c, bool letters, int race, int slot) {
    if (c.transponder > 0) return PadLeft(c.transponder, 7) + "   ";
    if (!letters) return std::string(10, ' ');
    const char first = race % 2 == 1 ? 'A' : 'K';
    return PadRight(std::string(1, static_cast<char>(first + slot - 1)), 7) + "   ";
}

} // namespace

Outcome printRacingTable(PrintStream& out, const ReportContext& context,
                         const RacingTablePrintOptions& options) {
    if (Outcome opened = PrintHeader(out, context); !opened) return opened;
    const Program& program = context.program;
    const ProgSettings& settings = program.settings;
    const RacingTable& table = options.finals ? program.event.finals : program.event.heats;
    const int first = std::max(1, options.rangeStart);
    const int last = std::min(MaxRaces, options.rangeEnd);
    for (int race = first; race <= last; ++race) {
        const int firstId = firstDriver(table, race);
        if (firstId == 0) continue;
        setFont(out, ArialFont, 15, FontStyle::plain());
        writeLine(out, raceTitle(settings, table, options.finals, race,
                                 program.event.competitor(firstId).classno));
        setFont(out, CourierNewFont, 10, FontStyle::boldUnderline());
        writeLine(out, "Car -Id-Name                     -Class               -Transp   "
                       "-Mem.No-Frequency");
        out.setFontStyle(FontStyle::plain());
        for (int slot = 1; slot <= MaxSlots; ++slot) {
            const int id = table.idAt(race, slot);
            if (id == 0) continue;
            const comp_ent& c = program.event.competitor(id);
            std::string line =
                PadLeft(slot, 3) + " " + PadLeft(id, 3) + " " + PadRight(c.name, 25) + " " +
                PadRight(settings.classSetup(c.classno).name, 20) + " " +
                transponderColumn(c, settings.tranLetters, race, slot) + PadLeft(c.memno, 6) + " ";
            if (options.finals && c.finalfreq != c.heatfreq) line += "*";
            if (options.includeFrequencies) {
                if (c.noFreqNeeded())
                    line += "Not Req/2.4Ghz";
                else if (!options.finals)
                    line += program.freqnames.name(c.heatfreq);
                else if (c.finalfreq >= 1 && c.finalfreq <= MaxFrequencies)
                    line += " " + program.freqnames.name(c.finalfreq);
            }
            writeLine(out, line);
        }
        out.endLine();
    }
    return out.close();
}

} // namespace vexa
