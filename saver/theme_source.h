// Random-access byte source of a theme data file: the file itself, or memory in tests.
#pragma once

#include <cstddef>
#include <cstdint>
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
