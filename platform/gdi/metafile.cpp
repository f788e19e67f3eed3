// Enhanced metafile handles: made from the bytes of an enhanced or a Windows metafile, asked
// for their header and palette, played into a rectangle.
#include "gdi/handle_table.h"
#include "gdi/metafile_picture.h"
#include "win32/errors.h"
#include "win32/system.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace lv::gdi;

namespace lv::gdi {

struct EnhMetaFile : Object {
    static constexpr Kind kKind = Kind::metafile;
    explicit EnhMetaFile(MetaPicture p) : Object(kKind), picture(std::move(p)) {}
    MetaPicture picture;
};

} // namespace lv::gdi

namespace {

HENHMETAFILE handle_for(MetaPicture picture) {
    return static_cast<HENHMETAFILE>(add_handle(std::make_shared<EnhMetaFile>(std::move(picture))));
}

HENHMETAFILE fail(DWORD error) {
    SetLastError(error);
    return nullptr;
}

} // namespace

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data) {
    if (!data || size == 0) {
        return fail(ERROR_INVALID_PARAMETER);
    }
    std::optional<MetaPicture> picture = read_emf({data, size});
    if (!picture) {
        return fail(ERROR_INVALID_DATA);
    }
    return handle_for(std::move(*picture));
}

HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* data, HDC reference,
                                const METAFILEPICT* picture) {
    if (!data || size == 0) {
        return fail(ERROR_INVALID_PARAMETER);
    }
    const int mode = picture ? picture->mm : MM_ANISOTROPIC;
    if (mode != MM_ANISOTROPIC && mode != MM_ISOTROPIC && mode != MM_TEXT) {
        return fail(ERROR_INVALID_PARAMETER);
    }
    std::optional<MetaPicture> parsed = read_wmf({data, size});
    if (!parsed) {
        return fail(ERROR_INVALID_DATA);
    }
    MetaPicture& p = *parsed;

    // The reference device: its size in pixels and millimetres gives the frame's scale.
    HDC screen = reference ? reference : CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    const int dpi_x = std::max(1, GetDeviceCaps(screen, LOGPIXELSX));
    const int dpi_y = std::max(1, GetDeviceCaps(screen, LOGPIXELSY));
    const LONG device_w = std::max(1, GetDeviceCaps(screen, HORZRES));
    const LONG device_h = std::max(1, GetDeviceCaps(screen, VERTRES));
    if (!reference && screen) {
        DeleteDC(screen);
    }
    p.pixels_per_mm_x = dpi_x / 25.4;
    p.pixels_per_mm_y = dpi_y / 25.4;

    // Under MM_ANISOTROPIC the suggested size (0.01 mm) is the frame and the metafile's window
    // fills it; without a size, or under MM_TEXT, the drawing's own extent in pixels is.
    const RECT& w = p.initial_window;
    double frame_w = w.right - w.left, frame_h = w.bottom - w.top;
    p.window_fills_frame = mode != MM_TEXT;
    if (p.window_fills_frame && picture && picture->xExt > 0 && picture->yExt > 0) {
        frame_w = picture->xExt * p.pixels_per_mm_x / 100.0;
        frame_h = picture->yExt * p.pixels_per_mm_y / 100.0;
    }
    if (mode == MM_TEXT) {
        p.frame_left = w.left;
        p.frame_top = w.top;
    }
    p.frame_right = p.frame_left + frame_w;
    p.frame_bottom = p.frame_top + frame_h;

    ENHMETAHEADER& h = p.header;
    h.iType = EMR_HEADER;
    h.nSize = sizeof(ENHMETAHEADER);
    h.dSignature = ENHMETA_SIGNATURE;
    h.nVersion = 0x10000;
    h.nHandles = static_cast<WORD>(std::min<std::size_t>(p.object_slots + 1, 0xFFFF));
    h.nRecords = static_cast<DWORD>(p.records.size() + 2);
    h.rclBounds = RECTL{static_cast<LONG>(std::lround(p.frame_left)),
                        static_cast<LONG>(std::lround(p.frame_top)),
                        static_cast<LONG>(std::lround(p.frame_right)) - 1,
                        static_cast<LONG>(std::lround(p.frame_bottom)) - 1};
    h.rclFrame = RECTL{static_cast<LONG>(std::lround(p.frame_left * 100 / p.pixels_per_mm_x)),
                       static_cast<LONG>(std::lround(p.frame_top * 100 / p.pixels_per_mm_y)),
                       static_cast<LONG>(std::lround(p.frame_right * 100 / p.pixels_per_mm_x)),
                       static_cast<LONG>(std::lround(p.frame_bottom * 100 / p.pixels_per_mm_y))};
    h.szlDevice = SIZEL{device_w, device_h};
    h.szlMillimeters = SIZEL{static_cast<LONG>(std::lround(device_w / p.pixels_per_mm_x)),
                             static_cast<LONG>(std::lround(device_h / p.pixels_per_mm_y))};
    return handle_for(std::move(p));
}

UINT GetEnhMetaFileHeader(HENHMETAFILE metafile, UINT size, ENHMETAHEADER* header) {
    const std::shared_ptr<EnhMetaFile> mf = find<EnhMetaFile>(metafile);
    if (!mf) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!header) {
        return sizeof(ENHMETAHEADER);
    }
    const UINT copied = std::min<UINT>(size, sizeof(ENHMETAHEADER));
    std::memcpy(header, &mf->picture.header, copied);
    return copied;
}

UINT GetEnhMetaFilePaletteEntries(HENHMETAFILE metafile, UINT count, PALETTEENTRY* entries) {
    const std::shared_ptr<EnhMetaFile> mf = find<EnhMetaFile>(metafile);
    if (!mf) {
        SetLastError(ERROR_INVALID_HANDLE);
        return GDI_ERROR;
    }
    const std::vector<PALETTEENTRY>& palette = mf->picture.palette;
    if (!entries) {
        return static_cast<UINT>(palette.size());
    }
    const UINT copied = std::min<UINT>(count, static_cast<UINT>(palette.size()));
    std::copy_n(palette.begin(), copied, entries);
    return copied;
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT* rect) {
    const std::shared_ptr<EnhMetaFile> mf = find<EnhMetaFile>(metafile);
    if (!mf || !rect) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    if (!LPtoDP(dc, corners, 2)) {
        return FALSE;
    }
    const RECT device{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return play_metafile(dc, mf->picture, device) ? TRUE : FALSE;
}

BOOL DeleteEnhMetaFile(HENHMETAFILE metafile) {
    if (!remove_handle(metafile, Kind::metafile)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
