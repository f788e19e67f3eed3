#include "menu/menu_template.h"

#include "util/le_bytes.h"
#include "util/utf16.h"
#include "win32/menu.h"

namespace lv::menu {
namespace {

constexpr std::size_t kMaxTextUnits = 4096;
constexpr int kMaxDepth = 16;

bool read_text(ByteReader& in, std::string& out) {
    std::u16string units;
    for (;;) {
        std::uint16_t unit = 0;
        if (!in.u16(unit))
            return false;
        if (unit == 0)
            break;
        if (units.size() >= kMaxTextUnits)
            return false;
        units.push_back(static_cast<char16_t>(unit));
    }
    out = utf16_to_utf8(units);
    return true;
}

// One level's items, up to and including the one marked MF_END.
bool read_level(ByteReader& in, std::vector<TemplateItem>& out, int depth) {
    if (depth > kMaxDepth)
        return false;
    for (;;) {
        std::uint16_t options = 0;
        if (!in.u16(options))
            return false;
        TemplateItem item;
        item.options = static_cast<WORD>(options & ~MF_END);
        if (!item.popup() && !in.u16(item.id))
            return false;
        if (!read_text(in, item.text))
            return false;
        if (item.popup() && !read_level(in, item.children, depth + 1))
            return false;
        out.push_back(std::move(item));
        if (options & MF_END)
            return true;
    }
}

} // namespace

std::optional<std::vector<TemplateItem>> parse_menu_template(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    std::uint16_t version = 0, offset = 0;
    if (!in.u16(version) || !in.u16(offset) || version != 0 || !in.skip(offset))
        return std::nullopt;
    std::vector<TemplateItem> items;
    if (!read_level(in, items, 0))
        return std::nullopt;
    return items;
}

} // namespace lv::menu
