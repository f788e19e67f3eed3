#include "settings/controls/color_button.h"

#include "settings/controls/color_popup.h"

namespace {

constexpr int kArrowWidth = 4;
constexpr int kArrowHeight = 2;

} // namespace

BEGIN_MESSAGE_MAP(CColorButton, CButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
ON_MESSAGE(kColourSelEndOk, OnSelEndOk)
ON_MESSAGE(kColourSelEndCancel, OnSelEndCancel)
ON_MESSAGE(kColourSelChange, OnSelChange)
END_MESSAGE_MAP()

CColorButton::CColorButton() : m_defaultColour(::GetSysColor(COLOR_APPWORKSPACE)) {}

void CColorButton::PreSubclassWindow() {
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CColorButton::SetColor(COLORREF colour) {
    m_colour = colour;
    if (m_hWnd && ::IsWindow(m_hWnd))
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CColorButton::Tell(UINT message, COLORREF colour) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(message, colour, static_cast<LPARAM>(GetDlgCtrlID()));
}

BOOL CColorButton::OnClicked() {
    m_popupOpen = TRUE;
    CRect rect;
    GetWindowRect(&rect);
    CColorPopup::Open(CPoint(rect.left, rect.bottom), m_colour, this, m_defaultText, m_customText);
    Tell(kColourDropDown, m_colour);
    return FALSE;
}

LRESULT CColorButton::OnSelEndOk(WPARAM colour, LPARAM) {
    const COLORREF old = m_colour;
    m_popupOpen = FALSE;
    SetColor(static_cast<COLORREF>(colour));
    Tell(kColourCloseUp, m_colour);
    Tell(kColourSelEndOk, m_colour);
    if (old != m_colour)
        Tell(kColourSelChange, m_colour);
    return TRUE;
}

LRESULT CColorButton::OnSelEndCancel(WPARAM colour, LPARAM) {
    m_popupOpen = FALSE;
    SetColor(static_cast<COLORREF>(colour));
    Tell(kColourCloseUp, m_colour);
    Tell(kColourSelEndCancel, m_colour);
    return TRUE;
}

LRESULT CColorButton::OnSelChange(WPARAM colour, LPARAM) {
    if (m_trackSelection)
        SetColor(static_cast<COLORREF>(colour));
    Tell(kColourSelChange, static_cast<COLORREF>(colour));
    return TRUE;
}

void CColorButton::DrawItem(LPDRAWITEMSTRUCT item) {
    if (!item)
        return;
    HDC dc = item->hDC;
    const UINT state = item->itemState;
    const bool disabled = (state & ODS_DISABLED) != 0;
    RECT rect = item->rcItem;
    UINT frame = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if ((state & ODS_SELECTED) || m_popupOpen)
        frame |= DFCS_PUSHED;
    if (disabled)
        frame |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &rect, DFC_BUTTON, frame);
    if (frame & DFCS_PUSHED)
        ::OffsetRect(&rect, 1, 1);
    if (state & ODS_FOCUS) {
        RECT focus = rect;
        ::InflateRect(&focus, -1, -1);
        ::DrawFocusRect(dc, &focus);
    }
    const int edgeX = ::GetSystemMetrics(SM_CXEDGE), edgeY = ::GetSystemMetrics(SM_CYEDGE);
    ::InflateRect(&rect, -edgeX, -edgeY);

    // The arrow, half an edge left of the right border, at mid height.
    const int arrowRight = rect.right - edgeX / 2;
    const int middle = (rect.top + rect.bottom) / 2;
    const POINT arrow[] = {{arrowRight - kArrowWidth, middle - kArrowHeight / 2},
                           {arrowRight, middle - kArrowHeight / 2},
                           {arrowRight - kArrowWidth / 2, middle + kArrowHeight / 2}};
    const COLORREF ink = disabled ? ::GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0);
    CBrush arrowBrush(ink);
    CPen arrowPen(PS_SOLID, 1, ink);
    HGDIOBJ oldBrush = ::SelectObject(dc, arrowBrush);
    HGDIOBJ oldPen = ::SelectObject(dc, arrowPen);
    ::Polygon(dc, arrow, 3);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);

    // An etched line between the swatch and the arrow.
    RECT divider = rect;
    divider.right = arrowRight - kArrowWidth - edgeX / 2;
    divider.left = divider.right - 2;
    ::DrawEdge(dc, &divider, EDGE_ETCHED, BF_RIGHT);

    if (disabled)
        return;
    RECT swatch = rect;
    swatch.right = divider.right - 2 * edgeX - 1;
    if (swatch.right <= swatch.left)
        return;
    CBrush fill(m_colour == kAutomaticColour ? m_defaultColour : m_colour);
    ::FillRect(dc, &swatch, fill);
    ::FrameRect(dc, &swatch, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}
