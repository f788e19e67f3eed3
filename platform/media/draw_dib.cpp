// DrawDib: packed DIBs drawn onto a device context, stretched where the sizes differ.
#include "win32/vfw.h"

#include <mutex>
#include <unordered_set>

namespace {

struct Contexts {
    std::mutex mutex;
    std::unordered_set<HDRAWDIB> open;
};

Contexts& contexts() {
    static Contexts* table = new Contexts;
    return *table;
}

struct DrawDibContext {
    int unused = 0;
};

bool is_open(HDRAWDIB context) {
    std::lock_guard lock(contexts().mutex);
    return context && contexts().open.count(context) != 0;
}

// Bytes between the header's start and its pixels: the header, then colours or bit masks.
std::size_t bits_offset(const BITMAPINFOHEADER& h) {
    std::size_t colours = h.biClrUsed;
    if (colours == 0 && h.biBitCount <= 8)
        colours = std::size_t{1} << h.biBitCount;
    if (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER))
        colours = 3;
    return h.biSize + colours * sizeof(RGBQUAD);
}

} // namespace

HDRAWDIB DrawDibOpen() {
    auto* context = reinterpret_cast<HDRAWDIB>(new DrawDibContext);
    std::lock_guard lock(contexts().mutex);
    contexts().open.insert(context);
    return context;
}

BOOL DrawDibClose(HDRAWDIB context) {
    {
        std::lock_guard lock(contexts().mutex);
        if (!context || !contexts().open.erase(context))
            return FALSE;
    }
    delete reinterpret_cast<DrawDibContext*>(context);
    return TRUE;
}

BOOL DrawDibDraw(HDRAWDIB context, HDC dc, int x, int y, int width, int height,
                 LPBITMAPINFOHEADER header, LPVOID bits, int src_x, int src_y, int src_width,
                 int src_height, UINT flags) {
    if (!is_open(context) || !dc || !header || header->biSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    const int picture_width = header->biWidth;
    const int picture_height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    if (src_width == -1)
        src_width = picture_width;
    if (src_height == -1)
        src_height = picture_height;
    if (width == -1)
        width = src_width;
    if (height == -1)
        height = src_height;
    const void* pixels = bits ? bits : reinterpret_cast<const BYTE*>(header) + bits_offset(*header);
    return StretchDIBits(dc, x, y, width, height, src_x, src_y, src_width, src_height, pixels,
                         reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS, SRCCOPY) != 0;
}
