// Creating brushes and pens.
#include "gdi/objects.h"
#include "gdi/raster.h"
#include "win32/errors.h"

#include <cstring>

using namespace lv::gdi;

HBRUSH CreateSolidBrush(COLORREF colour) {
    auto brush = std::make_shared<Brush>();
    brush->colour = colour & kRgbMask;
    return static_cast<HBRUSH>(add_handle(brush));
}

HBRUSH CreatePatternBrush(HBITMAP handle) {
    auto bitmap = find<Bitmap>(handle);
    if (!bitmap) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // The brush keeps its own copy: the bitmap may be deleted or drawn on afterwards.
    auto pattern = std::make_shared<Surface>(bitmap->width(), bitmap->height());
    {
        SurfaceLock lock(&bitmap->pixels);
        if (bitmap->section && !bitmap->section->shared) {
            bitmap->section->load(bitmap->pixels, RECT{0, 0, bitmap->width(), bitmap->height()});
        }
        for (int y = 0; y < bitmap->height(); ++y) {
            std::memcpy(pattern->row(y), bitmap->pixels.row(y),
                        static_cast<std::size_t>(bitmap->width()) * sizeof(Pixel));
        }
    }
    auto brush = std::make_shared<Brush>();
    brush->style = BS_PATTERN;
    brush->pattern = pattern;
    brush->mono_pattern = bitmap->monochrome();
    return static_cast<HBRUSH>(add_handle(brush));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* log) {
    if (!log) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    switch (log->lbStyle) {
    case BS_SOLID:
        return CreateSolidBrush(log->lbColor);
    case BS_NULL: {
        auto brush = std::make_shared<Brush>();
        brush->style = BS_NULL;
        return static_cast<HBRUSH>(add_handle(brush));
    }
    case BS_PATTERN:
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(log->lbHatch));
    case kHatchedStyle: {
        // The metafile player's hatched brushes: six hatches.
        if (log->lbHatch > 5) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        auto brush = std::make_shared<Brush>();
        brush->style = kHatchedStyle;
        brush->colour = log->lbColor & kRgbMask;
        brush->hatch = static_cast<int>(log->lbHatch);
        return static_cast<HBRUSH>(add_handle(brush));
    }
    default:
        // DIB-pattern brushes have no caller.
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto pen = std::make_shared<Pen>();
    pen->style = style;
    pen->width = width < 1 ? 1 : width;
    pen->colour = colour & kRgbMask;
    return static_cast<HPEN>(add_handle(pen));
}

HPEN CreatePenIndirect(const LOGPEN* log) {
    if (!log) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreatePen(static_cast<int>(log->lopnStyle), log->lopnWidth.x, log->lopnColor);
}
