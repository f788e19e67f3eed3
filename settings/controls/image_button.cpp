#include "settings/controls/image_button.h"

#include <vector>

BEGIN_MESSAGE_MAP(CImageButton, CButton)
ON_MESSAGE(BM_SETCHECK, OnSetCheck)
ON_MESSAGE(BM_GETCHECK, OnGetCheck)
ON_MESSAGE(CImageButton::kUncheckMessage, OnUncheck)
ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
ON_MESSAGE(BM_CLICK, OnClick)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_KEYDOWN()
ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr std::size_t kRegionGrowth = 40;

HBITMAP load(UINT id) {
    return id ? LoadBitmapA(AfxGetInstanceHandle(), MAKEINTRESOURCE(id)) : nullptr;
}

SIZE bitmap_size(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

void fill_face(HDC dc, const RECT& rect) {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace

CImageButton::CImageButton() : m_crText(GetSysColor(COLOR_BTNTEXT)) {}

CImageButton::~CImageButton() {
    DeleteBitmaps();
    if (m_hRegion)
        DeleteObject(m_hRegion);
}

void CImageButton::DeleteBitmaps() {
    for (HBITMAP* bitmap :
         {&m_hNormal, &m_hPressed, &m_hDisabled, &m_hMask, &m_hHover, &m_hFocus}) {
        if (*bitmap)
            DeleteObject(*bitmap);
        *bitmap = nullptr;
    }
}

void CImageButton::PreSubclassWindow() {
    const DWORD type = GetStyle() & BS_TYPEMASK;
    m_nKind = type == BS_AUTOCHECKBOX      ? kCheckBox
              : type == BS_AUTORADIOBUTTON ? kRadioButton
                                           : kPushButton;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CImageButton::SetBitmaps(UINT normal, UINT pressed, UINT hover, UINT disabled, UINT focus,
                              UINT mask, int drawMode, int drawEdge, int focusInset) {
    DeleteBitmaps();
    m_hNormal = load(normal);
    m_hPressed = load(pressed);
    m_hHover = load(hover);
    m_hDisabled = load(disabled ? disabled : normal);
    m_hFocus = load(focus);
    m_nDrawMode = drawMode > 1 ? 2 : drawMode < 0 ? 0 : drawMode;
    m_nDrawEdge = drawEdge;
    m_nFocusInset = focusInset < 0 ? 0 : focusInset;
    if (mask) {
        m_hMask = load(mask);
        if (m_hRegion)
            DeleteObject(m_hRegion);
        m_hRegion = RegionFromBitmap(m_hMask, RGB(255, 255, 255));
        if (m_hRegion) {
            // The window owns the region it is given; ours stays for the next replacement.
            HRGN copy = CreateRectRgn(0, 0, 0, 0);
            CombineRgn(copy, m_hRegion, nullptr, RGN_COPY);
            ::SetWindowRgn(m_hWnd, copy, TRUE);
        }
        if (m_nDrawMode == 0 && m_hMask) {
            const SIZE size = bitmap_size(m_hMask);
            SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        }
    }
    if (::IsWindow(m_hWnd))
        Invalidate();
}

HRGN CImageButton::RegionFromBitmap(HBITMAP bitmap, COLORREF transparent) {
    if (!bitmap)
        return nullptr;
    const SIZE size = bitmap_size(bitmap);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    std::vector<RECT> runs;
    runs.reserve(kRegionGrowth);
    for (int y = size.cy - 1; y >= 0; --y) {
        int x = 0;
        while (x < size.cx) {
            while (x < size.cx && GetPixel(memory, x, y) == transparent)
                ++x;
            const int start = x;
            while (x < size.cx && GetPixel(memory, x, y) != transparent)
                ++x;
            if (x > start) {
                if (runs.size() == runs.capacity())
                    runs.reserve(runs.capacity() + kRegionGrowth);
                runs.push_back(RECT{start, y, x, y + 1});
            }
        }
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& run : runs) {
        HRGN piece = CreateRectRgnIndirect(&run);
        CombineRgn(region, region, piece, RGN_OR);
        DeleteObject(piece);
    }
    return region;
}

LRESULT CImageButton::OnSetCheck(WPARAM wParam, LPARAM) {
    m_bChecked = m_nKind != kPushButton && wParam != 0;
    if (m_nKind == kRadioButton && wParam != 0) {
        HWND parent = ::GetParent(m_hWnd);
        for (HWND other = ::GetNextDlgGroupItem(parent, m_hWnd, FALSE); other && other != m_hWnd;
             other = ::GetNextDlgGroupItem(parent, other, FALSE))
            ::PostMessageA(other, kUncheckMessage, 0, 0);
    }
    Invalidate();
    return 0;
}

LRESULT CImageButton::OnGetCheck(WPARAM, LPARAM) {
    return m_bChecked ? BST_CHECKED : BST_UNCHECKED;
}

LRESULT CImageButton::OnUncheck(WPARAM, LPARAM) {
    if (m_bChecked) {
        m_bChecked = false;
        Invalidate();
    }
    return 0;
}

// A radio button to the dialog manager, whose arrows then move the check with the focus.
LRESULT CImageButton::OnGetDlgCode(WPARAM, LPARAM) {
    if (m_nKind == kRadioButton)
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    return Default();
}

// Clicked by message (the dialog manager's arrows, mnemonics): the check changes as for a
// click with the mouse, then the parent hears BN_CLICKED.
LRESULT CImageButton::OnClick(WPARAM, LPARAM) {
    if (IsWindowEnabled())
        ChangeCheckAsClicked();
    return Default();
}

bool CImageButton::PointerIsOverMe() const {
    POINT cursor{};
    GetCursorPos(&cursor);
    return ::WindowFromPoint(cursor) == m_hWnd;
}

void CImageButton::ChangeCheckAsClicked() {
    if (m_nKind == kCheckBox)
        SendMessage(BM_SETCHECK, m_bChecked ? 0 : 1);
    else if (m_nKind == kRadioButton)
        SendMessage(BM_SETCHECK, 1);
}

void CImageButton::OnLButtonDown(UINT, CPoint) {
    if (m_bHover) {
        TRACKMOUSEEVENT track{sizeof track, TME_CANCEL | TME_LEAVE, m_hWnd, 0};
        _TrackMouseEvent(&track);
        m_bHover = false;
    }
    Default();
    m_bPressed = true;
}

void CImageButton::OnMouseMove(UINT, CPoint) {
    if (m_bPressed && ::GetCapture() == m_hWnd) {
        const bool over = PointerIsOverMe();
        const bool pushed = (GetState() & BST_PUSHED) != 0;
        if (over != pushed)
            SetState(over);
        return;
    }
    if (!m_bHover) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
        if (_TrackMouseEvent(&track)) {
            m_bHover = true;
            Invalidate();
        }
    }
    Default();
}

void CImageButton::OnMouseLeave() {
    m_bHover = false;
    Invalidate();
}

void CImageButton::OnLButtonUp(UINT, CPoint) {
    if (m_bPressed && PointerIsOverMe())
        ChangeCheckAsClicked();
    m_bPressed = false;
    Default();
}

void CImageButton::OnLButtonDblClk(UINT flags, CPoint point) {
    SendMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void CImageButton::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_SPACE)
        ChangeCheckAsClicked();
    Default();
}

LRESULT CImageButton::OnKillFocus(WPARAM, LPARAM) {
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
        m_bPressed = false;
    }
    return Default();
}

