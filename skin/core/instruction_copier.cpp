#include "skin/core/instruction_copier.h"

#include "win32/errors.h"

#include <array>
#include <limits>

namespace {

enum class Handler : std::uint8_t {
    Instruction,
    Prefix,        // segment, lock and repeat prefixes: part of the next instruction
    OperandSize,   // 0x66: immediates (and relative operands) of 2 bytes instead of 4
    AddressSize,   // 0x67: 16-bit addressing forms and memory offsets
    Escape,        // 0x0F: the opcode goes on in the two-byte table
    TestGroup,     // 0xF6/0xF7: an immediate only for reg 0 (TEST)
    ThreeByte,     // 0x0F 0x38: one more opcode byte, then ModR/M
    ThreeByteImm8, // 0x0F 0x3A: one more opcode byte, then ModR/M and an 8-bit immediate
    Invalid,
};

struct OpcodeEntry {
    Handler handler = Handler::Instruction;
    std::uint8_t immediate = 0;   // bytes after the opcode and its ModR/M operand
    std::uint8_t immediate16 = 0; // the same under an operand-size prefix
    bool modrm = false;
    bool relative = false;     // the immediate is a displacement from the next instruction
    bool memoryOffset = false; // the immediate is an address: 2 or 4 bytes by address size
};

constexpr OpcodeEntry kPlain{};
constexpr OpcodeEntry kModRM{Handler::Instruction, 0, 0, true};
constexpr OpcodeEntry kImm8{Handler::Instruction, 1, 1};
constexpr OpcodeEntry kImmZ{Handler::Instruction, 4, 2};
constexpr OpcodeEntry kModRMImm8{Handler::Instruction, 1, 1, true};
constexpr OpcodeEntry kModRMImmZ{Handler::Instruction, 4, 2, true};
constexpr OpcodeEntry kRel8{Handler::Instruction, 1, 1, false, true};
constexpr OpcodeEntry kRelZ{Handler::Instruction, 4, 2, false, true};
constexpr OpcodeEntry kPrefix{Handler::Prefix};
constexpr OpcodeEntry kInvalid{Handler::Invalid};

using OpcodeTable = std::array<OpcodeEntry, 256>;

constexpr void Fill(OpcodeTable& t, int first, int last, OpcodeEntry e) {
    for (int i = first; i <= last; ++i)
        t[static_cast<std::size_t>(i)] = e;
}

constexpr OpcodeTable BuildOneByteTable() {
    OpcodeTable t{};
    for (int base = 0x00; base < 0x40; base += 8) { // add, or, adc, sbb, and, sub, xor, cmp
        Fill(t, base, base + 3, kModRM);
        t[base + 4] = kImm8;
        t[base + 5] = kImmZ;
    }
    t[0x0F] = {Handler::Escape};
    t[0x26] = t[0x2E] = t[0x36] = t[0x3E] = kPrefix;
    t[0x62] = t[0x63] = kModRM;
    t[0x64] = t[0x65] = kPrefix;
    t[0x66] = {Handler::OperandSize};
    t[0x67] = {Handler::AddressSize};
    t[0x68] = kImmZ;
    t[0x69] = kModRMImmZ;
    t[0x6A] = kImm8;
    t[0x6B] = kModRMImm8;
    Fill(t, 0x70, 0x7F, kRel8);
    t[0x80] = t[0x82] = t[0x83] = kModRMImm8;
    t[0x81] = kModRMImmZ;
    Fill(t, 0x84, 0x8F, kModRM);
    t[0x9A] = {Handler::Instruction, 6, 4}; // far call to ptr16:32
    Fill(t, 0xA0, 0xA3, {Handler::Instruction, 0, 0, false, false, true});
    t[0xA8] = kImm8;
    t[0xA9] = kImmZ;
    Fill(t, 0xB0, 0xB7, kImm8);
    Fill(t, 0xB8, 0xBF, kImmZ);
    t[0xC0] = t[0xC1] = kModRMImm8;
    t[0xC2] = t[0xCA] = {Handler::Instruction, 2, 2}; // ret n
    t[0xC4] = t[0xC5] = kModRM;
    t[0xC6] = kModRMImm8;
    t[0xC7] = kModRMImmZ;
    t[0xC8] = {Handler::Instruction, 3, 3}; // enter imm16, imm8
    t[0xCD] = kImm8;
    Fill(t, 0xD0, 0xD3, kModRM);
    t[0xD4] = t[0xD5] = kImm8;
    Fill(t, 0xD8, 0xDF, kModRM); // floating point
    Fill(t, 0xE0, 0xE3, kRel8);  // loopne, loope, loop, jecxz
    Fill(t, 0xE4, 0xE7, kImm8);
    t[0xE8] = t[0xE9] = kRelZ;
    t[0xEA] = {Handler::Instruction, 6, 4}; // far jump to ptr16:32
    t[0xEB] = kRel8;
    t[0xF0] = t[0xF2] = t[0xF3] = kPrefix;
    t[0xF6] = {Handler::TestGroup, 1, 1, true};
    t[0xF7] = {Handler::TestGroup, 4, 2, true};
    t[0xFE] = t[0xFF] = kModRM;
    return t;
}

constexpr OpcodeTable BuildTwoByteTable() {
    OpcodeTable t{};
    Fill(t, 0x00, 0xFF, kModRM); // most two-byte instructions take a ModR/M operand
    for (int op : {0x05, 0x06, 0x07, 0x08, 0x09, 0x0B, 0x0E, 0x30, 0x31, 0x32, 0x33,
                   0x34, 0x35, 0x37, 0x77, 0xA0, 0xA1, 0xA2, 0xA8, 0xA9, 0xAA})
        t[op] = kPlain;
    Fill(t, 0xC8, 0xCF, kPlain); // bswap
    for (int op : {0x04, 0x0A, 0x0C, 0x24, 0x25, 0x26, 0x27, 0x36, 0x39, 0x3B, 0x3C, 0x3D, 0x3E,
                   0x3F, 0xA6, 0xA7})
        t[op] = kInvalid;
    for (int op : {0x0F, 0x70, 0x71, 0x72, 0x73, 0xA4, 0xAC, 0xBA, 0xC2, 0xC4, 0xC5, 0xC6})
        t[op] = kModRMImm8;
    t[0x38] = {Handler::ThreeByte, 0, 0, true};
    t[0x3A] = {Handler::ThreeByteImm8, 1, 1, true};
    Fill(t, 0x80, 0x8F, kRelZ); // jcc rel32
    return t;
}

constexpr OpcodeTable kOneByte = BuildOneByteTable();
constexpr OpcodeTable kTwoByte = BuildTwoByteTable();

// Bytes that follow a ModR/M byte under 32-bit addressing: displacement, plus one for a SIB
// byte (whose base may add four more, see SibExtra).
struct ModRMEntry {
    std::uint8_t displacement = 0;
    bool sib = false;
};

constexpr std::array<ModRMEntry, 256> BuildModRMTable() {
    std::array<ModRMEntry, 256> t{};
    for (int b = 0; b < 256; ++b) {
        const int mod = b >> 6, rm = b & 7;
        ModRMEntry e;
        if (mod == 0 && rm == 5)
            e.displacement = 4;
        else if (mod == 1)
            e.displacement = 1;
        else if (mod == 2)
            e.displacement = 4;
        e.sib = mod != 3 && rm == 4;
        t[static_cast<std::size_t>(b)] = e;
    }
    return t;
}

constexpr std::array<ModRMEntry, 256> kModRM32 = BuildModRMTable();

// Bytes after the ModR/M byte under 16-bit addressing (no SIB byte there).
int ModRM16Extra(std::uint8_t modrm) {
    const int mod = modrm >> 6, rm = modrm & 7;
    if (mod == 0)
        return rm == 6 ? 2 : 0;
    if (mod == 1)
        return 1;
    return mod == 2 ? 2 : 0;
}

struct Decoded {
    std::uint32_t length = 0;
    std::uint32_t relativeAt = 0; // offset of a relative operand
    std::uint32_t relativeSize = 0;
};

bool Decode(const HookMemory& memory, std::uint32_t source, Decoded& out) {
    bool operand16 = false, address16 = false, twoByte = false;
    std::uint32_t offset = 0;
    std::uint8_t byte = 0;
    for (;;) {
        if (!memory.ReadByte(source + offset, byte))
            return false;
        const OpcodeEntry& entry = twoByte ? kTwoByte[byte] : kOneByte[byte];
        ++offset;
        switch (entry.handler) {
        case Handler::Prefix:
            continue;
        case Handler::OperandSize:
            operand16 = true;
            continue;
        case Handler::AddressSize:
            address16 = true;
            continue;
        case Handler::Escape:
            twoByte = true;
            continue;
        case Handler::Invalid:
            return false;
        case Handler::ThreeByte:
        case Handler::ThreeByteImm8:
            ++offset; // the third opcode byte
            break;
        case Handler::Instruction:
        case Handler::TestGroup:
            break;
        }
        std::uint32_t immediate = operand16 ? entry.immediate16 : entry.immediate;
        if (entry.memoryOffset)
            immediate = address16 ? 2 : 4;
        if (entry.modrm) {
            std::uint8_t modrm = 0;
            if (!memory.ReadByte(source + offset, modrm))
                return false;
            ++offset;
            if (address16) {
                offset += static_cast<std::uint32_t>(ModRM16Extra(modrm));
            } else {
                const ModRMEntry& m = kModRM32[modrm];
                if (m.sib) {
                    std::uint8_t sib = 0;
                    if (!memory.ReadByte(source + offset, sib))
                        return false;
                    ++offset;
                    if ((modrm >> 6) == 0 && (sib & 7) == 5)
                        offset += 4; // no base register: a 32-bit displacement instead
                }
                offset += m.displacement;
            }
            if (entry.handler == Handler::TestGroup && ((modrm >> 3) & 7) != 0)
                immediate = 0;
        }
        if (entry.relative) {
            out.relativeAt = offset;
            out.relativeSize = immediate;
        }
        offset += immediate;
        out.length = offset;
        return memory.Contains(source, offset);
    }
}

std::int64_t ReadSigned(const std::uint8_t* p, std::uint32_t size) {
    switch (size) {
    case 1:
        return static_cast<std::int8_t>(p[0]);
    case 2:
        return static_cast<std::int16_t>(p[0] | (p[1] << 8));
    default:
        return static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) |
                                         (static_cast<std::uint32_t>(p[3]) << 24));
    }
}

