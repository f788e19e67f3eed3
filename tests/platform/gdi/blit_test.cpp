#include "gdi_fixture.h"

using lv::gdi::testing::fill;
using lv::gdi::testing::MemoryCanvas;
using lv::gdi::testing::MonoCanvas;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

} // namespace

TEST(BitBlt, RasterOperationsCombineSourcePatternAndDestination) {
    const COLORREF s = RGB(0xF0, 0x0F, 0xAA);
    const COLORREF d = RGB(0xCC, 0x33, 0x55);
    const COLORREF p = RGB(0x81, 0x42, 0x18);
    struct Case {
        const char* name;
        DWORD rop;
        COLORREF expected;
    };
    const Case cases[] = {
        {"SRCCOPY", SRCCOPY, s},
        {"SRCAND", SRCAND, s & d},
        {"SRCPAINT", SRCPAINT, s | d},
        {"SRCINVERT", SRCINVERT, s ^ d},
        {"SRCERASE", SRCERASE, s & (~d & 0xFFFFFF)},
        {"NOTSRCCOPY", NOTSRCCOPY, ~s & 0xFFFFFF},
        {"MERGECOPY", MERGECOPY, s & p},
        {"PATCOPY", PATCOPY, p},
        {"PATINVERT", PATINVERT, p ^ d},
        {"DSTINVERT", DSTINVERT, ~d & 0xFFFFFF},
        {"BLACKNESS", BLACKNESS, kBlack},
        {"WHITENESS", WHITENESS, kWhite},
        {"MERGEPAINT", MERGEPAINT, (~s | d) & 0xFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryCanvas src(4, 4, s);
        MemoryCanvas dst(4, 4, d);
        HBRUSH brush = CreateSolidBrush(p);
        HGDIOBJ old = SelectObject(dst.dc, brush);
        EXPECT_TRUE(BitBlt(dst.dc, 1, 1, 2, 2, src.dc, 0, 0, c.rop));
        EXPECT_EQ(dst.at(1, 1), c.expected);
        EXPECT_EQ(dst.at(2, 2), c.expected);
        EXPECT_EQ(dst.at(0, 0), d);
        EXPECT_EQ(dst.at(3, 3), d);
        SelectObject(dst.dc, old);
        DeleteObject(brush);
    }
}

TEST(BitBlt, CopiesOffsetsAndClipsToTheSource) {
    MemoryCanvas src(10, 10, kBlue);
    fill(src.dc, 5, 5, 10, 10, kRed);
    MemoryCanvas dst(10, 10, kWhite);
    // The source runs out at its right and bottom edges; the rest of the target is kept.
    EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 10, 10, src.dc, 4, 4, SRCCOPY));
    EXPECT_EQ(dst.at(0, 0), kBlue);
    EXPECT_EQ(dst.at(1, 1), kRed);
    EXPECT_EQ(dst.at(5, 5), kRed);
    EXPECT_EQ(dst.at(6, 6), kWhite);
}

TEST(BitBlt, OverlappingCopyOnOneSurface) {
    MemoryCanvas canvas(8, 1, kWhite);
    for (int x = 0; x < 8; ++x) {
        SetPixel(canvas.dc, x, 0, RGB(x * 10, 0, 0));
    }
    EXPECT_TRUE(BitBlt(canvas.dc, 2, 0, 6, 1, canvas.dc, 0, 0, SRCCOPY));
    for (int x = 2; x < 8; ++x) {
        EXPECT_EQ(canvas.at(x, 0), RGB((x - 2) * 10, 0, 0)) << x;
    }
}

