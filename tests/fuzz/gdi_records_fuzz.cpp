// Region data and DIB headers from untrusted bytes: ExtCreateRegion must honour the sizes it
// is given, and DIB conversion must stay inside the bits that the header describes.
#include "gdi/dib_format.h"
#include "win32/win32.h"

#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    std::vector<std::uint8_t> copy(data + 1, data + size);
    if (data[0] & 1) {
        // RGNDATA, with and without a scaling transform.
        const auto* rgn = reinterpret_cast<const RGNDATA*>(copy.data());
        XFORM scale{2.0f, 0.0f, 0.0f, 0.5f, 3.0f, -3.0f};
        HRGN region =
            ExtCreateRegion((data[0] & 2) ? &scale : nullptr, static_cast<DWORD>(copy.size()), rgn);
        if (region) {
            DWORD needed = GetRegionData(region, 0, nullptr);
            std::vector<char> out(needed);
            GetRegionData(region, needed, reinterpret_cast<RGNDATA*>(out.data()));
            HRGN other = CreateEllipticRgn(-5, -5, 40, 30);
            CombineRgn(other, other, region, RGN_XOR);
            DeleteObject(other);
            DeleteObject(region);
        }
        return 0;
    }
    // A BITMAPINFO (header, then room for 256 colours) followed by its bits; drawn only when
    // the bytes hold what it describes.
    constexpr std::size_t kTable = 256 * sizeof(RGBQUAD);
    if (copy.size() < sizeof(BITMAPINFOHEADER) + kTable) {
        copy.resize(sizeof(BITMAPINFOHEADER) + kTable, 0);
    }
    const auto* info = reinterpret_cast<const BITMAPINFO*>(copy.data());
    std::size_t header = std::size_t{info->bmiHeader.biSize} + kTable;
    if (info->bmiHeader.biSize > 256 || copy.size() < header) {
        return 0;
    }
    std::optional<lv::gdi::DibFormat> format = lv::gdi::parse_dib_format(info, DIB_RGB_COLORS);
    if (!format || format->image_size() > (std::size_t{1} << 22) ||
        copy.size() < header + format->image_size()) {
        return 0;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateBitmap(16, 16, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, target);
    StretchDIBits(dc, 0, 0, 16, 16, 0, 0, format->width, format->height, copy.data() + header, info,
                  DIB_RGB_COLORS, SRCCOPY);
    SetDIBitsToDevice(dc, -3, -3, 20, 20, 1, 1, 0, static_cast<UINT>(format->height),
                      copy.data() + header, info, DIB_RGB_COLORS);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    return 0;
}
