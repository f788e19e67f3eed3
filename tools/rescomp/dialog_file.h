// Dialog source files: one dialog in one language, as readable text, compiled to the binary
// template the platform layer reads (DLGTEMPLATE). See README.md, "Dialog files".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rescomp {

// A text, or an ordinal (written #128 in the file) for a resource id or a class atom.
struct DialogName {
    std::string text;
    std::uint16_t ordinal = 0;
};

struct DialogControl {
    DialogName class_name; // predefined classes become their atoms
    DialogName text;
    std::uint16_t id = 0;
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
};

// The strings a list box or combo box starts with: an "items" line of the file.
struct DialogInitItems {
    std::uint16_t id = 0;
    std::uint16_t message = 0; // 0x0401 for a list box, 0x0403 for a combo box
    std::vector<std::string> texts;
};

struct DialogSource {
    std::string caption;
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    std::string font;
    std::uint16_t point_size = 0;
    DialogName class_name;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::vector<DialogControl> controls;
    std::vector<DialogInitItems> init;
};

// Parses a dialog file; throws CompileError naming "<file>:<line>" on a fault.
DialogSource parse_dialog_file(const std::string& text, const std::string& file);

// The binary template: the header, names and texts in UTF-16, items DWORD-aligned.
std::vector<std::uint8_t> write_dialog_template(const DialogSource& dialog);

// The dialog's initialisation data (RT_DLGINIT): per string its control id, message, length and
// UTF-8 bytes with their NUL; a zero id ends it. Empty when no control has items.
std::vector<std::uint8_t> write_dialog_init(const DialogSource& dialog);

// A style expression: names and numbers joined by '|'; "~NAME" removes bits. False for an
// unknown name.
bool parse_style(const std::string& expression, std::uint32_t& style);

} // namespace rescomp
