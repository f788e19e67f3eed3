// The run-length form of GIF image data: runs of one pixel value are written with the table
// codes that a decoder builds for a run, so any GIF decoder reads it without an LZW table on
// the writing side. Sub-blocks hold up to 255 bytes.
#pragma once

#include <span>
#include <vector>

#include "win32/types.h"

class PxGifRunLengthEncoder {
public:
    // initBits: the minimum code size + 1.
    PxGifRunLengthEncoder(std::vector<BYTE>& out, int initBits);

    void Compress(std::span<const BYTE> pixels);

private:
    void Output(unsigned code);
    void OutputFlush();
    void PutByte(BYTE byte);
    void WriteBlock();
    void DidClear();
    void OutputPlain(unsigned code);
    void ResetOutClear();
    void FlushFromClear(unsigned count);
    void FlushClearOrRepeat(unsigned count);
    void FlushWithTable(unsigned count);
    void FlushRun();

    std::vector<BYTE>& m_out;
    BYTE m_block[256] = {};
    unsigned m_blockLength = 0;
    unsigned m_bitBuffer = 0;
    unsigned m_bitCount = 0;

    unsigned m_runPixel = 0;
    unsigned m_runBaseCode = 0;
    unsigned m_runCount = 0;
    unsigned m_tablePixel = 0;
    unsigned m_tableMax = 0;
    bool m_justCleared = true;
    unsigned m_outBits = 0;
    unsigned m_outBitsInit = 0;
    unsigned m_outCount = 0;
    unsigned m_outBump = 0;
    unsigned m_outBumpInit = 0;
    unsigned m_outClear = 0;
    unsigned m_outClearInit = 0;
    unsigned m_maxOutCodes = 0;
    unsigned m_clearCode = 0;
    unsigned m_endCode = 0;
};
