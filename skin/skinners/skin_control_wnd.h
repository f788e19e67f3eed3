// The base of every child-control skinner: the control's own skin object (one given to this
// control by its id, else the skin's first of its type), double-buffered painting from the skin,
// the mouse leaving the control, and the control's font swapped for the skin's and given back.
#pragma once

#include "skin/core/control_skin.h"
#include "skin/skinners/skin_wnd.h"

#include <cstdint>

class SkinControlWnd : public SkinWnd {
public:
    // Control type ids of the factory.
    enum Type : std::uint32_t {
        kPushButton = 4,
        kCheckBox = 5,
        kComboBox = 6,
        kEdit = 7,
        kGroupBox = 8,
        kListBox = 9,
        kProgress = 10,
        kRadio = 11,
        kScrollBar = 12,
        kTrackbar = 13,
        kStatic = 14,
        kStatusBar = 15,
        kTab = 16,
        kToolBar = 23,
        kControlBar = 24,
        kIpAddress = 26,
        kUpDown = 27,
        kListView = 28,
        kTreeView = 29,
        kRichEdit = 30,
        kReBar = 36,
        kHeader = 37,
        kAnimate = 40,
        kLink = 41,
    };

    SkinControlWnd(SkinWnd* owner, std::uint32_t typeId);

    void Draw(HDC dc) override {}
    SkinObject* ApplySkin(SkinObject* object) override;
    LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam) override;
    int Detach() override;
    LONG_PTR Attach(HWND hwnd) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Repaints when the mouse had been over the control.
    virtual void RedrawIfDirty();
    virtual void OnPaint();

    std::uint32_t ControlType() const { return m_typeId; }
    const ControlSkin* Control() const { return dynamic_cast<const ControlSkin*>(Object()); }
    bool IsHot() const { return m_hover; }
    HFONT SavedFont() const { return m_savedFont; }

protected:
    // Arms one leave notification; true when it was not armed yet.
    bool TrackMouseLeave();
    void ClearHover() { m_hover = false; }
    void PostSetFont(HFONT font, BOOL redraw);
    // The control's own object: the owner's child object, else the skin's top-level object of
    // the control's type, whose CONTROLID is the control's id; null when there is none.
    SkinObject* FindOwnObject() const;
    RECT ClientRect() const;
    // The parent (or the tab control the control sits on) paints what lies under the control.
    void PaintParentBackground(HDC dc) const;
    // The saved procedure runs with WS_VISIBLE cleared, so that it paints nothing itself.
    LRESULT CallSavedHidden(UINT message, WPARAM wParam, LPARAM lParam);
    // The saved procedure, then the control repainted at once (with erase).
    LRESULT CallSavedThenRepaint(UINT message, WPARAM wParam, LPARAM lParam);
    bool SwapsFont() const;
    // The control's font (the default GUI font while it has none, as the control itself
    // draws), a text colour and transparent text on a DC, given back when the scope ends.
    class TextScope {
    public:
        TextScope(const SkinControlWnd& control, HDC dc, COLORREF color);
        ~TextScope();
        TextScope(const TextScope&) = delete;
        TextScope& operator=(const TextScope&) = delete;

    private:
        HDC m_dc;
        HGDIOBJ m_font;
        COLORREF m_color;
        int m_mode;
    };

private:
    void PlaceOrPostFont(const ControlSkin* own, BOOL redraw);
    void ForgetSavedFont() {
        m_savedFont = nullptr;
        m_fontSaved = false;
    }

    // The control's own font, kept apart from whether it was read: a control without a font
    // of its own gets none back.
    HFONT m_savedFont = nullptr;
    bool m_fontSaved = false;
    bool m_hover = false;
    HWND m_owner = nullptr;
    std::uint32_t m_typeId;
};
