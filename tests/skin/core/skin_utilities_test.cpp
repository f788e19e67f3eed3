// The small helpers of the skin painters: popup placement, the OS class, text with a shadow,
// the window icon, keyed blits, fills, resource files and temporary names.
#include "skin/core/popup_placement.h"
#include "skin/core/skin_blit.h"
#include "skin/core/skin_files.h"
#include "skin/core/skin_os_class.h"
#include "skin/core/skin_paint_utils.h"
#include "tests/platform/gdi/gdi_fixture.h"
#include "tests/support/scoped_env.h"

#include "imagelib/px_image.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using lv::gdi::testing::MemoryCanvas;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kIconOrange = RGB(0xF0, 0x80, 0x20);

TEST(PopupPlacement, AlignmentFlagsAndScreenEdges) {
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        int x, y;
        SIZE size;
        UINT flags;
        RECT expected;
    };
    const Case cases[] = {
        {100, 50, {80, 40}, TPM_LEFTALIGN | TPM_TOPALIGN, {100, 50, 180, 90}},
        {100, 50, {80, 40}, TPM_CENTERALIGN, {60, 50, 140, 90}},
        {100, 50, {80, 40}, TPM_RIGHTALIGN, {20, 50, 100, 90}},
        {100, 50, {80, 40}, TPM_BOTTOMALIGN, {100, 10, 180, 50}},
        {100, 50, {80, 40}, TPM_VCENTERALIGN, {100, 30, 180, 70}},
        // Past the right or bottom edge: the whole popup moves back, 2 pixels inside.
        {screenW - 10,
         screenH - 10,
         {80, 40},
         0,
         {screenW - 82, screenH - 42, screenW - 2, screenH - 2}},
        // Past the left or top edge: the whole popup moves over, keeping its size.
        {10, 5, {100, 40}, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {2, 2, 102, 42}},
    };
    for (const Case& c : cases) {
        RECT placed{};
        GlazeworkPlacePopupMenu(placed, c.x, c.y, c.size, c.flags);
        EXPECT_TRUE(EqualRect(&placed, &c.expected))
            << c.x << "," << c.y << " flags " << c.flags << ": " << placed.left << "," << placed.top
            << "," << placed.right << "," << placed.bottom;
    }
}

TEST(OsClass, EachConfiguredWindowsHasItsClass) {
    const std::pair<const char*, int> cases[] = {{"95", kOsClass95},     {"98", kOsClass98},
                                                 {"ME", kOsClassMe},     {"NT4", kOsClassNt4},
                                                 {"2000", kOsClass2000}, {"XP", kOsClassXp}};
    for (const auto& [version, expected] : cases) {
        lvtest::ScopedEnv windows("LUMIVISTA_WINVER", version);
        EXPECT_EQ(GlazeworkGetOsClass(), expected) << version;
        EXPECT_EQ(GlazeworkIsNtClass(expected), expected >= kOsClassMe) << version;
    }
}

