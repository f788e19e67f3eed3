#include "hook_bytes.h"
#include "skin/core/instruction_copier.h"
#include "win32/errors.h"

#include <gtest/gtest.h>

namespace {

using hooktest::Hex;

constexpr std::uint32_t kBase = 0x00400000;
constexpr std::uint32_t kCode = 0x00400100;

struct LengthCase {
    const char* what;
    const char* bytes;
    std::uint32_t length;
};

const LengthCase kLengths[] = {
    {"nop", "90", 1},
    {"push ebp", "55", 1},
    {"mov edi,edi", "8B FF", 2},
    {"sub esp,imm8", "83 EC 10", 3},
    {"sub esp,imm32", "81 EC 00 01 00 00", 6},
    {"sub sp,imm16", "66 81 EC 00 01", 5},
    {"mov eax,[ebp+8]", "8B 45 08", 3},
    {"mov eax,[esp+4] (SIB, disp8)", "8B 44 24 04", 4},
    {"mov eax,[disp32] (SIB without base)", "8B 04 25 78 56 34 12", 7},
    {"mov eax,[disp32]", "8B 05 78 56 34 12", 6},
    {"mov eax,[esp+disp32]", "8B 84 24 00 01 00 00", 7},
    {"mov eax,fs:[moffs32]", "64 A1 18 00 00 00", 6},
    {"mov eax,[moffs16]", "67 A1 18 00", 4},
    {"mov eax,[bp+disp8] (16-bit addressing)", "67 8B 46 02", 4},
    {"mov eax,[disp16] (16-bit addressing)", "67 8B 06 34 12", 5},
    {"test cl,imm8", "F6 C1 01", 3},
    {"not cl", "F6 D1", 2},
    {"test ecx,imm32", "F7 C1 01 00 00 00", 6},
    {"neg ecx", "F7 D9", 2},
    {"test cx,imm16", "66 F7 C1 01 00", 5},
    {"jmp [mem]", "FF 25 00 20 40 00", 6},
    {"call [mem]", "FF 15 00 20 40 00", 6},
    {"push [esp+8]", "FF 74 24 08", 4},
    {"push imm8", "6A 00", 2},
    {"push imm32", "68 00 10 00 00", 5},
    {"push imm16", "66 68 00 10", 4},
    {"ret n", "C2 08 00", 3},
    {"ret", "C3", 1},
    {"enter", "C8 10 00 00", 4},
    {"call rel32", "E8 00 00 00 00", 5},
    {"call rel16", "66 E8 00 00", 4},
    {"jmp rel8", "EB 05", 2},
    {"jz rel8", "74 05", 2},
    {"jz rel32", "0F 84 00 00 00 00", 6},
    {"movzx eax,al", "0F B6 C0", 3},
    {"cpuid", "0F A2", 2},
    {"bt eax,imm8", "0F BA E0 03", 4},
    {"nop dword [eax+eax+0]", "0F 1F 44 00 00", 5},
    {"pshufb (three-byte)", "0F 38 00 C1", 4},
    {"palignr (three-byte, imm8)", "66 0F 3A 0F C1 08", 6},
    {"rep movsd", "F3 A5", 2},
    {"lock cmpxchg", "F0 0F B1 0A", 4},
    {"call far ptr16:32", "9A 00 00 00 00 08 00", 7},
    {"fld qword [mem]", "DD 05 00 20 40 00", 6},
    {"mov eax,imm32", "B8 01 00 00 00", 5},
    {"mov ax,imm16", "66 B8 01 00", 4},
    {"imul eax,eax,imm32", "69 C0 10 00 00 00", 6},
    {"imul eax,eax,imm8", "6B C0 10", 3},
    {"mov dword [ebp-4],imm32", "C7 45 FC 00 00 00 00", 7},
    {"mov dword [esp],imm32", "C7 04 24 00 00 00 00", 7},
};

TEST(CopyInstruction, MeasuresInstructionsByTheirEncoding) {
    for (const LengthCase& c : kLengths) {
        HookMemory memory(kBase, 0x1000);
        memory.Load(kCode, Hex(c.bytes));
        EXPECT_EQ(CopyInstruction(memory, 0, kCode), kCode + c.length) << c.what;
    }
}

TEST(CopyInstruction, RefusesWhatItCannotDecode) {
    const struct {
        const char* what;
        std::uint32_t source;
        const char* bytes;
    } cases[] = {
        {"null source", 0, ""},
        {"undefined two-byte opcode", kCode, "0F 04"},
        {"outside the image", 0x00300000, ""},
        {"cut off by the image's end", kBase + 0xFFD, "E8 00 00"},
        {"ModR/M byte beyond the end", kBase + 0xFFF, "8B"},
    };
    for (const auto& c : cases) {
        HookMemory memory(kBase, 0x1000);
        if (c.source != 0)
            memory.Load(c.source, Hex(c.bytes));
        SetLastError(0);
        EXPECT_EQ(CopyInstruction(memory, 0, c.source), 0u) << c.what;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << c.what;
    }
}

struct RelocationCase {
    const char* what;
    const char* bytes;
    std::uint32_t source;
    std::uint32_t destination;
    const char* copied; // nullptr: the copy must fail
};

// Each copy still reaches the source's absolute target.
const RelocationCase kRelocations[] = {
    {"call rel32 moved up", "E8 00 07 00 00", 0x00400100, 0x00401000, "E8 00 F8 FF FF"},
    {"jz rel32 moved up", "0F 84 10 00 00 00", 0x00400100, 0x00400200, "0F 84 10 FF FF FF"},
    {"jmp rel8 in reach", "EB 10", 0x00400100, 0x00400140, "EB D0"},
    {"jz rel8 in reach", "74 7F", 0x00400100, 0x00400110, "74 6F"},
    {"loop to itself", "E2 FE", 0x00400100, 0x00400110, "E2 EE"},
    {"call rel16", "66 E8 00 01", 0x00400100, 0x00400180, "66 E8 80 00"},
    {"no relative operand", "8B 45 08", 0x00400100, 0x00401000, "8B 45 08"},
    {"jmp rel8 out of reach", "EB 00", 0x00400100, 0x00401000, nullptr},
    {"call rel16 out of reach", "66 E8 00 00", 0x00400100, 0x00410000, nullptr},
};

TEST(CopyInstruction, RebasesRelativeOperands) {
    for (const RelocationCase& c : kRelocations) {
        HookMemory memory(kBase, 0x20000, PAGE_EXECUTE_READWRITE);
        const auto source = Hex(c.bytes);
        memory.Load(c.source, source);
        SetLastError(0);
        const std::uint32_t next = CopyInstruction(memory, c.destination, c.source);
        if (!c.copied) {
            EXPECT_EQ(next, 0u) << c.what;
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << c.what;
            EXPECT_EQ(memory.Bytes(c.destination, 2), Hex("CC CC"))
                << c.what << ": nothing written";
            continue;
        }
        EXPECT_EQ(next, c.source + source.size()) << c.what;
        EXPECT_EQ(memory.Bytes(c.destination, static_cast<std::uint32_t>(source.size())),
                  Hex(c.copied))
            << c.what;
    }
}

TEST(CopyInstruction, WritesOnlyWhereTheProtectionAllows) {
    HookMemory memory(kBase, 0x1000, PAGE_EXECUTE_READ);
    memory.Load(kCode, Hex("8B FF"));
    SetLastError(0);
    EXPECT_EQ(CopyInstruction(memory, kCode + 0x100, kCode), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOACCESS));
    EXPECT_EQ(CopyInstruction(memory, 0, kCode), kCode + 2) << "measuring needs no write access";
}

} // namespace
