// Whether a dialog's labels show whole: each static's and button's text, measured in its font
// as the control draws it, against the room the control gives it.
#pragma once

#include "win32/win32.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lvtest {

struct ClippedLabel {
    int id = 0;
    std::string text;
    SIZE needed{}; // what the text takes, in pixels
    SIZE room{};   // what the control gives it
};

std::ostream& operator<<(std::ostream& out, const ClippedLabel& label);

// The labels among the window's descendants (shown or not) that do not fit their room.
std::vector<ClippedLabel> ClippedLabels(HWND root);

// A text drawn by someone other than a control (an owner-drawn item): whether it fits `room`
// in `font` with the DrawText `format`; the label when it does not.
std::optional<ClippedLabel> ClippedText(int id, const std::string& text, HFONT font,
                                        const RECT& room, UINT format);

// A text a program gives a control of the template at run time.
struct ShownText {
    int id = 0;
    std::string text;
};

// Creates dialog template `id` of the running module in the user's language (a child template
// inside a hidden window of its own), as the dialog manager lays it out, gives the controls
// the texts shown at run time, and returns its clipped labels; `created` tells whether the
// template could be made at all.
std::vector<ClippedLabel> ClippedLabelsOfTemplate(int id, bool& created,
                                                  const std::vector<ShownText>& texts = {});

} // namespace lvtest
