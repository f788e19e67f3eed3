// Painting the drawn scroll bars: every piece goes through the custom-draw record, which the
// skinned painter answers; without a skin object the bars draw plain pieces themselves.
#include "skin/skinners/drawn_scroll_state.h"
#include "skin/skinners/skin_bar_painter.h"

#include <algorithm>

namespace drawn_sb {
namespace {

class BarPainter {
public:
    BarPainter(HWND hwnd, const State& s, int bar, HDC dc)
        : m_hwnd(hwnd), m_state(s), m_bar(bar), m_b(s.bars[bar]), m_dc(dc) {
        m_record.hdr.hwndFrom = hwnd;
        m_record.hdr.idFrom = static_cast<UINT_PTR>(GetWindowLongA(hwnd, GWL_ID));
        m_record.hdr.code = kDrawnSBNotifyCode;
        m_record.hdc = dc;
        m_record.bar = static_cast<UINT>(bar);
    }

    void Paint() {
        m_rect = BarRect(m_hwnd, m_state, m_bar);
        const bool horizontal = m_bar == 0;
        const int length = horizontal ? m_rect.right - m_rect.left : m_rect.bottom - m_rect.top;
        if (length <= 0)
            return;
        m_record.rc = m_rect;
        m_custom = Send(kDrawnSBPrePaint) == kDrawnSBSkipDefault;
        Layout l = LayOutBar(m_b, m_rect);
        const Drag& d = CurrentDrag();
        if (m_state.thumbTracking && d.hwnd == m_hwnd && d.bar == m_bar) {
            RECT window{};
            GetWindowRect(m_hwnd, &window);
            l.thumbStart = d.thumbStart - (horizontal ? window.left : window.top);
        }
        const bool usable = BarUsable(m_b.info, m_b.flags);
        const int channelStart = l.start + l.arrow;
        const int channelEnd = l.end - l.arrow;
        Piece(kPartArrow1, l.start, channelStart,
              ArrowState(kPartArrow1, (m_b.flags & kFlagArrow1Disabled) || !usable));
        if (ThumbFits(l, m_b.info, m_b.flags)) {
            const int thumbEnd = l.thumbStart + l.thumbLength;
            Piece(kPartPageBefore, channelStart, l.thumbStart, PressedOr(kPartPageBefore));
            Piece(kPartPageAfter, thumbEnd, channelEnd, PressedOr(kPartPageAfter));
            Piece(kPartThumb, l.thumbStart, thumbEnd, PressedOr(kPartThumb));
        } else if ((m_b.flags & kFlagAlwaysThumb) && !RangeUsable(m_b.info) &&
                   m_b.minThumb < l.channel) {
            Piece(kPartThumb, channelStart, channelEnd - 1, kDrawnSBNormal);
            Piece(kPartPageAfter, channelEnd - 1, channelEnd, kDrawnSBNormal);
        } else {
            Piece(kPartPageAfter, channelStart, channelEnd, kDrawnSBNormal);
        }
        Piece(kPartArrow2, channelEnd, l.end,
              ArrowState(kPartArrow2, (m_b.flags & kFlagArrow2Disabled) || !usable));
        m_record.rc = m_rect;
        Send(kDrawnSBPostPaint);
    }

private:
    LRESULT Send(DWORD stage) {
        m_record.drawStage = stage;
        return DrawSkinBarElement(kDrawnSBNotifyCode, &m_record);
    }

    bool Pressed(int part) const {
        const Drag& d = CurrentDrag();
        return d.hwnd == m_hwnd && d.bar == m_bar && d.pressedPart == part &&
               (part == kPartThumb || d.partUnderCursor == part);
    }
    UINT PressedOr(int part) const { return Pressed(part) ? kDrawnSBPressed : kDrawnSBNormal; }

