#include "installer/ad_view.h"

#include <cstdio>

std::string CADView::Notice() const {
    return "Advert page " + m_address + ": this build cannot show web pages.";
}

void CADView::Navigate2(const std::string& address) {
    m_address = address;
    std::printf("%s\n", Notice().c_str());
    std::fflush(stdout);
    if (m_hWnd)
        Invalidate();
}

BOOL CADView::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc->GetSafeHdc(), &client, GetSysColorBrush(COLOR_WINDOW));
    return TRUE;
}

void CADView::OnPaint() {
    CPaintDC dc(this);
    CRect text;
    GetClientRect(&text);
    text.DeflateRect(4, 4);
    CWnd* parent = GetParent();
    CFont* font = parent ? parent->GetFont() : nullptr;
    CFont* previous = font ? dc.SelectObject(font) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc.DrawText(CString(Notice().c_str()), &text, DT_LEFT | DT_WORDBREAK);
    if (previous)
        dc.SelectObject(previous);
}

BEGIN_MESSAGE_MAP(CADView, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()
