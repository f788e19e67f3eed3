// The skinner of one window: it subclasses the window, routes its messages, skins its child
// controls through the factory, and paints a nine-part frame with its elements from the skin.
#pragma once

#include "skin/skinners/frame_geometry.h"
#include "skin/skinners/skin_object_user.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class SkinElement;

class SkinWnd : public SkinObjectUser {
public:
    // The window property that ties a window to its skinner.
    static constexpr char kObjectProperty[] = "OBJECT";
    // Where a skinner that had to leave its procedure buried under a later subclass keeps the
    // procedure it saved, so that the procedure passes every message on.
    static constexpr char kPassOnProperty[] = "OBJECT.PASSON";

    SkinWnd();
    ~SkinWnd() override;

    void Draw(HDC dc) override;
    SkinObject* ApplySkin(SkinObject* object) override;

    virtual LRESULT OnMenuKey(WPARAM key, LPARAM keyData);
    // Whether the skinner stays when a new skin has no object for it.
    virtual bool KeepsWithoutElement() const { return false; }
    virtual LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);
    virtual BOOL GetWindowRect(RECT* rect) const;
    virtual void DrawClient(HDC dc, bool active);
    virtual void DrawFrame(HDC dc, bool active);
    virtual int Detach();
    virtual LONG_PTR Attach(HWND hwnd);
    virtual void OnShowWindow(WPARAM wParam, LPARAM lParam);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual RECT GetFrameMargins() const { return RECT{}; }
    virtual void DrawMenuBar(HDC dc);
    // The window's region from the frame parts and text elements; null without transparency.
    virtual HRGN BuildRegion();
    virtual void DrawCaption(HDC dc, bool active);
    // The skinner for a child control of that type; null for a type without one.
    virtual std::unique_ptr<SkinWnd> CreateControlSkin(std::uint32_t type);
    // A control skinner's answer to its owner's WM_CTLCOLOR* for it; null leaves it to the
    // owner's own procedure.
    virtual HBRUSH GetOwnerColors(UINT message, HDC dc);

    // Shared with code that calls out of the skinner: false once the skinner is gone.
    std::shared_ptr<const bool> AliveToken() const { return m_alive; }
    HWND GetHwnd() const { return m_hwnd; }
    WNDPROC GetSavedProc() const { return m_savedProc; }
    bool IsBeingDestroyed() const { return m_beingDestroyed; }

    // Thin wrappers on the skinned window.
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
    BOOL PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
    BOOL ShowWindow(int command) const;
    BOOL MoveWindow(const RECT& rect, BOOL repaint) const;
    BOOL IsZoomed() const;
    BOOL IsIconic() const;
    HDC GetWindowDC() const;
    int ReleaseDC(HDC dc) const;
    RECT GetWindowSizeRect() const;
    // Activation as the last WM_NCACTIVATE told it.
    bool IsActiveWindow() const { return m_active; }
    // The top-level window above the skinned one, climbing through child windows only.
    HWND GetRootWindow() const;
    bool IsModalFrameDialog() const;
    bool IsSizable() const;

    // Skins the window as a child control of this window (its own children first); 0 when
    // the window's class has no control type.
    int SkinChild(HWND hwnd);
    void SkinChildren(HWND hwnd);
    static std::uint32_t GetControlType(HWND hwnd);
    int ForgetChild(HWND hwnd);
    const std::map<HWND, SkinWnd*>& Children() const { return m_children; }

    HWND FindBackgroundWindow() const;
    BOOL PaintChildBackground(HDC target, HWND child, HDC background) const;
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);

    // Frame elements: hit codes, mouse messages (points relative to the window) and painting.
    LRESULT ElementHitTest(POINT at) const;
    bool DispatchToElements(UINT message, POINT at);
    void LayoutElements();
    void DrawElements(HDC dc);
    void UpdateCaptionButtons(DWORD style);
    const std::vector<std::unique_ptr<SkinElement>>& Elements() const { return m_elements; }

    void LayoutFrameParts(const RECT& size);
    const frame_geometry::PartRects& PartRects() const { return m_parts; }
    void FitToClient();
    POINT GetMinTrackSize() const;
    RECT GetCaptionRect() const;
    void RedrawNcRect(const RECT& windowRelative) const;
    void SetPopupSettings(const std::array<ULONG_PTR, 5>& words) { m_popupSettings = words; }
    const std::array<ULONG_PTR, 5>& PopupSettings() const { return m_popupSettings; }

    bool IsTransparent() const { return m_transparent; }
    COLORREF KeyColor() const { return m_keyColor; }
    bool WindowDrawsCaption() const { return m_windowDrawsCaption; }

    // The procedure of every skinned window.
    static LRESULT CALLBACK SkinWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // For a skinner that is its window's own class procedure (the skinned popup menus): the
    // window without subclassing it.
    void BindWindow(HWND hwnd) { m_hwnd = hwnd; }
    LRESULT CallSaved(UINT message, WPARAM wParam, LPARAM lParam);
    // The base handling with the style changed for its duration (the default handling then
    // draws no caption or system-menu parts of its own).
    LRESULT WithStyle(DWORD style, UINT message, WPARAM wParam, LPARAM lParam);
    // The base handling with WS_SYSMENU cleared for its duration, from the window and from
    // `alsoFrom` (an MDI child's top-level window) when given; only that bit is put back.
    LRESULT WithoutSystemMenu(UINT message, WPARAM wParam, LPARAM lParam, HWND alsoFrom = nullptr);
    // Sets the window's region (the window owns it from then on); null removes it.
    void SetRegion(HRGN region, BOOL redraw);
    void DeleteElements();
    void StopElementTimers();
    HRGN GetPartRegion(int part) const;

    bool m_beingDestroyed = false;
    // The window size the frame and region were last built for; zero asks for a rebuild.
    SIZE m_frameSize{};

private:
    void UnskinChildren(HWND parent);
    const class NinePartFrameSkin* Frame() const;

    frame_geometry::PartRects m_parts{};
    HWND m_hwnd = nullptr;
    WNDPROC m_savedProc = nullptr;
    std::vector<std::unique_ptr<SkinElement>> m_elements;
    std::map<HWND, SkinWnd*> m_children;
    bool m_windowDrawsCaption = true;
    std::array<ULONG_PTR, 5> m_popupSettings{};
    bool m_transparent = false;
    COLORREF m_keyColor = SkinObject::kKeyColor;
    bool m_hasRegion = false;
    bool m_active = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// The skinner of a window, under the manager's lock; null when it is not skinned.
SkinWnd* FindSkinWnd(HWND hwnd);

// Copies the first usable of three references (one whose image is not empty): a; else c when
// b is empty and c is given and usable; else b.
void ChooseImageRef(SkinImageRef& out, const SkinImageRef& a, const SkinImageRef& b,
                    const SkinImageRef* c = nullptr);
void ChooseNineGridRef(SkinNineGridRef& out, const SkinNineGridRef& a, const SkinNineGridRef& b,
                       const SkinNineGridRef* c = nullptr);
