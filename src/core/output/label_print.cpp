#include "output/label_print.h"

#include "files/settings_file.h"
#include "output/field_format.h"
#include "output/print_header.h"
#include "program/program.h"

namespace vexa {

namespace {

class LabelWriter {
  public:
    LabelWriter(PrintStream& out, const Program& program, const LabelPrintOptions& options)
        : out_(out), program_(program), options_(options) {}

    void label(int race, int slot, int id) {
        const comp_ent& c = program_.event.competitor(id);
        const ProgSettings& settings = program_.settings;
        writeLine(out_, "   Id:" + PadRight(id, 3) + " " + PadRight(c.name, 25));
        writeLine(out_, std::string(options_.finals ? "   Final:" : "   Heat:") +
                            PadRight(race, 2) + " Car:" + PadRight(slot, 2));
        writeLine(out_, "   Class:" + PadRight(c.classno, 1) + " - " +
                            PadRight(settings.classSetup(c.classno).name, 20));
        writeLine(out_,
                  "   Frequency:" +
                      PadRight(competitorFreqText(c, program_.freqnames, !options_.finals), 20));
        writeLine(out_, "   " + PadRight(settings.eventTitle, 35));
        out_.write(std::string("   ") + ProductTitle + " Version:" + ProgramVersion);
        ++count_;
        if (options_.printThenFeed || count_ % 7 == 0) {
            out_.formFeed();
        } else {
            out_.endLine();
            out_.endLine();
            out_.endLine();
        }
    }

  private:
    PrintStream& out_;
    const Program& program_;
    const LabelPrintOptions& options_;
    int count_ = 0;
};

} // namespace

Outcome printLabels(PrintStream& out, const ReportContext& context,
                    const LabelPrintOptions& options,
                    const std::function<void(const std::string&)>& ready) {
    const Program& program = context.program;
    const RacingTable& table = options.finals ? program.event.finals : program.event.heats;
    if (Outcome opened = out.open(); !opened) return opened;
    setFont(out, ArialFont, 10, FontStyle::plain());
    LabelWriter writer(out, program, options);
    if (options.carNumberOrder) {
        for (int slot = 1; slot <= MaxSlots; ++slot) {
            int drivers = 0;
            for (int race = 1; race <= MaxRaces; ++race) drivers += table.idAt(race, slot) != 0;
            if (drivers == 0) continue;
            if (ready)
                ready("Ready to print " + std::to_string(drivers) +
                      "* car number :" + std::to_string(slot) + "'s");
            for (int race = 1; race <= MaxRaces; ++race)
                if (const int id = table.idAt(race, slot)) writer.label(race, slot, id);
        }
    } else {
        for (int race = 1; race <= MaxRaces; ++race)
            for (int slot = 1; slot <= MaxSlots; ++slot)
                if (const int id = table.idAt(race, slot)) writer.label(race, slot, id);
    }
    return out.close();
}

} // namespace vexa
