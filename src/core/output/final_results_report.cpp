#include "output/final_results_report.h"

#include "output/field_format.h"
#include "output/print_header.h"
#include "program/program.h"
#include "race/text_formats.h"
#include "scoring/final_results.h"

namespace vexa {

Outcome PrintFinalResults(PrintStream& out, const ReportContext& context, int first, int last,
                          int round) {
    if (Outcome opened = PrintHeader(out, context); !opened) return opened;
    const Program& program = context.program;
    for (const FinalResult& final :
         finalResults(program.event, program.settings, first, last, round)) {
        out.endLine();
        setFont(out, ArialFont, 20, FontStyle::plain());
        writeLine(out, final.letter + " Final:" + PadRight(final.final, 2) + "(" +
                           PadRight(final.className, 20));
        setFont(out, CourierNewFont, 10, FontStyle::boldUnderline());
        out.write("Pos-Car    -Laps      -Time  -Name                     -Mem.No");
        out.setFontStyle(FontStyle::plain());
        for (const FinalResultLine& line : final.lines) {
            out.endLine();
            out.write(PadLeft(line.position, 3) + " " + PadLeft(line.slot, 3) + " " +
                      PadLeft(line.laps, 7) + " " + PadLeft(FormatLapTime(line.time), 11) + "   " +
                      PadRight(line.name, 25) + " " + PadRight(line.memno, 6) + " ");
        }
        out.endLine();
    }
    return out.close();
}

} // namespace vexa
