// The LZW decoder of GIF image data: reads the minimum code size and the codes from the
// sub-blocks of a stream and hands the pixels out a row at a time.
#pragma once

#include <array>
#include <cstdint>

#include "imagelib/px_gif_stream.h"

// Receives each decoded row (count pixel values, count <= the line width); false when the row
// falls outside the picture, which ends the decoding.
class PxGifRowSink {
public:
    virtual ~PxGifRowSink() = default;
    virtual bool PutRow(BYTE* pixels, DWORD count) = 0;
};

class PxGifLzwDecoder {
public:
    enum Result : int {
        kDone = 0,
        kRowOutside = -1,
        kTruncated = -2, // the stream ended inside the frame's data
        kBadChain = -3,  // codes that chain into a loop or past the table
        kOutOfMemory = -10,
        kBadCodeSize = -20,
    };

    Result Decode(PxGifStream& in, DWORD lineWidth, PxGifRowSink& sink);
    // True when the empty sub-block that ends the data has been read.
    bool ReachedTerminator() const { return m_terminator; }
    // Bytes of the current sub-block not read yet.
    DWORD BlockBytesLeft() const { return m_blockLeft; }

private:
    static constexpr int kMaxCodeBits = 12;
    static constexpr int kTableSize = 4097;
    static constexpr int kEndOfData = -1;
    static constexpr int kEndCode = -2;

    int NextCode(PxGifStream& in, int width);

    DWORD m_blockLeft = 0;
    std::uint32_t m_bits = 0;
    int m_bitCount = 0;
    bool m_terminator = false;
    std::array<BYTE, kTableSize> m_suffix{};
    std::array<std::uint16_t, kTableSize> m_prefix{};
    std::array<BYTE, kTableSize + 1> m_stack{};
};
