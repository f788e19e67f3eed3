// Decoding and encoding byte vectors through the image's memory dispatch.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "imagelib/px_image.h"

namespace lvtest {

inline bool DecodeBytes(PxImage& image, const std::vector<std::uint8_t>& bytes, DWORD format) {
    return image.DecodeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()), format);
}

// Empty when the encoder fails.
inline std::vector<std::uint8_t> EncodeBytes(PxImage& image, DWORD format) {
    BYTE* buffer = nullptr;
    LONG size = 0;
    if (!image.EncodeToMemory(buffer, size, format))
        return {};
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

inline std::vector<std::uint8_t> Contents(PxMemoryFile& file) {
    const LONG size = file.Size();
    const BYTE* data = file.DetachBuffer(false);
    return {data, data + size};
}

// A stream that accepts no bytes.
class RefusingFile : public PxFile {
public:
    bool Close() override { return true; }
    std::size_t Read(void*, std::size_t, std::size_t) override { return 0; }
    std::size_t Write(const void*, std::size_t, std::size_t) override { return 0; }
    bool Seek(LONG, int) override { return true; }
    LONG Tell() override { return 0; }
    LONG Size() override { return 0; }
    bool Flush() override { return false; }
    bool Eof() override { return true; }
    LONG Error() override { return 1; }
    LONG GetC() override { return -1; }
};

} // namespace lvtest
