#include "menu_file.h"

#include "manifest.h"
#include "source_lines.h"

#include "util/le_bytes.h"

#include <optional>
#include <string_view>

namespace rescomp {
namespace {

constexpr std::uint16_t kPopup = 0x0010; // MF_POPUP
constexpr std::uint16_t kEnd = 0x0080;   // MF_END
constexpr std::size_t kMaxDepth = 16;    // what the layer's reader accepts

struct FlagName {
    std::string_view name;
    std::uint16_t value;
};

constexpr FlagName kFlags[] = {
    {"grayed", 0x0001},    {"disabled", 0x0002},     {"checked", 0x0008},
    {"menubreak", 0x0040}, {"menubarbreak", 0x0020}, {"help", 0x4000},
};

std::optional<std::uint16_t> flag_value(std::string_view name) {
    for (const FlagName& flag : kFlags)
        if (flag.name == name)
            return flag.value;
    return std::nullopt;
}

std::uint16_t flags_of(const SourceLine& line, std::size_t first) {
    std::uint16_t flags = 0;
    for (std::size_t i = first; i < line.tokens.size(); ++i) {
        const Token& token = line.tokens[i];
        const auto value = token.quoted ? std::nullopt : flag_value(token.text);
        if (!value)
            line.fail("unknown item flag \"" + token.text + "\"");
        flags |= *value;
    }
    return flags;
}

std::string text_of(const SourceLine& line, const Token& token) {
    if (!token.quoted)
        line.fail("an item's text is quoted");
    if (token.text.empty())
        line.fail("an item needs a text (write \"separator\" for a separator)");
    return token.text;
}

struct Parser {
    std::vector<MenuSourceItem> top;
    // The popups being filled, innermost last, with the line each started on.
    std::vector<std::pair<MenuSourceItem*, int>> open;

    std::vector<MenuSourceItem>& level() {
        return open.empty() ? top : open.back().first->children;
    }

    void line(const SourceLine& line) {
        const auto& t = line.tokens;
        const std::string& keyword = t[0].text;
        if (keyword == "end") {
            if (t.size() != 1)
                line.fail("expected: end");
            if (open.empty())
                line.fail("\"end\" without a popup");
            if (open.back().first->children.empty())
                line.fail("a popup needs an item");
            open.pop_back();
        } else if (keyword == "separator") {
            if (t.size() != 1)
                line.fail("expected: separator");
            MenuSourceItem item;
            item.separator = true;
            level().push_back(std::move(item));
        } else if (keyword == "item") {
            if (t.size() < 3)
                line.fail("expected: item <text> <id> [<flag> ...]");
            MenuSourceItem item;
            item.text = text_of(line, t[1]);
            if (t[2].quoted || !parse_number(t[2].text, item.id) || item.id == 0)
                line.fail("bad item id \"" + t[2].text + "\" (1 to 65535)");
            item.flags = flags_of(line, 3);
            level().push_back(std::move(item));
        } else if (keyword == "popup") {
            if (t.size() < 2)
                line.fail("expected: popup <text> [<flag> ...]");
            if (open.size() >= kMaxDepth)
                line.fail("popups nested too deeply");
            MenuSourceItem item;
            item.popup = true;
            item.text = text_of(line, t[1]);
            item.flags = flags_of(line, 2);
            level().push_back(std::move(item));
            open.emplace_back(&level().back(), line.number);
        } else {
            line.fail("unknown line \"" + keyword + "\"");
        }
    }
};

void write_level(lv::ByteWriter& out, const std::vector<MenuSourceItem>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuSourceItem& item = items[i];
        const std::uint16_t end = i + 1 == items.size() ? kEnd : 0;
        if (item.separator) {
            out.u16(end);
            out.u16(0);
            out.u16(0);
            continue;
        }
        if (item.popup) {
            out.u16(static_cast<std::uint16_t>(item.flags | kPopup | end));
            put_utf16_text(out, item.text);
            write_level(out, item.children);
            continue;
        }
        out.u16(static_cast<std::uint16_t>(item.flags | end));
        out.u16(item.id);
        put_utf16_text(out, item.text);
    }
}

} // namespace

std::vector<MenuSourceItem> parse_menu_file(const std::string& text, const std::string& file) {
    Parser parser;
    for_each_source_line(text, file, [&](const SourceLine& line) { parser.line(line); });
    if (!parser.open.empty())
        throw CompileError(file + ":" + std::to_string(parser.open.back().second) +
                           ": a popup without its \"end\"");
    if (parser.top.empty())
        throw CompileError(file + ": a menu needs an item");
    return parser.top;
}

std::vector<std::uint8_t> write_menu_template(const std::vector<MenuSourceItem>& items) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter out(bytes);
    out.u16(0); // version
    out.u16(0); // no extra header bytes
    write_level(out, items);
    return bytes;
}

} // namespace rescomp
