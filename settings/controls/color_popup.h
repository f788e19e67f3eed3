// CColorPopup: the borderless window under a colour button with 40 named colours, an
// "Automatic" cell above them and a "More Colors..." cell below that opens the colour dialog.
// The pointer or the arrow keys make a cell current; a click, Enter or Space ends the choice,
// a click outside or Escape cancels it. The choice goes to the button; then the popup destroys
// itself (and deletes its object).
#pragma once

#include "settings/controls/color_picker_messages.h"
#include "settings/controls/color_popup_layout.h"

#include <string>

struct NamedColour {
    COLORREF colour;
    const char* name;
};

class CColorPopup : public CWnd {
public:
    static const NamedColour kColours[ColorPopupLayout::kCells];

    // Opens a popup at `at` (screen coordinates) for `button`, which gets the choice; null when
    // the window cannot be made.
    static CColorPopup* Open(CPoint at, COLORREF colour, CWnd* button, LPCTSTR defaultText,
                             LPCTSTR customText);

    const ColorPopupLayout& Layout() const { return m_layout; }
    int CurrentCell() const { return m_current; }
    int ChosenCell() const { return m_chosen; }

protected:
    BOOL PreTranslateMessage(MSG* msg) override;
    void PostNcDestroy() override { delete this; }

    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnActivateApp(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CColorPopup(COLORREF colour, CWnd* button, LPCTSTR defaultText, LPCTSTR customText);
    ~CColorPopup() override = default;
    BOOL CreateAt(CPoint at);
    void MakeFont();
    void AddToolTips();
    int FindCell(COLORREF colour) const;
    void ChangeSelection(int cell);
    void EndSelection(UINT message);
    void InvalidateCell(int cell);
    void DrawCell(CDC& dc, int cell);
    void DrawTextCell(CDC& dc, int cell);

    ColorPopupLayout m_layout;
    int m_current = kNoColourCell;
    int m_chosen = kNoColourCell;
    std::string m_defaultText;
    std::string m_customText;
    CFont m_font;
    COLORREF m_initial;
    COLORREF m_colour;
    CToolTipCtrl m_toolTip;
    CWnd* m_button;
    bool m_ending = false;
};
