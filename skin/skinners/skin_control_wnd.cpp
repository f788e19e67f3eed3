#include "skin/skinners/skin_control_wnd.h"

#include "skin/core/skin_manager.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_messages.h"

namespace {

constexpr UINT kRedrawAll =
    RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME;

bool MatchesControl(const SkinObject& object, std::uint32_t type, std::uint32_t id) {
    const auto* control = dynamic_cast<const ControlSkin*>(&object);
    return control && object.GetType() == type && control->controlId == id;
}

} // namespace

SkinControlWnd::SkinControlWnd(SkinWnd* owner, std::uint32_t typeId)
    : m_owner(owner ? owner->GetHwnd() : nullptr), m_typeId(typeId) {}

bool SkinControlWnd::SwapsFont() const {
    return m_typeId != kProgress && m_typeId != kScrollBar && m_typeId != kTrackbar &&
           m_typeId != kUpDown;
}

SkinObject* SkinControlWnd::FindOwnObject() const {
    HWND hwnd = GetHwnd();
    if (!hwnd)
        return nullptr;
    const auto id = static_cast<std::uint32_t>(GetWindowLongA(hwnd, GWL_ID));
    SkinManager& manager = SkinManager::Instance();
    HWND parent = GetParent(hwnd);
    if (SkinWnd* owner = parent ? manager.FindForWindow(parent) : nullptr)
        if (const SkinObject* ownerObject = owner->Object())
            for (const auto& [name, child] : ownerObject->Children())
                if (MatchesControl(*child, m_typeId, id))
                    return child.get();
    // Objects of the skin's top level with a control id of their own; the skin's plain object
    // of the type (control id 0) is the one every control gets anyway.
    if (id == 0)
        return nullptr;
    return manager.FindObjectByControlId(id, m_typeId);
}

void SkinControlWnd::PostSetFont(HFONT font, BOOL redraw) {
    if (!SwapsFont() || !font)
        return;
    if (!m_fontSaved)
        PostMessage(GWM_SAVEFONT, 0, 0);
    PostMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

void SkinControlWnd::PlaceOrPostFont(const ControlSkin* own, BOOL redraw) {
    if (own->autoSkinFont)
        PostSetFont(own->createdFont, redraw);
    if (own->autoPlace)
        MoveWindow(own->rect, TRUE);
}

SkinObject* SkinControlWnd::ApplySkin(SkinObject* object) {
    SkinObject* previous = SkinWnd::ApplySkin(object);
    HWND hwnd = GetHwnd();
    if (!hwnd)
        return previous;
    if (SkinObject* own = FindOwnObject(); own && own != object) {
        SkinWnd::ApplySkin(own);
        const auto* control = static_cast<const ControlSkin*>(own);
        if (control->autoSkinFont)
            PostSetFont(control->createdFont, FALSE);
        if (control->autoPlace) {
            MoveWindow(control->rect, TRUE);
            return previous;
        }
    }
    const ControlSkin* control = Control();
    if (control && control->autoSkinFont) {
        PostSetFont(control->createdFont, FALSE);
    } else if (m_fontSaved && SwapsFont()) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_savedFont), FALSE);
        ForgetSavedFont();
    }
    RedrawWindow(hwnd, nullptr, nullptr, kRedrawAll);
    return previous;
}

LONG_PTR SkinControlWnd::Attach(HWND hwnd) {
    // The owner's object for this control is looked up with the window known.
    if (!SkinWnd::Attach(hwnd))
        return 0;
    SkinObject* own = FindOwnObject();
    if (own && own != Object()) {
        SkinWnd::ApplySkin(own);
        PlaceOrPostFont(static_cast<const ControlSkin*>(own),
                        !static_cast<const ControlSkin*>(own)->autoPlace);
        return 1;
    }
    if (const ControlSkin* control = Control(); control && control->autoSkinFont)
        PostSetFont(control->createdFont, TRUE);
    return 1;
}

