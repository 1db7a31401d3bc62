#include "output/ftd_report.h"

#include "output/field_format.h"
#include "output/print_header.h"
#include "program/program.h"
#include "race/text_formats.h"
#include "scoring/ftd_standings.h"

namespace vexa {

Outcome PrintFTDResults(PrintStream& out, const ReportContext& context, int first, int last,
                        bool includeNoScore) {
    if (Outcome opened = PrintHeader(out, context); !opened) return opened;
    const Program& program = context.program;
    const FtdStandings standings =
        ftdStandings(program.event, program.settings, first, last, includeNoScore);
    out.setFontSize(20);
    writeLine(out, "FTD Results (Round:" + std::to_string(program.settings.roundNumber) + ")");
    for (const FtdClass& cls : standings.classes) {
        out.setFontSize(12);
        out.endLine();
        setFont(out, ArialFont, 15, FontStyle::plain());
        writeLine(out, "Class:(" + PadRight(cls.className, 20) + ")" +
                           " Drivers:" + std::to_string(cls.drivers));
        setFont(out, CourierNewFont, 10, FontStyle::boldUnderline());
        writeLine(out, "Pos -id-Name                        -Laps        -Time-BR-Pos");
        out.setFontStyle(FontStyle::plain());
        for (const FtdLine& line : cls.lines)
            writeLine(out, PadLeft(line.position, 3) + PadLeft(line.id, 3) + " " +
                               PadRight(line.name, 25) + " " + PadLeft(line.laps, 5) + "   " +
                               PadLeft(FormatLapTime(line.time), 11) + "  " +
                               PadLeft(line.bestRound, 2) + " " + PadLeft(line.position, 3) + " ");
    }
    return out.close();
}

} // namespace vexa
