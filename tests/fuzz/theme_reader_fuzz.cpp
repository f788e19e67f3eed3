// The theme reader takes any bytes: it answers Ok or Damaged, never crashes or reads past them.
#include "saver/theme_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryThemeSource source(std::span<const std::uint8_t>(data, size));
    ThemeContents contents;
    if (ReadThemeContents(source, contents) == ThemeReadStatus::Ok) {
        for (const EmbeddedFile& f : contents.imageFiles) {
            if (f.offset + f.length > size)
                __builtin_trap();
        }
    }
    return 0;
}
