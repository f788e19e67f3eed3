#include "system/profile_file.h"

#include "system/paths.h"

namespace lv {
namespace {

constexpr std::size_t npos = std::string::npos;

std::string trim(std::string_view text) {
    auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string strip_quotes(const std::string& value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

ProfileFile::Line ProfileFile::make_line(std::string text) {
    Line line;
    line.text = std::move(text);
    std::string trimmed = trim(line.text);
    if (!trimmed.empty() && trimmed[0] == '[') {
        auto close = trimmed.find(']');
        line.is_section = true;
        line.name = trim(trimmed.substr(1, close == npos ? npos : close - 1));
        return line;
    }
    if (trimmed.empty() || trimmed[0] == ';')
        return line;
    auto equals = trimmed.find('=');
    if (equals == npos)
        return line;
    line.has_key = true;
    line.name = trim(trimmed.substr(0, equals));
    line.value = trim(trimmed.substr(equals + 1));
    return line;
}

ProfileFile ProfileFile::parse(std::string_view text) {
    ProfileFile file;
    if (text.find("\r\n") == npos && text.find('\n') != npos)
        file.m_newline = "\n";
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        std::string_view raw = text.substr(start, end == npos ? npos : end - start);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        file.m_lines.push_back(make_line(std::string(raw)));
        if (end == npos)
            break;
        start = end + 1;
    }
    return file;
}

std::string ProfileFile::text() const {
    std::string out;
    for (const auto& line : m_lines) {
        out += line.text;
        out += m_newline;
    }
    return out;
}

std::size_t ProfileFile::header_of(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].is_section && equal_ignoring_case(m_lines[i].name, section))
            return i;
    }
    return npos;
}

std::pair<std::size_t, std::size_t> ProfileFile::body_of(std::string_view section) const {
    std::size_t header = header_of(section);
    if (header == npos)
        return {npos, npos};
    std::size_t end = header + 1;
    while (end < m_lines.size() && !m_lines[end].is_section)
        ++end;
    return {header + 1, end};
}

std::vector<std::string> ProfileFile::section_names() const {
    std::vector<std::string> names;
    for (const auto& line : m_lines) {
        if (line.is_section)
            names.push_back(line.name);
    }
    return names;
}

std::optional<std::vector<std::string>> ProfileFile::key_names(std::string_view section) const {
    auto [first, last] = body_of(section);
    if (first == npos)
        return std::nullopt;
    std::vector<std::string> names;
    for (std::size_t i = first; i < last; ++i) {
        if (m_lines[i].has_key)
            names.push_back(m_lines[i].name);
    }
    return names;
}

std::optional<std::vector<std::string>> ProfileFile::section_lines(std::string_view section) const {
    auto [first, last] = body_of(section);
    if (first == npos)
        return std::nullopt;
    std::vector<std::string> lines;
    for (std::size_t i = first; i < last; ++i) {
        if (m_lines[i].has_key)
            lines.push_back(m_lines[i].name + "=" + m_lines[i].value);
    }
    return lines;
}

std::optional<std::string> ProfileFile::value(std::string_view section,
                                              std::string_view key) const {
    auto [first, last] = body_of(section);
    if (first == npos)
        return std::nullopt;
    for (std::size_t i = first; i < last; ++i) {
        if (m_lines[i].has_key && equal_ignoring_case(m_lines[i].name, key))
            return strip_quotes(m_lines[i].value);
    }
    return std::nullopt;
}

void ProfileFile::set_value(const std::string& section, const std::string& key,
                            const std::string& value) {
    auto [first, last] = body_of(section);
    if (first == npos) {
        if (!m_lines.empty() && !trim(m_lines.back().text).empty())
            m_lines.push_back(make_line(""));
        m_lines.push_back(make_line("[" + section + "]"));
        m_lines.push_back(make_line(key + "=" + value));
        return;
    }
    std::size_t insert_at = first;
    for (std::size_t i = first; i < last; ++i) {
        if (!m_lines[i].has_key) {
            if (!trim(m_lines[i].text).empty())
                insert_at = i + 1; // after comments that belong to the section
            continue;
        }
        if (equal_ignoring_case(m_lines[i].name, key)) {
            m_lines[i] = make_line(m_lines[i].name + "=" + value);
            return;
        }
        insert_at = i + 1;
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insert_at),
                   make_line(key + "=" + value));
}

void ProfileFile::remove_key(std::string_view section, std::string_view key) {
    auto [first, last] = body_of(section);
    if (first == npos)
        return;
    for (std::size_t i = first; i < last; ++i) {
        if (m_lines[i].has_key && equal_ignoring_case(m_lines[i].name, key)) {
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

void ProfileFile::remove_section(std::string_view section) {
    auto [first, last] = body_of(section);
    if (first == npos)
        return;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(first - 1),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(last));
}

void ProfileFile::replace_section(const std::string& section,
                                  const std::vector<std::string>& lines) {
    auto [first, last] = body_of(section);
    std::vector<Line> body;
    for (const auto& text : lines)
        body.push_back(make_line(text));
    if (first == npos) {
        if (!m_lines.empty() && !trim(m_lines.back().text).empty())
            m_lines.push_back(make_line(""));
        m_lines.push_back(make_line("[" + section + "]"));
        m_lines.insert(m_lines.end(), body.begin(), body.end());
        return;
    }
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(first),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(last));
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(first), body.begin(), body.end());
}

} // namespace lv
