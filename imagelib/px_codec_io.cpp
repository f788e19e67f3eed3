#include "imagelib/px_codec_io.h"

#include <algorithm>
#include <cstring>

bool PxReadExact(PxFile* file, void* buffer, std::size_t bytes) {
    return bytes == 0 || file->Read(buffer, 1, bytes) == bytes;
}

bool PxWriteExact(PxFile* file, const void* buffer, std::size_t bytes) {
    return bytes == 0 || file->Write(buffer, 1, bytes) == bytes;
}

LONG PxBytesLeft(PxFile* file) {
    const LONG size = file->Size();
    const LONG at = file->Tell();
    if (size < 0 || at < 0)
        return -1;
    return size > at ? size - at : 0;
}

std::vector<BYTE> PxReadToEnd(PxFile* file, std::size_t limit) {
    std::vector<BYTE> bytes;
    const LONG left = PxBytesLeft(file);
    if (left > 0)
        bytes.reserve(std::min<std::size_t>(limit, static_cast<std::size_t>(left)));
    constexpr std::size_t kChunk = 65536;
    while (bytes.size() < limit) {
        const std::size_t old = bytes.size();
        const std::size_t wanted = std::min(kChunk, limit - old);
        bytes.resize(old + wanted);
        const std::size_t got = file->Read(bytes.data() + old, 1, wanted);
        bytes.resize(old + got);
        if (got < wanted)
            break;
    }
    return bytes;
}

bool PxByteSource::Refill() {
    m_end = m_file->Read(m_block.data(), 1, m_block.size());
    m_pos = 0;
    return m_end > 0;
}

bool PxByteSource::Take(BYTE* out, std::size_t count) {
    while (count > 0) {
        if (m_pos == m_end && !Refill())
            return false;
        const std::size_t part = std::min(count, m_end - m_pos);
        std::memcpy(out, m_block.data() + m_pos, part);
        m_pos += part;
        out += part;
        count -= part;
    }
    return true;
}
