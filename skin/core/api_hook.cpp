#include "skin/core/api_hook.h"

#include "skin/core/instruction_copier.h"
#include "win32/errors.h"

#include <array>

namespace {

constexpr std::uint8_t kNop = 0x90;
constexpr std::uint8_t kCallRel32 = 0xE8;
constexpr std::uint8_t kJmpRel32 = 0xE9;
constexpr std::uint8_t kInt3 = 0xCC;
constexpr std::uint32_t kCountByte = kTrampolineSize - 1;
constexpr std::uint32_t kGetterCallEnd = 7; // the getter's rel32 counts from here

std::uint32_t JumpDestination(const HookMemory& memory, std::uint32_t at) {
    std::uint32_t rel = 0;
    if (!memory.ReadU32(at + 1, rel))
        return 0;
    return at + kJumpSize + rel;
}

bool IsStub(const HookMemory& memory, std::uint32_t trampoline) {
    const auto b = memory.Bytes(trampoline, 9);
    return b.size() == 9 && b[0] == kNop && b[1] == kNop && b[2] == kCallRel32 && b[7] == 0xFF &&
           b[8] == 0xE0;
}

// Runs the stub's getter: a function of the form "mov eax,[slot]; ret" or "mov eax,imm; ret".
bool CallGetter(const HookMemory& memory, std::uint32_t trampoline, std::uint32_t& target) {
    std::uint32_t rel = 0;
    if (!memory.ReadU32(trampoline + 3, rel))
        return false;
    const std::uint32_t getter = trampoline + kGetterCallEnd + rel;
    const auto code = memory.Bytes(getter, 6);
    if (code.size() != 6 || code[5] != 0xC3)
        return false;
    std::uint32_t operand = 0;
    if (!memory.ReadU32(getter + 1, operand))
        return false;
    if (code[0] == 0xB8) {
        target = operand;
        return true;
    }
    return code[0] == 0xA1 && memory.ReadU32(operand, target);
}

bool IsSegmentPrefix(std::uint8_t b) {
    return b == 0x26 || b == 0x2E || b == 0x36 || b == 0x3E || b == 0x64 || b == 0x65;
}

// ret, ret n, jmp rel32, loopne, and jmp through memory (also behind a segment prefix).
bool EndsFlow(const HookMemory& memory, std::uint32_t at) {
    const auto b = memory.Bytes(at, 3);
    if (b.empty())
        return false;
    if (b[0] == 0xC3 || b[0] == 0xC2 || b[0] == kJmpRel32 || b[0] == 0xE0)
        return true;
    if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0x25)
        return true;
    return b.size() == 3 && IsSegmentPrefix(b[0]) && b[1] == 0xFF && b[2] == 0x25;
}

// The length of whole instructions at the target's start that covers a 5-byte jump; 0 when
// the function ends first or cannot be decoded.
std::uint32_t PatchLength(HookMemory& memory, std::uint32_t target) {
    std::uint32_t length = 0;
    std::uint32_t at = target;
    while (length < kJumpSize) {
        const std::uint32_t next = CopyInstruction(memory, 0, at);
        if (next == 0)
            return 0;
        const bool ends = EndsFlow(memory, at);
        length += next - at;
        at = next;
        if (ends)
            break;
    }
    return length >= kJumpSize ? length : 0;
}

// Copies whole instructions from `from` to `to` until `length` bytes are copied; false when
// an instruction fails or the copy overshoots.
bool CopyInstructions(HookMemory& memory, std::uint32_t to, std::uint32_t from,
                      std::uint32_t length) {
    std::uint32_t copied = 0;
    while (copied < length) {
        const std::uint32_t next = CopyInstruction(memory, to + copied, from + copied);
        if (next == 0)
            return false;
        copied = next - from;
    }
    if (copied != length) {
        SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    return true;
}

bool PatchTarget(HookMemory& memory, std::uint32_t trampoline, std::uint32_t target,
                 std::uint32_t detour) {
    const std::uint32_t length = PatchLength(memory, target);
    if (length == 0 || length > kMaxPatchLength)
        return false;
    ProtectScope trampolineScope(memory, trampoline, kTrampolineSize);
    ProtectScope targetScope(memory, target, length);
    if (!trampolineScope.Opened() || !targetScope.Opened())
        return false;
    if (!CopyInstructions(memory, trampoline, target, length))
        return false;
    const std::uint8_t count = static_cast<std::uint8_t>(length);
    if (!WriteJump(memory, trampoline + length, target + length, kJumpSize) ||
        !memory.Write(trampoline + kCountByte, std::span<const std::uint8_t>(&count, 1)) ||
        !WriteJump(memory, target, detour, length))
        return false;
    trampolineScope.LeaveWritable();
    return true;
}

} // namespace