void WriteLittleEndian(std::uint8_t* p, std::uint32_t size, std::uint32_t value) {
    for (std::uint32_t i = 0; i < size; ++i)
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The relative operand re-based for the instruction's new address; false when a short one
// no longer reaches its target.
bool Rebase(std::uint8_t* operand, std::uint32_t size, std::uint32_t source,
            std::uint32_t destination) {
    const std::int64_t old = ReadSigned(operand, size);
    if (size == 4) { // the 32-bit address space wraps, so every target stays reachable
        WriteLittleEndian(operand, 4, static_cast<std::uint32_t>(old) + source - destination);
        return true;
    }
    const std::int64_t rebased =
        old + static_cast<std::int64_t>(source) - static_cast<std::int64_t>(destination);
    const std::int64_t limit = size == 1 ? 0x80 : 0x8000;
    if (rebased < -limit || rebased >= limit)
        return false;
    WriteLittleEndian(operand, size, static_cast<std::uint32_t>(rebased));
    return true;
}

} // namespace

std::uint32_t CopyInstruction(HookMemory& memory, std::uint32_t destination, std::uint32_t source) {
    Decoded decoded;
    if (source == 0 || !Decode(memory, source, decoded)) {
        SetLastError(ERROR_INVALID_DATA);
        return 0;
    }
    if (destination != 0) {
        std::vector<std::uint8_t> bytes = memory.Bytes(source, decoded.length);
        if (decoded.relativeSize != 0 &&
            !Rebase(bytes.data() + decoded.relativeAt, decoded.relativeSize, source, destination)) {
            SetLastError(ERROR_INVALID_DATA);
            return 0;
        }
        if (!memory.Write(destination, bytes)) {
            SetLastError(ERROR_NOACCESS);
            return 0;
        }
    }
    return source + decoded.length;
}
