#include "imagelib/px_gif_lzw_encoder.h"

#include <algorithm>

namespace {

constexpr int kMaxBits = 12;
constexpr int kMaxMaxCode = 1 << kMaxBits; // codes stop growing here
constexpr int kHashSize = 5003;            // a prime about 80% above 4096 entries
constexpr int kMaxBlock = 254;

int MaxCodeOf(int bits) {
    return (1 << bits) - 1;
}

} // namespace

PxGifLzwEncoder::PxGifLzwEncoder(std::vector<BYTE>& out, int initBits)
    : m_out(out), m_initBits(initBits), m_width(initBits), m_maxCode(MaxCodeOf(initBits)),
      m_clearCode(1 << (initBits - 1)), m_endCode((1 << (initBits - 1)) + 1),
      m_freeCode((1 << (initBits - 1)) + 2) {}

void PxGifLzwEncoder::PutByte(BYTE byte) {
    m_block[m_blockLength++] = byte;
    if (m_blockLength >= kMaxBlock)
        FlushBlock();
}

void PxGifLzwEncoder::FlushBlock() {
    if (m_blockLength == 0)
        return;
    m_out.push_back(static_cast<BYTE>(m_blockLength));
    m_out.insert(m_out.end(), m_block, m_block + m_blockLength);
    m_blockLength = 0;
}

void PxGifLzwEncoder::Output(int code) {
    m_accumulator &= (1u << m_bitCount) - 1;
    m_accumulator |= static_cast<std::uint32_t>(code) << m_bitCount;
    m_bitCount += m_width;
    while (m_bitCount >= 8) {
        PutByte(static_cast<BYTE>(m_accumulator & 0xFF));
        m_accumulator >>= 8;
        m_bitCount -= 8;
    }
    // The width grows once the next code no longer fits, and returns to the start after a
    // clear code, in step with what a decoder does.
    if (m_freeCode > m_maxCode || m_clearFlag) {
        if (m_clearFlag) {
            m_width = m_initBits;
            m_maxCode = MaxCodeOf(m_width);
            m_clearFlag = false;
        } else {
            ++m_width;
            m_maxCode = m_width == kMaxBits ? kMaxMaxCode : MaxCodeOf(m_width);
        }
    }
    if (code == m_endCode) {
        while (m_bitCount > 0) {
            PutByte(static_cast<BYTE>(m_accumulator & 0xFF));
            m_accumulator >>= 8;
            m_bitCount -= 8;
        }
        FlushBlock();
    }
}

void PxGifLzwEncoder::CompressLiteral(std::span<const BYTE> pixels) {
    Output(m_clearCode);
    for (const BYTE pixel : pixels) {
        Output(pixel);
        // A decoder adds an entry for every code; once its table is full a clear code
        // starts it again.
        if (m_freeCode < kMaxMaxCode) {
            ++m_freeCode;
        } else {
            m_freeCode = m_clearCode + 2;
            m_clearFlag = true;
            Output(m_clearCode);
        }
    }
    Output(m_endCode);
}

void PxGifLzwEncoder::ClearHash() {
    std::fill(m_hash.begin(), m_hash.end(), -1);
}

void PxGifLzwEncoder::Compress(std::span<const BYTE> pixels) {
    m_hash.assign(kHashSize, -1);
    m_codes.assign(kHashSize, 0);
    int hashShift = 0;
    for (long size = kHashSize; size < 65536; size *= 2)
        ++hashShift;
    hashShift = 8 - hashShift;

    Output(m_clearCode);
    if (pixels.empty()) {
        Output(m_endCode);
        return;
    }
    int current = pixels[0];
    for (std::size_t n = 1; n < pixels.size(); ++n) {
        const int c = pixels[n];
        const std::int32_t key = (static_cast<std::int32_t>(c) << kMaxBits) + current;
        int i = (c << hashShift) ^ current;
        if (m_hash[static_cast<std::size_t>(i)] == key) {
            current = m_codes[static_cast<std::size_t>(i)];
            continue;
        }
        bool found = false;
        if (m_hash[static_cast<std::size_t>(i)] >= 0) {
            const int displacement = i == 0 ? 1 : kHashSize - i;
            for (;;) {
                i -= displacement;
                if (i < 0)
                    i += kHashSize;
                if (m_hash[static_cast<std::size_t>(i)] == key) {
                    current = m_codes[static_cast<std::size_t>(i)];
                    found = true;
                    break;
                }
                if (m_hash[static_cast<std::size_t>(i)] <= 0)
                    break;
            }
        }
        if (found)
            continue;
        Output(current);
        current = c;
        if (m_freeCode < kMaxMaxCode) {
            m_codes[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(m_freeCode++);
            m_hash[static_cast<std::size_t>(i)] = key;
        } else {
            ClearHash();
            m_freeCode = m_clearCode + 2;
            m_clearFlag = true;
            Output(m_clearCode);
        }
    }
    Output(current);
    Output(m_endCode);
}
