// The registry calls: key handles name a hive and a path; every call works on the hive's
// current state (see registry_store.h).
#include "win32/registry.h"

#include "system/paths.h"
#include "system/registry_store.h"

#include <cstring>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace lv {
namespace {

struct OpenKey {
    HiveId hive = HiveId::LocalMachine;
    std::vector<std::string> path;
    REGSAM access = KEY_ALL_ACCESS;
    bool predefined = false;
};

struct KeyTable {
    std::mutex mutex;
    std::unordered_map<ULONG_PTR, OpenKey> keys;
    ULONG_PTR next = 0x1000;
};

KeyTable& key_table() {
    static auto* table = new KeyTable;
    return *table;
}

std::optional<OpenKey> resolve(HKEY key) {
    auto value = reinterpret_cast<ULONG_PTR>(key);
    if (key == HKEY_LOCAL_MACHINE)
        return OpenKey{HiveId::LocalMachine, {}, KEY_ALL_ACCESS, true};
    if (key == HKEY_CURRENT_USER)
        return OpenKey{HiveId::CurrentUser, {}, KEY_ALL_ACCESS, true};
    if (key == HKEY_CLASSES_ROOT)
        return OpenKey{HiveId::LocalMachine, {"Software", "Classes"}, KEY_ALL_ACCESS, true};
    auto& table = key_table();
    std::lock_guard lock(table.mutex);
    auto it = table.keys.find(value);
    if (it == table.keys.end())
        return std::nullopt;
    return it->second;
}

HKEY insert_key(OpenKey key) {
    auto& table = key_table();
    std::lock_guard lock(table.mutex);
    ULONG_PTR value = table.next;
    table.next += 4;
    table.keys[value] = std::move(key);
    return reinterpret_cast<HKEY>(value);
}

std::vector<std::string> split_key_path(LPCSTR sub_key) {
    std::vector<std::string> names;
    if (!sub_key)
        return names;
    std::string current;
    for (const char* p = sub_key; *p; ++p) {
        if (*p != '\\') {
            current += *p;
            continue;
        }
        if (!current.empty())
            names.push_back(std::move(current));
        current.clear();
    }
    if (!current.empty())
        names.push_back(std::move(current));
    return names;
}

RegistryKey* walk(RegistryKey& root, const std::vector<std::string>& path) {
    RegistryKey* key = &root;
    for (const auto& name : path) {
        key = key->child(name);
        if (!key)
            return nullptr;
    }
    return key;
}

// The key a handle names, or the error for a handle whose key has gone.
RegistryKey* key_of(RegistryKey& root, const OpenKey& open, LONG& error) {
    RegistryKey* key = walk(root, open.path);
    if (!key)
        error = open.predefined ? ERROR_FILE_NOT_FOUND : ERROR_KEY_DELETED;
    return key;
}

bool is_string_type(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Copies value data by the platform's rules: NULL data asks for the size only, a buffer that is
// too small gets nothing and learns the size.
LONG copy_value_data(const RegistryValue& value, LPDWORD type, LPBYTE data, LPDWORD data_size) {
    if (type)
        *type = value.type;
    auto size = static_cast<DWORD>(value.data.size());
    if (!data) {
        if (data_size)
            *data_size = size;
        return ERROR_SUCCESS;
    }
    if (*data_size < size) {
        *data_size = size;
        return ERROR_MORE_DATA;
    }
    if (size)
        std::memcpy(data, value.data.data(), size);
    bool unterminated = size == 0 || value.data.back() != 0;
    if (is_string_type(value.type) && unterminated && *data_size > size)
        data[size] = 0;
    *data_size = size;
    return ERROR_SUCCESS;
}

LONG copy_name(const std::string& name, LPSTR out, LPDWORD out_size) {
    if (*out_size <= name.size())
        return ERROR_MORE_DATA;
    std::memcpy(out, name.c_str(), name.size() + 1);
    *out_size = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

LONG open_or_create(HKEY key, LPCSTR sub_key, REGSAM desired, bool create, PHKEY result,
                    LPDWORD disposition) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    auto base = resolve(key);
    if (!base)
        return ERROR_INVALID_HANDLE;
    if (sub_key && sub_key[0] == '\\')
        return ERROR_BAD_PATHNAME;
    auto names = split_key_path(sub_key);
    OpenKey opened{base->hive, base->path, desired, false};
    opened.path.insert(opened.path.end(), names.begin(), names.end());
    if (desired & MAXIMUM_ALLOWED)
        opened.access = KEY_ALL_ACCESS;
    bool created = false;
    LONG status = with_hive(base->hive, create, [&](RegistryKey& root, bool& changed) -> LONG {
        RegistryKey* current = base->predefined ? &root : walk(root, base->path);
        if (!current)
            return ERROR_KEY_DELETED;
        // A predefined root starts at the top of its hive, whose path may not exist yet.
        std::vector<std::string> full = base->predefined ? base->path : std::vector<std::string>{};
        full.insert(full.end(), names.begin(), names.end());
        for (std::size_t i = 0; i < full.size(); ++i) {
            RegistryKey* next = current->child(full[i]);
            if (!next) {
                if (!create)
                    return ERROR_FILE_NOT_FOUND;
                if (!(base->access & KEY_CREATE_SUB_KEY))
                    return ERROR_ACCESS_DENIED;
                next = &current->add_child(full[i]);
                created = true;
                changed = true;
            }
            current = next;
        }
        return ERROR_SUCCESS;
    });
    if (status != ERROR_SUCCESS)
        return status;
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = insert_key(std::move(opened));
    return ERROR_SUCCESS;
}

// Runs `work` on the key a handle names, after checking that the handle allows `needed`.
template <class Work> LONG on_key(HKEY key, REGSAM needed, bool write, Work work) {
    auto open = resolve(key);
    if (!open)
        return ERROR_INVALID_HANDLE;
    if ((open->access & needed) != needed)
        return ERROR_ACCESS_DENIED;
    return with_hive(open->hive, write, [&](RegistryKey& root, bool& changed) -> LONG {
        LONG error = ERROR_SUCCESS;
        RegistryKey* target = key_of(root, *open, error);
        if (!target)
            return error;
        return work(*target, changed);
    });
}

} // namespace
} // namespace lv

