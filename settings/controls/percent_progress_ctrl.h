// A progress bar that paints its filled and empty parts and a centred percentage (or its window
// text) in a colour that contrasts with the part beneath it. A new position repaints only when
// the filled width in pixels changes.
#pragma once

#include "mfc/mfc.h"

class CPercentProgressCtrl : public CProgressCtrl {
public:
    CPercentProgressCtrl();
    ~CPercentProgressCtrl() override = default;

    void SetRange(int lower, int upper);
    // The previous position; -1 when the control has no window.
    int SetPos(int position);
    int GetPos() const { return m_nPos; }
    int SetStep(int step) {
        const int previous = m_nStepSize;
        m_nStepSize = step;
        return previous;
    }
    // Advances by the step; the previous position.
    int StepIt() { return SetPos(m_nPos + m_nStepSize); }
    void SetBarColor(COLORREF colour) { m_crBarColour = colour; }
    void SetBgColor(COLORREF colour) { m_crBgColour = colour; }
    void SetTextColor(COLORREF colour) { m_crTextColour = colour; }
    void SetTextBkColor(COLORREF colour) { m_crTextOverBarColour = colour; }
    void SetShowText(BOOL show) { m_bShowText = show; }

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Pixels of `width` that the position fills; 0 for an empty or inverted range.
    int FilledWidth(int width) const;
    CString DisplayText() const;

    int m_nPos = 0;
    int m_nStepSize = 1;
    int m_nMax = 100;
    int m_nMin = 0;
    CString m_strText;
    BOOL m_bShowText = TRUE;
    int m_nLastFilledWidth = -1;
    COLORREF m_crBarColour;
    COLORREF m_crBgColour;
    COLORREF m_crTextColour;
    COLORREF m_crTextOverBarColour;
};
