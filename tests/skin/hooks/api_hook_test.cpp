#include "hook_bytes.h"
#include "skin/core/api_hook.h"
#include "skin/core/instruction_copier.h"
#include "win32/errors.h"

#include <gtest/gtest.h>

namespace {

using hooktest::Hex;

// One program image: code page, trampoline page, data page.
constexpr std::uint32_t kBase = 0x00400000;
constexpr std::uint32_t kTarget = 0x00400100;
constexpr std::uint32_t kCallee = 0x00400800;
constexpr std::uint32_t kTrampoline = 0x00401000;
constexpr std::uint32_t kGetter = 0x00401100;
constexpr std::uint32_t kDetour = 0x00401200;
constexpr std::uint32_t kOtherDetour = 0x00401300;
constexpr std::uint32_t kImportSlot = 0x00402000;

struct HookImage {
    HookMemory memory{kBase, 0x3000, PAGE_EXECUTE_READ};

    // `prologue` at kTarget, reached through the import slot that the getter reads.
    explicit HookImage(const std::string& prologue) {
        memory.Load(kTarget, Hex(prologue));
        Slot(kImportSlot, kTarget);
        Code(kGetter, "A1 00 20 40 00 C3"); // mov eax,[kImportSlot]; ret
        Code(kDetour, "C3");
        Code(kOtherDetour, "C3");
        WriteTrampolineStub(memory, kTrampoline, kGetter);
    }
    void Code(std::uint32_t at, const std::string& bytes) { memory.Load(at, Hex(bytes)); }
    void Slot(std::uint32_t at, std::uint32_t value) {
        const std::uint8_t b[4] = {
            static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
        memory.Load(at, b);
    }
    std::uint32_t JumpTarget(std::uint32_t at) const {
        std::uint32_t rel = 0;
        memory.ReadU32(at + 1, rel);
        return at + 5 + rel;
    }
    std::uint8_t Byte(std::uint32_t at) const {
        std::uint8_t b = 0;
        memory.ReadByte(at, b);
        return b;
    }
};

TEST(WriteJump, WritesTheJumpAndFillsTheRest) {
    HookMemory memory(kBase, 0x1000, PAGE_EXECUTE_READWRITE);
    EXPECT_EQ(WriteJump(memory, 0x00400010, 0x00400100, 7), 1);
    EXPECT_EQ(memory.Bytes(0x00400010, 7), Hex("E9 EB 00 00 00 CC CC"));
    EXPECT_EQ(WriteJump(memory, 0x00400100, 0x00400010, 5), 1);
    EXPECT_EQ(memory.Bytes(0x00400100, 5), Hex("E9 0B FF FF FF"));
    EXPECT_EQ(WriteJump(memory, 0x00400200, 0x00400010, 4), 0);
    EXPECT_EQ(memory.Bytes(0x00400200, 1), Hex("CC")) << "a short room is left alone";
}

TEST(ResolveJumpTarget, FollowsImportThunksAndOptionallyJumps) {
    HookImage image("90");
    image.Code(0x00400300, "FF 25 00 20 40 00"); // jmp [kImportSlot] -> kTarget
    image.Code(0x00400400, "E9 FB FC FF FF");    // jmp kTarget
    EXPECT_EQ(ResolveJumpTarget(image.memory, 0x00400300, false), kTarget);
    EXPECT_EQ(ResolveJumpTarget(image.memory, 0x00400400, false), 0x00400400u);
    EXPECT_EQ(ResolveJumpTarget(image.memory, 0x00400400, true), kTarget);
    EXPECT_EQ(ResolveJumpTarget(image.memory, 0, true), 0u);
}

struct InstallCase {
    const char* what;
    const char* prologue;
    std::uint32_t patched; // n; 0 when the install must fail
};

const InstallCase kInstalls[] = {
    {"mov edi,edi; push ebp; mov ebp,esp: exactly one jump", "8B FF 55 8B EC 83 EC 10", 5},
    {"2 + 1 + 3 bytes: one int 3 after the jump", "8B FF 55 83 EC 10 90 90", 6},
    {"a leading jump ends the flow with 5 bytes", "E9 00 01 00 00 90", 5},
    {"relative call first", "E8 FB 06 00 00 90 90", 5},
    {"short push before a long move", "55 B8 01 00 00 00", 6},
    {"1-byte ret: too short", "C3 90 90 90 90 90", 0},
    {"push; ret: ends below 5 bytes", "55 C3 90 90 90 90", 0},
    {"ret n after 2 bytes: below 5", "8B FF C2 08 00 90", 5},
    {"jump through memory after 1 byte", "55 FF 25 00 20 40 00", 7},
    {"longer than 26 bytes",
     "8B FF 66 66 66 66 66 66 66 66 66 66 66 66 66 66 66 66 66 66 66 66 66 66 66 66 "
     "66 90",
     0},
    {"undecodable", "0F 04 90 90 90", 0},
};

TEST(InstallApiHook, PatchesWholeInstructionsAndKeepsThemInTheTrampoline) {
    for (const InstallCase& c : kInstalls) {
        HookImage image(c.prologue);
        const auto original = image.memory.Bytes(kTarget, 40);
        const auto stub = image.memory.Bytes(kTrampoline, kTrampolineSize);
        const int result = InstallApiHook(image.memory, kTrampoline, kDetour);
        if (c.patched == 0) {
            EXPECT_EQ(result, 0) << c.what;
            EXPECT_EQ(image.memory.Bytes(kTarget, 40), original) << c.what;
            EXPECT_EQ(image.memory.Bytes(kTrampoline, kTrampolineSize), stub) << c.what;
            continue;
        }
        ASSERT_EQ(result, 1) << c.what;
        const std::uint32_t n = c.patched;
        EXPECT_EQ(image.Byte(kTarget), 0xE9) << c.what;
        EXPECT_EQ(image.JumpTarget(kTarget), kDetour) << c.what;
        for (std::uint32_t i = 5; i < n; ++i)
            EXPECT_EQ(image.Byte(kTarget + i), 0xCC) << c.what << " fill at " << i;
        EXPECT_EQ(image.Byte(kTarget + n), original[n]) << c.what << ": the rest is untouched";
        EXPECT_EQ(image.Byte(kTrampoline + kTrampolineSize - 1), n) << c.what;
        EXPECT_EQ(image.Byte(kTrampoline + n), 0xE9) << c.what;
        EXPECT_EQ(image.JumpTarget(kTrampoline + n), kTarget + n) << c.what;

        ASSERT_EQ(RemoveApiHook(image.memory, kTrampoline, kDetour), 1) << c.what;
        EXPECT_EQ(image.memory.Bytes(kTarget, 40), original) << c.what << ": original restored";
        EXPECT_EQ(image.JumpTarget(kTrampoline + n), kTarget + n)
            << c.what << ": the trampoline still runs the target";
    }
}

TEST(InstallApiHook, ARelativeCallInTheTrampolineKeepsItsTarget) {
    HookImage image("E8 FB 06 00 00 90 90"); // call kCallee
    ASSERT_EQ(image.JumpTarget(kTarget), kCallee);
    ASSERT_EQ(InstallApiHook(image.memory, kTrampoline, kDetour), 1);
    EXPECT_EQ(image.Byte(kTrampoline), 0xE8);
    EXPECT_EQ(image.JumpTarget(kTrampoline), kCallee);
}

TEST(InstallApiHook, ProtectionIsRestoredOnTheTargetAndLeftWritableOnTheTrampoline) {
    HookImage image("8B FF 55 8B EC");
    const int flushes = image.memory.FlushCount();
    ASSERT_EQ(InstallApiHook(image.memory, kTrampoline, kDetour), 1);
    EXPECT_EQ(image.memory.ProtectionAt(kTarget), PAGE_EXECUTE_READ);
    EXPECT_EQ(image.memory.ProtectionAt(kTrampoline), PAGE_EXECUTE_READWRITE);
    EXPECT_GE(image.memory.FlushCount(), flushes + 4) << "each range flushed on open and close";
    ASSERT_EQ(RemoveApiHook(image.memory, kTrampoline, kDetour), 1);
    EXPECT_EQ(image.memory.ProtectionAt(kTarget), PAGE_EXECUTE_READ);
}

TEST(InstallApiHook, ReachesTheTargetThroughAnImportThunkAndNeedsAFreshStub) {
    HookImage image("8B FF 55 8B EC");
    image.Code(0x00400600, "FF 25 04 20 40 00"); // the import slot names a thunk...
    image.Slot(0x00402004, kTarget);             // ...whose own slot holds the function
    image.Slot(kImportSlot, 0x00400600);
    ASSERT_EQ(InstallApiHook(image.memory, kTrampoline, kDetour), 1);
    EXPECT_EQ(image.JumpTarget(kTarget), kDetour);
    EXPECT_EQ(image.memory.Bytes(0x00400600, 2), Hex("FF 25")) << "the thunk is not patched";
    EXPECT_EQ(InstallApiHook(image.memory, kTrampoline, kOtherDetour), 0)
        << "an installed trampoline is no stub";
    EXPECT_EQ(InstallApiHook(image.memory, kTrampoline, 0), 0);
}

TEST(RemoveApiHook, RefusesWhatItDidNotInstall) {
    HookImage image("8B FF 55 8B EC");
    SetLastError(0);
    EXPECT_EQ(RemoveApiHook(image.memory, kTrampoline, kDetour), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE)) << "a bare stub";

    ASSERT_EQ(InstallApiHook(image.memory, kTrampoline, kDetour), 1);
    EXPECT_EQ(RemoveApiHook(image.memory, kTrampoline, kOtherDetour), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ACCESS));
    EXPECT_EQ(image.JumpTarget(kTarget), kDetour) << "still patched";

    ASSERT_EQ(RemoveApiHook(image.memory, kTrampoline, kDetour), 1);
    EXPECT_EQ(RemoveApiHook(image.memory, kTrampoline, kDetour), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_BLOCK)) << "removed twice";
}

} // namespace