BOOL CImageButton::OnEraseBkgnd(CDC*) {
    return TRUE; // the drawing covers the button
}

void CImageButton::DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& rect) {
    const SIZE size = bitmap_size(bitmap);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (size.cx <= 0 || size.cy <= 0 || width <= 0 || height <= 0)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    if (m_nDrawMode == 2) {
        for (int y = rect.top; y < rect.bottom; y += size.cy) {
            for (int x = rect.left; x < rect.right; x += size.cx)
                BitBlt(dc, x, y, std::min<int>(size.cx, rect.right - x),
                       std::min<int>(size.cy, rect.bottom - y), source, 0, 0, SRCCOPY);
        }
    } else if (m_hMask) {
        // Keyed through the mask: image XOR, mask AND, image XOR over a copy of the background.
        HDC work = CreateCompatibleDC(dc);
        HBITMAP canvas = CreateCompatibleBitmap(dc, width, height);
        HGDIOBJ old_canvas = SelectObject(work, canvas);
        BitBlt(work, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
        HDC mask = CreateCompatibleDC(dc);
        HGDIOBJ old_mask = SelectObject(mask, m_hMask);
        const SIZE mask_size = bitmap_size(m_hMask);
        const auto blit = [&](HDC from, SIZE from_size, DWORD rop) {
            if (m_nDrawMode == 0)
                BitBlt(work, 0, 0, width, height, from, 0, 0, rop);
            else
                StretchBlt(work, 0, 0, width, height, from, 0, 0, from_size.cx, from_size.cy, rop);
        };
        blit(source, size, SRCINVERT);
        blit(mask, mask_size, SRCAND);
        blit(source, size, SRCINVERT);
        BitBlt(dc, rect.left, rect.top, width, height, work, 0, 0, SRCCOPY);
        SelectObject(mask, old_mask);
        DeleteDC(mask);
        SelectObject(work, old_canvas);
        DeleteObject(canvas);
        DeleteDC(work);
    } else if (m_nDrawMode == 0) {
        BitBlt(dc, rect.left, rect.top, width, height, source, 0, 0, SRCCOPY);
    } else {
        StretchBlt(dc, rect.left, rect.top, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT item) {
    if (m_bPressed && ::GetCapture() == m_hWnd) {
        const bool over = PointerIsOverMe();
        const bool pushed = (GetState() & BST_PUSHED) != 0;
        if (over && !pushed) {
            SetState(TRUE);
            return;
        }
        if (!over && pushed) {
            SetState(FALSE);
            return;
        }
    }
    HDC dc = item->hDC;
    RECT rect = item->rcItem;
    RECT text_rect = rect;
    InflateRect(&text_rect, -(m_nFocusInset + 2), 0);
    SetBkMode(dc, TRANSPARENT);

    char text[256] = {};
    ::GetWindowTextA(m_hWnd, text, sizeof text);
    const auto draw_text = [&](RECT r, COLORREF colour) {
        ::SetTextColor(dc, colour);
        DrawTextA(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    };

    if (item->itemState & ODS_DISABLED) {
        m_hDisabled ? DrawBitmap(dc, m_hDisabled, rect) : fill_face(dc, rect);
        if (m_nDrawEdge)
            DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
        draw_text(text_rect, GetSysColor(COLOR_BTNHIGHLIGHT));
        OffsetRect(&text_rect, -1, -1);
        draw_text(text_rect, GetSysColor(COLOR_GRAYTEXT));
        return;
    }
    if ((item->itemState & ODS_SELECTED) || m_bChecked) {
        m_hPressed ? DrawBitmap(dc, m_hPressed, rect) : fill_face(dc, rect);
        OffsetRect(&text_rect, 1, 1);
        if (m_nDrawEdge)
            DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
    } else {
        HBITMAP image = m_hNormal;
        if (m_bHover && m_hHover)
            image = m_hHover;
        else if ((item->itemState & ODS_FOCUS) && m_hFocus)
            image = m_hFocus;
        image ? DrawBitmap(dc, image, rect) : fill_face(dc, rect);
        if (m_nDrawEdge)
            DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
    }
    if ((item->itemState & ODS_FOCUS) && m_nFocusInset > 0) {
        RECT focus = rect;
        InflateRect(&focus, -m_nFocusInset, -m_nFocusInset);
        DrawFocusRect(dc, &focus);
    }
    draw_text(text_rect, m_crText);
}
