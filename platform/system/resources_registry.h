// The program's resource tables. tools/rescomp generates one table per program and registers
// it at static-initialisation time; tests may register tables of their own.
#pragma once

#include "win32/types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace lv::resources {

enum class Language : std::uint8_t { Neutral = 0, English = 1, Japanese = 2, Korean = 3 };

// The user's language: the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty;
// "ja..." is Japanese, "ko..." Korean, anything else English.
Language user_language();

// A resource type or name: a text (compared case-insensitively), or an id when name is null.
struct ResourceId {
    const char* name;
    WORD id;
};

struct StringEntry {
    UINT id;
    const char* text; // UTF-8
    std::uint32_t length;
};

// Entries sorted by id.
struct StringTable {
    Language language;
    const StringEntry* entries;
    std::size_t count;
};

struct DataEntry {
    ResourceId type;
    ResourceId name;
    Language language;
    const unsigned char* data; // never null, followed by a NUL byte
    std::size_t size;
};

struct ResourceTable {
    const StringTable* string_tables;
    std::size_t string_table_count;
    const DataEntry* data;
    std::size_t data_count;
};

// Tables are searched in registration order. The table must outlive its registration.
void register_table(const ResourceTable& table);
void unregister_table(const ResourceTable& table);

class TableRegistration {
public:
    explicit TableRegistration(const ResourceTable& table) : m_table(table) {
        register_table(table);
    }
    ~TableRegistration() { unregister_table(m_table); }
    TableRegistration(const TableRegistration&) = delete;
    TableRegistration& operator=(const TableRegistration&) = delete;

private:
    const ResourceTable& m_table;
};

// The text of string id in the user's language, else in English.
std::optional<std::string_view> find_string(UINT id);

// The best entry of that type and name: the user's language, then neutral, then English,
// then any. Sets ERROR_RESOURCE_TYPE_NOT_FOUND or ERROR_RESOURCE_NAME_NOT_FOUND on failure.
const DataEntry* find_data(LPCSTR name, LPCSTR type);

// The numeric names of the resources of that type, ascending, each once.
std::vector<WORD> ids_of_type(LPCSTR type);

// Whether entry belongs to a registered table (handles are checked before use).
bool is_registered(const DataEntry* entry);

// The size of the resource whose data start at `data` (what LockResource gave), if any.
std::optional<std::size_t> registered_size_at(const void* data);

} // namespace lv::resources
