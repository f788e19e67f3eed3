// One registry hive in memory and its text form on disk.
#pragma once

#include "win32/types.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

struct RegistryValue {
    std::string name; // empty: the key's default value
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct RegistryKey {
    std::string name;
    std::map<std::string, std::unique_ptr<RegistryKey>> children; // by lower-case name
    std::vector<RegistryValue> values;                            // in creation order

    RegistryKey* child(std::string_view name) const;
    RegistryKey& add_child(const std::string& name);
    RegistryValue* value(std::string_view name);
    bool remove_value(std::string_view name);
};

// The text form: "[Key\Sub]" lines followed by that key's values, one per line.
std::string serialize_hive(const RegistryKey& root, std::string_view title);
// Nothing when the text is not a well-formed hive.
std::optional<std::unique_ptr<RegistryKey>> parse_hive(std::string_view text);

} // namespace lv
