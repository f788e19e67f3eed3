// What the format classes share for reading and writing their streams: exact reads and writes,
// a buffered byte source for the run-length and LZW decoders, and the cancel value that asks a
// decoder for the picture's size only.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "imagelib/px_file.h"

// A cancel flag of this value asks the GIF, JPEG and TIFF decoders for width and height only.
constexpr DWORD kPxCancelSizeOnly = 0xFFFFFFFFu;

// True when every byte was read (or written); zero bytes always succeed.
bool PxReadExact(PxFile* file, void* buffer, std::size_t bytes);
bool PxWriteExact(PxFile* file, const void* buffer, std::size_t bytes);

// Bytes from the position to the end of the stream; -1 when the stream cannot tell. Decoders
// compare it with the least a picture's data can take before they allocate the picture.
LONG PxBytesLeft(PxFile* file);

// Everything from the position to the end of the stream, at most limit bytes (more is left
// unread).
std::vector<BYTE> PxReadToEnd(PxFile* file, std::size_t limit);

// Bytes of a stream one at a time, read in blocks.
class PxByteSource {
public:
    explicit PxByteSource(PxFile* file) : m_file(file) {}

    // The next byte as 0..255, -1 at the end.
    int Next() {
        if (m_pos == m_end && !Refill())
            return -1;
        return m_block[m_pos++];
    }
    // True when all count bytes were there.
    bool Take(BYTE* out, std::size_t count);

private:
    bool Refill();

    PxFile* m_file;
    std::array<BYTE, 16384> m_block{};
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
};
