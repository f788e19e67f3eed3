// What the installer takes from the first blocks of the staged theme data file: the title
// the installed files are named after, the advert flag and address, and the welcome text.
#pragma once

#include <cstdint>
#include <string>

struct InstallThemeHeader {
    std::string title; // trimmed on both sides
    std::int32_t adFlag = 0;
    // The theme's about text, exactly as stored; empty when the theme has none.
    std::string welcomeRtf;
    std::string primaryAdBase;
};

// Reads the header, the information block, the about text and the overlay block of the
// theme data file at the Windows path `datPath`. False, leaving `out` untouched, when the
// file is missing, foreign, or shorter than the blocks and the about text it announces.
bool ReadInstallThemeHeader(const std::string& datPath, InstallThemeHeader& out);
