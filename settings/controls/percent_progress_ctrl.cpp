#include "settings/controls/percent_progress_ctrl.h"

#include "settings/controls/offscreen_dc.h"

#include <algorithm>
#include <cstring>

namespace {

// Clip regions are in device units: the off-screen DC's window origin is taken off.
void clip_to(HDC dc, const RECT& rect) {
    POINT origin{};
    GetWindowOrgEx(dc, &origin);
    HRGN region = CreateRectRgn(rect.left - origin.x, rect.top - origin.y, rect.right - origin.x,
                                rect.bottom - origin.y);
    SelectClipRgn(dc, region);
    DeleteObject(region);
}

} // namespace

BEGIN_MESSAGE_MAP(CPercentProgressCtrl, CProgressCtrl)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_SIZE()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
END_MESSAGE_MAP()

CPercentProgressCtrl::CPercentProgressCtrl()
    : m_crBarColour(GetSysColor(COLOR_HIGHLIGHT)), m_crBgColour(GetSysColor(COLOR_WINDOW)),
      m_crTextColour(GetSysColor(COLOR_HIGHLIGHT)),
      m_crTextOverBarColour(GetSysColor(COLOR_WINDOW)) {}

void CPercentProgressCtrl::SetRange(int lower, int upper) {
    m_nMin = lower;
    m_nMax = upper;
}

int CPercentProgressCtrl::FilledWidth(int width) const {
    if (m_nMax <= m_nMin || width <= 0)
        return 0;
    const long long span = static_cast<long long>(m_nMax) - m_nMin;
    const long long done = std::clamp(static_cast<long long>(m_nPos) - m_nMin, 0LL, span);
    return static_cast<int>(done * width / span);
}

int CPercentProgressCtrl::SetPos(int position) {
    if (!::IsWindow(m_hWnd))
        return -1;
    const int previous = m_nPos;
    m_nPos = position;
    RECT client{};
    GetClientRect(&client);
    const int width = FilledWidth(client.right - client.left);
    if (width != m_nLastFilledWidth) {
        m_nLastFilledWidth = width;
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return previous;
}

CString CPercentProgressCtrl::DisplayText() const {
    if (!m_strText.IsEmpty())
        return m_strText;
    const int percent = m_nMax > m_nMin ? FilledWidth(100) : 0;
    CString text;
    text.Format("%d%%", percent);
    return text;
}

BOOL CPercentProgressCtrl::OnEraseBkgnd(CDC*) {
    return TRUE; // painting covers the whole bar
}

void CPercentProgressCtrl::OnPaint() {
    PAINTSTRUCT ps{};
    HDC target = ::BeginPaint(m_hWnd, &ps);
    if (!target)
        return;
    RECT client{};
    GetClientRect(&client);
    if (m_nMin < m_nMax) {
        COffscreenDC offscreen(target, client);
        HDC dc = offscreen.dc();
        RECT filled = client;
        filled.right = client.left + FilledWidth(client.right - client.left);
        RECT empty = client;
        empty.left = filled.right;
        HBRUSH bar = CreateSolidBrush(m_crBarColour);
        HBRUSH background = CreateSolidBrush(m_crBgColour);
        FillRect(dc, &filled, bar);
        FillRect(dc, &empty, background);
        DeleteObject(bar);
        DeleteObject(background);
        if (m_bShowText) {
            const CString text = DisplayText();
            HFONT font = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
            HGDIOBJ old_font = SelectObject(dc, font ? static_cast<HGDIOBJ>(font)
                                                     : GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            const struct {
                RECT clip;
                COLORREF colour;
            } parts[] = {{filled, m_crTextOverBarColour}, {empty, m_crTextColour}};
            for (const auto& part : parts) {
                clip_to(dc, part.clip);
                ::SetTextColor(dc, part.colour);
                RECT all = client;
                DrawTextA(dc, text, text.GetLength(), &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            }
            SelectClipRgn(dc, nullptr);
            SelectObject(dc, old_font);
        }
    }
    ::EndPaint(m_hWnd, &ps);
}

void CPercentProgressCtrl::OnSize(UINT, int, int) {
    Default();
    m_nLastFilledWidth = -1;
}

LRESULT CPercentProgressCtrl::OnSetText(WPARAM, LPARAM lParam) {
    const LRESULT result = Default();
    const CString text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
    if (text != m_strText) {
        m_strText = text;
        Invalidate();
        UpdateWindow();
    }
    return result;
}

// The text is cut to the caller's buffer and always terminated.
LRESULT CPercentProgressCtrl::OnGetText(WPARAM wParam, LPARAM lParam) {
    auto* buffer = reinterpret_cast<char*>(lParam);
    if (!buffer || wParam == 0)
        return 0;
    const std::size_t count =
        std::min<std::size_t>(static_cast<std::size_t>(m_strText.GetLength()), wParam - 1);
    std::memcpy(buffer, static_cast<LPCSTR>(m_strText), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}
