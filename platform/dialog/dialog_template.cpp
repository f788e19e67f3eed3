#include "dialog/dialog_template.h"

#include "util/le_bytes.h"
#include "util/utf16.h"

namespace lv::dialog {
namespace {

constexpr WORD kOrdinalMark = 0xFFFF;
constexpr std::size_t kMaxTextUnits = 32768;

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

bool read_name(ByteReader& in, NameOrOrdinal& out) {
    std::uint16_t first = 0;
    if (!in.u16(first))
        return false;
    if (first == 0)
        return true;
    if (first == kOrdinalMark)
        return in.u16(out.ordinal) && (out.ordinal != 0);
    if (!in.seek(in.position() - 2))
        return false;
    return read_text(in, out.text);
}

bool align_to_dword(ByteReader& in) {
    const std::size_t pad = (4 - in.position() % 4) % 4;
    return in.skip(std::min(pad, in.remaining()));
}

bool read_short(ByteReader& in, short& out) {
    std::int16_t v = 0;
    if (!in.i16(v))
        return false;
    out = v;
    return true;
}

bool read_item(ByteReader& in, DialogItem& item) {
    std::uint32_t style = 0, ex_style = 0;
    std::uint16_t id = 0, data_size = 0;
    if (!align_to_dword(in) || !in.u32(style) || !in.u32(ex_style) || !read_short(in, item.x) ||
        !read_short(in, item.y) || !read_short(in, item.cx) || !read_short(in, item.cy) ||
        !in.u16(id))
        return false;
    item.style = style;
    item.ex_style = ex_style;
    item.id = id;
    if (!read_name(in, item.class_name) || item.class_name.empty() || !read_name(in, item.text) ||
        !in.u16(data_size))
        return false;
    if (data_size == 0)
        return true;
    // The count includes itself on the platform; the data follow it.
    const std::size_t bytes = data_size >= 2 ? data_size - 2u : 0u;
    std::span<const std::uint8_t> data;
    if (!in.view(data, bytes))
        return false;
    item.creation_data.assign(data.begin(), data.end());
    return true;
}

} // namespace

std::optional<DialogTemplate> parse_dialog_template(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    DialogTemplate t;
    std::uint32_t style = 0, ex_style = 0;
    std::uint16_t count = 0;
    if (!in.u32(style) || !in.u32(ex_style) || !in.u16(count) || !read_short(in, t.x) ||
        !read_short(in, t.y) || !read_short(in, t.cx) || !read_short(in, t.cy))
        return std::nullopt;
    // An extended template starts with version 1 and signature 0xFFFF.
    if ((style & 0xFFFF) == 1 && (style >> 16) == 0xFFFF)
        return std::nullopt;
    t.style = style;
    t.ex_style = ex_style;
    if (!read_name(in, t.menu) || !read_name(in, t.class_name) || !read_text(in, t.caption))
        return std::nullopt;
    if (t.style & DS_SETFONT) {
        if (!in.u16(t.point_size) || !read_text(in, t.font))
            return std::nullopt;
    }
    // Each item needs at least its 18-byte header and three words.
    if (count > in.remaining() / 24 + 1)
        return std::nullopt;
    t.items.resize(count);
    for (DialogItem& item : t.items) {
        if (!read_item(in, item))
            return std::nullopt;
    }
    return t;
}

std::string item_class_name(const NameOrOrdinal& class_name) {
    if (class_name.ordinal == 0)
        return class_name.text;
    switch (class_name.ordinal) {
    case 0x0080:
        return "Button";
    case 0x0081:
        return "Edit";
    case 0x0082:
        return "Static";
    case 0x0083:
        return "ListBox";
    case 0x0084:
        return "ScrollBar";
    case 0x0085:
        return "ComboBox";
    default:
        return {};
    }
}

DialogItem dialog_item(const char* class_name, std::string text, WORD id, DWORD style, int x, int y,
                       int cx, int cy) {
    DialogItem i;
    i.class_name.text = class_name;
    i.text.text = std::move(text);
    i.id = id;
    i.style = WS_CHILD | WS_VISIBLE | style;
    i.x = static_cast<short>(x);
    i.y = static_cast<short>(y);
    i.cx = static_cast<short>(cx);
    i.cy = static_cast<short>(cy);
    return i;
}

} // namespace lv::dialog
