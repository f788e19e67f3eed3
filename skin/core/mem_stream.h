// The growable byte stream through which a skin container is unpacked and every skin
// record is read and written.
#pragma once

#include <cstdint>

class MemStream {
public:
    static constexpr std::uint32_t kGrowStep = 10240;

    // Holds a copy of `length` bytes of `source` (or `length` bytes of room when no source).
    explicit MemStream(const void* source = nullptr, std::uint32_t length = 0,
                       std::uint32_t growStep = kGrowStep);
    virtual ~MemStream();
    MemStream(const MemStream&) = delete;
    MemStream& operator=(const MemStream&) = delete;

    std::uint32_t Read(void* destination, std::uint32_t count);
    std::uint32_t Write(const void* source, std::uint32_t count);
    std::uint32_t Seek(std::int64_t offset, int origin);
    void Rewind() { Seek(0, 0); }
    bool Allocate(std::uint32_t count);

    // Unpacks this stream, a skin container, into `target`.
    bool UnpackTo(MemStream& target) const;

    const std::uint8_t* Data() const { return m_buffer; }
    std::uint32_t Length() const { return m_length; }
    std::uint32_t Position() const { return m_position; }
    std::uint32_t Capacity() const { return m_capacity; }
    std::uint32_t GrowStep() const { return m_growStep; }
    std::uint32_t Remaining() const { return m_length - m_position; }

private:
    bool GrowFor(std::uint32_t count);

    std::uint8_t* m_buffer = nullptr;
    std::uint32_t m_length = 0;
    std::uint32_t m_position = 0;
    std::uint32_t m_capacity = 0;
    std::uint32_t m_growStep = kGrowStep;
};

// A little-endian u32 from the stream; 0 when fewer than 4 bytes were left.
std::uint32_t ReadU32(MemStream& stream);
