// Up-down controls painted from the skin: two halves, each with a normal, hot, pressed and
// disabled look; a horizontal one is drawn lying and turned.
#pragma once

#include "skin/core/spin_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinSpinWnd : public SkinControlWnd {
public:
    explicit SkinSpinWnd(SkinWnd* owner) : SkinControlWnd(owner, kUpDown) {}

    enum State { kNone, kFirstPressed, kSecondPressed, kFirstHot, kSecondHot };

    void Draw(HDC dc) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void RedrawIfDirty() override;
    HRGN BuildRegion() override { return nullptr; }

    // 1 the first half (upper, or left with UDS_HORZ), 2 the second, 0 outside.
    int HitTest(POINT at) const;
    State GetState() const { return m_state; }

private:
    void SetState(State state);
    void DrawHalves(HDC dc, const RECT& area) const;

    State m_state = kNone;
};
