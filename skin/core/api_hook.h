// The hook engine: rewrites the entry of a function so that calls reach a detour first, and
// keeps in a trampoline the overwritten instructions and a jump back, through which the detour
// still runs the original. Addresses are 32-bit; 0 stands for null.
//
// A trampoline is a 32-byte block. Before installation it holds the stub
//   90 90 | E8 <getter rel32> | FF E0 | C3 | 90 ... 90
// whose getter returns the intercepted function's address (mov eax,[import slot]; ret).
// After installation it holds the copied instructions (n bytes, 5 <= n <= 26), a jump to
// target + n, and n in byte 31; the target starts with a jump to the detour and n - 5 bytes
// of int 3.
#pragma once

#include "skin/core/hook_memory.h"

constexpr std::uint32_t kTrampolineSize = 32;
constexpr std::uint32_t kJumpSize = 5;
constexpr std::uint32_t kMaxPatchLength = 26;

// Places a fresh stub at `at`, as the program's image holds it, that asks `getter` for its
// target; false outside the image.
bool WriteTrampolineStub(HookMemory& memory, std::uint32_t at, std::uint32_t getter);

// An import thunk (FF 25 with the address of a slot) is replaced by the address in its slot;
// with `followJumps` a leading E9 jump is replaced by its destination.
std::uint32_t ResolveJumpTarget(const HookMemory& memory, std::uint32_t address, bool followJumps);

// E9 rel32 to `destination` at `at`, the other length - 5 bytes int 3. 0 when length < 5 or
// the bytes cannot be written.
int WriteJump(HookMemory& memory, std::uint32_t at, std::uint32_t destination,
              std::uint32_t length);

// 1 when the target behind the trampoline's getter now jumps to the detour; 0 otherwise (the
// reason in the last error where one is known).
int InstallApiHook(HookMemory& memory, std::uint32_t trampoline, std::uint32_t detour);
// 1 when the target's original instructions are back; 0 with the last error:
// ERROR_INVALID_HANDLE (no installed trampoline), ERROR_INVALID_BLOCK (the target is not
// patched), ERROR_INVALID_ACCESS (it jumps to another detour), ERROR_INVALID_DATA.
int RemoveApiHook(HookMemory& memory, std::uint32_t trampoline, std::uint32_t detour);

// Makes a range writable for the patch: flushes and opens it read-write-execute; on closing
// flushes again and puts the saved protection back (or leaves it writable when asked).
class ProtectScope {
public:
    ProtectScope(HookMemory& memory, std::uint32_t address, std::uint32_t size);
    ~ProtectScope();
    ProtectScope(const ProtectScope&) = delete;
    ProtectScope& operator=(const ProtectScope&) = delete;

    bool Opened() const { return m_opened; }
    void LeaveWritable() { m_leaveWritable = true; }

private:
    HookMemory& m_memory;
    std::uint32_t m_address;
    std::uint32_t m_size;
    DWORD m_saved = 0;
    bool m_opened = false;
    bool m_leaveWritable = false;
};
