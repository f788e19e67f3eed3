#include "skin/core/hook_memory.h"

#include <algorithm>

namespace {

bool Writable(DWORD protection) {
    return protection == PAGE_READWRITE || protection == PAGE_EXECUTE_READWRITE;
}

} // namespace

HookMemory::HookMemory(std::uint32_t base, std::uint32_t size, DWORD protection)
    : m_base(base), m_bytes(size, 0xCC),
      m_protection((static_cast<std::size_t>(size) + kPageSize - 1) / kPageSize, protection) {}

bool HookMemory::Contains(std::uint32_t address, std::uint32_t length) const {
    if (address < m_base)
        return false;
    const std::uint64_t offset = address - m_base;
    return offset + length <= m_bytes.size();
}

bool HookMemory::Read(std::uint32_t address, std::span<std::uint8_t> out) const {
    const auto length = static_cast<std::uint32_t>(out.size());
    if (!Contains(address, length))
        return false;
    std::copy_n(m_bytes.begin() + (address - m_base), length, out.begin());
    return true;
}

bool HookMemory::ReadByte(std::uint32_t address, std::uint8_t& value) const {
    return Read(address, std::span<std::uint8_t>(&value, 1));
}

bool HookMemory::ReadU32(std::uint32_t address, std::uint32_t& value) const {
    std::uint8_t b[4];
    if (!Read(address, b))
        return false;
    value = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return true;
}

bool HookMemory::Write(std::uint32_t address, std::span<const std::uint8_t> data) {
    const auto length = static_cast<std::uint32_t>(data.size());
    if (!Contains(address, length))
        return false;
    if (length == 0)
        return true;
    for (std::size_t page = PageOf(address); page <= PageOf(address + length - 1); ++page) {
        if (!Writable(m_protection[page]))
            return false;
    }
    std::copy(data.begin(), data.end(), m_bytes.begin() + (address - m_base));
    return true;
}

bool HookMemory::WriteU32(std::uint32_t address, std::uint32_t value) {
    const std::uint8_t b[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return Write(address, b);
}

bool HookMemory::Load(std::uint32_t address, std::span<const std::uint8_t> data) {
    if (!Contains(address, static_cast<std::uint32_t>(data.size())))
        return false;
    std::copy(data.begin(), data.end(), m_bytes.begin() + (address - m_base));
    return true;
}

std::vector<std::uint8_t> HookMemory::Bytes(std::uint32_t address, std::uint32_t length) const {
    if (!Contains(address, length))
        return {};
    const auto first = m_bytes.begin() + (address - m_base);
    return std::vector<std::uint8_t>(first, first + length);
}

BOOL HookMemory::VirtualProtect(std::uint32_t address, std::uint32_t size, DWORD protection,
                                DWORD* oldProtection) {
    if (size == 0 || !Contains(address, size) || !oldProtection)
        return FALSE;
    *oldProtection = m_protection[PageOf(address)];
    for (std::size_t page = PageOf(address); page <= PageOf(address + size - 1); ++page)
        m_protection[page] = protection;
    return TRUE;
}

DWORD HookMemory::ProtectionAt(std::uint32_t address) const {
    return Contains(address, 1) ? m_protection[PageOf(address)] : 0;
}

BOOL HookMemory::FlushInstructionCache(std::uint32_t address, std::uint32_t size) {
    if (!Contains(address, size))
        return FALSE;
    ++m_flushes;
    return TRUE;
}
