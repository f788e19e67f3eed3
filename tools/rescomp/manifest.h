// The resource manifest of one program: one resource (or one table) per line.
#pragma once

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace rescomp {

// A fault in the manifest or in a file it names, reported as "file:line: message".
class CompileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ManifestLine {
    std::filesystem::path file;
    int number = 0;
    std::string kind;                // first field: "strings", "binary", ...
    std::vector<std::string> fields; // the fields after the kind, variables substituted

    [[noreturn]] void fail(const std::string& message) const;
    std::string where() const;
};

using Variables = std::map<std::string, std::string>;

// Splits the manifest into lines of fields. Blank lines and lines starting with '#' are
// skipped; a field may be double-quoted to hold spaces; ${NAME} is replaced by a variable.
std::vector<ManifestLine> parse_manifest(const std::string& text, const std::filesystem::path& file,
                                         const Variables& variables);

} // namespace rescomp
