#include "system/resources_registry.h"

#include <cstdlib>
#include <cstring>

namespace lv::resources {

Language user_language() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0')
            continue;
        if (std::strncmp(value, "ja", 2) == 0)
            return Language::Japanese;
        if (std::strncmp(value, "ko", 2) == 0)
            return Language::Korean;
        return Language::English;
    }
    return Language::English;
}

} // namespace lv::resources
