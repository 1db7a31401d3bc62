#include "output/transponders_out_print.h"

#include "output/field_format.h"
#include "output/print_header.h"

namespace vexa {

Outcome printTranspondersOut(PrintStream& out, const ReportContext& context,
                             const std::vector<HouseTransponder>& lent) {
    if (Outcome opened = PrintHeader(out, context); !opened) return opened;
    setFont(out, ArialFont, 12, FontStyle::boldStyle());
    writeLine(out, "Transponders out");
    out.endLine();
    setFont(out, CourierNewFont, 10, FontStyle::plain());
    if (lent.empty()) {
        writeLine(out, "Every loan transponder is back");
        return out.close();
    }
    // Columns cut short keep a blank between them.
    const auto line = [&out](const std::string& number, const std::string& label,
                             const std::string& driver, const std::string& event) {
        writeLine(out, PadRight(number, 11) + " " + PadRight(label, 15) + " " +
                           PadRight(driver, 25) + " " + event);
    };
    line("Transponder", "Label", "Driver", "Event");
    for (const HouseTransponder& t : lent)
        line(std::to_string(t.number), t.label, t.loan ? t.loan->driver : std::string{},
             t.loan ? t.loan->event : std::string{});
    return out.close();
}

} // namespace vexa
