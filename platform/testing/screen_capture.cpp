#include "testing/screen_capture.h"

#include "display/compositor.h"
#include "gdi/surface.h"
#include "win32/gdi.h"
#include "window/layers.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace lv::testing {
namespace {

COLORREF to_colorref(gdi::Pixel p) {
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Writes an opaque RGB PNG of the surface; the caller holds the surface's lock.
bool write_png_file(const gdi::Surface& surface, const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_byte> row(static_cast<size_t>(surface.width()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    // A capture is written while the slide show runs: zlib's fastest level keeps it short.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface.width()),
                 static_cast<png_uint_32>(surface.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface.height(); ++y) {
        const gdi::Pixel* src = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            row[static_cast<size_t>(x) * 3] = static_cast<png_byte>((src[x] >> 16) & 0xFF);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>((src[x] >> 8) & 0xFF);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(src[x] & 0xFF);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fflush(file.get()) == 0;
}

// A capture is read while the show goes on (and may be killed): it appears under its name
// whole or not at all.
bool write_png(const gdi::Surface& surface, const std::string& path) {
    if (surface.width() <= 0 || surface.height() <= 0)
        return false;
    const std::string part = path + ".part";
    if (write_png_file(surface, part) && std::rename(part.c_str(), path.c_str()) == 0)
        return true;
    std::remove(part.c_str());
    return false;
}

} // namespace

bool save_screen_png(const std::string& path) {
    display::compose_screen();
    gdi::Surface& screen = display::screen_surface();
    gdi::SurfaceLock lock(&screen);
    return write_png(screen, path);
}

bool save_window_png(HWND hwnd, const std::string& path) {
    auto surface = window::surface_of(hwnd);
    if (!surface)
        return false;
    gdi::SurfaceLock lock(surface.get());
    return write_png(*surface, path);
}

COLORREF screen_pixel(int x, int y) {
    display::compose_screen();
    gdi::Surface& screen = display::screen_surface();
    gdi::SurfaceLock lock(&screen);
    if (x < 0 || y < 0 || x >= screen.width() || y >= screen.height())
        return CLR_INVALID;
    return to_colorref(screen.row(y)[x]);
}

int count_screen_pixels(const RECT& area, COLORREF colour) {
    display::compose_screen();
    gdi::Surface& screen = display::screen_surface();
    gdi::SurfaceLock lock(&screen);
    int count = 0;
    for (int y = std::max(0, int(area.top)); y < std::min(screen.height(), int(area.bottom)); ++y) {
        const gdi::Pixel* row = screen.row(y);
        for (int x = std::max(0, int(area.left)); x < std::min(screen.width(), int(area.right));
             ++x)
            count += to_colorref(row[x]) == colour;
    }
    return count;
}

COLORREF window_pixel(HWND hwnd, int x, int y) {
    HWND top = GetAncestor(hwnd, GA_ROOT);
    RECT inner{}, outer{};
    if (!top || !GetWindowRect(hwnd, &inner) || !GetWindowRect(top, &outer))
        return CLR_INVALID;
    auto surface = window::surface_of(top);
    if (!surface)
        return CLR_INVALID;
    int sx = x + (inner.left - outer.left), sy = y + (inner.top - outer.top);
    gdi::SurfaceLock lock(surface.get());
    if (sx < 0 || sy < 0 || sx >= surface->width() || sy >= surface->height())
        return CLR_INVALID;
    return to_colorref(surface->row(sy)[sx]);
}

} // namespace lv::testing
