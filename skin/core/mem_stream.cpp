#include "skin/core/mem_stream.h"

#include "util/le_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

MemStream::MemStream(const void* source, std::uint32_t length, std::uint32_t growStep)
    : m_growStep(std::max<std::uint32_t>(growStep, 1)) {
    if (length == 0)
        return;
    m_buffer = static_cast<std::uint8_t*>(std::malloc(length));
    if (!m_buffer)
        return;
    m_capacity = length;
    if (source) {
        std::memcpy(m_buffer, source, length);
        m_length = length;
    }
}

MemStream::~MemStream() {
    std::free(m_buffer);
    m_buffer = nullptr;
    m_length = m_position = m_capacity = m_growStep = 0;
}

std::uint32_t MemStream::Read(void* destination, std::uint32_t count) {
    if (!m_buffer)
        return 0;
    std::uint32_t taken = std::min(count, m_length - m_position);
    if (taken)
        std::memcpy(destination, m_buffer + m_position, taken);
    m_position += taken;
    return taken;
}

bool MemStream::GrowFor(std::uint32_t count) {
    std::uint64_t needed = std::uint64_t{count} + m_position - m_capacity;
    std::uint64_t capacity = m_capacity + std::uint64_t{m_growStep} * (needed / m_growStep + 1);
    if (capacity > std::numeric_limits<std::uint32_t>::max())
        return false;
    auto* grown = static_cast<std::uint8_t*>(std::realloc(m_buffer, capacity));
    if (!grown)
        return false;
    m_buffer = grown;
    m_capacity = static_cast<std::uint32_t>(capacity);
    return true;
}

std::uint32_t MemStream::Write(const void* source, std::uint32_t count) {
    if (!m_buffer && !Allocate(count))
        return 0;
    if (m_capacity - m_position < count && !GrowFor(count))
        return 0;
    if (count)
        std::memcpy(m_buffer + m_position, source, count);
    m_position += count;
    m_length = std::max(m_length, m_position);
    return count;
}

std::uint32_t MemStream::Seek(std::int64_t offset, int origin) {
    std::int64_t target = m_position;
    if (origin == 0)
        target = offset;
    else if (origin == 1)
        target = std::int64_t{m_position} + offset;
    else if (origin == 2)
        target = std::int64_t{m_length} + offset;
    m_position = static_cast<std::uint32_t>(std::clamp<std::int64_t>(target, 0, m_length));
    return m_position;
}

bool MemStream::Allocate(std::uint32_t count) {
    std::free(m_buffer);
    m_buffer = static_cast<std::uint8_t*>(std::malloc(std::max<std::uint32_t>(count, 1)));
    m_length = m_position = 0;
    m_capacity = m_buffer ? count : 0;
    return m_buffer != nullptr;
}

std::uint32_t ReadU32(MemStream& stream) {
    std::uint8_t bytes[4];
    if (stream.Read(bytes, 4) < 4)
        return 0;
    std::uint32_t value = 0;
    lv::ByteReader(bytes).u32(value);
    return value;
}
