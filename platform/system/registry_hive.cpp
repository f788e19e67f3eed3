#include "system/registry_hive.h"

#include "system/paths.h"

#include <cstdio>

namespace lv {
namespace {

constexpr DWORD kString = 1, kExpandString = 2, kBinary = 3, kDword = 4, kMultiString = 7;

const char* hex_digits = "0123456789abcdef";

void append_hex_byte(std::string& out, unsigned char byte) {
    out += hex_digits[byte >> 4];
    out += hex_digits[byte & 15];
}

int hex_value(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Quoted text: printable ASCII as is, `\\` and `\"` escaped, every other byte as \xHH.
void append_quoted(std::string& out, std::string_view bytes) {
    out += '"';
    for (unsigned char c : bytes) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            append_hex_byte(out, c);
        }
    }
    out += '"';
}

// Key names in headers: '%', brackets and unprintable bytes as %HH; '\' separates names.
void append_key_name(std::string& out, std::string_view name) {
    for (unsigned char c : name) {
        if (c < 0x20 || c >= 0x7F || c == '%' || c == '[' || c == ']') {
            out += '%';
            append_hex_byte(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
}

const char* type_tag(DWORD type) {
    switch (type) {
    case kString:
        return "sz";
    case kExpandString:
        return "expand_sz";
    case kMultiString:
        return "multi_sz";
    default:
        return nullptr;
    }
}

void append_value(std::string& out, const RegistryValue& value) {
    if (value.name.empty())
        out += '@';
    else
        append_quoted(out, value.name);
    out += '=';
    std::string_view bytes(reinterpret_cast<const char*>(value.data.data()), value.data.size());
    if (const char* tag = type_tag(value.type)) {
        out += tag;
        out += ':';
        append_quoted(out, bytes);
    } else if (value.type == kDword && value.data.size() == 4) {
        char text[16];
        DWORD number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                       (static_cast<DWORD>(value.data[3]) << 24);
        std::snprintf(text, sizeof text, "dword:%08x", number);
        out += text;
    } else {
        if (value.type == kBinary) {
            out += "hex:";
        } else {
            out += "hex(" + std::to_string(value.type) + "):";
        }
        for (std::size_t i = 0; i < value.data.size(); ++i) {
            if (i)
                out += ',';
            append_hex_byte(out, value.data[i]);
        }
    }
    out += '\n';
}

void append_key(std::string& out, const RegistryKey& key, const std::string& path) {
    if (!path.empty() || !key.values.empty()) {
        out += '[';
        out += path;
        out += "]\n";
        for (const auto& value : key.values)
            append_value(out, value);
    }
    for (const auto& [lower, child] : key.children) {
        std::string child_path = path;
        if (!child_path.empty())
            child_path += '\\';
        append_key_name(child_path, child->name);
        append_key(out, *child, child_path);
    }
}

class LineParser {
public:
    explicit LineParser(std::string_view line) : m_line(line) {}

    bool at_end() const { return m_pos >= m_line.size(); }
    bool take(char c) {
        if (at_end() || m_line[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }
    bool quoted(std::string& out) {
        if (!take('"'))
            return false;
        while (!at_end()) {
            char c = m_line[m_pos++];
            if (c == '"')
                return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_end())
                return false;
            char escaped = m_line[m_pos++];
            if (escaped == '\\' || escaped == '"') {
                out += escaped;
            } else if (escaped == 'x' && m_pos + 2 <= m_line.size()) {
                int high = hex_value(m_line[m_pos]), low = hex_value(m_line[m_pos + 1]);
                if (high < 0 || low < 0)
                    return false;
                out += static_cast<char>(high * 16 + low);
                m_pos += 2;
            } else {
                return false;
            }
        }
        return false;
    }
    std::string_view until(char c) {
        auto end = m_line.find(c, m_pos);
        if (end == std::string_view::npos)
            end = m_line.size();
        auto part = m_line.substr(m_pos, end - m_pos);
        m_pos = end;
        return part;
    }
    std::string_view rest() {
        auto part = m_line.substr(m_pos);
        m_pos = m_line.size();
        return part;
    }

private:
    std::string_view m_line;
    std::size_t m_pos = 0;
};

bool parse_hex_list(std::string_view text, std::vector<BYTE>& out) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (i + 2 > text.size())
            return false;
        int high = hex_value(text[i]), low = hex_value(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        out.push_back(static_cast<BYTE>(high * 16 + low));
        i += 2;
        if (i < text.size() && text[i++] != ',')
            return false;
    }
    return true;
}

bool parse_key_names(std::string_view path, std::vector<std::string>& names) {
    std::string current;
    for (std::size_t i = 0; i < path.size(); ++i) {
        char c = path[i];
        if (c == '\\') {
            if (current.empty())
                return false;
            names.push_back(std::move(current));
            current.clear();
        } else if (c == '%') {
            if (i + 2 >= path.size())
                return false;
            int high = hex_value(path[i + 1]), low = hex_value(path[i + 2]);
            // A key name never holds the separator, not even written as %5C.
            if (high < 0 || low < 0 || high * 16 + low == '\\')
                return false;
            current += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        names.push_back(std::move(current));
    return !path.empty() || names.empty();
}

bool parse_value(std::string_view line, RegistryKey& key) {
    LineParser parser(line);
    RegistryValue value;
    if (!parser.take('@') && !parser.quoted(value.name))
        return false;
    if (!parser.take('='))
        return false;
    std::string_view tag = parser.until(':');
    if (!parser.take(':'))
        return false;
    if (tag == "sz" || tag == "expand_sz" || tag == "multi_sz") {
        value.type = tag == "sz" ? kString : tag == "expand_sz" ? kExpandString : kMultiString;
        std::string bytes;
        if (!parser.quoted(bytes) || !parser.at_end())
            return false;
        value.data.assign(bytes.begin(), bytes.end());
    } else if (tag == "dword") {
        std::string_view digits = parser.rest();
        if (digits.size() != 8)
            return false;
        DWORD number = 0;
        for (char c : digits) {
            int v = hex_value(c);
            if (v < 0)
                return false;
            number = number * 16 + static_cast<DWORD>(v);
        }
        value.type = kDword;
        for (int shift = 0; shift < 32; shift += 8)
            value.data.push_back(static_cast<BYTE>(number >> shift));
    } else if (tag == "hex" || (tag.starts_with("hex(") && tag.ends_with(")"))) {
        value.type = kBinary;
        if (tag != "hex") {
            std::string number(tag.substr(4, tag.size() - 5));
            if (number.empty() || number.size() > 10 ||
                number.find_first_not_of("0123456789") != std::string::npos)
                return false;
            value.type = static_cast<DWORD>(std::stoull(number));
        }
        if (!parse_hex_list(parser.rest(), value.data))
            return false;
    } else {
        return false;
    }
    if (key.value(value.name))
        return false;
    key.values.push_back(std::move(value));
    return true;
}

} // namespace

RegistryKey* RegistryKey::child(std::string_view name) const {
    auto it = children.find(to_lower_ascii(name));
    return it == children.end() ? nullptr : it->second.get();
}

RegistryKey& RegistryKey::add_child(const std::string& name) {
    auto& slot = children[to_lower_ascii(name)];
    if (!slot) {
        slot = std::make_unique<RegistryKey>();
        slot->name = name;
    }
    return *slot;
}

RegistryValue* RegistryKey::value(std::string_view name) {
    for (auto& v : values) {
        if (equal_ignoring_case(v.name, name))
            return &v;
    }
    return nullptr;
}

bool RegistryKey::remove_value(std::string_view name) {
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (equal_ignoring_case(it->name, name)) {
            values.erase(it);
            return true;
        }
    }
    return false;
}

std::string serialize_hive(const RegistryKey& root, std::string_view title) {
    std::string out = "; registry hive ";
    out += title;
    out += "\n";
    append_key(out, root, "");
    return out;
}

std::optional<std::unique_ptr<RegistryKey>> parse_hive(std::string_view text) {
    auto root = std::make_unique<RegistryKey>();
    RegistryKey* current = root.get();
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            if (line.size() < 2 || line.back() != ']')
                return std::nullopt;
            std::vector<std::string> names;
            if (!parse_key_names(line.substr(1, line.size() - 2), names))
                return std::nullopt;
            current = root.get();
            for (const auto& name : names)
                current = &current->add_child(name);
            continue;
        }
        if (!parse_value(line, *current))
            return std::nullopt;
    }
    return root;
}

} // namespace lv
