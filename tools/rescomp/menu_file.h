// Menu source files: one menu in one language, as readable text, compiled to the binary menu
// template the platform layer reads (RT_MENU). See README.md, "Menu files".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rescomp {

struct MenuSourceItem {
    std::string text;
    std::uint16_t id = 0;
    std::uint16_t flags = 0; // MF_GRAYED, MF_CHECKED, MF_MENUBREAK, ... (no MF_END, no MF_POPUP)
    bool popup = false;
    bool separator = false;
    std::vector<MenuSourceItem> children;
};

// The menu's top level; throws CompileError naming "<file>:<line>" on a fault.
std::vector<MenuSourceItem> parse_menu_file(const std::string& text, const std::string& file);

// The binary template: a version-0 header, then the items depth first.
std::vector<std::uint8_t> write_menu_template(const std::vector<MenuSourceItem>& items);

} // namespace rescomp