bool WriteTrampolineStub(HookMemory& memory, std::uint32_t at, std::uint32_t getter) {
    std::array<std::uint8_t, kTrampolineSize> stub{};
    stub.fill(kNop);
    stub[2] = kCallRel32;
    const std::uint32_t rel = getter - (at + kGetterCallEnd);
    for (int i = 0; i < 4; ++i)
        stub[3 + i] = static_cast<std::uint8_t>(rel >> (8 * i));
    stub[7] = 0xFF;
    stub[8] = 0xE0; // jmp eax
    stub[9] = 0xC3;
    return memory.Load(at, stub);
}

std::uint32_t ResolveJumpTarget(const HookMemory& memory, std::uint32_t address, bool followJumps) {
    if (address == 0)
        return 0;
    const auto b = memory.Bytes(address, 2);
    if (b.size() == 2 && b[0] == 0xFF && b[1] == 0x25) {
        std::uint32_t slot = 0, stored = 0;
        if (memory.ReadU32(address + 2, slot) && memory.ReadU32(slot, stored))
            return stored;
        return address;
    }
    if (followJumps && !b.empty() && b[0] == kJmpRel32) {
        const std::uint32_t destination = JumpDestination(memory, address);
        return destination != 0 ? destination : address;
    }
    return address;
}

int WriteJump(HookMemory& memory, std::uint32_t at, std::uint32_t destination,
              std::uint32_t length) {
    if (length < kJumpSize)
        return 0;
    std::vector<std::uint8_t> bytes(length, kInt3);
    bytes[0] = kJmpRel32;
    const std::uint32_t rel = destination - at - kJumpSize;
    for (int i = 0; i < 4; ++i)
        bytes[1 + i] = static_cast<std::uint8_t>(rel >> (8 * i));
    if (!memory.Write(at, bytes)) {
        SetLastError(ERROR_NOACCESS);
        return 0;
    }
    return 1;
}

int InstallApiHook(HookMemory& memory, std::uint32_t trampoline, std::uint32_t detour) {
    trampoline = ResolveJumpTarget(memory, trampoline, true);
    detour = ResolveJumpTarget(memory, detour, false);
    if (trampoline == 0 || detour == 0 || !IsStub(memory, trampoline))
        return 0;
    std::uint32_t target = 0;
    if (!CallGetter(memory, trampoline, target))
        return 0;
    target = ResolveJumpTarget(memory, target, false);
    if (target == 0)
        return 0;
    return PatchTarget(memory, trampoline, target, detour) ? 1 : 0;
}

namespace {

struct InstalledHook {
    std::uint32_t target = 0;
    std::uint8_t length = 0;
};

// ERROR_SUCCESS when `trampoline` holds an installed hook whose target jumps to `detour`.
LONG CheckInstalled(const HookMemory& memory, std::uint32_t trampoline, std::uint32_t detour,
                    InstalledHook& hook) {
    std::uint8_t length = 0, jump = 0, first = 0;
    if (!memory.ReadByte(trampoline + kCountByte, length) || length == 0 || length > 30)
        return ERROR_INVALID_HANDLE;
    if (!memory.ReadByte(trampoline + length, jump) || jump != kJmpRel32)
        return ERROR_INVALID_HANDLE;
    const std::uint32_t target = JumpDestination(memory, trampoline + length) - length;
    if (!memory.ReadByte(target, first) || first != kJmpRel32)
        return ERROR_INVALID_BLOCK;
    if (JumpDestination(memory, target) != detour)
        return ERROR_INVALID_ACCESS;
    hook.target = target;
    hook.length = length;
    return ERROR_SUCCESS;
}

} // namespace

int RemoveApiHook(HookMemory& memory, std::uint32_t trampoline, std::uint32_t detour) {
    detour = ResolveJumpTarget(memory, detour, false);
    InstalledHook hook;
    // A trampoline whose copied code starts with a jump is taken as it is: following that jump
    // would land inside the target and leave it patched for good.
    if (CheckInstalled(memory, trampoline, detour, hook) != ERROR_SUCCESS) {
        trampoline = ResolveJumpTarget(memory, trampoline, true);
        if (const LONG error = CheckInstalled(memory, trampoline, detour, hook)) {
            SetLastError(static_cast<DWORD>(error));
            return 0;
        }
    }
    ProtectScope scope(memory, hook.target, hook.length);
    if (!scope.Opened())
        return 0;
    return CopyInstructions(memory, hook.target, trampoline, hook.length) ? 1 : 0;
}

ProtectScope::ProtectScope(HookMemory& memory, std::uint32_t address, std::uint32_t size)
    : m_memory(memory), m_address(address), m_size(size) {
    m_memory.FlushInstructionCache(m_address, m_size);
    m_opened = m_memory.VirtualProtect(m_address, m_size, PAGE_EXECUTE_READWRITE, &m_saved) != 0;
}

ProtectScope::~ProtectScope() {
    if (!m_opened)
        return;
    m_memory.FlushInstructionCache(m_address, m_size);
    DWORD ignored = 0;
    m_memory.VirtualProtect(m_address, m_size, m_leaveWritable ? PAGE_EXECUTE_READWRITE : m_saved,
                            &ignored);
}
