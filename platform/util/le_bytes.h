// The one little-endian reader/writer pair for on-disk records. Records are read and
// written field by field, never by copying structs; every read is bounds-checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

// Reads from a byte span. A read past the end fails (returns false) and marks the reader
// as failed; later reads keep failing, so a record can be read whole and checked once.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t position() const { return m_pos; }
    std::size_t size() const { return m_bytes.size(); }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    bool ok() const { return !m_failed; }

    bool u8(std::uint8_t& out) { return read_le(out); }
    bool u16(std::uint16_t& out) { return read_le(out); }
    bool u32(std::uint32_t& out) { return read_le(out); }
    bool u64(std::uint64_t& out) { return read_le(out); }
    bool i16(std::int16_t& out) { return read_le(out); }
    bool i32(std::int32_t& out) { return read_le(out); }

    bool bytes(void* out, std::size_t count) {
        if (!take(count))
            return false;
        if (count)
            std::memcpy(out, m_bytes.data() + m_pos - count, count);
        return true;
    }

    // A view of the next count bytes, consumed.
    bool view(std::span<const std::uint8_t>& out, std::size_t count) {
        if (!take(count))
            return false;
        out = m_bytes.subspan(m_pos - count, count);
        return true;
    }

    bool skip(std::size_t count) { return take(count); }

    bool seek(std::size_t pos) {
        if (m_failed || pos > m_bytes.size())
            return fail();
        m_pos = pos;
        return true;
    }

    // A fixed-size text field: the text up to its first NUL. `terminated` tells whether the
    // field held a NUL at all (an unterminated field yields all of its bytes).
    bool text(std::string& out, std::size_t field_size, bool* terminated = nullptr) {
        if (!take(field_size))
            return false;
        const char* p = reinterpret_cast<const char*>(m_bytes.data() + m_pos - field_size);
        const void* nul = std::memchr(p, 0, field_size);
        std::size_t len = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - p) : field_size;
        out.assign(p, len);
        if (terminated)
            *terminated = nul != nullptr;
        return true;
    }

private:
    template <typename T> bool read_le(T& out) {
        if (!take(sizeof(T)))
            return false;
        const std::uint8_t* p = m_bytes.data() + m_pos - sizeof(T);
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
        out = static_cast<T>(v);
        return true;
    }

    bool take(std::size_t count) {
        if (m_failed || count > m_bytes.size() - m_pos)
            return fail();
        m_pos += count;
        return true;
    }

    bool fail() {
        m_failed = true;
        return false;
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

// Appends little-endian fields to a growing byte vector.
class ByteWriter {
public:
    ByteWriter() = default;
    explicit ByteWriter(std::vector<std::uint8_t>& target) : m_out(&target) {}
    ByteWriter(const ByteWriter&) = delete;
    ByteWriter& operator=(const ByteWriter&) = delete;

    std::vector<std::uint8_t>& buffer() { return *m_out; }
    const std::vector<std::uint8_t>& buffer() const { return *m_out; }
    std::size_t size() const { return m_out->size(); }

    void u8(std::uint8_t v) { put_le(v); }
    void u16(std::uint16_t v) { put_le(v); }
    void u32(std::uint32_t v) { put_le(v); }
    void u64(std::uint64_t v) { put_le(v); }
    void i16(std::int16_t v) { put_le(static_cast<std::uint16_t>(v)); }
    void i32(std::int32_t v) { put_le(static_cast<std::uint32_t>(v)); }

    void bytes(const void* data, std::size_t count) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        m_out->insert(m_out->end(), p, p + count);
    }
    void bytes(std::span<const std::uint8_t> data) { bytes(data.data(), data.size()); }
    void zeros(std::size_t count) { m_out->insert(m_out->end(), count, 0); }

    // A fixed-size text field: the text, cut to field_size - 1 bytes, NUL, zero fill.
    void text(std::string_view s, std::size_t field_size) {
        if (field_size == 0)
            return;
        std::size_t len = s.size() < field_size - 1 ? s.size() : field_size - 1;
        bytes(s.data(), len);
        zeros(field_size - len);
    }

    // Overwrites a 32-bit field already written (for counts known only later).
    void patch_u32(std::size_t offset, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            (*m_out)[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }

private:
    template <typename T> void put_le(T v) {
        for (std::size_t i = 0; i < sizeof(T); ++i)
            m_out->push_back(static_cast<std::uint8_t>(static_cast<std::uint64_t>(v) >> (8 * i)));
    }

    std::vector<std::uint8_t> m_own;
    std::vector<std::uint8_t>* m_out = &m_own;
};

} // namespace lv