using lv::RegistryKey;

LONG RegOpenKeyExA(HKEY key, LPCSTR sub_key, DWORD options, REGSAM desired, PHKEY result) {
    return lv::open_or_create(key, sub_key, desired, false, result, nullptr);
}

LONG RegOpenKeyA(HKEY key, LPCSTR sub_key, PHKEY result) {
    return lv::open_or_create(key, sub_key, KEY_ALL_ACCESS, false, result, nullptr);
}

LONG RegCreateKeyExA(HKEY key, LPCSTR sub_key, DWORD reserved, LPSTR class_name, DWORD options,
                     REGSAM desired, LPSECURITY_ATTRIBUTES security, PHKEY result,
                     LPDWORD disposition) {
    if (!sub_key)
        return ERROR_INVALID_PARAMETER;
    return lv::open_or_create(key, sub_key, desired, true, result, disposition);
}

LONG RegCreateKeyA(HKEY key, LPCSTR sub_key, PHKEY result) {
    return lv::open_or_create(key, sub_key, KEY_ALL_ACCESS, true, result, nullptr);
}

LONG RegCloseKey(HKEY key) {
    if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER || key == HKEY_CLASSES_ROOT)
        return ERROR_SUCCESS;
    auto& table = lv::key_table();
    std::lock_guard lock(table.mutex);
    return table.keys.erase(reinterpret_cast<ULONG_PTR>(key)) ? ERROR_SUCCESS
                                                              : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueExA(HKEY key, LPCSTR value_name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD data_size) {
    if (reserved || (data && !data_size))
        return ERROR_INVALID_PARAMETER;
    std::string name = value_name ? value_name : "";
    return lv::on_key(key, KEY_QUERY_VALUE, false, [&](RegistryKey& target, bool&) -> LONG {
        auto* value = target.value(name);
        if (!value)
            return ERROR_FILE_NOT_FOUND;
        return lv::copy_value_data(*value, type, data, data_size);
    });
}

