// A caption button: close, maximise, minimise, system menu, window icon or a command, with
// normal, hot, pressed and disabled looks and a hover poll while the pointer is over it.
#pragma once

#include "skin/skinners/skin_element.h"

#include <memory>

class CaptionButtonSkin;

class SkinCaptionButton : public SkinElement {
public:
    enum DrawState { Hot = 0, Pressed = 1, Normal = 3 };
    static constexpr UINT kHoverPollMs = 100;

    SkinCaptionButton(const RECT& rect, SkinWnd* owner, SkinObject* object);
    ~SkinCaptionButton() override;

    void Draw(HDC dc) override;
    SkinObject* ApplySkin(SkinObject* object) override;
    void OnRButtonDown(POINT at) override;
    void OnMouseMove(POINT at) override;
    void OnLButtonUp(POINT at) override;
    void OnLButtonDown(POINT at) override;
    void OnLButtonDblClk(POINT at) override;
    bool HitTest(POINT at) const override;
    void StopTimers() override { StopHoverTimer(); }
    virtual void OnMouseLeave();

    // Draws the state's look over what `dc` shows at the element, which must be the frame.
    void DrawButton(HDC dc, int state);
    void Execute();
    void StartHoverTimer();
    void StopHoverTimer();

    int State() const { return m_state; }
    // The look the button shows now (a toggle button shows the hot look over its state).
    int Look() const { return m_look; }
    bool IsPressed() const { return m_pressed; }
    bool HoverTimerRunning() const { return m_hover != nullptr; }
    HRGN Region() const { return m_region; }

private:
    struct HoverTimer {
        SkinCaptionButton* button;
        HWND hwnd;
    };
    static void CALLBACK HoverTimerProc(HWND hwnd, UINT, UINT_PTR id, DWORD);

    const CaptionButtonSkin* Button() const;
    bool IsToggle() const;
    void BuildRegion();
    // Shows the look, drawing it at once when it changes.
    void Show(int look);

    HRGN m_region = nullptr;
    COLORREF m_keyColor = SkinObject::kKeyColor;
    bool m_transparent = false;
    std::unique_ptr<HoverTimer> m_hover;
    bool m_pressed = false;
    int m_state = Normal;
    int m_look = Normal;
};
