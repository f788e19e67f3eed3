#include "imagelib/px_gif_lzw_decoder.h"

#include <new>
#include <vector>

// A code of width bits, least significant bit first, gathered across sub-blocks. kEndCode when
// the empty sub-block that ends the data comes first, kEndOfData when the stream ends.
int PxGifLzwDecoder::NextCode(PxGifStream& in, int width) {
    while (m_bitCount < width) {
        if (m_blockLeft == 0) {
            if (m_terminator)
                return kEndCode;
            const int length = in.Next();
            if (length < 0)
                return kEndOfData;
            if (length == 0) {
                m_terminator = true;
                return kEndCode;
            }
            m_blockLeft = static_cast<DWORD>(length);
        }
        const int byte = in.Next();
        if (byte < 0)
            return kEndOfData;
        --m_blockLeft;
        m_bits |= static_cast<std::uint32_t>(byte) << m_bitCount;
        m_bitCount += 8;
    }
    const int code = static_cast<int>(m_bits & ((1u << width) - 1));
    m_bits >>= width;
    m_bitCount -= width;
    return code;
}

PxGifLzwDecoder::Result PxGifLzwDecoder::Decode(PxGifStream& in, DWORD lineWidth,
                                                PxGifRowSink& sink) {
    m_blockLeft = 0;
    m_bits = 0;
    m_bitCount = 0;
    m_terminator = false;
    // Every entry starts cleared, so that damaged codes can only reach defined values.
    m_suffix.fill(0);
    m_prefix.fill(0);

    const int size = in.Next();
    if (size < 0)
        return kTruncated;
    if (size < 2 || size > 9)
        return kBadCodeSize;
    const int clear = 1 << size;
    const int ending = clear + 1;
    const int newCodes = clear + 2;
    int codeSize = size + 1;
    int topSlot = 1 << codeSize;
    int slot = newCodes;
    int oldCode = 0;
    int firstChar = 0;

    std::vector<BYTE> line;
    try {
        line.resize(static_cast<std::size_t>(lineWidth) + 1);
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
    DWORD filled = 0;
    bool outside = false;
    const auto put = [&](int pixel) {
        line[filled++] = static_cast<BYTE>(pixel);
        if (filled == lineWidth) {
            filled = 0;
            outside = !sink.PutRow(line.data(), lineWidth);
        }
    };
    BYTE* const stackEnd = m_stack.data() + m_stack.size();

    for (;;) {
        int code = NextCode(in, codeSize);
        if (code == kEndOfData)
            return kTruncated;
        if (code == kEndCode || code == ending)
            break;
        if (code == clear) {
            codeSize = size + 1;
            slot = newCodes;
            topSlot = 1 << codeSize;
            do
                code = NextCode(in, codeSize);
            while (code == clear);
            if (code == kEndOfData)
                return kTruncated;
            if (code == kEndCode || code == ending)
                break;
            if (code >= slot)
                code = 0;
            oldCode = firstChar = code;
            put(code);
            if (outside)
                return kRowOutside;
            continue;
        }
        const int received = code;
        BYTE* sp = m_stack.data();
        if (code >= slot) {
            code = oldCode;
            *sp++ = static_cast<BYTE>(firstChar);
        }
        while (code >= newCodes) {
            if (sp == stackEnd)
                return kBadChain;
            *sp++ = m_suffix[static_cast<std::size_t>(code)];
            code = m_prefix[static_cast<std::size_t>(code)];
        }
        if (sp == stackEnd)
            return kBadChain;
        *sp++ = static_cast<BYTE>(code);
        if (slot < topSlot) {
            firstChar = code;
            m_suffix[static_cast<std::size_t>(slot)] = static_cast<BYTE>(code);
            m_prefix[static_cast<std::size_t>(slot)] = static_cast<std::uint16_t>(oldCode);
            ++slot;
            oldCode = received;
        }
        if (slot >= topSlot && codeSize < kMaxCodeBits) {
            topSlot <<= 1;
            ++codeSize;
        }
        while (sp > m_stack.data()) {
            put(*--sp);
            if (outside)
                return kRowOutside;
        }
    }
    if (filled > 0 && !sink.PutRow(line.data(), filled))
        return kRowOutside;
    return kDone;
}
