// The rich edit control's document: paragraphs of runs, and the RTF reader that fills it.
#pragma once

#include "win32/types.h"

#include <string>
#include <string_view>
#include <vector>

namespace lv::controls {

constexpr COLORREF kAutoColour = 0xFFFFFFFF; // the control's own text colour

struct RichRun {
    std::string text; // UTF-8
    bool bold = false;
    COLORREF colour = kAutoColour;
    int half_points = 0; // 0: the control's font size
};

struct RichParagraph {
    std::vector<RichRun> runs;
};

struct RichDocument {
    std::vector<RichParagraph> paragraphs;

    // Paragraphs joined by "\r\n", as WM_GETTEXT returns them.
    std::string plain_text() const;
};

// Reads RTF; text that does not start with "{\rtf" is taken as plain text.
// Unknown control words and destinations are skipped; malformed input never fails.
RichDocument read_rtf(std::string_view rtf);
RichDocument read_plain_text(std::string_view text);

} // namespace lv::controls
