#pragma once

namespace vexa {

// The product's name, shown as the application title and on reports and pages.
inline constexpr const char* ProductTitle = "Vexa Free";
// The version text: the main window caption, the about and welcome windows, reports, pages and
// "LastSet" in the settings file.
inline constexpr const char* ProgramVersion = "0.14";
// The build date text of the about box.
inline constexpr const char* ProgramDateMade = "28/08/2006";

} // namespace vexa
