// Random-access byte source of a theme data file: the file itself, or memory in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class ThemeSource {
public:
    virtual ~ThemeSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Reads exactly out.size() bytes at offset; false when they are not all there.
    virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

class MemoryThemeSource final : public ThemeSource {
public:
    explicit MemoryThemeSource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::uint64_t Size() const override { return m_bytes.size(); }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

private:
    std::span<const std::uint8_t> m_bytes;
};

enum class RangeCopy { Done, ReadFailed, SinkFailed };

// Hands the `length` bytes at `offset` to `sink` in pieces of at most 1 MiB, so that large
// embedded files never sit in memory whole; stops at the first read or sink that fails.
RangeCopy CopyRange(ThemeSource& source, std::uint64_t offset, std::uint64_t length,
                    const std::function<bool(std::span<const std::uint8_t>)>& sink);
