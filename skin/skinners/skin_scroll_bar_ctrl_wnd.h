// Scroll-bar controls painted and driven from the skin: arrows, track and thumb laid out along
// the bar from the skin's piece sizes, the mouse handled by the skinner (auto-repeat on arrows
// and the track, thumb dragging), the numbers kept in a copy the scroll-bar messages answer.
#pragma once

#include "skin/core/scroll_bar_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinScrollBarCtrlWnd : public SkinControlWnd {
public:
    explicit SkinScrollBarCtrlWnd(SkinWnd* owner) : SkinControlWnd(owner, kScrollBar) {}

    enum Part { kNoPart, kFirstArrow, kSecondArrow, kTrackBefore, kTrackAfter, kThumb };
    static constexpr UINT_PTR kRepeatTimer = 1000;
    static constexpr UINT kRepeatDelay = 300;

    // The pieces along a bar lying flat (x along the bar), as pure functions of the length,
    // the thickness, the piece sizes and the numbers.
    struct Layout {
        RECT firstArrow{}, secondArrow{}, track{}, thumb{};
    };
    static Layout LayOut(int length, int thickness, int arrowLength, int thumbLength, int thumbTop,
                         int thumbBottom, const SCROLLINFO& numbers);
    // The position a point along the bar stands for (over the thumb: the position it has).
    static int PositionAt(const Layout& layout, int along, const SCROLLINFO& numbers);

    void Draw(HDC dc) override;
    SkinObject* ApplySkin(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void RedrawIfDirty() override;

    Layout CurrentLayout() const;
    Part HitTest(POINT at) const;
    const SCROLLINFO& Numbers() const { return m_info; }
    bool IsReady() const { return m_ready; }

private:
    bool IsVertical() const;
    int Along(POINT at) const;
    void SendScroll(WORD code, int position);
    void SendPartScroll(Part part);
    void OnButtonDown(POINT at);
    void OnMouseMove(WPARAM keys, POINT at);
    void OnButtonUp(POINT at);
    LRESULT SetScrollInfoFromMessage(WPARAM redraw, const SCROLLINFO* info);
    LRESULT GetScrollInfoFromCopy(SCROLLINFO* info) const;
    void DrawFlat(HDC dc, int length, int thickness) const;

    bool m_ready = false;
    SCROLLINFO m_info{sizeof(SCROLLINFO), SIF_ALL, 0, 100, 0, 0, 0};
    Part m_part = kNoPart;
    bool m_pressed = false;
    int m_thumbLength = 16;
    int m_arrowLength = 16;
};
