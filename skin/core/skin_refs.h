// The building blocks that skin records embed: image references, nine-grid references, the
// text effect and the font slot. Their stored forms are in skin_fields.h.
#pragma once

#include "win32/win32.h"

#include <array>
#include <cstdint>
#include <string_view>

// A fixed-size text field as it is stored: always NUL-terminated inside its size.
template <std::size_t N> using FixedText = std::array<char, N>;

template <std::size_t N> std::string_view TextOf(const FixedText<N>& text) {
    std::size_t length = 0;
    while (length < N && text[length] != '\0')
        ++length;
    return {text.data(), length};
}

template <std::size_t N> void SetText(FixedText<N>& text, std::string_view value) {
    text.fill('\0');
    std::size_t length = value.size() < N - 1 ? value.size() : N - 1;
    value.copy(text.data(), length);
}

// 72 bytes: name[50], flag byte, one unused byte, source rectangle, draw mode.
struct SkinImageRef {
    static constexpr std::size_t kStoredSize = 72;
    FixedText<50> imageName{};
    std::uint8_t flag = 0;
    std::uint8_t unused = 0;
    RECT source{};
    std::uint32_t drawMode = 0; // 0 copy clipped, 1 tile, other stretch
};

// 88 bytes: name[50], two unused bytes, source rectangle, margins, grid mode.
struct SkinNineGridRef {
    static constexpr std::size_t kStoredSize = 88;
    FixedText<50> imageName{};
    std::array<std::uint8_t, 2> unused{};
    RECT source{};
    std::int32_t leftMargin = 0;
    std::int32_t topMargin = 0;
    std::int32_t rightMargin = 0;
    std::int32_t bottomMargin = 0;
    std::uint32_t gridMode = 0;
};

// 16 bytes, little-endian:
//   0  u32      shadow offsets: bits 0-7 dx, bits 8-15 dy (signed bytes); bits 16-31 unused
//   4  u8[3]    text colour, red, green, blue
//   7  u8       the byte after the text colour (255 by default)
//   8  u8[3]    shadow colour, red, green, blue
//  11  u8       unused
//  12  u32      flags: bit 0 draws the shadow
struct SkinTextEffect {
    static constexpr std::size_t kStoredSize = 16;
    std::uint32_t offsets = 0;
    std::array<std::uint8_t, 3> textColor{};
    std::uint8_t afterTextColor = 0;
    std::array<std::uint8_t, 3> shadowColor{};
    std::uint8_t unused = 0;
    std::uint32_t flags = 0;

    static constexpr std::uint32_t kShadowFlag = 0x1;
    static constexpr std::uint32_t kDefaultFlags = 0x8004;

    // The effect every skin class starts with: no shadow, button text over button shadow.
    static SkinTextEffect Default();
    COLORREF TextColor() const;
    COLORREF ShadowColor() const;
    void SetTextColor(COLORREF color);
    void SetShadowColor(COLORREF color);
};

void GlazeworkPackColor(std::array<std::uint8_t, 3>& store, COLORREF color);
COLORREF GlazeworkUnpackColor(const std::array<std::uint8_t, 3>& store);

// 64 bytes: a LOGFONTA (60) followed by a text colour.
struct SkinFontSlot {
    static constexpr std::size_t kStoredSize = 64;
    LOGFONTA font{};
    COLORREF color = 0;

    static SkinFontSlot Make(std::string_view face, LONG height, LONG weight);
};

// The control classes' font: MS Sans Serif 8 point; the frame classes use Arial.
SkinFontSlot DefaultControlFont();
SkinFontSlot DefaultFrameFont();

// The in-memory blocks have the stored sizes, which property descriptors report.
static_assert(sizeof(SkinImageRef) == SkinImageRef::kStoredSize);
static_assert(sizeof(SkinNineGridRef) == SkinNineGridRef::kStoredSize);
static_assert(sizeof(SkinTextEffect) == SkinTextEffect::kStoredSize);
static_assert(sizeof(SkinFontSlot) == SkinFontSlot::kStoredSize);
