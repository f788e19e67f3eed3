// CColorButton: an owner-drawn push button showing a colour swatch and a drop-down arrow. A
// click opens a CColorPopup under it; the choice comes back to the button, which tells its
// parent (settings/controls/color_picker_messages.h).
#pragma once

#include "settings/controls/color_picker_messages.h"

class CColorButton : public CButton {
public:
    CColorButton();
    ~CColorButton() override = default;

    COLORREF GetColor() const { return m_colour; }
    void SetColor(COLORREF colour);
    COLORREF GetDefaultColor() const { return m_defaultColour; }
    // While the popup is open, hovering changes the button's colour too.
    void SetTrackSelection(BOOL track) { m_trackSelection = track; }
    BOOL IsPopupOpen() const { return m_popupOpen; }

    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    void PreSubclassWindow() override;
    afx_msg BOOL OnClicked();
    afx_msg LRESULT OnSelEndOk(WPARAM colour, LPARAM);
    afx_msg LRESULT OnSelEndCancel(WPARAM colour, LPARAM);
    afx_msg LRESULT OnSelChange(WPARAM colour, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void Tell(UINT message, COLORREF colour);

    COLORREF m_colour = kAutomaticColour;
    COLORREF m_defaultColour;
    CString m_defaultText = "Automatic";
    CString m_customText = "More Colors...";
    BOOL m_popupOpen = FALSE;
    BOOL m_trackSelection = FALSE;
};
