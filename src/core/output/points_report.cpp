#include "output/points_report.h"

#include "output/field_format.h"
#include "output/print_header.h"
#include "program/program.h"
#include "scoring/round_points.h"

namespace vexa {

Outcome printPointsReport(PrintStream& out, const ReportContext& context, int first, int last,
                          int count, bool includeNoScore) {
    if (Outcome opened = PrintHeader(out, context); !opened) return opened;
    const Program& program = context.program;
    const PointsStandings standings =
        RoundPoints(program.event, program.settings, first, last, count, includeNoScore);
    out.setFontSize(20);
    writeLine(out, "Points(Rounds:" + std::to_string(first) + "-" + std::to_string(last) +
                       ")Counting " + std::to_string(count) + " Round(s)");
    for (const PointsClass& cls : standings.classes) {
        out.endLine();
        setFont(out, ArialFont, 15, FontStyle::plain());
        writeLine(out, "Class:(" + PadRight(cls.className, 20) + ")" +
                           " Drivers:" + std::to_string(cls.drivers));
        setFont(out, CourierNewFont, 10, FontStyle::boldUnderline());
        writeLine(out, "Pos -Name                    -Points   -Laps     -Time -Round Points.....");
        out.setFontStyle(FontStyle::plain());
        for (const PointsLine& line : cls.lines) {
            std::string text = PadLeft(line.position, 3) + PadRight(line.name, 25) + " " +
                               PadLeft(line.total, 6) + " " + PadLeft(line.bestLaps, 5) + "   " +
                               PadLeft(fixed(line.bestTime, 4, 3), 8) + "  ";
            for (const int position : line.roundPositions) text += PadLeft(position, 3) + " ";
            writeLine(out, text);
        }
    }
    return out.close();
}

} // namespace vexa