LONG RegSetValueExA(HKEY key, LPCSTR value_name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD data_size) {
    if (!data && data_size)
        return ERROR_INVALID_PARAMETER;
    std::string name = value_name ? value_name : "";
    return lv::on_key(key, KEY_SET_VALUE, true, [&](RegistryKey& target, bool& changed) -> LONG {
        auto* value = target.value(name);
        if (!value) {
            target.values.push_back(lv::RegistryValue{name, type, {}});
            value = &target.values.back();
        }
        value->type = type;
        value->data.assign(data, data + data_size);
        changed = true;
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteValueA(HKEY key, LPCSTR value_name) {
    std::string name = value_name ? value_name : "";
    return lv::on_key(key, KEY_SET_VALUE, true, [&](RegistryKey& target, bool& changed) -> LONG {
        if (!target.remove_value(name))
            return ERROR_FILE_NOT_FOUND;
        changed = true;
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteKeyA(HKEY key, LPCSTR sub_key) {
    auto names = lv::split_key_path(sub_key);
    if (names.empty())
        return ERROR_INVALID_PARAMETER;
    std::string last = names.back();
    names.pop_back();
    return lv::on_key(key, 0, true, [&](RegistryKey& base, bool& changed) -> LONG {
        RegistryKey* parent = lv::walk(base, names);
        RegistryKey* victim = parent ? parent->child(last) : nullptr;
        if (!victim)
            return ERROR_FILE_NOT_FOUND;
        if (!victim->children.empty())
            return ERROR_ACCESS_DENIED;
        parent->children.erase(lv::to_lower_ascii(last));
        changed = true;
        return ERROR_SUCCESS;
    });
}

LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD name_size, LPDWORD reserved,
                   LPSTR class_name, LPDWORD class_size, PFILETIME last_write_time) {
    if (!name || !name_size || reserved)
        return ERROR_INVALID_PARAMETER;
    return lv::on_key(key, KEY_ENUMERATE_SUB_KEYS, false, [&](RegistryKey& target, bool&) -> LONG {
        if (index >= target.children.size())
            return ERROR_NO_MORE_ITEMS;
        auto it = std::next(target.children.begin(), static_cast<std::ptrdiff_t>(index));
        LONG status = lv::copy_name(it->second->name, name, name_size);
        if (status != ERROR_SUCCESS)
            return status;
        if (class_name && class_size && *class_size > 0) {
            class_name[0] = 0;
            *class_size = 0;
        }
        if (last_write_time)
            *last_write_time = FILETIME{0, 0}; // write times are not kept
        return ERROR_SUCCESS;
    });
}

LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD name_size) {
    return RegEnumKeyExA(key, index, name, &name_size, nullptr, nullptr, nullptr, nullptr);
}

LONG RegEnumValueA(HKEY key, DWORD index, LPSTR value_name, LPDWORD value_name_size,
                   LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD data_size) {
    if (!value_name || !value_name_size || reserved || (data && !data_size))
        return ERROR_INVALID_PARAMETER;
    return lv::on_key(key, KEY_QUERY_VALUE, false, [&](RegistryKey& target, bool&) -> LONG {
        if (index >= target.values.size())
            return ERROR_NO_MORE_ITEMS;
        const auto& value = target.values[index];
        LONG status = lv::copy_name(value.name, value_name, value_name_size);
        if (status != ERROR_SUCCESS)
            return status;
        return lv::copy_value_data(value, type, data, data_size);
    });
}

LONG RegQueryInfoKeyA(HKEY key, LPSTR class_name, LPDWORD class_size, LPDWORD reserved,
                      LPDWORD sub_keys, LPDWORD max_sub_key_length, LPDWORD max_class_length,
                      LPDWORD values, LPDWORD max_value_name_length, LPDWORD max_value_length,
                      LPDWORD security_descriptor_size, PFILETIME last_write_time) {
    if (reserved)
        return ERROR_INVALID_PARAMETER;
    return lv::on_key(key, KEY_QUERY_VALUE, false, [&](RegistryKey& target, bool&) -> LONG {
        DWORD longest_key = 0, longest_name = 0, longest_data = 0;
        for (const auto& [lower, child] : target.children)
            longest_key = std::max(longest_key, static_cast<DWORD>(child->name.size()));
        for (const auto& value : target.values) {
            longest_name = std::max(longest_name, static_cast<DWORD>(value.name.size()));
            longest_data = std::max(longest_data, static_cast<DWORD>(value.data.size()));
        }
        if (class_name && class_size && *class_size > 0)
            class_name[0] = 0;
        if (class_size)
            *class_size = 0;
        if (sub_keys)
            *sub_keys = static_cast<DWORD>(target.children.size());
        if (max_sub_key_length)
            *max_sub_key_length = longest_key;
        if (max_class_length)
            *max_class_length = 0;
        if (values)
            *values = static_cast<DWORD>(target.values.size());
        if (max_value_name_length)
            *max_value_name_length = longest_name;
        if (max_value_length)
            *max_value_length = longest_data;
        if (security_descriptor_size)
            *security_descriptor_size = 0;
        if (last_write_time)
            *last_write_time = FILETIME{0, 0};
        return ERROR_SUCCESS;
    });
}

LONG RegFlushKey(HKEY key) {
    // Every change is on disk before the call that made it returns.
    return lv::resolve(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
