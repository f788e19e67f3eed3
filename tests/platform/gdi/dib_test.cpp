#include "gdi_fixture.h"

#include <cstring>
#include <vector>

using lv::gdi::testing::fill;
using lv::gdi::testing::MemoryCanvas;

namespace {

// A BITMAPINFO with room for a colour table of 256 entries or three masks.
struct Info {
    BITMAPINFOHEADER header{};
    RGBQUAD table[256]{};

    Info(int width, int height, int bits, DWORD compression = BI_RGB) {
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bits);
        header.biCompression = compression;
    }
    const BITMAPINFO* get() const { return reinterpret_cast<const BITMAPINFO*>(this); }
    BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
    void masks(DWORD r, DWORD g, DWORD b) {
        DWORD m[3] = {r, g, b};
        std::memcpy(table, m, sizeof m);
    }
};

std::size_t stride(int width, int bits) {
    return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
}

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

} // namespace

// Each format: the bytes of a 2x2 picture whose top-left pixel is red and the others blue,
// stored bottom-up, and what StretchDIBits draws from it.
TEST(Dib, FormatsDrawTheirPixels) {
    struct Case {
        const char* name;
        int bits;
        DWORD compression;
        std::vector<std::uint8_t> bottom_row; // stored first
        std::vector<std::uint8_t> top_row;
    };
    const Case cases[] = {
        {"1 bit", 1, BI_RGB, {0x00, 0, 0, 0}, {0x80, 0, 0, 0}},
        {"4 bits", 4, BI_RGB, {0x00, 0, 0, 0}, {0x10, 0, 0, 0}},
        {"8 bits", 8, BI_RGB, {0, 0, 0, 0}, {1, 0, 0, 0}},
        {"16 bits 555", 16, BI_RGB, {0x1F, 0x00, 0x1F, 0x00}, {0x00, 0x7C, 0x1F, 0x00}},
        {"16 bits 565", 16, BI_BITFIELDS, {0x1F, 0x00, 0x1F, 0x00}, {0x00, 0xF8, 0x1F, 0x00}},
        {"24 bits", 24, BI_RGB, {255, 0, 0, 255, 0, 0, 0, 0}, {0, 0, 255, 255, 0, 0, 0, 0}},
        {"32 bits", 32, BI_RGB, {255, 0, 0, 0, 255, 0, 0, 0}, {0, 0, 255, 0, 255, 0, 0, 0}},
        {"32 bits, red in the low byte",
         32,
         BI_BITFIELDS,
         {0, 0, 255, 0, 0, 0, 255, 0},
         {255, 0, 0, 0, 0, 0, 255, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Info info(2, 2, c.bits, c.compression);
        info.table[0] = RGBQUAD{255, 0, 0, 0}; // index 0: blue
        info.table[1] = RGBQUAD{0, 0, 255, 0}; // index 1: red
        if (c.compression == BI_BITFIELDS && c.bits == 16) {
            info.masks(0xF800, 0x07E0, 0x001F);
        } else if (c.compression == BI_BITFIELDS) {
            info.masks(0x000000FF, 0x0000FF00, 0x00FF0000);
        }
        std::vector<std::uint8_t> bits = c.bottom_row;
        bits.insert(bits.end(), c.top_row.begin(), c.top_row.end());
        MemoryCanvas canvas(4, 4, kWhite);
        EXPECT_EQ(StretchDIBits(canvas.dc, 1, 1, 2, 2, 0, 0, 2, 2, bits.data(), info.get(),
                                DIB_RGB_COLORS, SRCCOPY),
                  2);
        EXPECT_EQ(canvas.at(1, 1), kRed);
        EXPECT_EQ(canvas.at(2, 1), kBlue);
        EXPECT_EQ(canvas.at(1, 2), kBlue);
        EXPECT_EQ(canvas.at(0, 0), kWhite);
        // Top-down: the same bytes show the other way up.
        info.header.biHeight = -2;
        EXPECT_EQ(SetDIBitsToDevice(canvas.dc, 1, 1, 2, 2, 0, 0, 0, 2, bits.data(), info.get(),
                                    DIB_RGB_COLORS),
                  2);
        EXPECT_EQ(canvas.at(1, 2), kRed);
        EXPECT_EQ(canvas.at(1, 1), kBlue);
    }
}

TEST(Dib, SourceRectanglesOfBottomUpDibsCountFromTheBottom) {
    // A 1x4 column, rows from the top: red, blue, blue, blue (stored bottom-up).
    Info info(1, 4, 24);
    std::vector<std::uint8_t> bits(stride(1, 24) * 4, 0);
    for (int stored = 0; stored < 3; ++stored) {
        bits[stride(1, 24) * stored] = 255;
    }
    bits[stride(1, 24) * 3 + 2] = 255;
    MemoryCanvas canvas(1, 1, kWhite);
    // y = 3 from the bottom is the top row.
    StretchDIBits(canvas.dc, 0, 0, 1, 1, 0, 3, 1, 1, bits.data(), info.get(), DIB_RGB_COLORS,
                  SRCCOPY);
    EXPECT_EQ(canvas.at(0, 0), kRed);
    StretchDIBits(canvas.dc, 0, 0, 1, 1, 0, 0, 1, 1, bits.data(), info.get(), DIB_RGB_COLORS,
                  SRCCOPY);
    EXPECT_EQ(canvas.at(0, 0), kBlue);
    // SetDIBitsToDevice with only scan lines 2 and 3 in the buffer draws the two top rows.
    MemoryCanvas tall(1, 4, kWhite);
    EXPECT_EQ(SetDIBitsToDevice(tall.dc, 0, 0, 1, 4, 0, 0, 2, 2, bits.data() + stride(1, 24) * 2,
                                info.get(), DIB_RGB_COLORS),
              2);
    EXPECT_EQ(tall.at(0, 0), kRed);
    EXPECT_EQ(tall.at(0, 1), kBlue);
    EXPECT_EQ(tall.at(0, 2), kWhite);
    EXPECT_EQ(tall.at(0, 3), kWhite);
}

TEST(Dib, StretchDibitsWithRasterOperations) {
    Info info(1, 1, 24);
    std::uint8_t bits[4] = {0x0F, 0xF0, 0xFF, 0};
    MemoryCanvas canvas(1, 1, RGB(0xFF, 0xFF, 0x00));
    StretchDIBits(canvas.dc, 0, 0, 1, 1, 0, 0, 1, 1, bits, info.get(), DIB_RGB_COLORS, SRCAND);
    EXPECT_EQ(canvas.at(0, 0), RGB(0xFF, 0xF0, 0x00));
    StretchDIBits(canvas.dc, 0, 0, 1, 1, 0, 0, 1, 1, bits, info.get(), DIB_RGB_COLORS, SRCINVERT);
    EXPECT_EQ(canvas.at(0, 0), RGB(0x00, 0x00, 0x0F));
}

TEST(Dib, MalformedHeadersFail) {
    std::uint8_t bits[64] = {};
    MemoryCanvas canvas(2, 2);
    struct Case {
        const char* name;
        void (*spoil)(BITMAPINFOHEADER&);
    };
    const Case cases[] = {
        {"size", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
        {"width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
        {"height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
        {"planes", [](BITMAPINFOHEADER& h) { h.biPlanes = 2; }},
        {"bit count", [](BITMAPINFOHEADER& h) { h.biBitCount = 7; }},
        {"compression", [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }},
        {"huge",
         [](BITMAPINFOHEADER& h) {
             h.biWidth = 60000;
             h.biHeight = 60000;
         }},
        {"minimum height", [](BITMAPINFOHEADER& h) { h.biHeight = INT32_MIN; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Info info(2, 2, 24);
        c.spoil(info.header);
        EXPECT_EQ(StretchDIBits(canvas.dc, 0, 0, 2, 2, 0, 0, 2, 2, bits, info.get(), DIB_RGB_COLORS,
                                SRCCOPY),
                  0);
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(CreateDIBSection(canvas.dc, info.get(), DIB_RGB_COLORS, &out, nullptr, 0),
                  nullptr);
        EXPECT_EQ(out, nullptr);
    }
}

TEST(DibSection, DrawingReachesTheBitsInEveryFormat) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        Info info(3, 2, bits); // bottom-up
        info.table[0] = RGBQUAD{0, 0, 0, 0};
        info.table[1] = RGBQUAD{255, 255, 255, 0};
        void* pixels = nullptr;
        HBITMAP section =
            CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &pixels, nullptr, 0);
        ASSERT_NE(section, nullptr);
        ASSERT_NE(pixels, nullptr);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, section);
        fill(dc, 0, 0, 3, 2, RGB(0, 0, 0));
        SetPixel(dc, 0, 0, kWhite); // top-left: the last stored row
        const auto* bytes = static_cast<const std::uint8_t*>(pixels);
        const std::uint8_t* top = bytes + stride(3, bits);
        EXPECT_NE(top[0], 0);
        EXPECT_EQ(bytes[0], 0);
        // Bits written directly show in the next drawing call (index 1 is white).
        std::uint8_t white = bits == 4 ? 0x11 : bits == 8 ? 0x01 : 0xFF;
        std::memset(const_cast<std::uint8_t*>(bytes), white, stride(3, bits));
        EXPECT_EQ(GetPixel(dc, 0, 1), kWhite);
        BITMAP bm{};
        ASSERT_EQ(GetObject(section, sizeof bm, &bm), static_cast<int>(sizeof bm));
        EXPECT_EQ(bm.bmWidth, 3);
        EXPECT_EQ(bm.bmHeight, 2);
        EXPECT_EQ(bm.bmBitsPixel, bits);
        EXPECT_EQ(bm.bmBits, pixels);
        EXPECT_EQ(bm.bmWidthBytes, static_cast<LONG>(stride(3, bits)));
        DIBSECTION ds{};
        ASSERT_EQ(GetObject(section, sizeof ds, &ds), static_cast<int>(sizeof ds));
        EXPECT_EQ(ds.dsBmih.biHeight, 2);
        SelectObject(dc, old);
        DeleteDC(dc);
        EXPECT_TRUE(DeleteObject(section));
    }
}

TEST(GetDIBits, HeaderPassThenBitsPass) {
    MemoryCanvas canvas(3, 2, kBlue);
    SetPixel(canvas.dc, 0, 0, kRed);
    HBITMAP ddb = CreateCompatibleBitmap(canvas.dc, 3, 2);
    HDC dc = CreateCompatibleDC(canvas.dc);
    HGDIOBJ old = SelectObject(dc, ddb);
    BitBlt(dc, 0, 0, 3, 2, canvas.dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);

    Info info(0, 0, 0);
    EXPECT_NE(GetDIBits(dc, ddb, 0, 0, nullptr, info.get(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.header.biWidth, 3);
    EXPECT_EQ(info.header.biHeight, 2);
    EXPECT_EQ(info.header.biBitCount, 32);
    EXPECT_EQ(info.header.biSizeImage, 24u);

    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        Info want(3, 2, bits);
        std::vector<std::uint8_t> out(stride(3, bits) * 2, 0xEE);
        EXPECT_EQ(GetDIBits(dc, ddb, 0, 2, out.data(), want.get(), DIB_RGB_COLORS), 2);
        const std::uint8_t* top = out.data() + stride(3, bits);
        EXPECT_EQ(top[2], 255); // red
        EXPECT_EQ(top[0], 0);
        EXPECT_EQ(out[0], 255); // bottom-left is blue
    }
    // 8 bits: a colour table is written and the indices point at the nearest colours.
    Info eight(3, -2, 8);
    std::vector<std::uint8_t> out(stride(3, 8) * 2, 0);
    EXPECT_EQ(GetDIBits(dc, ddb, 0, 2, out.data(), eight.get(), DIB_RGB_COLORS), 2);
    RGBQUAD q = eight.table[out[0]];
    EXPECT_EQ(q.rgbRed, 255);
    EXPECT_EQ(q.rgbBlue, 0);
    q = eight.table[out[1]];
    EXPECT_EQ(q.rgbBlue, 255);
    DeleteDC(dc);
    DeleteObject(ddb);
}

TEST(CreateDIBitmap, InitialisesFromBits) {
    Info info(2, 1, 24);
    std::uint8_t bits[8] = {0, 0, 255, 255, 0, 0, 0, 0};
    MemoryCanvas screen(1, 1);
    HBITMAP bitmap =
        CreateDIBitmap(screen.dc, &info.header, CBM_INIT, bits, info.get(), DIB_RGB_COLORS);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(screen.dc);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), kRed);
    EXPECT_EQ(GetPixel(dc, 1, 0), kBlue);
    BITMAP bm{};
    GetObject(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmBits, nullptr);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST(CreateBitmap, RefusesImpossibleSizes) {
    EXPECT_EQ(CreateBitmap(70000, 70000, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(-1, 5, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 1, 7, nullptr), nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 70000, 70000), nullptr);
    DeleteDC(dc);
}

TEST(CreateBitmap, MonochromeBitsAndCompatibleBitmaps) {
    // Rows of monochrome bits are padded to 16 bits; 1 is white.
    std::uint8_t bits[4] = {0x80, 0x00, 0x40, 0x00};
    HBITMAP mono = CreateBitmap(2, 2, 1, 1, bits);
    HDC dc = CreateCompatibleDC(nullptr);
    // A fresh memory DC is monochrome, so its compatible bitmap is too.
    HBITMAP compatible = CreateCompatibleBitmap(dc, 4, 4);
    BITMAP bm{};
    GetObject(compatible, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    HGDIOBJ old = SelectObject(dc, mono);
    EXPECT_EQ(GetPixel(dc, 0, 0), kWhite);
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 1), kWhite);
    // A bitmap selected into one DC cannot go into another, nor be deleted.
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, mono), nullptr);
    EXPECT_FALSE(DeleteObject(mono));
    SelectObject(dc, old);
    EXPECT_TRUE(DeleteObject(mono));
    DeleteDC(other);
    DeleteDC(dc);
    DeleteObject(compatible);
}

