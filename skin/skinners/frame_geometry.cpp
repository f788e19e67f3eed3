#include "skin/skinners/frame_geometry.h"

#include "skin/core/skin_geometry.h"

namespace frame_geometry {
namespace {

constexpr int kCornerSquare = 5;

bool Inside(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

RECT Square(LONG x, LONG y) {
    return {x, y, x + kCornerSquare, y + kCornerSquare};
}

} // namespace

PartRects LayoutFrameParts(const PartRects& design, int width, int height) {
    PartRects p = design;
    const LONG topRight = width - RectWidth(design[2]);
    p[1].right = p[2].left = topRight;
    p[2].right = width;
    const LONG middleRight = width - RectWidth(design[5]);
    p[4].right = p[5].left = middleRight;
    p[5].right = width;
    const LONG bottomTop = height - RectHeight(design[6]);
    p[3].bottom = p[4].bottom = p[5].bottom = bottomTop;
    p[6].top = p[7].top = p[8].top = bottomTop;
    p[6].bottom = p[7].bottom = p[8].bottom = height;
    const LONG bottomRight = width - RectWidth(design[8]);
    p[7].right = p[8].left = bottomRight;
    p[8].right = width;
    return p;
}

RECT AnchorElement(const RECT& design, std::uint32_t anchorMode, int dw, int dh) {
    RECT r = design;
    switch (anchorMode) {
    case 2:
    case 8:
        OffsetRect(&r, 0, dh);
        break;
    case 4:
    case 6:
        OffsetRect(&r, dw, 0);
        break;
    case 5:
        OffsetRect(&r, dw, dh);
        break;
    default:
        break;
    }
    return r;
}

RECT AnchorTextElement(const RECT& design, TextAnchors anchors, int dw, int dh) {
    RECT r{};
    r.left = !anchors.left && anchors.right ? design.left + dw : design.left;
    r.right = anchors.right ? design.right + dw : r.left + RectWidth(design);
    r.top = anchors.bottom && !anchors.top ? design.top + dh : design.top;
    r.bottom = anchors.bottom ? design.bottom + dh : r.top + RectHeight(design);
    return r;
}

LRESULT DialogHitTest(const PartRects& parts, bool sizable, bool maximized, POINT at) {
    if (Inside(parts[4], at))
        return HTCLIENT;
    if (!sizable || maximized) {
        for (int i : {0, 1, 2})
            if (Inside(parts[i], at))
                return HTCAPTION;
        return HTNOWHERE;
    }
    if (Inside(parts[0], at))
        return Inside(Square(parts[0].left, parts[0].top), at) ? HTTOPLEFT : HTCAPTION;
    if (Inside(parts[1], at))
        return at.y < parts[1].top + kCornerSquare ? HTTOP : HTCAPTION;
    if (Inside(parts[2], at))
        return Inside(Square(parts[2].right - kCornerSquare, parts[2].top), at) ? HTTOPRIGHT
                                                                                : HTCAPTION;
    if (Inside(parts[5], at))
        return HTRIGHT;
    if (Inside(parts[3], at))
        return HTLEFT;
    if (Inside(parts[8], at))
        return Inside(Square(parts[8].right - kCornerSquare, parts[8].bottom - kCornerSquare), at)
                   ? HTBOTTOMRIGHT
                   : HTBOTTOM;
    if (Inside(parts[6], at))
        return Inside(Square(parts[6].left, parts[6].bottom - kCornerSquare), at) ? HTBOTTOMLEFT
                                                                                  : HTBOTTOM;
    if (Inside(parts[7], at))
        return HTBOTTOM;
    return HTNOWHERE;
}

} // namespace frame_geometry
