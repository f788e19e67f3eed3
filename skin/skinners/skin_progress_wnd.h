// Progress bars painted from the skin. Once attached the skinner keeps the bar's numbers itself
// and answers the progress messages (the control's own procedure would paint); on detach the
// numbers go back to the control.
#pragma once

#include "skin/core/progress_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinProgressWnd : public SkinControlWnd {
public:
    explicit SkinProgressWnd(SkinWnd* owner) : SkinControlWnd(owner, kProgress) {}

    void Draw(HDC dc) override;
    LONG_PTR Attach(HWND hwnd) override;
    int Detach() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The bar over `area`: the track, and the filled part for the position.
    void DrawBar(HDC dc, const RECT& area) const;
    // The filled length of a bar `width` long; 0 for an empty range.
    static int FilledLength(int low, int high, int position, int width);

    bool IsReady() const { return m_ready; }
    int Low() const { return m_low; }
    int High() const { return m_high; }
    int Position() const { return m_position; }
    int Step() const { return m_step; }

private:
    void ReadRange();
    void PaintBorder();
    LRESULT FromCopy(UINT message, WPARAM wParam, LPARAM lParam);
    void Changed();

    bool m_ready = false;
    int m_step = 1;
    int m_position = 0;
    int m_low = 0;
    int m_high = 100;
};
