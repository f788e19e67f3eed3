// Hostile metafiles: truncations and byte flips of a Windows and an enhanced metafile that use
// every kind of record the player knows. Each decode succeeds or fails with a reason; nothing
// crashes, hangs or trips a sanitizer.
#include <gtest/gtest.h>

#include <algorithm>

#include "../codecs/codec_test_util.h"
#include "tests/support/metafile_writer.h"
#include "win32/win32.h"

namespace {

std::uint32_t Checker(int x, int y) {
    return ((x + y) & 1) ? 0xFFFFFF : 0x203040;
}

std::vector<std::uint8_t> RichWmf() {
    lvtest::WmfWriter wmf;
    wmf.SetMapMode(MM_ANISOTROPIC);
    wmf.SetWindowOrg(-5, -5);
    wmf.SetWindowExt(110, 60);
    wmf.CreatePen(PS_DASH, 2, RGB(1, 2, 3));
    wmf.CreateBrush(BS_SOLID, RGB(200, 10, 10));
    wmf.AddFont(-12, "DejaVu Sans");
    wmf.CreatePalette();
    wmf.SelectObject(0);
    wmf.SelectObject(1);
    wmf.SelectObject(2);
    wmf.SaveDc();
    wmf.Rectangle(0, 0, 30, 20);
    wmf.Ellipse(30, 0, 60, 20);
    wmf.Pie(60, 0, 90, 30, 90, 15, 75, 0);
    wmf.MoveTo(0, 40);
    wmf.LineTo(100, 45);
    wmf.Polygon({{0, 50}, {10, 40}, {20, 50}});
    wmf.PolyPolygon({{{30, 30}, {50, 30}, {50, 50}}, {{35, 35}, {45, 35}, {45, 45}}});
    wmf.SetTextColor(RGB(0, 0, 255));
    wmf.SetBkMode(TRANSPARENT);
    wmf.Text(5, 25, "metafile");
    wmf.StretchDib(60, 30, 40, 20, 0, 0, 3, 2, lvtest::Dib24(3, 2, Checker));
    wmf.RestoreDc(-1);
    wmf.DeleteObject(1);
    return wmf.Placeable(-5, -5, 105, 55, 200);
}

std::vector<std::uint8_t> RichEmf() {
    lvtest::EmfWriter emf(0, 0, 120, 80);
    emf.SetMapMode(MM_ANISOTROPIC);
    emf.SetWindowExt(60, 40);
    emf.SetViewportExt(120, 80);
    emf.CreatePen(1, PS_SOLID, 2, RGB(9, 9, 9));
    emf.CreateBrush(2, BS_SOLID, RGB(10, 200, 10));
    emf.AddFont(3, -10, u"DejaVu Sans");
    emf.SelectObject(1);
    emf.SelectObject(2);
    emf.SelectObject(3);
    emf.SaveDc();
    emf.Rectangle(0, 0, 20, 20);
    emf.Ellipse(20, 0, 40, 20);
    emf.Polyline16({{0, 30}, {30, 25}, {60, 30}});
    emf.ExtTextOutW(2, 22, u"emf");
    emf.StretchDiBits(40, 20, 20, 20, 0, 0, 3, 2, lvtest::Dib24(3, 2, Checker));
    emf.RestoreDc(-1);
    emf.DeleteObject(2);
    return emf.Bytes();
}

void CheckDecode(const std::vector<std::uint8_t>& bytes, const std::string& what) {
    PxImage image;
    if (lvtest::DecodeBytes(image, bytes, PXIMAGE_FORMAT_WMF)) {
        ASSERT_TRUE(image.IsValid()) << what;
        ASSERT_LE(image.GetWidth(), 4000u) << what;
        ASSERT_LE(image.GetHeight(), 4000u) << what;
    } else {
        ASSERT_STRNE(image.GetLastError(), "") << what;
        ASSERT_FALSE(image.IsValid()) << what;
    }
}

TEST(WmfMalformed, TruncationsAndFlips) {
    for (const auto& [name, seed] : {std::pair{"wmf", RichWmf()}, std::pair{"emf", RichEmf()}}) {
        PxImage whole;
        ASSERT_TRUE(lvtest::DecodeBytes(whole, seed, PXIMAGE_FORMAT_WMF))
            << name << ": " << whole.GetLastError();
        const std::size_t size = seed.size();
        const std::size_t step = std::max<std::size_t>(1, size / 50);
        for (std::size_t length = 0; length < size; length += step)
            CheckDecode({seed.begin(), seed.begin() + static_cast<long>(length)},
                        std::string(name) + " cut " + std::to_string(length));
        for (std::size_t pos = 0; pos < size; pos += step) {
            for (const std::uint8_t value :
                 {std::uint8_t{0x7F}, static_cast<std::uint8_t>(seed[pos] + 1)}) {
                std::vector<std::uint8_t> damaged = seed;
                damaged[pos] = value;
                CheckDecode(damaged, std::string(name) + " byte " + std::to_string(pos));
            }
        }
    }
}

} // namespace
