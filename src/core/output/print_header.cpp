#include "output/print_header.h"

#include "files/settings_file.h"
#include "program/program.h"

namespace vexa {

void setFont(PrintStream& out, const char* name, int size, FontStyle style) {
    out.setFontName(name);
    out.setFontSize(size);
    out.setFontStyle(style);
}

void writeLine(PrintStream& out, const std::string& text) {
    out.write(text);
    out.endLine();
}

Outcome PrintHeader(PrintStream& out, const ReportContext& context) {
    if (Outcome opened = out.open(); !opened) return opened;
    setFont(out, ArialFont, 13, FontStyle::boldStyle());
    out.write(std::string(ProductTitle) + " " + ProgramVersion + "- " +
              context.identity.webAddress);
    out.setFontStyle(FontStyle::italicStyle());
    out.setFontSize(12);
    out.write("  - ");
    out.write(" Printed:" + context.now.shortDate + " - " + context.now.longTime);
    out.endLine();
    out.setFontSize(12);
    out.setFontStyle(FontStyle::underlineStyle());
    const std::string& title = context.program.settings.eventTitle;
    if (!title.empty()) writeLine(out, title);
    out.setFontStyle(FontStyle::plain());
    out.endLine();
    return Outcome::success();
}

} // namespace vexa