TEST(BitBlt, ColourToMonochromeUsesTheSourceBackground) {
    MemoryCanvas src(4, 1, kRed);
    SetPixel(src.dc, 1, 0, kGreen);
    SetPixel(src.dc, 2, 0, kWhite);
    MonoCanvas mask(4, 1);
    SetBkColor(src.dc, kGreen);
    EXPECT_TRUE(BitBlt(mask.dc, 0, 0, 4, 1, src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(mask.at(0, 0), kBlack);
    EXPECT_EQ(mask.at(1, 0), kWhite); // the background colour
    EXPECT_EQ(mask.at(2, 0), kBlack); // white is not the background colour
}

TEST(BitBlt, MonochromeToColourUsesTheTargetTextAndBackground) {
    MonoCanvas mask(2, 1);
    SetPixel(mask.dc, 1, 0, kWhite);
    MemoryCanvas dst(2, 1, kBlack);
    SetTextColor(dst.dc, kRed);
    SetBkColor(dst.dc, kBlue);
    EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 2, 1, mask.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.at(0, 0), kRed);  // 0 bit: text colour
    EXPECT_EQ(dst.at(1, 0), kBlue); // 1 bit: background colour
}

TEST(BitBlt, MaskedDrawingWithInvertAndAnd) {
    // The three-blit transparency: image XOR, mask AND, image XOR.
    MemoryCanvas image(3, 1, kRed);
    SetPixel(image.dc, 1, 0, kGreen); // the transparent colour
    MonoCanvas mask(3, 1);
    SetBkColor(image.dc, kGreen);
    BitBlt(mask.dc, 0, 0, 3, 1, image.dc, 0, 0, SRCCOPY);
    MemoryCanvas dst(3, 1, kBlue);
    BitBlt(dst.dc, 0, 0, 3, 1, image.dc, 0, 0, SRCINVERT);
    BitBlt(dst.dc, 0, 0, 3, 1, mask.dc, 0, 0, SRCAND);
    BitBlt(dst.dc, 0, 0, 3, 1, image.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(dst.at(0, 0), kRed);
    EXPECT_EQ(dst.at(1, 0), kBlue);
    EXPECT_EQ(dst.at(2, 0), kRed);
}

TEST(BitBlt, FailsOnBadHandles) {
    MemoryCanvas dst(2, 2);
    EXPECT_FALSE(BitBlt(dst.dc, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 2, 2, dst.dc, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.dc, 0, 0, 2, 2, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(dst.at(1, 1), kBlack);
}

TEST(StretchBlt, ModesAndMirroring) {
    MemoryCanvas src(4, 2, kWhite);
    fill(src.dc, 0, 0, 2, 2, kBlack); // left half black, right half white
    struct Case {
        const char* name;
        int mode;
        COLORREF left;
        COLORREF right;
    };
    // Shrinking 4 columns to 1: each mode decides what the two colours become.
    const Case shrink[] = {
        {"BLACKONWHITE", BLACKONWHITE, kBlack, kBlack},
        {"WHITEONBLACK", WHITEONBLACK, kWhite, kWhite},
        {"HALFTONE", HALFTONE, RGB(128, 128, 128), RGB(128, 128, 128)},
    };
    for (const Case& c : shrink) {
        SCOPED_TRACE(c.name);
        MemoryCanvas dst(1, 1, kRed);
        SetStretchBltMode(dst.dc, c.mode);
        EXPECT_TRUE(StretchBlt(dst.dc, 0, 0, 1, 1, src.dc, 0, 0, 4, 2, SRCCOPY));
        EXPECT_EQ(dst.at(0, 0), c.left);
    }
    MemoryCanvas dst(8, 2, kRed);
    SetStretchBltMode(dst.dc, COLORONCOLOR);
    EXPECT_TRUE(StretchBlt(dst.dc, 0, 0, 8, 2, src.dc, 0, 0, 4, 2, SRCCOPY));
    EXPECT_EQ(dst.at(3, 1), kBlack);
    EXPECT_EQ(dst.at(4, 1), kWhite);
    // A negative width mirrors.
    EXPECT_TRUE(StretchBlt(dst.dc, 8, 0, -8, 2, src.dc, 0, 0, 4, 2, SRCCOPY));
    EXPECT_EQ(dst.at(0, 0), kWhite);
    EXPECT_EQ(dst.at(7, 0), kBlack);
    EXPECT_EQ(GetStretchBltMode(dst.dc), COLORONCOLOR);
}

TEST(PatBlt, UsesTheSelectedBrushAndRejectsSourceOperations) {
    MemoryCanvas dst(4, 4, kWhite);
    HBRUSH brush = CreateSolidBrush(kGreen);
    HGDIOBJ old = SelectObject(dst.dc, brush);
    EXPECT_TRUE(PatBlt(dst.dc, 1, 1, 2, 2, PATCOPY));
    EXPECT_EQ(dst.at(1, 1), kGreen);
    EXPECT_EQ(dst.at(0, 0), kWhite);
    EXPECT_TRUE(PatBlt(dst.dc, 3, 3, -2, -2, DSTINVERT)); // negative sizes reach back
    EXPECT_EQ(dst.at(2, 2), RGB(255, 0, 255));
    EXPECT_EQ(dst.at(1, 1), RGB(255, 0, 255));
    EXPECT_FALSE(PatBlt(dst.dc, 0, 0, 1, 1, SRCCOPY));
    SelectObject(dst.dc, old);
    DeleteObject(brush);
}

TEST(AlphaBlend, ConstantAndPerPixelAlpha) {
    MemoryCanvas src(2, 1, RGB(200, 100, 0));
    MemoryCanvas dst(2, 1, RGB(0, 100, 200));
    BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
    EXPECT_TRUE(AlphaBlend(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, 2, 1, half));
    EXPECT_EQ(dst.at(0, 0), RGB(100, 100, 100));

    // Premultiplied: a pixel at alpha 0 leaves the target, one at 255 replaces it.
    MemoryCanvas over(2, 1, RGB(0, 0, 0));
    BITMAP bm;
    ASSERT_EQ(GetObject(over.bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
    auto* bits = static_cast<std::uint32_t*>(bm.bmBits);
    bits[0] = 0x00000000;
    bits[1] = 0xFF00FF00;
    MemoryCanvas under(2, 1, RGB(10, 20, 30));
    BLENDFUNCTION per_pixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    EXPECT_TRUE(AlphaBlend(under.dc, 0, 0, 2, 1, over.dc, 0, 0, 2, 1, per_pixel));
    EXPECT_EQ(under.at(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(under.at(1, 0), RGB(0, 255, 0));
    // 50% premultiplied grey over white.
    bits[0] = 0x80404040;
    MemoryCanvas white(1, 1, kWhite);
    EXPECT_TRUE(AlphaBlend(white.dc, 0, 0, 1, 1, over.dc, 0, 0, 1, 1, per_pixel));
    EXPECT_EQ(white.at(0, 0), RGB(191, 191, 191));
    // A source rectangle outside the source fails.
    EXPECT_FALSE(AlphaBlend(white.dc, 0, 0, 1, 1, over.dc, 1, 0, 2, 1, half));
}

// Rows long enough for the vector paths and their tails: every byte, alpha byte included,
// is (s * a + d * (255 - a)) / 255 rounded, for every constant alpha.
TEST(AlphaBlend, ConstantAlphaIsExactOverWholeRows) {
    constexpr int kWidth = 67;
    auto source_word = [](int i) { return static_cast<std::uint32_t>(i * 2654435761u); };
    auto target_word = [](int i) { return static_cast<std::uint32_t>(~(i * 40503u + 7)); };
    MemoryCanvas src(kWidth, 1);
    MemoryCanvas dst(kWidth, 1);
    BITMAP sb{};
    BITMAP db{};
    ASSERT_NE(GetObject(src.bitmap, sizeof sb, &sb), 0);
    ASSERT_NE(GetObject(dst.bitmap, sizeof db, &db), 0);
    auto* in = static_cast<std::uint32_t*>(sb.bmBits);
    auto* out = static_cast<std::uint32_t*>(db.bmBits);
    for (int i = 0; i < kWidth; ++i)
        in[i] = source_word(i);
    int mismatches = 0;
    for (unsigned alpha = 0; alpha < 256; ++alpha) {
        for (int i = 0; i < kWidth; ++i)
            out[i] = target_word(i + static_cast<int>(alpha));
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
        ASSERT_TRUE(AlphaBlend(dst.dc, 0, 0, kWidth, 1, src.dc, 0, 0, kWidth, 1, blend));
        for (int i = 0; i < kWidth; ++i) {
            const std::uint32_t s = source_word(i);
            const std::uint32_t d = target_word(i + static_cast<int>(alpha));
            std::uint32_t expected = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const unsigned x =
                    ((s >> shift) & 0xFF) * alpha + ((d >> shift) & 0xFF) * (255 - alpha);
                expected |= static_cast<std::uint32_t>((x + 127) / 255) << shift;
            }
            mismatches += out[i] == expected ? 0 : 1;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(TransparentBlt, SkipsTheKeyColour) {
    MemoryCanvas src(3, 1, kRed);
    SetPixel(src.dc, 1, 0, kGreen);
    MemoryCanvas dst(6, 1, kBlue);
    EXPECT_TRUE(TransparentBlt(dst.dc, 0, 0, 6, 1, src.dc, 0, 0, 3, 1, kGreen));
    EXPECT_EQ(dst.at(1, 0), kRed);
    EXPECT_EQ(dst.at(2, 0), kBlue);
    EXPECT_EQ(dst.at(3, 0), kBlue);
    EXPECT_EQ(dst.at(4, 0), kRed);
}

TEST(Pixels, SetGetAndFloodFill) {
    MemoryCanvas canvas(10, 10, kWhite);
    EXPECT_EQ(SetPixel(canvas.dc, 3, 3, kRed), kRed);
    EXPECT_EQ(canvas.at(3, 3), kRed);
    EXPECT_EQ(canvas.at(10, 3), CLR_INVALID);
    EXPECT_EQ(SetPixel(canvas.dc, -1, 0, kRed), CLR_INVALID);
    // A closed square border, filled inside only.
    fill(canvas.dc, 0, 0, 10, 10, kWhite);
    HBRUSH black = CreateSolidBrush(kBlack);
    RECT frame{2, 2, 8, 8};
    FrameRect(canvas.dc, &frame, black);
    HBRUSH green = CreateSolidBrush(kGreen);
    HGDIOBJ old = SelectObject(canvas.dc, green);
    EXPECT_TRUE(FloodFill(canvas.dc, 4, 4, kBlack));
    EXPECT_EQ(canvas.at(3, 3), kGreen);
    EXPECT_EQ(canvas.at(6, 6), kGreen);
    EXPECT_EQ(canvas.at(2, 2), kBlack);
    EXPECT_EQ(canvas.at(1, 1), kWhite);
    // Surface fill: the outer white area only.
    EXPECT_TRUE(ExtFloodFill(canvas.dc, 0, 0, kWhite, FLOODFILLSURFACE));
    EXPECT_EQ(canvas.at(9, 9), kGreen);
    EXPECT_EQ(canvas.at(2, 5), kBlack);
    EXPECT_FALSE(FloodFill(canvas.dc, 2, 2, kBlack)); // starting on the border
    SelectObject(canvas.dc, old);
    DeleteObject(green);
    DeleteObject(black);
}