    UINT ArrowState(int part, bool disabled) const {
        const Drag& d = CurrentDrag();
        if (Pressed(part))
            return kDrawnSBPressed;
        if (m_b.style == 2 && d.hotHwnd == m_hwnd && d.hotBar == m_bar && d.hotPart == part)
            return kDrawnSBHot;
        return disabled ? kDrawnSBDisabled : kDrawnSBNormal;
    }

    void Piece(int item, int from, int to, UINT state) {
        if (to <= from)
            return;
        RECT r = m_bar == 0 ? RECT{from, m_rect.top, to, m_rect.bottom}
                            : RECT{m_rect.left, from, m_rect.right, to};
        if (m_custom) {
            m_record.rc = r;
            m_record.item = static_cast<UINT>(item);
            m_record.itemState = state;
            Send(kDrawnSBItemPrePaint);
            return;
        }
        DrawPlain(item, r, state);
    }

    void DrawPlain(int item, RECT r, UINT state) const {
        const bool pressed = state == kDrawnSBPressed;
        if (item == kPartArrow1 || item == kPartArrow2) {
            UINT kind = m_bar == 0 ? (item == kPartArrow1 ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT)
                                   : (item == kPartArrow1 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
            if (state == kDrawnSBDisabled)
                kind |= DFCS_INACTIVE;
            if (pressed)
                kind |= DFCS_PUSHED | DFCS_FLAT;
            DrawFrameControl(m_dc, &r, DFC_SCROLL, kind);
        } else if (item == kPartThumb) {
            const bool flat = m_b.style == 1 || m_b.style == 2;
            FillRect(m_dc, &r, GetSysColorBrush(flat && pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE));
            DrawEdge(m_dc, &r, EDGE_RAISED, BF_RECT | (flat ? BF_FLAT : 0));
        } else {
            FillRect(m_dc, &r, GetSysColorBrush(pressed ? COLOR_3DDKSHADOW : COLOR_SCROLLBAR));
        }
    }

    HWND m_hwnd;
    const State& m_state;
    int m_bar;
    const Bar& m_b;
    HDC m_dc;
    RECT m_rect{};
    bool m_custom = false;
    DrawnSBCustomDraw m_record{};
};

} // namespace

void PaintBar(HWND hwnd, const State& s, int bar, HDC windowDC) {
    BarPainter(hwnd, s, bar, windowDC).Paint();
}

void PaintSizeBox(HWND hwnd, const State& s, HDC dc) {
    const RECT h = BarRect(hwnd, s, 0);
    const RECT v = BarRect(hwnd, s, 1);
    RECT box{v.left, h.top, v.right, h.bottom};
    if (IsRectEmpty(&box))
        return;
    DrawnSBCustomDraw record{};
    record.hdr.hwndFrom = hwnd;
    record.hdr.idFrom = static_cast<UINT_PTR>(GetWindowLongA(hwnd, GWL_ID));
    record.hdr.code = kDrawnSBNotifyCode;
    record.drawStage = kDrawnSBItemPrePaint;
    record.hdc = dc;
    record.rc = box;
    record.item = kDrawnSBSizeBoxItem;
    record.itemState = kDrawnSBNormal;
    record.bar = kDrawnSBSizeBox;
    if (DrawSkinBarElement(kDrawnSBNotifyCode, &record) == kDrawnSBSkipDefault)
        return;
    // A grip only where the window's corner is its parent's client corner.
    RECT window{}, parentClient{};
    GetWindowRect(hwnd, &window);
    HWND parent = GetParent(hwnd);
    bool grip = false;
    if (parent && GetClientRect(parent, &parentClient)) {
        POINT corner{s.leftScrollBar ? parentClient.left : parentClient.right, parentClient.bottom};
        ClientToScreen(parent, &corner);
        grip =
            corner.y == window.bottom && corner.x == (s.leftScrollBar ? window.left : window.right);
    }
    if (grip)
        DrawFrameControl(dc, &box, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    else
        FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace drawn_sb
