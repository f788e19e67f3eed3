// The colour, mode and coordinate state of a DC.
#include "gdi/dc.h"

using namespace lv::gdi;

namespace {

template <typename T, typename Field>
T swap_field(HDC handle, Field DcState::*field, T value, T failure) {
    LockedDc dc(handle);
    if (!dc) {
        return failure;
    }
    T old = static_cast<T>(dc->state.*field);
    dc->state.*field = value;
    return old;
}

template <typename T, typename Field> T read_field(HDC handle, Field DcState::*field, T failure) {
    LockedDc dc(handle);
    return dc ? static_cast<T>(dc->state.*field) : failure;
}

BOOL set_point(HDC handle, POINT DcState::*field, int x, int y, bool relative, LPPOINT previous) {
    LockedDc dc(handle);
    if (!dc) {
        return FALSE;
    }
    POINT& p = dc->state.*field;
    if (previous) {
        *previous = p;
    }
    p = relative ? POINT{p.x + x, p.y + y} : POINT{x, y};
    return TRUE;
}

BOOL get_point(HDC handle, POINT DcState::*field, LPPOINT out) {
    LockedDc dc(handle);
    if (!dc || !out) {
        return FALSE;
    }
    *out = dc->state.*field;
    return TRUE;
}

} // namespace

COLORREF SetBkColor(HDC dc, COLORREF colour) {
    return swap_field(dc, &DcState::bk_colour, colour, CLR_INVALID);
}
COLORREF GetBkColor(HDC dc) {
    return read_field(dc, &DcState::bk_colour, CLR_INVALID);
}
COLORREF SetTextColor(HDC dc, COLORREF colour) {
    return swap_field(dc, &DcState::text_colour, colour, CLR_INVALID);
}
COLORREF GetTextColor(HDC dc) {
    return read_field(dc, &DcState::text_colour, CLR_INVALID);
}
UINT SetTextAlign(HDC dc, UINT align) {
    return swap_field(dc, &DcState::text_align, align, static_cast<UINT>(GDI_ERROR));
}
UINT GetTextAlign(HDC dc) {
    return read_field(dc, &DcState::text_align, static_cast<UINT>(GDI_ERROR));
}
int GetBkMode(HDC dc) {
    return read_field(dc, &DcState::bk_mode, 0);
}
int GetROP2(HDC dc) {
    return read_field(dc, &DcState::rop2, 0);
}
int GetStretchBltMode(HDC dc) {
    return read_field(dc, &DcState::stretch_mode, 0);
}

int SetBkMode(HDC dc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return swap_field(dc, &DcState::bk_mode, mode, 0);
}

int SetROP2(HDC dc, int rop2) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) {
        return 0;
    }
    return swap_field(dc, &DcState::rop2, rop2, 0);
}

int SetStretchBltMode(HDC dc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) {
        return 0;
    }
    return swap_field(dc, &DcState::stretch_mode, mode, 0);
}

int SetPolyFillMode(HDC dc, int mode) {
    if (mode != ALTERNATE && mode != WINDING) {
        return 0;
    }
    return swap_field(dc, &DcState::poly_fill_mode, mode, 0);
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    return set_point(dc, &DcState::viewport_org, x, y, false, previous);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT previous) {
    return set_point(dc, &DcState::viewport_org, dx, dy, true, previous);
}
BOOL GetViewportOrgEx(HDC dc, LPPOINT origin) {
    return get_point(dc, &DcState::viewport_org, origin);
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    return set_point(dc, &DcState::window_org, x, y, false, previous);
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, LPPOINT previous) {
    return set_point(dc, &DcState::window_org, dx, dy, true, previous);
}
BOOL GetWindowOrgEx(HDC dc, LPPOINT origin) {
    return get_point(dc, &DcState::window_org, origin);
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    return set_point(dc, &DcState::brush_org, x, y, false, previous);
}
BOOL GetCurrentPositionEx(HDC dc, LPPOINT position) {
    return get_point(dc, &DcState::position, position);
}

BOOL LPtoDP(HDC handle, LPPOINT points, int count) {
    LockedDc dc(handle);
    if (!dc || (!points && count > 0)) {
        return FALSE;
    }
    for (int i = 0; i < count; ++i) {
        points[i] = dc->to_device(points[i].x, points[i].y);
    }
    return TRUE;
}

BOOL DPtoLP(HDC handle, LPPOINT points, int count) {
    LockedDc dc(handle);
    if (!dc || (!points && count > 0)) {
        return FALSE;
    }
    const DcState& s = dc->state;
    for (int i = 0; i < count; ++i) {
        points[i] = POINT{points[i].x - s.viewport_org.x + s.window_org.x,
                          points[i].y - s.viewport_org.y + s.window_org.y};
    }
    return TRUE;
}
