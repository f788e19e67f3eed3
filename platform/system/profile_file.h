// The lines of one profile file, as read, with the sections and keys they hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

class ProfileFile {
public:
    static ProfileFile parse(std::string_view text);
    std::string text() const;

    std::vector<std::string> section_names() const;
    std::optional<std::vector<std::string>> key_names(std::string_view section) const;
    std::optional<std::vector<std::string>> section_lines(std::string_view section) const;
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    void set_value(const std::string& section, const std::string& key, const std::string& value);
    void remove_key(std::string_view section, std::string_view key);
    void remove_section(std::string_view section);
    void replace_section(const std::string& section, const std::vector<std::string>& lines);

private:
    struct Line {
        std::string text;
        bool is_section = false;
        bool has_key = false;
        std::string name;  // the section's or the key's name, trimmed
        std::string value; // trimmed, quotes kept
    };
    // [first, last) of a section's body lines; npos first when the section is missing.
    std::pair<std::size_t, std::size_t> body_of(std::string_view section) const;
    std::size_t header_of(std::string_view section) const;
    static Line make_line(std::string text);

    std::vector<Line> m_lines;
    std::string m_newline = "\r\n";
};

} // namespace lv
