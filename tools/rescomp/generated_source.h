// What one manifest compiles to, and its rendering as a C++ source that registers the
// program's resource table with the platform layer when the program starts.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace rescomp {

// Same values as lv::resources::Language.
enum class Language : std::uint8_t { Neutral = 0, English = 1, Japanese = 2, Korean = 3 };

std::optional<Language> language_from_code(const std::string& code); // "en", "ja", "ko"
const char* language_enumerator(Language language);

// A resource type or name: a number (an id) or a text.
struct ResourceId {
    std::optional<std::uint16_t> id;
    std::string name;

    bool operator==(const ResourceId& other) const;
    std::string describe() const;
};

// Parses a manifest token: "130" and "#130" are ids, anything else is a name.
// Returns nothing for an id outside 1..65535 or an empty name.
std::optional<ResourceId> parse_resource_id(const std::string& token);

struct DataResource {
    ResourceId type;
    ResourceId name;
    Language language = Language::Neutral;
    // Either the bytes themselves (small payloads) or a file assembled in with .incbin.
    std::vector<std::uint8_t> bytes;
    std::optional<std::filesystem::path> file;
    std::uint64_t size = 0;
};

class GeneratedSource {
public:
    // Payloads up to this size are written as byte arrays; larger ones are assembled in.
    static constexpr std::uint64_t kInlineLimit = 4096;

    // Returns false when the id already has a text in that language.
    bool add_string(Language language, std::uint32_t id, std::string text);
    // Returns false when a resource of that type, name and language already exists.
    bool add_data(DataResource resource);

    const std::vector<DataResource>& data() const { return m_data; }

    void add_dependency(const std::filesystem::path& file) { m_dependencies.insert(file); }
    const std::set<std::filesystem::path>& dependencies() const { return m_dependencies; }

    // symbol_prefix makes the assembler labels unique within the program.
    std::string render(const std::string& manifest_name, const std::string& symbol_prefix) const;

private:
    std::map<Language, std::map<std::uint32_t, std::string>> m_strings;
    std::vector<DataResource> m_data;
    std::set<std::filesystem::path> m_dependencies;
};

} // namespace rescomp
