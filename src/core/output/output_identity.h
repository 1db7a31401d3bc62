#pragma once

#include "settings/ini_file.h"

#include <filesystem>
#include <string>

namespace vexa {

// The values the printed reports, the HTML pages and the upload file name the program and the
// track by. They are set by hand in the settings file, section "RESULT OUTPUT":
//
//     [RESULT OUTPUT]
//     WEB ADDRESS=https://www.myclub.example
//     COPYRIGHT=Copyright (c) My Model Car Club
//     TRACK NAME=My Club Raceway
//
// The settings window does not show them and saving the settings keeps these lines as typed.
struct OutputIdentity {
    // The maker's home page, with its scheme; shown in report heads, page heads and page feet.
    std::string webAddress = "https://vexa.example.org";
    // The content of the HTML pages' copyright meta element.
    std::string copyright = "Copyright (c) the Vexa developers";
    // TrackName of the upload file.
    std::string trackName = "RC Track";

    // The web address without its scheme ("https://" or "http://" and the like).
    std::string webAddressWithoutScheme() const;
};

inline constexpr const char* OutputIdentitySection = "RESULT OUTPUT";

// The identity from a settings text; a missing or empty key keeps its default.
OutputIdentity loadOutputIdentity(const IniFile& ini);
// The identity from the settings file; a missing file gives every default.
OutputIdentity loadOutputIdentity(const std::filesystem::path& iniPath);

} // namespace vexa
