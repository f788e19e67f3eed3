// Controls with a client area of their own inside a standard border (IP address, and the base
// of the edit, list box, tree view and list view skinners): the skin's border replaces the
// system's, and the skin's background shows where the control paints its plain background.
// Messages that make the control paint straight to the screen are handled with the control
// hidden, and it is repainted through the skinned road afterwards.
#pragma once

#include "skin/core/bordered_control_skin.h"
#include "skin/skinners/skin_control_wnd.h"

// The widths of the standard border the window's styles give it, which the skin's border
// replaces.
SIZE SkinBorderEdges(HWND hwnd);

class SkinBorderedWnd : public SkinControlWnd {
public:
    SkinBorderedWnd(SkinWnd* owner, std::uint32_t typeId) : SkinControlWnd(owner, typeId) {}

    LONG_PTR Attach(HWND hwnd) override;
    int Detach() override;
    SkinObject* ApplySkin(SkinObject* object) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    HBRUSH GetOwnerColors(UINT message, HDC dc) override;

    // Hands the control's scroll bars to the drawn scroll bars, sized from the skin's
    // scroll-bar object: once, on the NT family, and only when the skin has that object.
    void InitDrawnScrollBars();
    bool HasDrawnScrollBars() const { return m_drawnScrollBars; }

    // The client area as the skin shows it: the control printed over the skin's background,
    // its plain background keyed out.
    void PrintClient(HDC dc);

protected:
    virtual LRESULT OnEraseBkgnd(HDC dc);
    LRESULT OnNcPaint(WPARAM region, LPARAM lParam);
    // A mouse or scroll message: by default handed on as it came.
    virtual LRESULT OnInput(UINT message, WPARAM wParam, LPARAM lParam);
    // Whether the control paints itself (with colours the skin gave it) rather than printing.
    virtual bool PaintsItself() const { return false; }
    // Whether the control filled its plain background with the skin's background colour in
    // the last print (else it used the system's window colour).
    virtual bool PrintedInSkinColour() const { return m_keyAnswered; }
    // The colour the control is asked to fill its plain background with while it is printed:
    // the skin's background colour, so that the edges of its text blend towards it.
    COLORREF PrintColour() const;

    // The message handled with the control hidden (unless `hide` is false); repainted when the
    // bar's position moved.
    LRESULT Hidden(UINT message, WPARAM wParam, LPARAM lParam, int bar, bool hide = true);
    const BorderedControlSkin* Bordered() const;

private:
    void SizeDrawnScrollBars();

    bool m_drawnScrollBars = false;
    bool m_printing = false;
    bool m_keyAnswered = false;
    HBRUSH m_keyBrush = nullptr;

public:
    ~SkinBorderedWnd() override;
};

// The plain list box (and the always-open list of a simple combo box).
class SkinListBoxWnd : public SkinBorderedWnd {
public:
    explicit SkinListBoxWnd(SkinWnd* owner) : SkinBorderedWnd(owner, kListBox) {}
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    LRESULT OnInput(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The tree view: printed with its background in the key colour.
class SkinTreeWnd : public SkinBorderedWnd {
public:
    explicit SkinTreeWnd(SkinWnd* owner) : SkinBorderedWnd(owner, kTreeView) {}
    LONG_PTR Attach(HWND hwnd) override;
    int Detach() override;

protected:
    LRESULT OnInput(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool PrintedInSkinColour() const override { return true; }
};

// The list view paints itself in the colours of the skin.
class SkinListViewWnd : public SkinBorderedWnd {
public:
    explicit SkinListViewWnd(SkinWnd* owner) : SkinBorderedWnd(owner, kListView) {}
    SkinObject* ApplySkin(SkinObject* object) override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool PaintsItself() const override { return true; }
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnInput(UINT message, WPARAM wParam, LPARAM lParam) override;
};
