#include "imagelib/px_jas_stream.h"

#include <algorithm>
#include <cstring>

bool PxJasStream::Refill() {
    m_pos = 0;
    m_end = m_file->Read(m_block.data(), 1, m_block.size());
    return m_end != 0;
}

bool PxJasStream::Read(void* out, std::size_t count) {
    auto* to = static_cast<BYTE*>(out);
    while (count) {
        if (m_pos == m_end) {
            // Large reads go straight into the destination.
            if (count >= m_block.size())
                return m_file->Read(to, 1, count) == count;
            if (!Refill())
                return false;
        }
        const std::size_t n = std::min(count, m_end - m_pos);
        std::memcpy(to, m_block.data() + m_pos, n);
        m_pos += n;
        to += n;
        count -= n;
    }
    return true;
}

bool PxJasStream::Number(std::uint32_t& out, bool comments) {
    int c = Next();
    for (;;) {
        if (IsSpace(c)) {
            c = Next();
        } else if (comments && c == '#') {
            while (c != -1 && c != '\n' && c != '\r')
                c = Next();
        } else {
            break;
        }
    }
    if (c < '0' || c > '9')
        return false;
    std::uint32_t value = 0;
    int digits = 0;
    while (c >= '0' && c <= '9') {
        if (++digits > 9)
            return false;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
        c = Next();
    }
    // The byte that ended the number stays readable for SingleSpace.
    if (c != -1)
        Back();
    out = value;
    return true;
}
