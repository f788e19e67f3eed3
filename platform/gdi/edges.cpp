// Three-dimensional edges, frame controls and focus rectangles in the system colours.
#include "gdi/painter.h"
#include "gdi/shape_regions.h"
#include "gdi/surface_dc.h"
#include "win32/errors.h"

using namespace lv::gdi;

namespace {

// System colour indices used by the edges.
constexpr int kWindow = 5;
constexpr int kWindowFrame = 6;
constexpr int kFace = 15;
constexpr int kShadow = 16;
constexpr int kGrayText = 17;
constexpr int kButtonText = 18;
constexpr int kHilight = 20;
constexpr int kDarkShadow = 21;
constexpr int kLight = 22;

struct EdgeColours {
    int top_left;
    int bottom_right;
};

// One ring: top and left lines in one colour, bottom and right in the other, each side drawn
// only when its flag is set.
void draw_ring(Painter& p, const RECT& r, COLORREF top_left, COLORREF bottom_right, UINT sides) {
    if (r.left >= r.right || r.top >= r.bottom) {
        return;
    }
    Region tl;
    Region br;
    if (sides & BF_TOP) {
        tl = tl.united(Region(RECT{r.left, r.top, r.right - 1, r.top + 1}));
    }
    if (sides & BF_LEFT) {
        tl = tl.united(Region(RECT{r.left, r.top, r.left + 1, r.bottom - 1}));
    }
    if (sides & BF_BOTTOM) {
        br = br.united(Region(RECT{r.left, r.bottom - 1, r.right, r.bottom}));
    }
    if (sides & BF_RIGHT) {
        br = br.united(Region(RECT{r.right - 1, r.top, r.right, r.bottom}));
    }
    p.fill_colour(tl, top_left);
    p.fill_colour(br, bottom_right);
}

EdgeColours outer_colours(UINT edge, UINT flags) {
    if (edge & BDR_RAISEDOUTER) {
        return (flags & BF_SOFT) ? EdgeColours{kHilight, kDarkShadow}
                                 : EdgeColours{kLight, kDarkShadow};
    }
    return (flags & BF_SOFT) ? EdgeColours{kDarkShadow, kHilight} : EdgeColours{kShadow, kHilight};
}

EdgeColours inner_colours(UINT edge, UINT flags) {
    if (edge & BDR_RAISEDINNER) {
        return (flags & BF_SOFT) ? EdgeColours{kLight, kShadow} : EdgeColours{kHilight, kShadow};
    }
    return (flags & BF_SOFT) ? EdgeColours{kShadow, kLight} : EdgeColours{kDarkShadow, kLight};
}

BOOL draw_edge(Painter& p, RECT& logical, UINT edge, UINT flags) {
    RECT r = p.to_device(logical);
    bool has_outer = (edge & BDR_OUTER) != 0;
    bool has_inner = (edge & BDR_INNER) != 0;
    auto colour = [&](int index) {
        if (flags & BF_MONO) {
            return system_colour(kWindowFrame);
        }
        if (flags & BF_FLAT) {
            return system_colour(index == kHilight || index == kLight ? kFace : kShadow);
        }
        return system_colour(index);
    };
    RECT ring = r;
    UINT sides = flags & BF_RECT;
    if (has_outer) {
        EdgeColours c = outer_colours(edge, flags);
        draw_ring(p, ring, colour(c.top_left), colour(c.bottom_right), sides);
        ring = RECT{ring.left + ((sides & BF_LEFT) ? 1 : 0), ring.top + ((sides & BF_TOP) ? 1 : 0),
                    ring.right - ((sides & BF_RIGHT) ? 1 : 0),
                    ring.bottom - ((sides & BF_BOTTOM) ? 1 : 0)};
    }
    if (has_inner) {
        EdgeColours c = inner_colours(edge, flags);
        draw_ring(p, ring, colour(c.top_left), colour(c.bottom_right), sides);
        ring = RECT{ring.left + ((sides & BF_LEFT) ? 1 : 0), ring.top + ((sides & BF_TOP) ? 1 : 0),
                    ring.right - ((sides & BF_RIGHT) ? 1 : 0),
                    ring.bottom - ((sides & BF_BOTTOM) ? 1 : 0)};
    }
    if ((flags & BF_MIDDLE) && ring.left < ring.right && ring.top < ring.bottom) {
        p.fill_colour(Region(ring), system_colour((flags & BF_MONO) ? kWindow : kFace));
    }
    if (flags & BF_ADJUST) {
        int dl = ring.left - r.left;
        int dt = ring.top - r.top;
        int dr = r.right - ring.right;
        int db = r.bottom - ring.bottom;
        logical =
            RECT{logical.left + dl, logical.top + dt, logical.right - dr, logical.bottom - db};
    }
    return TRUE;
}

// A glyph of straight strokes in a box: the cross, the check mark, the arrows.
void stroke_glyph(Painter& p, const RECT& box, UINT kind, UINT type, COLORREF colour) {
    int w = box.right - box.left;
    int h = box.bottom - box.top;
    int size = std::min(w, h);
    if (size < 4) {
        return;
    }
    int cx = box.left + w / 2;
    int cy = box.top + h / 2;
    int k = size / 4;
    std::vector<RECT> pixels;
    auto line = [&](POINT a, POINT b) { Painter::add_line(pixels, a, b, 1); };
    if (type == DFC_CAPTION) {
        switch (kind) {
        case DFCS_CAPTIONCLOSE:
            line(POINT{cx - k, cy - k}, POINT{cx + k + 1, cy + k + 1});
            line(POINT{cx + k, cy - k}, POINT{cx - k - 1, cy + k + 1});
            break;
        case DFCS_CAPTIONMIN:
            pixels.push_back(RECT{cx - k, cy + k - 1, cx + k + 1, cy + k + 1});
            break;
        case DFCS_CAPTIONMAX:
            pixels.push_back(RECT{cx - k, cy - k, cx + k + 1, cy - k + 2});
            line(POINT{cx - k, cy - k}, POINT{cx - k, cy + k + 1});
            line(POINT{cx + k, cy - k}, POINT{cx + k, cy + k + 1});
            line(POINT{cx - k, cy + k}, POINT{cx + k + 1, cy + k});
            break;
        case DFCS_CAPTIONRESTORE:
            pixels.push_back(RECT{cx - k, cy - k / 2, cx + k / 2 + 1, cy - k / 2 + 2});
            line(POINT{cx - k, cy - k / 2}, POINT{cx - k, cy + k + 1});
            line(POINT{cx + k / 2, cy - k / 2}, POINT{cx + k / 2, cy + k + 1});
            line(POINT{cx - k, cy + k}, POINT{cx + k / 2 + 1, cy + k});
            break;
        default:
            line(POINT{cx, cy - k}, POINT{cx, cy + k + 1});
            break;
        }
    } else if (type == DFC_SCROLL) {
        // A filled triangle pointing the arrow's way.
        for (int i = 0; i <= k; ++i) {
            switch (kind) {
            case DFCS_SCROLLUP:
                pixels.push_back(RECT{cx - i, cy - k / 2 + i, cx + i + 1, cy - k / 2 + i + 1});
                break;
            case DFCS_SCROLLDOWN:
            case DFCS_SCROLLCOMBOBOX:
                pixels.push_back(RECT{cx - i, cy + k / 2 - i, cx + i + 1, cy + k / 2 - i + 1});
                break;
            case DFCS_SCROLLLEFT:
                pixels.push_back(RECT{cx - k / 2 + i, cy - i, cx - k / 2 + i + 1, cy + i + 1});
                break;
            case DFCS_SCROLLRIGHT:
                pixels.push_back(RECT{cx + k / 2 - i, cy - i, cx + k / 2 - i + 1, cy + i + 1});
                break;
            default:
                break;
            }
        }
    } else {
        // The check mark.
        line(POINT{cx - k, cy}, POINT{cx - k / 2, cy + k / 2 + 1});
        line(POINT{cx - k / 2, cy + k / 2}, POINT{cx + k + 1, cy - k - 1});
    }
    if (!pixels.empty()) {
        p.fill_colour(Region::from_rects(pixels), colour);
    }
}

} // namespace

