// The profile reader on arbitrary text: no crash; edits keep other sections readable.
#include "system/profile_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto file = lv::ProfileFile::parse(text);
    auto sections = file.section_names();
    for (const auto& section : sections) {
        if (auto keys = file.key_names(section)) {
            for (const auto& key : *keys)
                (void)file.value(section, key);
        }
    }
    file.set_value("fuzz", "key", "value");
    auto reread = lv::ProfileFile::parse(file.text());
    if (reread.value("fuzz", "key") != std::optional<std::string>("value"))
        std::abort();
    if (!sections.empty()) {
        reread.remove_section(sections.front());
        reread.set_value(sections.back(), "k", "v");
        (void)reread.text();
    }
    return 0;
}
