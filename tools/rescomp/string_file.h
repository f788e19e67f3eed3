// String-table source files: UTF-8 text, one "id<TAB>text" per line. In the text, \n, \t
// and \\ stand for a line break, a tab and a backslash. Blank lines and lines starting
// with '#' are skipped.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace rescomp {

struct StringFileEntry {
    int line = 0;
    std::uint32_t id = 0;
    std::string text;
};

// Throws CompileError ("file:line: message") on a malformed line or invalid UTF-8.
std::vector<StringFileEntry> parse_string_file(const std::string& content,
                                               const std::string& file_name);

} // namespace rescomp