// The bounds of the pixels of one colour.
RECT BoundsOf(const MemoryCanvas& canvas, int width, int height, COLORREF colour) {
    RECT r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (canvas.at(x, y) == colour) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

TEST(TextShadow, TheShadowGoesByTheSignedOffsetsAndOnlyWithItsFlag) {
    constexpr COLORREF kText = RGB(0, 0, 255);
    constexpr COLORREF kShadow = RGB(255, 0, 0);
    LOGFONTA font{};
    font.lfHeight = -24;
    font.lfWeight = 700;
    std::strcpy(font.lfFaceName, "DejaVu Sans");
    HFONT handle = CreateFontIndirectA(&font);
    // dx -3 (0xFD), dy +4: the shadow sticks out left and below.
    const std::uint32_t offsets = 0x04FD;
    const RECT place{20, 10, 120, 50};
    {
        MemoryCanvas canvas(140, 70, kWhite);
        SelectObject(canvas.dc, handle);
        SetBkMode(canvas.dc, OPAQUE);
        EXPECT_GT(GlazeworkDrawTextShadow(canvas.dc, place, offsets, SkinTextEffect::kShadowFlag,
                                          kShadow, kText, "HH", 2, DT_SINGLELINE | DT_NOCLIP),
                  0);
        const RECT text = BoundsOf(canvas, 140, 70, kText);
        const RECT shadow = BoundsOf(canvas, 140, 70, kShadow);
        EXPECT_EQ(shadow.left, text.left - 3);
        EXPECT_EQ(shadow.bottom, text.bottom + 4);
        // The DC's own state is back.
        EXPECT_EQ(GetBkMode(canvas.dc), OPAQUE);
    }
    {
        MemoryCanvas canvas(140, 70, kWhite);
        SelectObject(canvas.dc, handle);
        GlazeworkDrawTextShadow(canvas.dc, place, offsets, 0, kShadow, kText, "HH", 2,
                                DT_SINGLELINE);
        EXPECT_EQ(BoundsOf(canvas, 140, 70, kShadow).left, INT_MAX);
        EXPECT_NE(BoundsOf(canvas, 140, 70, kText).left, INT_MAX);
    }
    DeleteObject(handle);
}

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND PlainWindow(const char* className, HICON classSmallIcon = nullptr) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = PlainProc;
    wc.lpszClassName = className;
    wc.hIconSm = classSmallIcon;
    RegisterClassExA(&wc);
    return CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HICON SolidIcon(COLORREF colour) {
    MemoryCanvas canvas(16, 16, colour);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO parts{TRUE, 0, 0, mask, canvas.bitmap};
    HICON icon = CreateIconIndirect(&parts);
    DeleteObject(mask);
    return icon;
}

TEST(WindowIcon, SmallBigClassThenTheProgramFile) {
    HICON small = SolidIcon(RGB(10, 200, 10));
    HICON big = SolidIcon(RGB(10, 10, 200));
    HICON classIcon = SolidIcon(RGB(200, 10, 10));
    HWND window = PlainWindow("IconProbe", classIcon);
    ASSERT_NE(window, nullptr);
    const RECT place{4, 4, 30, 30};
    auto drawn = [&] {
        MemoryCanvas canvas(40, 40, kWhite);
        const BOOL done = GlazeworkDrawWindowIcon(window, canvas.dc, place);
        EXPECT_EQ(canvas.at(21, 21), kWhite); // always 16 x 16
        return done ? canvas.at(10, 10) : CLR_INVALID;
    };
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    EXPECT_EQ(drawn(), RGB(10, 200, 10));
    SendMessageA(window, WM_SETICON, ICON_SMALL, 0);
    EXPECT_EQ(drawn(), RGB(10, 10, 200));
    SendMessageA(window, WM_SETICON, ICON_BIG, 0);
    EXPECT_EQ(drawn(), RGB(200, 10, 10));
    DestroyWindow(window);

    // Without any: the first icon of the program's file (this test's icon 128).
    HWND bare = PlainWindow("IconlessProbe");
    MemoryCanvas canvas(40, 40, kWhite);
    EXPECT_TRUE(GlazeworkDrawWindowIcon(bare, canvas.dc, place));
    EXPECT_EQ(canvas.at(10, 10), kIconOrange);
    EXPECT_EQ(canvas.at(4, 4), kWhite); // the icon's transparent border
    DestroyWindow(bare);
    DestroyIcon(small);
    DestroyIcon(big);
    DestroyIcon(classIcon);
}

TEST(Fills, TheDcKeepsItsBrushAndFillsExactly) {
    MemoryCanvas canvas(30, 30, kWhite);
    HGDIOBJ before = GetCurrentObject(canvas.dc, OBJ_BRUSH);
    EXPECT_TRUE(GlazeworkFillRectColor(canvas.dc, RECT{2, 2, 10, 10}, RGB(9, 9, 9)));
    EXPECT_EQ(canvas.at(9, 9), RGB(9, 9, 9));
    EXPECT_EQ(canvas.at(10, 10), kWhite);
    const POINT triangle[3] = {{12, 12}, {28, 12}, {20, 28}};
    EXPECT_TRUE(GlazeworkDrawArrow(canvas.dc, triangle, RGB(0, 120, 0)));
    EXPECT_EQ(canvas.at(20, 16), RGB(0, 120, 0));
    EXPECT_EQ(GetCurrentObject(canvas.dc, OBJ_BRUSH), before);
}

// A 4 x 2 picture in a bitmap selected nowhere: a dark colour with two key pixels, (1, 0)
// and (3, 1).
HBITMAP KeyedSource() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = -2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < 8; ++i)
        pixels[i] = 0x283C32; // 0x00RRGGBB
    pixels[1] = pixels[7] = 0xFF00FF;
    return bitmap;
}

constexpr COLORREF kDark = RGB(0x28, 0x3C, 0x32);

