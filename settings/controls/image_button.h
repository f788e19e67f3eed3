// An owner-drawn button painted from resource bitmaps, one per state (normal, pressed, hover,
// disabled, focus), optionally shaped by a mask. It keeps the behaviour of the style it was
// made with: push button, auto check box or auto radio button.
#pragma once

#include "mfc/mfc.h"

class CImageButton : public CButton {
public:
    enum Kind { kPushButton = 0, kCheckBox = 2, kRadioButton = 4 };
    // Posted to the other radio buttons of a group when one is checked.
    static constexpr UINT kUncheckMessage = WM_USER + 0x100;

    CImageButton();
    ~CImageButton() override;

    // Resource ids (0: none). The disabled image is the normal one when its id is 0.
    void SetBitmaps(UINT normal, UINT pressed, UINT hover, UINT disabled, UINT focus, UINT mask = 0,
                    int drawMode = 0, int drawEdge = 0, int focusInset = 0);
    // Every pixel whose colour differs from `transparent`; null for no bitmap.
    static HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF transparent);

    int GetKind() const { return m_nKind; }
    bool IsHovering() const { return m_bHover; }
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    void PreSubclassWindow() override;

    afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUncheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnClick(WPARAM wParam, LPARAM lParam);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    void DeleteBitmaps();
    bool PointerIsOverMe() const;
    void ChangeCheckAsClicked();
    void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& rect);

    int m_nKind = kPushButton;
    bool m_bChecked = false;
    bool m_bHover = false;
    bool m_bPressed = false;
    HBITMAP m_hNormal = nullptr;
    HBITMAP m_hPressed = nullptr;
    HBITMAP m_hDisabled = nullptr;
    HBITMAP m_hMask = nullptr;
    HBITMAP m_hHover = nullptr;
    HBITMAP m_hFocus = nullptr;
    int m_nFocusInset = 0;
    COLORREF m_crText;
    HRGN m_hRegion = nullptr;
    int m_nDrawEdge = 0;
    int m_nDrawMode = 1;
};
