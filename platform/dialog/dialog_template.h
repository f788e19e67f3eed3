// Dialog templates read from their binary form (see DLGTEMPLATE in win32/dialog.h).
#pragma once

#include "win32/dialog.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lv::dialog {

// A template field that is either a text or an ordinal (a resource id or a class atom).
struct NameOrOrdinal {
    std::string text;
    WORD ordinal = 0;

    bool empty() const { return ordinal == 0 && text.empty(); }
};

struct DialogItem {
    DWORD style = 0;
    DWORD ex_style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;
    NameOrOrdinal class_name;
    NameOrOrdinal text;
    std::vector<std::uint8_t> creation_data;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD ex_style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal class_name;
    std::string caption;
    WORD point_size = 0; // with DS_SETFONT
    std::string font;
    std::vector<DialogItem> items;
};

// A visible child control of a template built in code (message boxes, common dialogs), at
// (x, y) and of (cx, cy) dialog units.
DialogItem dialog_item(const char* class_name, std::string text, WORD id, DWORD style, int x, int y,
                       int cx, int cy);

// Reads a template; nothing when it is cut short or malformed (extended templates included).
std::optional<DialogTemplate> parse_dialog_template(std::span<const std::uint8_t> bytes);

// The window class an item's class field names: the predefined ordinals become "Button",
// "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"; empty for an unknown ordinal.
std::string item_class_name(const NameOrOrdinal& class_name);

} // namespace lv::dialog
