// An element on a window's frame, placed and drawn from a frame-child skin object: the base
// of caption buttons and text elements.
#pragma once

#include "skin/skinners/skin_object_user.h"

class FrameChildSkin;
class SkinWnd;

class SkinElement : public SkinObjectUser {
public:
    SkinElement(const RECT& rect, SkinWnd* owner, SkinObject* object);
    ~SkinElement() override = default;

    void Draw(HDC dc) override;
    virtual BOOL SetState(bool enabled);
    virtual void OnRButtonUp(POINT) {}
    virtual void OnRButtonDown(POINT) {}
    virtual void OnMouseMove(POINT) {}
    virtual void OnLButtonUp(POINT) {}
    virtual void OnLButtonDown(POINT) {}
    virtual void OnLButtonDblClk(POINT) {}
    // Points are relative to the owner's window rectangle.
    virtual bool HitTest(POINT at) const;
    // Places the element for a window of that size.
    virtual void Layout(const RECT& window);
    virtual void StopTimers() {}

    bool IsVisibleInState() const;
    BOOL DispatchMouse(UINT message, POINT at);
    // Draws the element now over a freshly painted frame in the owner's window DC.
    void Redraw();

    bool IsEnabled() const { return m_enabled; }
    const RECT& Rect() const { return m_rect; }
    SkinWnd* Owner() const { return m_owner; }
    const FrameChildSkin* Child() const;

protected:
    // The owner's design size less its window size, or zero when the owner is no frame.
    SIZE Growth(const RECT& window, bool popupToo) const;

    bool m_enabled = true;
    RECT m_rect;
    SkinWnd* m_owner;
};