TEST(GetDIBits, HeaderPassOfSectionsGivesMasksButNoTable) {
    // A 565 section: the header pass reports bit fields and writes the three masks.
    Info info565(2, 2, 16, BI_BITFIELDS);
    info565.masks(0xF800, 0x07E0, 0x001F);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, info565.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    static_cast<std::uint16_t*>(bits)[0] = 0xF81F;
    HDC ic = CreateIC("DISPLAY", nullptr, nullptr, nullptr);
    Info header(0, 0, 0);
    std::memset(header.table, 0xAB, sizeof header.table);
    EXPECT_NE(GetDIBits(ic, section, 0, 0, nullptr, header.get(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(header.header.biBitCount, 16);
    EXPECT_EQ(header.header.biCompression, BI_BITFIELDS);
    DWORD masks[3];
    std::memcpy(masks, header.table, sizeof masks);
    EXPECT_EQ(masks[0], 0xF800u);
    EXPECT_EQ(masks[2], 0x001Fu);
    std::vector<std::uint8_t> out(header.header.biSizeImage + 4, 0);
    EXPECT_EQ(GetDIBits(ic, section, 0, 2, out.data(), header.get(), DIB_RGB_COLORS), 2);
    std::uint16_t first = static_cast<std::uint16_t>(out[0] | (out[1] << 8));
    EXPECT_EQ(first, 0xF81F); // the stored value comes back unchanged
    DeleteObject(section);

    // An 8-bit section: a header pass without a bit count leaves the table's room alone.
    Info info8(2, 2, 8);
    HBITMAP eight = CreateDIBSection(nullptr, info8.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
    Info header8(0, 0, 0);
    std::memset(header8.table, 0xAB, sizeof header8.table);
    EXPECT_NE(GetDIBits(ic, eight, 0, 0, nullptr, header8.get(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(header8.header.biBitCount, 8);
    EXPECT_EQ(header8.table[0].rgbBlue, 0xAB);
    DeleteObject(eight);
    DeleteDC(ic);
}

TEST(Dib, SourceRectanglesReachingOutsideDrawOnlyWhatExists) {
    Info info(2, -2, 24); // top-down, all red
    std::vector<std::uint8_t> bits(stride(2, 24) * 2, 0);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            bits[stride(2, 24) * y + x * 3 + 2] = 255;
        }
    }
    MemoryCanvas canvas(4, 4, kWhite);
    StretchDIBits(canvas.dc, 0, 0, 4, 4, 0, 0, 4, 4, bits.data(), info.get(), DIB_RGB_COLORS,
                  SRCCOPY);
    EXPECT_EQ(canvas.at(1, 1), kRed);
    EXPECT_EQ(canvas.at(3, 3), kWhite);
    EXPECT_EQ(canvas.at(3, 0), kWhite);
}

TEST(GetDIBits, MonochromeBitmapsReadAsOneBitWithBlackAndWhite) {
    std::uint8_t rows[4] = {0x80, 0x00, 0x00, 0x00}; // top-left white
    HBITMAP mono = CreateBitmap(2, 2, 1, 1, rows);
    HDC dc = CreateCompatibleDC(nullptr);
    Info info(2, 2, 1);
    std::uint8_t out[8] = {};
    EXPECT_EQ(GetDIBits(dc, mono, 0, 2, out, info.get(), DIB_RGB_COLORS), 2);
    EXPECT_EQ(info.table[0].rgbRed, 0);
    EXPECT_EQ(info.table[1].rgbRed, 255);
    EXPECT_EQ(out[4] & 0xC0, 0x80); // the top row is stored last
    EXPECT_EQ(out[0] & 0xC0, 0x00);
    // SetDIBits writes back through the same conversion.
    out[0] = 0xC0;
    EXPECT_EQ(SetDIBits(dc, mono, 0, 2, out, info.get(), DIB_RGB_COLORS), 2);
    HGDIOBJ old = SelectObject(dc, mono);
    EXPECT_EQ(GetPixel(dc, 1, 1), kWhite);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(mono);
}
