// A static text in its own colours and font: the installer's title label.
#pragma once

#include "mfc/mfc.h"

// The font height of a point size on the display.
int PointSizeToHeight(int points);

class CColorLabel : public CStatic {
public:
    CColorLabel();

    void SetTextColor(COLORREF colour, BOOL redraw);
    void SetBkColor(COLORREF colour, BOOL redraw);
    void SetBold(int bold, BOOL redraw);
    // A null face keeps the control's current one.
    void SetFontNameSize(const char* face, int points, BOOL redraw);
    void ApplyFont(LOGFONTA font, BOOL redraw);

    COLORREF GetTextColor() const { return m_textColour; }
    COLORREF GetBkColor() const { return m_bkColour; }
    CFont& GetLabelFont() { return m_font; }

protected:
    void PreSubclassWindow() override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    LOGFONTA CurrentLogFont() const;
    void Redraw(BOOL redraw);

    CFont m_font;
    COLORREF m_textColour;
    COLORREF m_bkColour;
    CBrush m_bkBrush;
    int m_bold = 0;
};
