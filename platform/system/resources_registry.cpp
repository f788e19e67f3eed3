#include "system/resources_registry.h"

#include "win32/errors.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <functional>
#include <mutex>
#include <vector>

namespace lv::resources {

namespace {

struct Registry {
    std::mutex lock;
    std::vector<const ResourceTable*> tables;
};

// Function-local: generated tables register during static initialisation, in any order.
Registry& registry() {
    static Registry instance;
    return instance;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equal_no_case(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (lower(*a) != lower(*b))
            return false;
    }
    return *a == *b;
}

// A name as the caller gives it: MAKEINTRESOURCE(id), "#id" or a text.
struct Wanted {
    const char* name = nullptr;
    WORD id = 0;
};

Wanted wanted_from(LPCSTR given) {
    if (IS_INTRESOURCE(given))
        return {nullptr, static_cast<WORD>(reinterpret_cast<ULONG_PTR>(given))};
    if (given[0] == '#') {
        unsigned value = 0;
        const char* digits = given + 1;
        const char* end = digits + std::strlen(digits);
        const auto [stop, error] = std::from_chars(digits, end, value);
        if (stop == end && error == std::errc() && digits != end && value <= 0xFFFF)
            return {nullptr, static_cast<WORD>(value)};
    }
    return {given, 0};
}

bool matches(const ResourceId& id, const Wanted& wanted) {
    if (wanted.name == nullptr)
        return id.name == nullptr && id.id == wanted.id;
    return id.name != nullptr && equal_no_case(id.name, wanted.name);
}

const StringEntry* find_in(const StringTable& table, UINT id) {
    const StringEntry* end = table.entries + table.count;
    const StringEntry* found = std::lower_bound(
        table.entries, end, id, [](const StringEntry& entry, UINT key) { return entry.id < key; });
    return found != end && found->id == id ? found : nullptr;
}

const StringEntry* find_string_in(const std::vector<const ResourceTable*>& tables, UINT id,
                                  Language language) {
    for (const ResourceTable* table : tables) {
        for (std::size_t i = 0; i < table->string_table_count; ++i) {
            const StringTable& strings = table->string_tables[i];
            if (strings.language != language)
                continue;
            if (const StringEntry* entry = find_in(strings, id))
                return entry;
        }
    }
    return nullptr;
}

int language_rank(Language entry, Language user) {
    if (entry == user)
        return 0;
    if (entry == Language::Neutral)
        return 1;
    if (entry == Language::English)
        return 2;
    return 3;
}

} // namespace

void register_table(const ResourceTable& table) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    r.tables.push_back(&table);
}

void unregister_table(const ResourceTable& table) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    std::erase(r.tables, &table);
}

std::optional<std::string_view> find_string(UINT id) {
    const Language language = user_language();
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    const StringEntry* entry = find_string_in(r.tables, id, language);
    if (!entry && language != Language::English)
        entry = find_string_in(r.tables, id, Language::English);
    if (!entry)
        return std::nullopt;
    return std::string_view(entry->text, entry->length);
}

const DataEntry* find_data(LPCSTR name, LPCSTR type) {
    if (name == nullptr || type == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const Wanted wanted_type = wanted_from(type);
    const Wanted wanted_name = wanted_from(name);
    const Language language = user_language();
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    bool type_seen = false;
    const DataEntry* best = nullptr;
    for (const ResourceTable* table : r.tables) {
        for (std::size_t i = 0; i < table->data_count; ++i) {
            const DataEntry& entry = table->data[i];
            if (!matches(entry.type, wanted_type))
                continue;
            type_seen = true;
            if (!matches(entry.name, wanted_name))
                continue;
            if (!best ||
                language_rank(entry.language, language) < language_rank(best->language, language))
                best = &entry;
        }
    }
    if (!best)
        SetLastError(type_seen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return best;
}

std::vector<WORD> ids_of_type(LPCSTR type) {
    std::vector<WORD> ids;
    if (type == nullptr)
        return ids;
    const Wanted wanted_type = wanted_from(type);
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    for (const ResourceTable* table : r.tables) {
        for (std::size_t i = 0; i < table->data_count; ++i) {
            const DataEntry& entry = table->data[i];
            if (matches(entry.type, wanted_type) && entry.name.name == nullptr)
                ids.push_back(entry.name.id);
        }
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

bool is_registered(const DataEntry* entry) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    for (const ResourceTable* table : r.tables) {
        const std::less_equal<const DataEntry*> at_or_after;
        const std::less<const DataEntry*> before;
        if (at_or_after(table->data, entry) && before(entry, table->data + table->data_count))
            return true;
    }
    return false;
}

std::optional<std::size_t> registered_size_at(const void* data) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    for (const ResourceTable* table : r.tables) {
        for (std::size_t i = 0; i < table->data_count; ++i) {
            if (table->data[i].data == data)
                return table->data[i].size;
        }
    }
    return std::nullopt;
}

} // namespace lv::resources
