// The LZW code writer of GIF image data: the compressed form, and a form of literal codes only
// (no compression) that any GIF decoder reads. Codes go least significant bit first into
// sub-blocks of at most 254 bytes, appended to an output buffer.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "win32/types.h"

class PxGifLzwEncoder {
public:
    // initBits: the minimum code size + 1.
    PxGifLzwEncoder(std::vector<BYTE>& out, int initBits);

    void CompressLiteral(std::span<const BYTE> pixels);
    void Compress(std::span<const BYTE> pixels);

private:
    void Output(int code);
    void PutByte(BYTE byte);
    void FlushBlock();
    void ClearHash();

    std::vector<BYTE>& m_out;
    BYTE m_block[256] = {};
    int m_blockLength = 0;
    std::uint32_t m_accumulator = 0;
    int m_bitCount = 0;
    int m_initBits;
    int m_width;
    int m_maxCode;
    int m_clearCode;
    int m_endCode;
    int m_freeCode;
    bool m_clearFlag = false;
    std::vector<std::int32_t> m_hash;
    std::vector<std::uint16_t> m_codes;
};
