// The text sources rescomp reads line by line (dialog and menu files): quoted tokens, numbers,
// comments, and errors that name "file:line".
#pragma once

#include "manifest.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace lv {
class ByteWriter;
}

namespace rescomp {

struct Token {
    std::string text;
    bool quoted = false;
};

struct SourceLine {
    const std::string& file;
    int number;
    std::vector<Token> tokens;

    [[noreturn]] void fail(const std::string& message) const {
        throw CompileError(file + ":" + std::to_string(number) + ": " + message);
    }
};

// Calls `each` with every line that is neither blank nor a comment ('#' first), split into
// tokens; a UTF-8 byte-order mark is skipped. A "double-quoted" token may hold spaces and the
// escapes \" \\ \n \t.
void for_each_source_line(const std::string& text, const std::string& file,
                          const std::function<void(const SourceLine&)>& each);

// Decimal or 0x-hexadecimal, with an optional '-'; false when it does not fit T.
template <typename T> bool parse_number(std::string_view text, T& out) {
    long long value = 0;
    int base = 10;
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return false;
    if (negative)
        value = -value;
    if (value < static_cast<long long>(std::numeric_limits<T>::min()) ||
        value > static_cast<long long>(std::numeric_limits<T>::max()))
        return false;
    out = static_cast<T>(value);
    return true;
}

// The text in UTF-16 with its NUL, as the binary templates store texts.
void put_utf16_text(lv::ByteWriter& out, const std::string& text);

} // namespace rescomp
