// A 32-bit code image in miniature, on which the hook engine patches code: bytes at a base
// address, page protections and an instruction-cache flush count. Code is never run here; the
// engine only reads, copies and rewrites instructions.
#pragma once

#include "win32/types.h"

#include <cstdint>
#include <span>
#include <vector>

// Page protections as the system numbers them.
constexpr DWORD PAGE_READONLY = 0x02;
constexpr DWORD PAGE_READWRITE = 0x04;
constexpr DWORD PAGE_EXECUTE = 0x10;
constexpr DWORD PAGE_EXECUTE_READ = 0x20;
constexpr DWORD PAGE_EXECUTE_READWRITE = 0x40;

class HookMemory {
public:
    static constexpr std::uint32_t kPageSize = 0x1000;

    // `size` bytes of 0xCC at `base`, every page with `protection`.
    HookMemory(std::uint32_t base, std::uint32_t size, DWORD protection = PAGE_EXECUTE_READ);

    std::uint32_t Base() const { return m_base; }
    std::uint32_t Size() const { return static_cast<std::uint32_t>(m_bytes.size()); }
    // Whether [address, address + length) lies inside the image.
    bool Contains(std::uint32_t address, std::uint32_t length) const;

    // Reads fail outside the image.
    bool Read(std::uint32_t address, std::span<std::uint8_t> out) const;
    bool ReadByte(std::uint32_t address, std::uint8_t& value) const;
    bool ReadU32(std::uint32_t address, std::uint32_t& value) const;
    // Writes fail outside the image and on any page without write access, where the real
    // processor would fault.
    bool Write(std::uint32_t address, std::span<const std::uint8_t> data);
    bool WriteU32(std::uint32_t address, std::uint32_t value);

    // The loader's access: places bytes whatever the protection (false outside the image).
    bool Load(std::uint32_t address, std::span<const std::uint8_t> data);
    // A copy of `length` bytes (empty outside the image).
    std::vector<std::uint8_t> Bytes(std::uint32_t address, std::uint32_t length) const;

    // Sets every page the range touches; `oldProtection` gets the first page's. FALSE outside
    // the image or for an empty range.
    BOOL VirtualProtect(std::uint32_t address, std::uint32_t size, DWORD protection,
                        DWORD* oldProtection);
    DWORD ProtectionAt(std::uint32_t address) const;
    BOOL FlushInstructionCache(std::uint32_t address, std::uint32_t size);
    int FlushCount() const { return m_flushes; }

private:
    std::size_t PageOf(std::uint32_t address) const { return (address - m_base) / kPageSize; }

    std::uint32_t m_base;
    std::vector<std::uint8_t> m_bytes;
    std::vector<DWORD> m_protection; // one entry a page
    int m_flushes = 0;
};
