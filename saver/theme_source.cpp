#include "saver/theme_source.h"

#include <cstring>

bool MemoryThemeSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > m_bytes.size() || out.size() > m_bytes.size() - offset)
        return false;
    if (!out.empty())
        std::memcpy(out.data(), m_bytes.data() + offset, out.size());
    return true;
}
