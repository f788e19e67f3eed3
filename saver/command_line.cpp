#include "saver/command_line.h"

#include <cctype>
#include <limits>

namespace {

// Reads a decimal window handle as atoi does (leading blanks, optional sign, digits), but
// without atoi's overflow: handles are pointer-sized here.
std::uintptr_t ParseHandle(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::uintptr_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        std::uintptr_t digit = static_cast<std::uintptr_t>(text[i] - '0');
        if (value > (std::numeric_limits<std::uintptr_t>::max() - digit) / 10)
            return 0;
        value = value * 10 + digit;
    }
    return negative ? 0 : value;
}

} // namespace

SaverCommand ParseSaverCommandLine(std::string_view lowered) {
    SaverCommand cmd;
    // '/' and '-' never occur inside a multibyte character of UTF-8, so a byte search is the
    // multibyte-aware search.
    std::size_t pos = lowered.find_first_of("/-");
    if (pos == std::string_view::npos || pos + 1 >= lowered.size())
        return cmd;
    cmd.mode = lowered[pos + 1];
    if (cmd.mode == 'p' && lowered.size() > pos + 3)
        cmd.parent = ParseHandle(lowered.substr(pos + 2));
    return cmd;
}
