// PxFile over a memory block that grows on writing.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "imagelib/px_file.h"

namespace {

constexpr std::uint64_t kMaxStreamBytes = 0x7FFFFFFF; // positions and sizes travel as LONG
constexpr std::uint64_t kGrowthStep = 4096;

} // namespace

PxMemoryFile::PxMemoryFile(BYTE* buffer, DWORD size)
    : m_buffer(buffer), m_size(buffer ? size : 0), m_ownsBuffer(buffer == nullptr),
      m_capacity(buffer ? size : 0) {}

PxMemoryFile::~PxMemoryFile() {
    Close();
}

bool PxMemoryFile::Open() {
    if (m_buffer)
        return false;
    m_size = 0;
    m_position = 0;
    m_capacity = 0;
    m_buffer = static_cast<BYTE*>(std::malloc(1));
    m_ownsBuffer = true;
    return m_buffer != nullptr;
}

BYTE* PxMemoryFile::DetachBuffer(bool detach) {
    if (detach)
        m_ownsBuffer = false;
    return m_buffer;
}

bool PxMemoryFile::Close() {
    if (m_buffer && m_ownsBuffer) {
        std::free(m_buffer);
        m_buffer = nullptr;
        m_size = 0;
    }
    return true;
}

std::size_t PxMemoryFile::Read(void* buffer, std::size_t size, std::size_t count) {
    if (!buffer || !m_buffer || size == 0 || m_position >= m_size)
        return 0;
    const std::size_t available = m_size - m_position;
    const std::size_t wanted = count > available / size ? available : size * count;
    std::memcpy(buffer, m_buffer + m_position, wanted);
    m_position += static_cast<DWORD>(wanted);
    return wanted / size;
}

// Makes room for `needed` bytes in a block of the file's own. A caller's block is never
// written to: it is copied first.
bool PxMemoryFile::Reserve(DWORD needed) {
    if (m_ownsBuffer && m_capacity >= needed)
        return true;
    std::uint64_t capacity = m_capacity;
    if (capacity < needed)
        capacity = (needed / kGrowthStep) * kGrowthStep + kGrowthStep;
    if (capacity > kMaxStreamBytes + 1)
        capacity = kMaxStreamBytes + 1;
    BYTE* grown = nullptr;
    if (m_ownsBuffer) {
        grown = static_cast<BYTE*>(std::realloc(m_buffer, static_cast<std::size_t>(capacity)));
    } else {
        grown = static_cast<BYTE*>(std::malloc(static_cast<std::size_t>(capacity)));
        if (grown && m_size)
            std::memcpy(grown, m_buffer, m_size);
    }
    if (!grown)
        return false;
    m_buffer = grown;
    m_capacity = static_cast<DWORD>(capacity);
    m_ownsBuffer = true;
    return true;
}

std::size_t PxMemoryFile::Write(const void* buffer, std::size_t size, std::size_t count) {
    if (!buffer || !m_buffer || size == 0 || count == 0)
        return 0;
    if (count > kMaxStreamBytes / size)
        return 0;
    const std::uint64_t bytes = static_cast<std::uint64_t>(size) * count;
    const std::uint64_t end = m_position + bytes;
    if (end > kMaxStreamBytes || !Reserve(static_cast<DWORD>(end)))
        return 0;
    // A gap left by a seek past the end reads back as zeros.
    if (m_position > m_size)
        std::memset(m_buffer + m_size, 0, m_position - m_size);
    std::memcpy(m_buffer + m_position, buffer, static_cast<std::size_t>(bytes));
    m_position = static_cast<DWORD>(end);
    m_size = std::max(m_size, m_position);
    return count;
}

bool PxMemoryFile::Seek(LONG offset, int origin) {
    if (!m_buffer)
        return false;
    std::int64_t target = offset;
    switch (origin) {
    case 0:
        break;
    case 1:
        target += m_position;
        break;
    case 2:
        target += m_size;
        break;
    default:
        return false;
    }
    if (target < 0)
        target = 0;
    if (static_cast<std::uint64_t>(target) > kMaxStreamBytes)
        return false;
    m_position = static_cast<DWORD>(target);
    return true;
}

LONG PxMemoryFile::Tell() {
    return m_buffer ? static_cast<LONG>(m_position) : -1;
}

LONG PxMemoryFile::Size() {
    if (!m_buffer)
        return -1;
    return static_cast<LONG>(std::min<std::uint64_t>(m_size, kMaxStreamBytes));
}

bool PxMemoryFile::Flush() {
    return m_buffer != nullptr;
}

bool PxMemoryFile::Eof() {
    return !m_buffer || m_position >= m_size;
}

LONG PxMemoryFile::Error() {
    if (!m_buffer)
        return -1;
    return m_position > m_size ? 1 : 0;
}

bool PxMemoryFile::PutC(BYTE c) {
    return Write(&c, 1, 1) == 1;
}

LONG PxMemoryFile::GetC() {
    if (Eof())
        return -1;
    return m_buffer[m_position++];
}
