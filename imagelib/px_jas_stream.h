// Buffered reading of the family's plain formats: single bytes, raw blocks and the decimal
// numbers of text headers (with '#' comments, as PNM allows).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "imagelib/px_file.h"

class PxJasStream {
public:
    explicit PxJasStream(PxFile* file) : m_file(file) {}

    // The next byte, or -1 at the end.
    int Next() {
        if (m_pos == m_end && !Refill())
            return -1;
        return m_block[m_pos++];
    }
    // Hands back the byte the last Next() returned.
    void Back() { --m_pos; }
    // Copies exactly count bytes; false when the stream ends first.
    bool Read(void* out, std::size_t count);
    // Skips white space (and comments when asked), then reads an unsigned decimal number of at
    // most nine digits; false when none is there.
    bool Number(std::uint32_t& out, bool comments);
    // The byte after the number just read: it must be one white-space byte.
    bool SingleSpace() { return IsSpace(Next()); }

    static bool IsSpace(int c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

private:
    bool Refill();

    PxFile* m_file;
    std::array<BYTE, 65536> m_block{};
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
};
