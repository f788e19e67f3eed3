// The rich edit control's RTF reader on arbitrary bytes: no crash, and the plain text it yields
// reads back as the same text.
#include "controls/rich_text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rtf(reinterpret_cast<const char*>(data), size);
    const auto doc = lv::controls::read_rtf(rtf);
    const std::string text = doc.plain_text();
    if (text.rfind("{\\rtf", 0) == 0)
        return 0;
    if (lv::controls::read_plain_text(text).plain_text() != text)
        std::abort();
    return 0;
}
