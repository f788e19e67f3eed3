// The screen-saver command line: the mode letter after the first "/" or "-", and for the
// preview mode the handle of the parent window.
#pragma once

#include <cstdint>
#include <string_view>

struct SaverCommand {
    char mode = 'C';          // 'C' (capital): no switch given
    std::uintptr_t parent = 0; // parsed for 'p' only
};

// `lowered` is the command line after the program name, already lower-cased.
SaverCommand ParseSaverCommandLine(std::string_view lowered);
