#include "installer/color_label.h"

#include <cstring>

int PointSizeToHeight(int points) {
    HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const int dpi = display ? GetDeviceCaps(display, LOGPIXELSY) : 96;
    if (display)
        DeleteDC(display);
    return -MulDiv(points, dpi, 72);
}

CColorLabel::CColorLabel()
    : m_textColour(GetSysColor(COLOR_BTNTEXT)), m_bkColour(GetSysColor(COLOR_BTNFACE)) {
    m_bkBrush.CreateSolidBrush(m_bkColour);
}

void CColorLabel::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    if (!font)
        font = GetStockObject(DEFAULT_GUI_FONT);
    if (!font)
        font = GetStockObject(ANSI_VAR_FONT);
    LOGFONTA logFont{};
    if (font && GetObjectA(font, sizeof(logFont), &logFont) == sizeof(logFont))
        m_font.CreateFontIndirect(&logFont);
}

LOGFONTA CColorLabel::CurrentLogFont() const {
    LOGFONTA logFont{};
    if (m_font.GetSafeHandle())
        m_font.GetLogFont(&logFont);
    return logFont;
}

void CColorLabel::Redraw(BOOL redraw) {
    if (redraw && m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void CColorLabel::SetTextColor(COLORREF colour, BOOL redraw) {
    m_textColour = colour;
    Redraw(redraw);
}

void CColorLabel::SetBkColor(COLORREF colour, BOOL redraw) {
    m_bkColour = colour;
    m_bkBrush.DeleteObject();
    m_bkBrush.CreateSolidBrush(colour);
    Redraw(redraw);
}

void CColorLabel::SetBold(int bold, BOOL redraw) {
    m_bold = bold;
    ApplyFont(CurrentLogFont(), redraw);
}

void CColorLabel::SetFontNameSize(const char* face, int points, BOOL redraw) {
    LOGFONTA logFont{};
    if (face)
        std::strncpy(logFont.lfFaceName, face, sizeof(logFont.lfFaceName) - 1);
    else
        logFont = CurrentLogFont();
    logFont.lfHeight = PointSizeToHeight(points);
    ApplyFont(logFont, redraw);
}

void CColorLabel::ApplyFont(LOGFONTA font, BOOL redraw) {
    font.lfWeight = m_bold ? FW_BOLD : FW_NORMAL;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&font);
    Redraw(redraw);
}

BOOL CColorLabel::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillRect(&client, &m_bkBrush);
    return TRUE;
}

void CColorLabel::OnPaint() {
    CPaintDC dc(this);
    dc.SetTextColor(m_textColour);
    dc.SetBkColor(m_bkColour);
    dc.SetBkMode(OPAQUE);
    CFont* previous = m_font.GetSafeHandle() ? dc.SelectObject(&m_font) : nullptr;
    CString text;
    GetWindowText(text);
    CRect client;
    GetClientRect(&client);
    const DWORD style = GetStyle();
    UINT format = DT_LEFT;
    const DWORD alignment = style & SS_TYPEMASK;
    if (alignment == SS_CENTER)
        format = DT_CENTER;
    else if (alignment == SS_RIGHT)
        format = DT_RIGHT;
    format |= (style & SS_CENTERIMAGE) ? (DT_VCENTER | DT_SINGLELINE) : DT_WORDBREAK;
    dc.DrawText(text, &client, format);
    if (previous)
        dc.SelectObject(previous);
}

BEGIN_MESSAGE_MAP(CColorLabel, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()
