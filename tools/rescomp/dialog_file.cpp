#include "dialog_file.h"

#include "dialog_names.h"
#include "manifest.h"
#include "source_lines.h"

#include "util/le_bytes.h"

namespace rescomp {
namespace {

using lv::ByteWriter;

constexpr std::uint32_t kControlDefault = 0x40000000u | 0x10000000u; // WS_CHILD | WS_VISIBLE
constexpr std::uint32_t kSetFont = 0x40;                             // DS_SETFONT

std::int16_t coordinate(const SourceLine& line, const Token& token) {
    std::int16_t value = 0;
    if (token.quoted || !parse_number(token.text, value))
        line.fail("bad coordinate \"" + token.text + "\"");
    return value;
}

std::uint32_t style_of(const SourceLine& line, const Token& token, std::uint32_t start) {
    std::uint32_t style = start;
    if (token.quoted || !parse_style(token.text, style))
        line.fail("bad style \"" + token.text + "\"");
    return style;
}

std::uint16_t control_id(const SourceLine& line, const Token& token) {
    if (const auto named = control_id_value(token.text))
        return *named;
    std::int32_t value = 0;
    if (token.quoted || !parse_number(token.text, value) || value < -1 || value > 0xFFFF)
        line.fail("bad control id \"" + token.text + "\"");
    return static_cast<std::uint16_t>(value);
}

// Unquoted #n is an ordinal; anything else a text.
DialogName name_of(const SourceLine& line, const Token& token) {
    DialogName name;
    if (!token.quoted && token.text.size() > 1 && token.text[0] == '#') {
        if (!parse_number(std::string_view(token.text).substr(1), name.ordinal) ||
            name.ordinal == 0)
            line.fail("bad ordinal \"" + token.text + "\"");
        return name;
    }
    name.text = token.text;
    return name;
}

void expect_count(const SourceLine& line, std::size_t low, std::size_t high, const char* usage) {
    const std::size_t n = line.tokens.size() - 1;
    if (n < low || n > high)
        line.fail(std::string("expected: ") + usage);
}

void parse_control(const SourceLine& line, DialogSource& dialog) {
    expect_count(line, 8, 9,
                 "control <class> <text> <id> <style> <x> <y> <cx> <cy> [<extended style>]");
    const auto& t = line.tokens;
    DialogControl control;
    control.class_name.text = t[1].text;
    control.class_name.ordinal = t[1].quoted ? 0 : predefined_class_atom(t[1].text);
    if (control.class_name.ordinal)
        control.class_name.text.clear();
    if (control.class_name.text.empty() && !control.class_name.ordinal)
        line.fail("a control needs a class");
    control.text = name_of(line, t[2]);
    control.id = control_id(line, t[3]);
    control.style = style_of(line, t[4], kControlDefault);
    control.x = coordinate(line, t[5]);
    control.y = coordinate(line, t[6]);
    control.cx = coordinate(line, t[7]);
    control.cy = coordinate(line, t[8]);
    if (t.size() == 10)
        control.ex_style = style_of(line, t[9], 0);
    dialog.controls.push_back(std::move(control));
}

// items <id> "text" ...: after the list box or combo box it fills.
void parse_items(const SourceLine& line, DialogSource& dialog) {
    const auto& t = line.tokens;
    if (t.size() < 3)
        line.fail("expected: items <id> <text> [<text> ...]");
    DialogInitItems items;
    items.id = control_id(line, t[1]);
    for (const DialogControl& control : dialog.controls) {
        if (control.id != items.id)
            continue;
        if (control.class_name.ordinal == predefined_class_atom("ListBox"))
            items.message = 0x0401;
        else if (control.class_name.ordinal == predefined_class_atom("ComboBox"))
            items.message = 0x0403;
    }
    if (items.message == 0)
        line.fail("items need a list box or combo box declared before them");
    for (std::size_t i = 2; i < t.size(); ++i) {
        if (!t[i].quoted)
            line.fail("an item is quoted text");
        items.texts.push_back(t[i].text);
    }
    dialog.init.push_back(std::move(items));
}

void parse_line(const SourceLine& line, DialogSource& dialog, bool& has_size) {
    const auto& t = line.tokens;
    const std::string& keyword = t[0].text;
    if (keyword == "control") {
        parse_control(line, dialog);
    } else if (keyword == "items") {
        parse_items(line, dialog);
    } else if (keyword == "caption") {
        expect_count(line, 1, 1, "caption <text>");
        dialog.caption = t[1].text;
    } else if (keyword == "style") {
        expect_count(line, 1, 1, "style <style>");
        dialog.style = style_of(line, t[1], dialog.style & kSetFont);
    } else if (keyword == "exstyle") {
        expect_count(line, 1, 1, "exstyle <extended style>");
        dialog.ex_style = style_of(line, t[1], 0);
    } else if (keyword == "font") {
        expect_count(line, 2, 2, "font <face> <points>");
        dialog.font = t[1].text;
        if (t[2].quoted || !parse_number(t[2].text, dialog.point_size) || dialog.point_size == 0)
            line.fail("bad point size \"" + t[2].text + "\"");
        dialog.style |= kSetFont;
    } else if (keyword == "class") {
        expect_count(line, 1, 1, "class <window class>");
        dialog.class_name = name_of(line, t[1]);
    } else if (keyword == "size") {
        expect_count(line, 2, 2, "size <cx> <cy>");
        dialog.cx = coordinate(line, t[1]);
        dialog.cy = coordinate(line, t[2]);
        has_size = true;
    } else if (keyword == "position") {
        expect_count(line, 2, 2, "position <x> <y>");
        dialog.x = coordinate(line, t[1]);
        dialog.y = coordinate(line, t[2]);
    } else {
        line.fail("unknown line \"" + keyword + "\"");
    }
}

void put_name(ByteWriter& out, const DialogName& name) {
    if (name.ordinal) {
        out.u16(0xFFFF);
        out.u16(name.ordinal);
        return;
    }
    put_utf16_text(out, name.text);
}

} // namespace

bool parse_style(const std::string& expression, std::uint32_t& style) {
    std::size_t start = 0;
    while (start <= expression.size()) {
        const std::size_t bar = expression.find('|', start);
        std::string_view part(expression.data() + start,
                              (bar == std::string::npos ? expression.size() : bar) - start);
        const bool remove = !part.empty() && part[0] == '~';
        if (remove)
            part.remove_prefix(1);
        std::uint32_t value = 0;
        if (const auto named = style_value(part))
            value = *named;
        else if (!parse_number(part, value))
            return false;
        style = remove ? (style & ~value) : (style | value);
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return true;
}

DialogSource parse_dialog_file(const std::string& text, const std::string& file) {
    DialogSource dialog;
    bool has_size = false;
    for_each_source_line(text, file,
                         [&](const SourceLine& line) { parse_line(line, dialog, has_size); });
    if (!has_size)
        throw CompileError(file + ": a dialog needs a size line");
    if (dialog.controls.size() > 0xFFFF)
        throw CompileError(file + ": too many controls");
    return dialog;
}

std::vector<std::uint8_t> write_dialog_template(const DialogSource& dialog) {
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    out.u32(dialog.style);
    out.u32(dialog.ex_style);
    out.u16(static_cast<std::uint16_t>(dialog.controls.size()));
    out.i16(dialog.x);
    out.i16(dialog.y);
    out.i16(dialog.cx);
    out.i16(dialog.cy);
    out.u16(0); // no menu
    put_name(out, dialog.class_name);
    put_utf16_text(out, dialog.caption);
    if (dialog.style & kSetFont) {
        out.u16(dialog.point_size);
        put_utf16_text(out, dialog.font);
    }
    for (const DialogControl& control : dialog.controls) {
        while (bytes.size() % 4)
            out.u8(0);
        out.u32(control.style);
        out.u32(control.ex_style);
        out.i16(control.x);
        out.i16(control.y);
        out.i16(control.cx);
        out.i16(control.cy);
        out.u16(control.id);
        put_name(out, control.class_name);
        put_name(out, control.text);
        out.u16(0); // no creation data
    }
    return bytes;
}

std::vector<std::uint8_t> write_dialog_init(const DialogSource& dialog) {
    std::vector<std::uint8_t> bytes;
    if (dialog.init.empty())
        return bytes;
    ByteWriter out(bytes);
    for (const DialogInitItems& items : dialog.init) {
        for (const std::string& text : items.texts) {
            out.u16(items.id);
            out.u16(items.message);
            out.u32(static_cast<std::uint32_t>(text.size() + 1));
            for (char c : text)
                out.u8(static_cast<std::uint8_t>(c));
            out.u8(0);
        }
    }
    out.u16(0);
    return bytes;
}

} // namespace rescomp
