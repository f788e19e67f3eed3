#include "manifest.h"

namespace rescomp {

std::string ManifestLine::where() const {
    return file.string() + ":" + std::to_string(number);
}

void ManifestLine::fail(const std::string& message) const {
    throw CompileError(where() + ": " + message);
}

namespace {

std::string substitute(const std::string& field, const ManifestLine& line,
                       const Variables& variables) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '$' || i + 1 >= field.size() || field[i + 1] != '{') {
            out += field[i];
            continue;
        }
        const std::size_t close = field.find('}', i + 2);
        if (close == std::string::npos)
            line.fail("unterminated ${ in \"" + field + "\"");
        const std::string name = field.substr(i + 2, close - i - 2);
        const auto found = variables.find(name);
        if (found == variables.end())
            line.fail("unknown variable ${" + name + "}");
        out += found->second;
        i = close;
    }
    return out;
}

std::vector<std::string> split_fields(const std::string& text, const ManifestLine& line) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        std::string field;
        if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            if (close == std::string::npos)
                line.fail("unterminated quoted field");
            field = text.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            const std::size_t end = text.find_first_of(" \t", i);
            field = text.substr(i, end == std::string::npos ? std::string::npos : end - i);
            i = end == std::string::npos ? text.size() : end;
        }
        fields.push_back(std::move(field));
    }
    return fields;
}

} // namespace

std::vector<ManifestLine> parse_manifest(const std::string& text, const std::filesystem::path& file,
                                         const Variables& variables) {
    std::vector<ManifestLine> lines;
    std::size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string raw = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        const std::size_t first = raw.find_first_not_of(" \t");
        if (first == std::string::npos || raw[first] == '#')
            continue;

        ManifestLine line;
        line.file = file;
        line.number = number;
        std::vector<std::string> fields = split_fields(raw, line);
        line.kind = fields.front();
        for (std::size_t i = 1; i < fields.size(); ++i)
            line.fields.push_back(substitute(fields[i], line, variables));
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace rescomp
