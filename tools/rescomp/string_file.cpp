#include "string_file.h"

#include "manifest.h"

#include <charconv>

namespace rescomp {

namespace {

[[noreturn]] void fail(const std::string& file_name, int line, const std::string& message) {
    throw CompileError(file_name + ":" + std::to_string(line) + ": " + message);
}

bool is_valid_utf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int continuation = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuation = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuation = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuation = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + continuation >= text.size())
            return false;
        for (int k = 1; k <= continuation; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        const std::uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (code < minimum[continuation] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += continuation + 1;
    }
    return true;
}

std::string unescape(const std::string& text, const std::string& file_name, int line) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            fail(file_name, line, "backslash at the end of the text");
        const char code = text[++i];
        if (code == 'n')
            out += '\n';
        else if (code == 't')
            out += '\t';
        else if (code == '\\')
            out += '\\';
        else
            fail(file_name, line, std::string("unknown escape \\") + code);
    }
    return out;
}

} // namespace

std::vector<StringFileEntry> parse_string_file(const std::string& content,
                                               const std::string& file_name) {
    std::vector<StringFileEntry> entries;
    std::size_t start = content.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    int line = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string raw = content.substr(start, end - start);
        start = end + 1;
        ++line;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        if (raw.empty() || raw[0] == '#')
            continue;
        if (!is_valid_utf8(raw))
            fail(file_name, line, "not UTF-8");

        const std::size_t tab = raw.find('\t');
        if (tab == std::string::npos)
            fail(file_name, line, "expected <id><TAB><text>");
        StringFileEntry entry;
        entry.line = line;
        const char* first = raw.data();
        const auto [stop, error] = std::from_chars(first, first + tab, entry.id);
        if (tab == 0 || error != std::errc() || stop != first + tab || entry.id > 0xFFFF)
            fail(file_name, line, "the id \"" + raw.substr(0, tab) + "\" is not a number 0..65535");
        entry.text = unescape(raw.substr(tab + 1), file_name, line);
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace rescomp