int SkinControlWnd::Detach() {
    if (m_fontSaved && SwapsFont() && GetHwnd())
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_savedFont), TRUE);
    ForgetSavedFont();
    return SkinWnd::Detach();
}

LRESULT SkinControlWnd::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
    if (m_owner && IsWindow(m_owner))
        SendMessageA(m_owner, GWM_CHILDDESTROYED, reinterpret_cast<WPARAM>(GetHwnd()), 0);
    // The control is going: its font is not given back.
    ForgetSavedFont();
    return SkinWnd::OnNcDestroy(wParam, lParam);
}

SkinControlWnd::TextScope::TextScope(const SkinControlWnd& control, HDC dc, COLORREF color)
    : m_dc(dc) {
    auto font = reinterpret_cast<HGDIOBJ>(control.SendMessage(WM_GETFONT, 0, 0));
    m_font = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    m_color = SetTextColor(dc, color);
    m_mode = SetBkMode(dc, TRANSPARENT);
}

SkinControlWnd::TextScope::~TextScope() {
    SetBkMode(m_dc, m_mode);
    SetTextColor(m_dc, m_color);
    SelectObject(m_dc, m_font);
}

RECT SkinControlWnd::ClientRect() const {
    RECT client{};
    GetClientRect(GetHwnd(), &client);
    return client;
}

void SkinControlWnd::OnPaint() {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(GetHwnd(), &ps);
    const RECT client = ClientRect();
    {
        SkinMemDC memory(dc, client.right, client.bottom);
        Draw(memory.GetDC());
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.GetDC(), 0, 0, SRCCOPY);
    }
    EndPaint(GetHwnd(), &ps);
}

bool SkinControlWnd::TrackMouseLeave() {
    if (m_hover)
        return false;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, GetHwnd(), HOVER_DEFAULT};
    _TrackMouseEvent(&track);
    m_hover = true;
    return true;
}

void SkinControlWnd::RedrawIfDirty() {
    if (!m_hover)
        return;
    m_hover = false;
    InvalidateRect(GetHwnd(), nullptr, FALSE);
    UpdateWindow(GetHwnd());
}

void SkinControlWnd::PaintParentBackground(HDC dc) const {
    HWND background = FindBackgroundWindow();
    if (!background || !SendMessageA(background, GWM_PAINTBACKGROUND, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(GetHwnd()))) {
        const RECT client = ClientRect();
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
}

LRESULT SkinControlWnd::CallSavedHidden(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = GetHwnd();
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const bool visible = (style & WS_VISIBLE) != 0;
    if (visible)
        SetWindowLongA(hwnd, GWL_STYLE, style & ~static_cast<LONG>(WS_VISIBLE));
    const auto alive = AliveToken();
    const LRESULT result = CallSaved(message, wParam, lParam);
    // The control may be gone, or its skinner with it, once its parent was told.
    if (visible && *alive && IsWindow(hwnd))
        SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) | WS_VISIBLE);
    return result;
}

LRESULT SkinControlWnd::CallSavedThenRepaint(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = GetHwnd();
    const auto alive = AliveToken();
    const LRESULT result = CallSaved(message, wParam, lParam);
    if (*alive && IsWindow(hwnd)) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
    }
    return result;
}

LRESULT SkinControlWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_UPDATEUISTATE:
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCDESTROY:
        return OnNcDestroy(wParam, lParam);
    case WM_MOUSELEAVE:
        RedrawIfDirty();
        return SkinWnd::WindowProc(message, wParam, lParam);
    case GWM_SAVEFONT:
        // Only the first read is the control's own font (which may be none); a later one
        // would read a skin's font, which goes with that skin.
        if (!m_fontSaved) {
            m_savedFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0));
            m_fontSaved = true;
        }
        return 0;
    default:
        return SkinWnd::WindowProc(message, wParam, lParam);
    }
}
