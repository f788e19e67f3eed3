// The binary menu template (RT_MENU) that rescomp writes and LoadMenu reads; see win32/menu.h.
#pragma once

#include "win32/menu.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lv::menu {

struct TemplateItem {
    WORD options = 0;                   // MF_* flags, without MF_END
    WORD id = 0;                        // 0 for a popup
    std::string text;                   // UTF-8
    std::vector<TemplateItem> children; // a popup's items
    bool popup() const { return (options & MF_POPUP) != 0; }
};

// The top level's items; nothing when the bytes are not a whole template of version 0.
std::optional<std::vector<TemplateItem>> parse_menu_template(std::span<const std::uint8_t> bytes);

} // namespace lv::menu
