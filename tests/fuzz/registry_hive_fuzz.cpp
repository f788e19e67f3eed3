// The hive reader on arbitrary text: no crash, and whatever it accepts writes back to the same text
// form it reads again.
#include "system/registry_hive.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto parsed = lv::parse_hive(text);
    if (!parsed)
        return 0;
    std::string written = lv::serialize_hive(**parsed, "FUZZ");
    auto again = lv::parse_hive(written);
    if (!again || lv::serialize_hive(**again, "FUZZ") != written)
        std::abort();
    return 0;
}