TEST(KeyedBlits, KeyPixelsLeaveTheTargetAsItWas) {
    HBITMAP source = KeyedSource();
    MemoryCanvas target(10, 10, kWhite);
    EXPECT_TRUE(GlazeworkTransparentBlt(target.dc, 2, 3, 4, 2, source, 0, 0, 0xFF00FF, nullptr));
    EXPECT_EQ(target.at(2, 3), kDark);
    EXPECT_EQ(target.at(3, 3), kWhite);
    EXPECT_EQ(target.at(5, 4), kWhite);
    EXPECT_EQ(target.at(4, 4), kDark);
    EXPECT_EQ(target.at(6, 3), kWhite);

    // Stretched from a DC: twice the size.
    HDC sourceDc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(sourceDc, source);
    MemoryCanvas stretched(10, 10, kWhite);
    EXPECT_TRUE(
        GlazeworkTransparentStretchBlt(stretched.dc, 0, 0, 8, 4, sourceDc, 0, 0, 4, 2, 0xFF00FF));
    EXPECT_EQ(stretched.at(1, 1), kDark);
    EXPECT_EQ(stretched.at(3, 1), kWhite);
    SelectObject(sourceDc, old);
    DeleteDC(sourceDc);

    // An image drawn keyed stops at the target's size; a bitmap keyed fills the target.
    PxImage image;
    ASSERT_TRUE(image.CreateFromHBITMAP(source));
    MemoryCanvas clipped(10, 10, kWhite);
    EXPECT_TRUE(GlazeworkDrawImageKeyed(clipped.dc, image, RECT{0, 0, 3, 1}, 0xFF00FF));
    EXPECT_EQ(clipped.at(0, 0), kDark);
    EXPECT_EQ(clipped.at(1, 0), kWhite);
    EXPECT_EQ(clipped.at(2, 0), kDark);
    EXPECT_EQ(clipped.at(3, 0), kWhite);
    EXPECT_EQ(clipped.at(0, 1), kWhite);
    MemoryCanvas filled(10, 10, kWhite);
    EXPECT_TRUE(GlazeworkDrawBitmapKeyed(filled.dc, source, RECT{0, 0, 8, 4}, 0xFF00FF));
    EXPECT_EQ(filled.at(1, 1), kDark);
    EXPECT_EQ(filled.at(2, 0), kWhite);
    EXPECT_EQ(filled.at(7, 3), kWhite);
    EXPECT_EQ(filled.at(9, 9), kWhite);
    DeleteObject(source);
}

TEST(SkinFiles, AResourceWrittenOutIsItsBytes) {
    char folder[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string path = std::string(folder) + "skin_resource.bin";
    ASSERT_TRUE(GlazeworkWriteResourceToFile(path.c_str(), nullptr, "FRAME_SKIN", "GLAZE_WORK"));
    HRSRC found = FindResourceA(nullptr, "FRAME_SKIN", "GLAZE_WORK");
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    std::string written;
    if (FILE* in = lv_fopen(path.c_str(), "rb")) {
        char chunk[4096];
        for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, in)) > 0;)
            written.append(chunk, got);
        std::fclose(in);
    }
    EXPECT_EQ(written, std::string(bytes, SizeofResource(nullptr, found)));
    DeleteFileA(path.c_str());
    EXPECT_FALSE(GlazeworkWriteResourceToFile(path.c_str(), nullptr, "MISSING", "GLAZE_WORK"));
    EXPECT_FALSE(
        GlazeworkWriteResourceToFile("Q:\\nowhere\\x.bin", nullptr, "FRAME_SKIN", "GLAZE_WORK"));
}

TEST(SkinFiles, TemporaryNamesWithAnExtensionLeaveNoFileBehind) {
    const std::string plain = GlazeworkMakeTempFileName("clip.avi", "C:\\", nullptr);
    ASSERT_FALSE(plain.empty());
    EXPECT_NE(GetFileAttributesA(plain.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(plain.c_str());

    const std::string named = GlazeworkMakeTempFileName("clip.avi", "C:\\", "AVI");
    ASSERT_GT(named.size(), 4u);
    EXPECT_EQ(named.substr(named.size() - 4), ".AVI");
    // The empty file that reserved the name is gone, and nothing is there yet.
    EXPECT_EQ(GetFileAttributesA(named.substr(0, named.size() - 4).c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(named.c_str()), INVALID_FILE_ATTRIBUTES);

    const std::string longExtension(MAX_PATH, 'x');
    EXPECT_EQ(GlazeworkMakeTempFileName("clip.avi", "C:\\", longExtension.c_str()), "");
}

} // namespace
