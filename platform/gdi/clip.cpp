// The application's clip region of a DC (device coordinates), always inside what the window
// manager lets the DC see.
#include "gdi/dc.h"
#include "gdi/surface_dc.h"
#include "win32/errors.h"

using namespace lv::gdi;

namespace {

int type_of(const Region& r) {
    return r.empty() ? NULLREGION : r.is_rect() ? SIMPLEREGION : COMPLEXREGION;
}

RECT device_rect(const DeviceContext& dc, int left, int top, int right, int bottom) {
    RECT r = dc.to_device(RECT{left, top, right, bottom});
    if (r.left > r.right) {
        std::swap(r.left, r.right);
    }
    if (r.top > r.bottom) {
        std::swap(r.top, r.bottom);
    }
    return r;
}

// The clip before a change: the application's, or everything the DC can draw.
Region current_clip(const DeviceContext& dc) {
    return dc.state.clip ? *dc.state.clip : dc.device_limit();
}

} // namespace

int ExtSelectClipRgn(HDC handle, HRGN region, int mode) {
    LockedDc dc(handle);
    if (!dc) {
        return ERROR;
    }
    Region* r = region_of(region);
    if (!r) {
        if (mode != RGN_COPY || region) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return ERROR;
        }
        dc->state.clip.reset();
        return type_of(dc->device_clip());
    }
    switch (mode) {
    case RGN_COPY:
        dc->state.clip = *r;
        break;
    case RGN_AND:
        dc->state.clip = current_clip(*dc).intersected(*r);
        break;
    case RGN_OR:
        dc->state.clip = current_clip(*dc).united(*r);
        break;
    case RGN_XOR:
        dc->state.clip = current_clip(*dc).xored(*r);
        break;
    case RGN_DIFF:
        dc->state.clip = current_clip(*dc).subtracted(*r);
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    return type_of(dc->device_clip());
}

int SelectClipRgn(HDC dc, HRGN region) {
    return ExtSelectClipRgn(dc, region, RGN_COPY);
}

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
    LockedDc dc(handle);
    if (!dc) {
        return ERROR;
    }
    dc->state.clip =
        current_clip(*dc).intersected(Region(device_rect(*dc, left, top, right, bottom)));
    return type_of(dc->device_clip());
}

int ExcludeClipRect(HDC handle, int left, int top, int right, int bottom) {
    LockedDc dc(handle);
    if (!dc) {
        return ERROR;
    }
    dc->state.clip =
        current_clip(*dc).subtracted(Region(device_rect(*dc, left, top, right, bottom)));
    return type_of(dc->device_clip());
}

int OffsetClipRgn(HDC handle, int dx, int dy) {
    LockedDc dc(handle);
    if (!dc) {
        return ERROR;
    }
    if (dc->state.clip) {
        dc->state.clip->offset(dx, dy);
    }
    return type_of(dc->device_clip());
}

int GetClipBox(HDC handle, LPRECT rect) {
    LockedDc dc(handle);
    if (!dc || !rect) {
        return ERROR;
    }
    Region clip = dc->device_clip();
    RECT b = clip.bounds();
    if (clip.empty()) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    // Back to logical coordinates.
    const DcState& s = dc->state;
    int dx = s.window_org.x - s.viewport_org.x;
    int dy = s.window_org.y - s.viewport_org.y;
    *rect = RECT{b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
    return type_of(clip);
}

int GetClipRgn(HDC handle, HRGN region) {
    LockedDc dc(handle);
    Region* r = region_of(region);
    if (!dc || !r) {
        return -1;
    }
    if (!dc->state.clip) {
        return 0;
    }
    *r = *dc->state.clip;
    return 1;
}

BOOL RectVisible(HDC handle, const RECT* rect) {
    LockedDc dc(handle);
    if (!dc || !rect) {
        return FALSE;
    }
    return dc->device_clip().intersects(
        device_rect(*dc, rect->left, rect->top, rect->right, rect->bottom));
}

BOOL PtVisible(HDC handle, int x, int y) {
    LockedDc dc(handle);
    if (!dc) {
        return -1;
    }
    POINT p = dc->to_device(x, y);
    return dc->device_clip().contains(p.x, p.y);
}
