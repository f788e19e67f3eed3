#include "settings/controls/color_popup.h"

#include "mfc/color_dialog.h"

#include <algorithm>

namespace {

constexpr UINT kClassStyle = CS_CLASSDC | CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW;
constexpr int kFirstSize = 100;

SIZE TextExtent(HDC dc, const std::string& text) {
    SIZE extent{0, 0};
    if (!text.empty())
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

} // namespace

const NamedColour CColorPopup::kColours[ColorPopupLayout::kCells] = {
    {0x000000, "Black"},
    {0x002AA5, "Brown"},
    {0x404000, "Dark Olive Green"},
    {0x005500, "Dark Green"},
    {0x5E0000, "Dark Teal"},
    {0x8B0000, "Dark blue"},
    {0x82004B, "Indigo"},
    {0x282828, "Dark grey"},
    {0x00008B, "Dark red"},
    {0x2068FF, "Orange"},
    {0x008B8B, "Dark yellow"},
    {0x009300, "Green"},
    {0x8E8E38, "Teal"},
    {0xFF0000, "Blue"},
    {0xC07B7B, "Blue-grey"},
    {0x666666, "Grey - 40"},
    {0x0000FF, "Red"},
    {0x5BADFF, "Light orange"},
    {0x32CD32, "Lime"},
    {0x71B33C, "Sea green"},
    {0xD4FF7F, "Aqua"},
    {0xC09E7D, "Light blue"},
    {0x800080, "Violet"},
    {0x7F7F7F, "Grey - 50"},
    {0xCBC0FF, "Pink"},
    {0x00D7FF, "Gold"},
    {0x00FFFF, "Yellow"},
    {0x00FF00, "Bright green"},
    {0xD0E040, "Turquoise"},
    {0xFFFFC0, "Skyblue"},
    {0x480048, "Plum"},
    {0xC0C0C0, "Light grey"},
    {0xE1E4FF, "Rose"},
    {0x8CB4D2, "Tan"},
    {0xE0FFFF, "Light yellow"},
    {0x98FB98, "Pale green "},
    {0xEEEEAF, "Pale turquoise"},
    {0x8B8368, "Pale blue"},
    {0xFAE6E6, "Lavender"},
    {0xFFFFFF, "White"},
};

BEGIN_MESSAGE_MAP(CColorPopup, CWnd)
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
ON_MESSAGE(WM_ACTIVATEAPP, OnActivateApp)
END_MESSAGE_MAP()

CColorPopup::CColorPopup(COLORREF colour, CWnd* button, LPCTSTR defaultText, LPCTSTR customText)
    : m_defaultText(defaultText ? defaultText : ""), m_customText(customText ? customText : ""),
      m_initial(colour), m_colour(colour), m_button(button) {}

CColorPopup* CColorPopup::Open(CPoint at, COLORREF colour, CWnd* button, LPCTSTR defaultText,
                               LPCTSTR customText) {
    auto* popup = new CColorPopup(colour, button, defaultText, customText);
    if (popup->CreateAt(at))
        return popup;
    if (popup->m_hWnd)
        popup->DestroyWindow(); // deletes the object
    else
        delete popup;
    return nullptr;
}

BOOL CColorPopup::CreateAt(CPoint at) {
    LPCTSTR className = AfxRegisterWndClass(
        kClassStyle, nullptr, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    if (!CreateEx(0, className, "", WS_VISIBLE | WS_POPUP, at.x, at.y, kFirstSize, kFirstSize,
                  m_button ? m_button->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    MakeFont();
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, m_font.GetSafeHandle());
    m_layout = LayOutColorPopup(::GetSystemMetrics(SM_CXEDGE), TextExtent(dc, m_defaultText),
                                TextExtent(dc, m_customText));
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    CRect button;
    if (m_button)
        m_button->GetWindowRect(&button);
    const POINT place = PlaceColorPopup(
        at, m_layout.window, SIZE{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)},
        button.top);
    SetWindowPos(nullptr, place.x, place.y, m_layout.window.cx, m_layout.window.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    AddToolTips();
    m_chosen = FindCell(m_initial);
    SetCapture();
    return TRUE;
}

void CColorPopup::MakeFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        m_font.CreateFontIndirect(&metrics.lfMessageFont);
    else
        m_font.Attach(::GetStockObject(DEFAULT_GUI_FONT));
}

void CColorPopup::AddToolTips() {
    if (!m_toolTip.Create(this))
        return;
    for (int i = 0; i < ColorPopupLayout::kCells; ++i) {
        const RECT cell = m_layout.Cell(i);
        m_toolTip.AddTool(this, kColours[i].name, &cell, static_cast<UINT_PTR>(i + 1));
    }
}

int CColorPopup::FindCell(COLORREF colour) const {
    if (colour == kAutomaticColour && !m_defaultText.empty())
        return kDefaultColourCell;
    for (int i = 0; i < ColorPopupLayout::kCells; ++i) {
        if (kColours[i].colour == colour)
            return i;
    }
    return m_customText.empty() ? kNoColourCell : kCustomColourCell;
}

BOOL CColorPopup::PreTranslateMessage(MSG* msg) {
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(msg);
    // The pointer belongs to the popup until the choice ends.
    if (!m_ending && ::GetCapture() != m_hWnd)
        SetCapture();
    return CWnd::PreTranslateMessage(msg);
}

void CColorPopup::InvalidateCell(int cell) {
    const RECT r = m_layout.Cell(cell);
    if (r.right > r.left)
        InvalidateRect(&r, FALSE);
}

void CColorPopup::ChangeSelection(int cell) {
    if (cell > ColorPopupLayout::kCells - 1)
        cell = kCustomColourCell;
    const int old = m_current;
    m_current = cell;
    InvalidateCell(old);
    InvalidateCell(cell);
    if (cell == kCustomColourCell)
        m_colour = m_initial;
    else if (cell == kDefaultColourCell)
        m_colour = kAutomaticColour;
    else if (cell >= 0)
        m_colour = kColours[cell].colour;
    if (m_button)
        m_button->SendMessage(kColourSelChange, m_colour, 0);
}

void CColorPopup::EndSelection(UINT message) {
    m_ending = true;
    ::ReleaseCapture();
    if (message == kColourSelEndCancel) {
        m_colour = m_initial;
    } else if (m_current == kCustomColourCell) {
        // The popup lies above every window, so it goes before the colour dialog comes. The
        // dialog belongs to the button's dialog, which has the keyboard again when it closes.
        ShowWindow(SW_HIDE);
        CColorDialog dialog(m_initial, CC_FULLOPEN | CC_ANYCOLOR,
                            m_button ? m_button->GetTopLevelParent() : nullptr);
        if (dialog.DoModal() == IDOK) {
            m_colour = dialog.GetColor();
        } else {
            message = kColourSelEndCancel;
            m_colour = m_initial;
        }
    }
    if (m_button)
        m_button->SendMessage(message, m_colour, 0);
    DestroyWindow();
}

void CColorPopup::OnMouseMove(UINT, CPoint point) {
    const int cell = m_layout.CellAt(point);
    if (cell == kNoColourCell || cell == m_current)
        return;
    ChangeSelection(cell);
}

void CColorPopup::OnLButtonUp(UINT, CPoint point) {
    CRect window;
    GetWindowRect(&window);
    ClientToScreen(&point);
    EndSelection(window.PtInRect(point) ? kColourSelEndOk : kColourSelEndCancel);
}

void CColorPopup::OnKeyDown(UINT key, UINT, UINT) {
    switch (key) {
    case VK_RETURN:
    case VK_SPACE:
        EndSelection(kColourSelEndOk);
        return;
    case VK_ESCAPE:
        m_colour = m_initial;
        EndSelection(kColourSelEndCancel);
        return;
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
        ChangeSelection(
            CellAfterKey(m_current, key, !m_defaultText.empty(), !m_customText.empty()));
        Default();
        return;
    default:
        Default();
        return;
    }
}

LRESULT CColorPopup::OnKillFocus(WPARAM, LPARAM) {
    ::ReleaseCapture();
    return Default();
}

// Another program taking over ends the choice as cancelled.
LRESULT CColorPopup::OnActivateApp(WPARAM active, LPARAM) {
    const LRESULT result = Default();
    if (!active && !m_ending)
        EndSelection(kColourSelEndCancel);
    return result;
}

void CColorPopup::OnPaint() {
    CPaintDC paint(this);
    DrawTextCell(paint, kDefaultColourCell);
    for (int i = 0; i < ColorPopupLayout::kCells; ++i)
        DrawCell(paint, i);
    DrawTextCell(paint, kCustomColourCell);
    CRect client;
    GetClientRect(&client);
    ::DrawEdge(paint, &client, EDGE_RAISED, BF_RECT);
}

void CColorPopup::DrawCell(CDC& dc, int cell) {
    RECT r = m_layout.Cell(cell);
    const bool current = cell == m_current;
    const bool chosen = cell == m_chosen;
    CBrush face(::GetSysColor(chosen && !current ? COLOR_3DHILIGHT : COLOR_BTNFACE));
    ::FillRect(dc, &r, face);
    if (current)
        ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    else if (chosen)
        ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    ::InflateRect(&r, -(m_layout.margin + 1), -(m_layout.margin + 1));
    CBrush swatch(kColours[cell].colour);
    CPen outline(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldBrush = ::SelectObject(dc, swatch);
    HGDIOBJ oldPen = ::SelectObject(dc, outline);
    ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
}

void CColorPopup::DrawTextCell(CDC& dc, int cell) {
    const std::string& text = cell == kDefaultColourCell ? m_defaultText : m_customText;
    RECT r = m_layout.Cell(cell);
    if (text.empty() || r.right <= r.left)
        return;
    const bool current = cell == m_current;
    const bool chosen = cell == m_chosen;
    CBrush face(::GetSysColor(chosen && !current ? COLOR_3DLIGHT : COLOR_BTNFACE));
    ::FillRect(dc, &r, face);
    if (current)
        ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    else if (chosen)
        ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    const int inset = 2 * m_layout.margin;
    CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = ::SelectObject(dc, shadow);
    if (cell == kCustomColourCell) {
        // A line of shadow over one of light along the top.
        ::MoveToEx(dc, r.left + inset, r.top + inset, nullptr);
        ::LineTo(dc, r.right - inset, r.top + inset);
        CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::SelectObject(dc, light);
        ::MoveToEx(dc, r.left + inset, r.top + inset + 1, nullptr);
        ::LineTo(dc, r.right - inset, r.top + inset + 1);
        ::SelectObject(dc, shadow);
    } else {
        HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, r.left + inset, r.top + inset, r.right - inset, r.bottom - inset);
        ::SelectObject(dc, oldBrush);
    }
    ::SelectObject(dc, oldPen);
    HGDIOBJ oldFont = ::SelectObject(dc, m_font.GetSafeHandle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
}
