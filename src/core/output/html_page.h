#pragma once

#include "model/outcome.h"
#include "output/report_context.h"

#include <filesystem>
#include <optional>
#include <string>

namespace vexa {

// The start of every results table of the pages.
inline constexpr const char* HtmlTableStart =
    "<TABLE FONT ALIGN=\"CENTER\" BORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"2\">";

// Text made safe for HTML and XML: & < > and the double quote become entities; every other
// byte stays as it is.
std::string markupEscape(const std::string& text);

// Appends a line and its CR LF line end.
void appendLine(std::string& out, const std::string& line);

// The first lines of every page: document type, meta elements, title and the banner with the
// meeting title.
void appendPageHead(std::string& out, const ReportContext& context);
// The last lines of every page: the maker's link and the closing tags.
void appendPageFoot(std::string& out, const OutputIdentity& identity);

// The event's folder of HTML pages, or nothing when no event is open or the folder is missing.
std::optional<std::filesystem::path> htmlFolder(const Program& program);

// Writes a page into the event's HTML folder; nothing is written, and nothing reported, when the
// folder does not exist. A page that cannot be written is reported with its file name.
Outcome writeHtmlPage(const Program& program, const std::string& fileName, const std::string& text);

} // namespace vexa
