#include "imagelib/px_gif_rle_encoder.h"

namespace {

constexpr unsigned kMaxBits = 12;
constexpr unsigned kMaxBlock = 255;

unsigned IntegerSquareRoot(unsigned x) {
    if (x < 2)
        return x;
    unsigned r = 1;
    for (unsigned v = x; v; v >>= 2)
        r <<= 1;
    for (;;) {
        const unsigned next = (x / r + r) / 2;
        if (next == r || next == r + 1)
            return r;
        r = next;
    }
}

// Codes needed to write count pixels as runs of growing length 1, 2, ... n, starting over
// after each n.
unsigned TriangleCount(unsigned count, unsigned n) {
    const unsigned perRepeat = n * (n + 1) / 2;
    unsigned cost = 0;
    while (count >= perRepeat) {
        cost += n;
        count -= perRepeat;
    }
    if (count > 0) {
        unsigned k = IntegerSquareRoot(count);
        while (k * (k + 1) >= 2 * count)
            --k;
        while (k * (k + 1) < 2 * count)
            ++k;
        cost += k;
    }
    return cost;
}

} // namespace

PxGifRunLengthEncoder::PxGifRunLengthEncoder(std::vector<BYTE>& out, int initBits) : m_out(out) {
    const unsigned bits = static_cast<unsigned>(initBits);
    m_clearCode = 1u << (bits - 1);
    m_endCode = m_clearCode + 1;
    m_runBaseCode = m_endCode + 1;
    m_outBumpInit = (1u << (bits - 1)) - 1;
    // Small code sizes leave room for more codes before a clear.
    m_outClearInit = bits <= 3 ? 9 : m_outBumpInit - 1;
    m_outBitsInit = bits;
    m_maxOutCodes = (1u << kMaxBits) - ((1u << (bits - 1)) + 3);
}

void PxGifRunLengthEncoder::WriteBlock() {
    m_out.push_back(static_cast<BYTE>(m_blockLength));
    m_out.insert(m_out.end(), m_block, m_block + m_blockLength);
    m_blockLength = 0;
}

void PxGifRunLengthEncoder::PutByte(BYTE byte) {
    m_block[m_blockLength++] = byte;
    if (m_blockLength >= kMaxBlock)
        WriteBlock();
}

void PxGifRunLengthEncoder::Output(unsigned code) {
    m_bitBuffer |= code << m_bitCount;
    m_bitCount += m_outBits;
    while (m_bitCount >= 8) {
        PutByte(static_cast<BYTE>(m_bitBuffer & 0xFF));
        m_bitBuffer >>= 8;
        m_bitCount -= 8;
    }
}

void PxGifRunLengthEncoder::OutputFlush() {
    if (m_bitCount > 0)
        PutByte(static_cast<BYTE>(m_bitBuffer & 0xFF));
    if (m_blockLength > 0)
        WriteBlock();
}

void PxGifRunLengthEncoder::DidClear() {
    m_outBits = m_outBitsInit;
    m_outBump = m_outBumpInit;
    m_outClear = m_outClearInit;
    m_outCount = 0;
    m_tableMax = 0;
    m_justCleared = true;
}

void PxGifRunLengthEncoder::OutputPlain(unsigned code) {
    m_justCleared = false;
    Output(code);
    ++m_outCount;
    if (m_outCount >= m_outBump) {
        ++m_outBits;
        m_outBump += 1u << (m_outBits - 1);
    }
    if (m_outCount >= m_outClear) {
        Output(m_clearCode);
        DidClear();
    }
}

void PxGifRunLengthEncoder::ResetOutClear() {
    m_outClear = m_outClearInit;
    if (m_outCount >= m_outClear) {
        Output(m_clearCode);
        DidClear();
    }
}

void PxGifRunLengthEncoder::FlushFromClear(unsigned count) {
    m_outClear = m_maxOutCodes;
    m_tablePixel = m_runPixel;
    unsigned n = 1;
    while (count > 0) {
        if (n == 1) {
            m_tableMax = 1;
            OutputPlain(m_runPixel);
            --count;
        } else if (count >= n) {
            m_tableMax = n;
            OutputPlain(m_runBaseCode + n - 2);
            count -= n;
        } else if (count == 1) {
            ++m_tableMax;
            OutputPlain(m_runPixel);
            count = 0;
        } else {
            ++m_tableMax;
            OutputPlain(m_runBaseCode + count - 2);
            count = 0;
        }
        n = m_outCount == 0 ? 1 : n + 1;
    }
    ResetOutClear();
}

void PxGifRunLengthEncoder::FlushClearOrRepeat(unsigned count) {
    if (1 + TriangleCount(count, m_maxOutCodes) < count) {
        Output(m_clearCode);
        DidClear();
        FlushFromClear(count);
        return;
    }
    for (; count > 0; --count)
        OutputPlain(m_runPixel);
}

void PxGifRunLengthEncoder::FlushWithTable(unsigned count) {
    unsigned repeats = count / m_tableMax;
    unsigned leftover = count % m_tableMax;
    unsigned extra = leftover ? 1 : 0;
    if (m_outCount + repeats + extra > m_maxOutCodes) {
        repeats = m_maxOutCodes - m_outCount;
        leftover = count - repeats * m_tableMax;
        extra = 1 + TriangleCount(leftover, m_maxOutCodes);
    }
    if (1 + TriangleCount(count, m_maxOutCodes) < repeats + extra) {
        Output(m_clearCode);
        DidClear();
        FlushFromClear(count);
        return;
    }
    m_outClear = m_maxOutCodes;
    for (; repeats > 0; --repeats)
        OutputPlain(m_runBaseCode + m_tableMax - 2);
    if (leftover) {
        if (m_justCleared)
            FlushFromClear(leftover);
        else if (leftover == 1)
            OutputPlain(m_runPixel);
        else
            OutputPlain(m_runBaseCode + leftover - 2);
    }
    ResetOutClear();
}

void PxGifRunLengthEncoder::FlushRun() {
    if (m_runCount == 1) {
        OutputPlain(m_runPixel);
    } else if (m_justCleared) {
        FlushFromClear(m_runCount);
    } else if (m_tableMax < 2 || m_tablePixel != m_runPixel) {
        FlushClearOrRepeat(m_runCount);
    } else {
        FlushWithTable(m_runCount);
    }
    m_runCount = 0;
}

void PxGifRunLengthEncoder::Compress(std::span<const BYTE> pixels) {
    DidClear();
    Output(m_clearCode);
    m_runCount = 0;
    for (const BYTE pixel : pixels) {
        if (m_runCount > 0 && pixel != m_runPixel)
            FlushRun();
        if (m_runCount > 0 && pixel == m_runPixel) {
            ++m_runCount;
        } else {
            m_runPixel = pixel;
            m_runCount = 1;
        }
    }
    if (m_runCount > 0)
        FlushRun();
    Output(m_endCode);
    OutputFlush();
}
