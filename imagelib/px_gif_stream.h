// A GIF file held in memory, read byte by byte with every length checked, and the sub-block
// chains that carry extension and image data.
#pragma once

#include <cstddef>
#include <cstring>

#include "win32/types.h"

struct PxGifStream {
    const BYTE* data = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;

    // The next byte as 0..255, -1 at the end.
    int Next() { return pos < size ? data[pos++] : -1; }
    bool Take(void* out, std::size_t count) {
        if (count > size - pos) {
            pos = size;
            return false;
        }
        std::memcpy(out, data + pos, count);
        pos += count;
        return true;
    }
    bool Skip(std::size_t count) {
        if (count > size - pos) {
            pos = size;
            return false;
        }
        pos += count;
        return true;
    }
    // Passes sub-blocks up to and including the empty one that ends them; false when the data
    // end first.
    bool SkipSubBlocks() {
        for (;;) {
            const int length = Next();
            if (length < 0)
                return false;
            if (length == 0)
                return true;
            if (!Skip(static_cast<std::size_t>(length)))
                return false;
        }
    }
};