BOOL DrawEdge(HDC handle, LPRECT rect, UINT edge, UINT flags) {
    LockedDc dc(handle);
    if (!dc || !rect) {
        return FALSE;
    }
    if (flags & BF_DIAGONAL) {
        // Diagonal edges have no caller.
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    Painter painter(*dc);
    return draw_edge(painter, *rect, edge, flags);
}

BOOL DrawFrameControl(HDC handle, LPRECT rect, UINT type, UINT state) {
    LockedDc dc(handle);
    if (!dc || !rect) {
        return FALSE;
    }
    Painter painter(*dc);
    UINT kind = state & 0xFF;
    bool pushed = (state & DFCS_PUSHED) != 0;
    bool inactive = (state & DFCS_INACTIVE) != 0;
    COLORREF glyph = system_colour(inactive ? kGrayText : kButtonText);
    RECT box = *rect;
    if (type == DFC_BUTTON &&
        (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK))) {
        RECT d = painter.to_device(box);
        Region outer = ellipse_region(d);
        Region inner = ellipse_region(RECT{d.left + 1, d.top + 1, d.right - 1, d.bottom - 1});
        if (kind & DFCS_BUTTONRADIOMASK) {
            painter.fill_colour(outer, RGB(0, 0, 0));
            return TRUE;
        }
        painter.fill_colour(outer.subtracted(inner), system_colour(kShadow));
        painter.fill_colour(inner, system_colour(pushed || inactive ? kFace : kWindow));
        if (state & DFCS_CHECKED) {
            int w = (d.right - d.left) / 4;
            painter.fill_colour(ellipse_region(RECT{d.left + w + 1, d.top + w + 1, d.right - w - 1,
                                                    d.bottom - w - 1}),
                                glyph);
        }
        return TRUE;
    }
    if (type == DFC_BUTTON && kind != DFCS_BUTTONPUSH) {
        // Check boxes (two- and three-state): a sunken well with the mark.
        RECT well = box;
        draw_edge(painter, well, EDGE_SUNKEN,
                  BF_RECT | BF_ADJUST | ((state & DFCS_FLAT) ? BF_FLAT : 0));
        COLORREF inside = system_colour(
            pushed || inactive || ((kind & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED)) ? kFace
                                                                                         : kWindow);
        painter.fill_colour(Region(painter.to_device(well)), inside);
        if (state & DFCS_CHECKED) {
            stroke_glyph(painter, painter.to_device(well), 0, DFC_BUTTON, glyph);
        }
        return TRUE;
    }
    if (type != DFC_BUTTON && type != DFC_CAPTION && type != DFC_SCROLL) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    if (type == DFC_SCROLL && kind == DFCS_SCROLLSIZEGRIP) {
        painter.fill_colour(Region(painter.to_device(box)), system_colour(kFace));
        return TRUE;
    }
    UINT edge = pushed ? EDGE_SUNKEN : EDGE_RAISED;
    UINT flags = BF_RECT | BF_MIDDLE | BF_ADJUST | ((state & DFCS_FLAT) ? BF_FLAT : 0) |
                 ((state & DFCS_MONO) ? BF_MONO : 0);
    if (!pushed) {
        flags |= BF_SOFT;
    }
    RECT face = box;
    draw_edge(painter, face, edge, flags);
    if (type != DFC_BUTTON) {
        RECT glyph_box = painter.to_device(face);
        if (pushed) {
            glyph_box = RECT{glyph_box.left + 1, glyph_box.top + 1, glyph_box.right + 1,
                             glyph_box.bottom + 1};
        }
        stroke_glyph(painter, glyph_box, kind, type, glyph);
    }
    if (state & DFCS_ADJUSTRECT) {
        *rect = face;
    }
    return TRUE;
}

BOOL DrawFocusRect(HDC handle, const RECT* rect) {
    LockedDc dc(handle);
    if (!dc || !rect) {
        return FALSE;
    }
    Painter painter(*dc);
    RECT r = painter.to_device(*rect);
    if (r.left >= r.right || r.top >= r.bottom) {
        return TRUE;
    }
    // Every other pixel of the border, inverted, so that drawing it twice removes it.
    std::vector<RECT> dots;
    for (int x = r.left; x < r.right; ++x) {
        if (((x - r.left) & 1) == 0) {
            dots.push_back(RECT{x, r.top, x + 1, r.top + 1});
            if (r.bottom - 1 > r.top) {
                dots.push_back(RECT{x, r.bottom - 1, x + 1, r.bottom});
            }
        }
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        if (((y - r.top) & 1) == 0) {
            dots.push_back(RECT{r.left, y, r.left + 1, y + 1});
            if (r.right - 1 > r.left) {
                dots.push_back(RECT{r.right - 1, y, r.right, y + 1});
            }
        }
    }
    painter.fill_colour(Region::from_rects(dots), 0, R2_NOT);
    return TRUE;
}
