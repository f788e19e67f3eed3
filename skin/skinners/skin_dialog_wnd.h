// The skinner of a dialog box: its shaped frame, caption and caption buttons from a frame
// object of the skin, and its client background from the frame's centre part, which child
// controls copy under themselves. A dialog without a caption or dialog frame keeps its own
// frame; only its background is skinned.
#pragma once

#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_wnd.h"

#include <memory>

// The window's title in the frame object's font and colour over the caption part, when the
// remembered style has both caption bits and no frame element shows the title instead.
void DrawFrameCaption(HDC dc, HWND hwnd, const SkinObject* object, DWORD style,
                      bool windowDrawsCaption, const RECT& captionPart);

class SkinDialogWnd : public SkinWnd {
public:
    ~SkinDialogWnd() override;

    SkinObject* ApplySkin(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawCaption(HDC dc, bool active) override;

    bool IsFramed() const;
    void PaintFrame();
    BOOL PaintBackground(HDC dc);
    // The hit code of a point relative to the window's top-left corner.
    LRESULT HitTest(POINT at);
    HDC Background();

private:
    LRESULT FramedProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT UnframedProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT WithWindowLocked(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT NonClientButton(UINT elementMessage, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT NonClientDoubleClick(WPARAM wParam, LPARAM lParam);
    LRESULT CalcSize(LPARAM lParam) const;
    // The background under a control, copied into the control's DC (GWM_PAINTBACKGROUND).
    LRESULT PaintBackgroundUnder(WPARAM targetDc, LPARAM control);
    POINT WindowPoint(LPARAM screenPoint) const;
    void BuildBackground();
    bool IsMaximized() const;

    bool m_redrawPending = false;
    DWORD m_style = 0;
    std::unique_ptr<SkinMemDC> m_background;
    SIZE m_backgroundSize{};
};
