#include "kinds.h"

namespace rescomp {

namespace {

constexpr ResourceKind kKinds[] = {
    {"strings", "<en|ja|ko> <string file>", compile_strings},
    {"binary", "<type> <name or id> <file>", compile_binary},
    {"bitmap", "<name or id> <file.bmp>", compile_bitmap},
    {"icon", "<name or id> <24-bit file.bmp>", compile_icon},
    {"dialog", "<en|ja|ko> <name or id> <dialog file>", compile_dialog},
    {"menu", "<en|ja|ko> <name or id> <menu file>", compile_menu},
};

} // namespace

std::filesystem::path KindContext::resolve(const std::string& path) const {
    const std::filesystem::path given(path);
    return (given.is_absolute() ? given : manifest_folder / given).lexically_normal();
}

const ResourceKind* find_kind(std::string_view keyword) {
    for (const ResourceKind& kind : kKinds) {
        if (kind.keyword == keyword)
            return &kind;
    }
    return nullptr;
}

} // namespace rescomp
