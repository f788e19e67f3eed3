// The RECT helpers and MulDiv.
#include "win32/gdi.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect) {
        return FALSE;
    }
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL IsRectEmpty(const RECT* rect) {
    return !rect || rect->left >= rect->right || rect->top >= rect->bottom;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
    if (!rect) {
        return FALSE;
    }
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    if (!rect) {
        return FALSE;
    }
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(LPRECT out, const RECT* a, const RECT* b) {
    if (!out || !a || !b) {
        return FALSE;
    }
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        SetRectEmpty(out);
        return FALSE;
    }
    *out = r;
    return TRUE;
}

BOOL UnionRect(LPRECT out, const RECT* a, const RECT* b) {
    if (!out || !a || !b) {
        return FALSE;
    }
    bool ea = IsRectEmpty(a);
    bool eb = IsRectEmpty(b);
    if (ea && eb) {
        SetRectEmpty(out);
        return FALSE;
    }
    if (ea || eb) {
        *out = ea ? *b : *a;
        return TRUE;
    }
    *out = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
    return TRUE;
}

// a minus b, when what is left is still a rectangle; otherwise a itself.
BOOL SubtractRect(LPRECT out, const RECT* a, const RECT* b) {
    if (!out || !a || !b) {
        return FALSE;
    }
    RECT r = *a;
    RECT cut;
    if (IntersectRect(&cut, a, b)) {
        bool full_width = cut.left == a->left && cut.right == a->right;
        bool full_height = cut.top == a->top && cut.bottom == a->bottom;
        if (full_width && full_height) {
            SetRectEmpty(out);
            return FALSE;
        }
        if (full_width && cut.top == a->top) {
            r.top = cut.bottom;
        } else if (full_width && cut.bottom == a->bottom) {
            r.bottom = cut.top;
        } else if (full_height && cut.left == a->left) {
            r.left = cut.right;
        } else if (full_height && cut.right == a->right) {
            r.right = cut.left;
        }
    }
    *out = r;
    return !IsRectEmpty(out);
}

BOOL PtInRect(const RECT* rect, POINT p) {
    return rect && p.x >= rect->left && p.x < rect->right && p.y >= rect->top && p.y < rect->bottom;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right &&
           a->bottom == b->bottom;
}

BOOL CopyRect(LPRECT out, const RECT* in) {
    if (!out || !in) {
        return FALSE;
    }
    *out = *in;
    return TRUE;
}

// number * numerator / denominator with a 64-bit intermediate, rounded half away from zero;
// -1 when the denominator is 0 or the result does not fit.
int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t d = denominator;
    bool negative = (product < 0) != (d < 0);
    std::int64_t ap = product < 0 ? -product : product;
    std::int64_t ad = d < 0 ? -d : d;
    std::int64_t q = (ap + ad / 2) / ad;
    std::int64_t result = negative ? -q : q;
    if (result > INT32_MAX || result < INT32_MIN) {
        return -1;
    }
    return static_cast<int>(result);
}
