#include "skin/skinners/skin_popup_menu_wnd.h"

#include "skin/core/skin_blit.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/core/skin_paint_utils.h"
#include "skin/skinners/menu_text_color.h"
#include "skin/skinners/skin_messages.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kThisProperty[] = "this";
constexpr char kOwnerProcProperty[] = "SKIN_WNDPROC";
constexpr DWORD kPopupWindowStyle = WS_POPUPWINDOW;
constexpr UINT kClassStyle = CS_SAVEBITS | CS_CLASSDC;
constexpr int kScreenMargin = 2;
constexpr int kCheckSquare = 6;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr LPARAM kAltDownBit = 1 << 29;

HINSTANCE g_classInstance = nullptr;
// One frame paint at a time in the process: setting a region repaints the frame from inside.
bool g_framePaintRunning = false;

WPARAM MenuEnded() {
    return MAKEWPARAM(0, 0xFFFF);
}

} // namespace

BOOL RegisterPopupMenuClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = kClassStyle;
    wc.lpfnWndProc = &SkinPopupMenuWnd::PopupMenuClassProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(instance, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kGlazeworkPopupMenuClass;
    g_classInstance = instance;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void UnregisterPopupMenuClass(HINSTANCE instance) {
    UnregisterClassA(kGlazeworkPopupMenuClass, instance);
}

SkinPopupMenuWnd::SkinPopupMenuWnd(HWND owner, SkinPopupMenuWnd* parent, int kind)
    : m_parent(parent), m_owner(owner), m_kind(kind) {
    ApplySkin(&m_defaultSkin);
}

SkinPopupMenuWnd::~SkinPopupMenuWnd() {
    if (GetHwnd() && IsWindow(GetHwnd()))
        CloseSubmenus();
    // The base must not keep a pointer to the member it is about to lose.
    SkinObjectUser::ApplySkin(nullptr);
}

bool SkinPopupMenuWnd::Create() {
    HWND parent = m_parent ? m_parent->GetHwnd() : m_owner;
    HWND hwnd =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kGlazeworkPopupMenuClass, "",
                        kPopupWindowStyle, 0, 0, 100, 100, parent, nullptr, g_classInstance, this);
    return hwnd != nullptr;
}

LRESULT CALLBACK SkinPopupMenuWnd::PopupMenuClassProc(HWND hwnd, UINT message, WPARAM wParam,
                                                      LPARAM lParam) {
    if (message == WM_CREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* self = static_cast<SkinPopupMenuWnd*>(create->lpCreateParams);
        SetPropA(hwnd, kThisProperty, self);
        self->BindWindow(hwnd);
    }
    if (auto* self = static_cast<SkinPopupMenuWnd*>(GetPropA(hwnd, kThisProperty)))
        return self->WindowProc(message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SkinPopupMenuWnd::MenuOwnerProc(HWND hwnd, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    // The caption stays active while its menu has the focus.
    if (message == WM_NCACTIVATE && !wParam)
        return 1;
    if (auto saved = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOwnerProcProperty)))
        return CallWindowProcA(saved, hwnd, message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void SkinPopupMenuWnd::SetMenu(HMENU menu) {
    m_menu = menu;
    m_ownedItems = std::make_unique<MenuItemList>();
    m_ownedItems->Build(menu);
    m_items = m_ownedItems.get();
    m_firstVisible = 0;
    m_scrolling = false;
    m_upBand = m_downBand = RECT{};
}

void SkinPopupMenuWnd::ShowList(MenuItemList* items, HMENU menu) {
    m_menu = menu;
    m_ownedItems.reset();
    m_items = items;
    m_firstVisible = 0;
    m_scrolling = false;
    m_upBand = m_downBand = RECT{};
}

const PopupMenuSkin& SkinPopupMenuWnd::GetSkin() const {
    if (const auto* skin = dynamic_cast<const PopupMenuSkin*>(Object()))
        return *skin;
    return m_defaultSkin;
}

SkinPopupMenuWnd* SkinPopupMenuWnd::GetRootMenu() {
    SkinPopupMenuWnd* root = this;
    while (root->m_parent)
        root = root->m_parent;
    return root;
}

HWND SkinPopupMenuWnd::OwnerRoot() const {
    HWND root = m_owner;
    while (root && (GetWindowLongA(root, GWL_STYLE) & WS_CHILD) && GetParent(root))
        root = GetParent(root);
    return root;
}

RECT SkinPopupMenuWnd::ClientRect() const {
    RECT client{};
    GetClientRect(GetHwnd(), &client);
    return client;
}

int SkinPopupMenuWnd::GetItemHeight() {
    const PopupMenuSkin& skin = GetSkin();
    HDC dc = GetWindowDC();
    HFONT font = CreateFontIndirectA(&skin.font.font);
    HGDIOBJ previous = font && dc ? SelectObject(dc, font) : nullptr;
    SIZE text{};
    if (dc)
        GetTextExtentPoint32A(dc, "TEST", 4, &text);
    int height = text.cy;
    if (auto images = reinterpret_cast<HIMAGELIST>(PopupSettings()[2])) {
        int cx = 0, cy = 0;
        if (ImageList_GetIconSize(images, &cx, &cy))
            height = std::max(height, cy);
    }
    if (previous)
        SelectObject(dc, previous);
    if (font)
        DeleteObject(font);
    if (dc)
        ReleaseDC(dc);
    const SkinNineGridRef& active = skin.itemActiveImage;
    m_itemHeight = height + active.topMargin + active.bottomMargin + 2;
    return m_itemHeight;
}

SIZE SkinPopupMenuWnd::CalcSize() {
    const PopupMenuSkin& skin = GetSkin();
    const int h = GetItemHeight();
    HDC dc = GetWindowDC();
    HFONT font = CreateFontIndirectA(&skin.font.font);
    HGDIOBJ previous = font && dc ? SelectObject(dc, font) : nullptr;
    int widest = 0;
    SIZE tab{};
    if (dc)
        GetTextExtentPoint32A(dc, "    ", 4, &tab);
    for (std::size_t i = 0; i < ItemCount() && dc; ++i) {
        const MenuItem& item = (*m_items)[i];
        const std::string& text = item.text;
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        int width = item.IsOwnerDrawn() ? MeasureOwnerDrawn(item, h) : size.cx;
        if (text.find('\t') != std::string::npos)
            width += tab.cx;
        widest = std::max(widest, width);
    }
    if (previous)
        SelectObject(dc, previous);
    if (font)
        DeleteObject(font);
    if (dc)
        ReleaseDC(dc);
    const SkinNineGridRef& active = skin.itemActiveImage;
    const int width = RectWidth(skin.GetPartRect(3)) + RectWidth(skin.GetPartRect(5)) + widest +
                      active.leftMargin + 2 * h + active.rightMargin + 1;
    const int height = static_cast<int>(ItemCount()) * h + RectHeight(skin.GetPartRect(0)) +
                       RectHeight(skin.GetPartRect(6));
    return SIZE{width, height};
}

RECT SkinPopupMenuWnd::ItemRect(int index) const {
    const RECT client = ClientRect();
    const int top = RectHeight(m_upBand) + m_itemHeight * (index - m_firstVisible);
    return RECT{0, top, client.right, top + m_itemHeight};
}

int SkinPopupMenuWnd::ItemFromPoint(POINT p) const {
    const RECT client = ClientRect();
    if (ItemCount() == 0 || m_itemHeight <= 0 || !PtInRect(&client, p))
        return -1;
    const int top = RectHeight(m_upBand);
    const int bottom = client.bottom - RectHeight(m_downBand);
    if (p.y < top || p.y >= bottom)
        return -1;
    const int index = m_firstVisible + (p.y - top) / m_itemHeight;
    if (index >= static_cast<int>(ItemCount()) || index >= m_firstVisible + m_visibleCount)
        return -1;
    return index;
}

POINT SkinPopupMenuWnd::ToScreen(POINT client) const {
    ClientToScreen(GetHwnd(), &client);
    return client;
}

POINT SkinPopupMenuWnd::ToClientOf(const SkinPopupMenuWnd& other, POINT client) const {
    POINT p = ToScreen(client);
    ScreenToClient(other.GetHwnd(), &p);
    return p;
}

void SkinPopupMenuWnd::OnShowWindow(WPARAM show, LPARAM) {
    const HWND hwnd = GetHwnd();
    if (!m_parent) {
        HWND root = OwnerRoot();
        if (show && root && !GetPropA(root, kOwnerProcProperty)) {
            SetPropA(root, kOwnerProcProperty,
                     reinterpret_cast<HANDLE>(GetWindowLongPtrA(root, GWLP_WNDPROC)));
            SetWindowLongPtrA(root, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuOwnerProc));
        } else if (!show && root) {
            if (auto saved = reinterpret_cast<WNDPROC>(RemovePropA(root, kOwnerProcProperty)))
                SetWindowLongPtrA(root, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
        }
    }
    const int h = GetItemHeight();
    const RECT client = ClientRect();
    const int count = static_cast<int>(ItemCount());
    m_upBand = m_downBand = RECT{};
    if (h > 0 && count * h > client.bottom) {
        m_scrolling = true;
        m_visibleCount = client.bottom / h;
        if (client.bottom % h < 10)
            --m_visibleCount;
        m_visibleCount = std::max(m_visibleCount, 0);
        const int spare = client.bottom - m_visibleCount * h;
        m_upBand = RECT{0, 0, client.right, spare / 2};
        m_downBand = RECT{0, client.bottom - (spare - spare / 2), client.right, client.bottom};
    } else {
        m_scrolling = false;
        m_visibleCount = count;
    }
    for (std::size_t i = 0; i < ItemCount(); ++i)
        (*m_items)[i].hot = false;
    m_hot = -1;
    if (!m_parent) {
        if (show)
            SetCapture(hwnd);
        else if (GetCapture() == hwnd)
            ReleaseCapture();
    }
}

void SkinPopupMenuWnd::CloseChild() {
    if (!m_child)
        return;
    m_child->CloseSubmenus();
    m_child.reset();
}

void SkinPopupMenuWnd::CloseSubmenus() {
    CloseChild();
    const HWND hwnd = GetHwnd();
    if (hwnd && IsWindow(hwnd)) {
        if (!m_parent)
            ::ShowWindow(hwnd, SW_HIDE);
        DestroyWindow(hwnd);
    }
    m_ownedItems.reset();
    m_items = nullptr;
}

LRESULT SkinPopupMenuWnd::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = GetHwnd();
    KillTimer(hwnd, kSubmenuTimer);
    if (!m_parent) {
        HWND root = OwnerRoot();
        if (root && IsWindow(root))
            if (auto saved = reinterpret_cast<WNDPROC>(RemovePropA(root, kOwnerProcProperty)))
                SetWindowLongPtrA(root, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
        if (GetCapture() == hwnd)
            ReleaseCapture();
    }
    RemovePropA(hwnd, kThisProperty);
    const LRESULT result = SkinWnd::OnNcDestroy(wParam, lParam);
    BindWindow(nullptr);
    return result;
}

void SkinPopupMenuWnd::RepaintItem(int) {
    const HWND hwnd = GetHwnd();
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void SkinPopupMenuWnd::Draw(HDC dc) {
    DrawClient(dc, IsActiveWindow());
    for (int i = m_firstVisible;
         i < m_firstVisible + m_visibleCount && i < static_cast<int>(ItemCount()); ++i)
        DrawItem(dc, (*m_items)[static_cast<std::size_t>(i)], ItemRect(i));
    if (!m_scrolling)
        return;
    const int x = RectWidth(m_upBand) / 2;
    const int top = m_upBand.top;
    const POINT up[3] = {{x - 4, top + 4}, {x, top}, {x + 4, top + 4}};
    GlazeworkDrawArrow(dc, up, kBlack);
    const int bottom = m_downBand.bottom;
    const POINT down[3] = {{x - 4, bottom - 5}, {x + 4, bottom - 5}, {x, bottom - 1}};
    GlazeworkDrawArrow(dc, down, kBlack);
}

void SkinPopupMenuWnd::Paint() {
    const HWND hwnd = GetHwnd();
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    if (!dc)
        return;
    const RECT client = ClientRect();
    {
        SkinMemDC memory(dc, client.right, client.bottom);
        if (memory.GetDC() && memory.GetBitmap()) {
            Draw(memory.GetDC());
            BitBlt(dc, 0, 0, client.right, client.bottom, memory.GetDC(), 0, 0, SRCCOPY);
        }
    }
    EndPaint(hwnd, &ps);
}

void SkinPopupMenuWnd::PaintFrame() {
    if (g_framePaintRunning)
        return;
    g_framePaintRunning = true;
    const HWND hwnd = GetHwnd();
    const bool active = GetActiveWindow() == hwnd;
    const RECT size = GetWindowSizeRect();
    LayoutFrameParts(size);
    if (size.right != m_frameSize.cx || size.bottom != m_frameSize.cy) {
        m_frameSize = SIZE{size.right, size.bottom};
        SetRegion(BuildRegion(), TRUE);
    }
    if (HDC windowDc = GetWindowDC()) {
        {
            SkinMemDC memory(windowDc, size.right, size.bottom);
            HDC dc = memory.GetDC();
            if (dc && memory.GetBitmap()) {
                DrawFrame(dc, active);
                DrawElements(dc);
                const auto& p = PartRects();
                const RECT bands[] = {
                    {p[0].left, p[0].top, p[2].right, p[0].bottom},
                    {p[3].left, p[3].top, p[3].right, p[3].bottom},
                    {p[5].left, p[5].top, p[5].right, p[5].bottom},
                    {p[6].left, p[6].top, p[8].right, p[8].bottom},
                };
                for (const RECT& band : bands)
                    BitBlt(windowDc, band.left, band.top, RectWidth(band), RectHeight(band), dc,
                           band.left, band.top, SRCCOPY);
            }
        }
        ReleaseDC(windowDc);
    }
    g_framePaintRunning = false;
}

void SkinPopupMenuWnd::DrawItem(HDC dc, const MenuItem& item, const RECT& rect) {
    const PopupMenuSkin& skin = GetSkin();
    const int h = RectHeight(rect);
    const COLORREF key = KeyColor();
    if (item.IsSeparator()) {
        if (GlazeworkIsNineGridEmpty(skin.itemSeparatorImage)) {
            RECT line{rect.left, rect.top + h / 2, rect.right, rect.bottom};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            return;
        }
        RECT place = rect;
        const int design = RectHeight(skin.itemSeparatorImage.source);
        if (design < h) {
            place.top = rect.top + (h - design) / 2;
            place.bottom = place.top + design;
        }
        GlazeworkDrawTransparent(dc, place, skin.itemSeparatorImage, key);
        return;
    }
    const SkinNineGridRef& active = skin.itemActiveImage;
    RECT text{rect.left + active.leftMargin + h + 1, rect.top + active.topMargin,
              rect.right - active.rightMargin - h, rect.bottom - active.bottomMargin};
    COLORREF color = MenuTextColor(skin.itemBlocks[item.IsDisabled() ? 1 : 0]);
    if (item.hot) {
        if (GlazeworkIsNineGridEmpty(active))
            GlazeworkFillRectColor(dc, rect, skin.itemActiveColor);
        else
            GlazeworkDrawTransparent(dc, rect, active, key);
        color = MenuTextColor(skin.itemBlocks[item.IsDisabled() ? 1 : 2]);
    }
    HFONT font = CreateFontIndirectA(&skin.font.font);
    HGDIOBJ previousFont = font ? SelectObject(dc, font) : nullptr;
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColor = SetTextColor(dc, color);
    const std::string::size_type tab = item.text.find('\t');
    if (item.IsOwnerDrawn()) {
        DrawOwnerDrawn(dc, item, text);
    } else if (tab == std::string::npos) {
        DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text,
                  DT_SINGLELINE | DT_VCENTER);
    } else {
        DrawTextA(dc, item.text.c_str(), static_cast<int>(tab), &text, DT_SINGLELINE | DT_VCENTER);
        const std::string right = item.text.substr(tab + 1);
        DrawTextA(dc, right.c_str(), static_cast<int>(right.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    SetTextColor(dc, previousColor);
    SetBkMode(dc, mode);
    if (previousFont)
        SelectObject(dc, previousFont);
    if (font)
        DeleteObject(font);

    const int middle = (rect.top + rect.bottom) / 2;
    if (item.IsChecked()) {
        if (GlazeworkIsImageRefEmpty(skin.checkImage)) {
            const int x = rect.left + active.leftMargin + h / 2 - kCheckSquare / 2;
            GlazeworkFillRectColor(
                dc, RECT{x, middle - kCheckSquare / 2, x + kCheckSquare, middle + kCheckSquare / 2},
                kBlack);
        } else {
            const int left = rect.left + active.leftMargin + 1;
            SkinMemDC square(dc, h, h);
            if (square.GetDC() && square.GetBitmap()) {
                // The mark sits in the middle of a key-coloured square, which the copy leaves out.
                const RECT all{0, 0, h, h};
                GlazeworkFillRectColor(square.GetDC(), all, key);
                const LONG w = std::min<LONG>(h, RectWidth(skin.checkImage.source));
                const LONG mh = std::min<LONG>(h, RectHeight(skin.checkImage.source));
                const RECT mark{(h - w) / 2, (h - mh) / 2, (h - w) / 2 + w, (h - mh) / 2 + mh};
                GlazeworkDrawImagePart(square.GetDC(), mark, skin.checkImage, key, TRUE);
                GlazeworkDrawBitmapKeyed(dc, square.GetBitmap(),
                                         RECT{left, rect.top, left + h, rect.bottom}, key);
            }
        }
    }
    if (item.submenu) {
        const int r = rect.right - active.rightMargin;
        if (GlazeworkIsImageRefEmpty(skin.submenuImage)) {
            const POINT arrow[3] = {{r - 8, middle - 4}, {r - 8, middle + 4}, {r - 4, middle}};
            GlazeworkDrawArrow(dc, arrow, kBlack);
        } else {
            const int side = std::min<int>(h, RectHeight(skin.submenuImage.source));
            const int right = r - 2;
            SkinMemDC square(dc, side, side);
            if (square.GetDC() && square.GetBitmap()) {
                const RECT all{0, 0, side, side};
                GlazeworkFillRectColor(square.GetDC(), all, key);
                GlazeworkDrawImagePart(square.GetDC(), all, skin.submenuImage, key, TRUE);
                GlazeworkDrawBitmapKeyed(
                    dc, square.GetBitmap(),
                    RECT{right - side, middle - side / 2, right, middle - side / 2 + side}, key);
            }
        }
    }
}

int SkinPopupMenuWnd::MeasureOwnerDrawn(const MenuItem& item, int height) const {
    MEASUREITEMSTRUCT measure{ODT_MENU,     0, item.commandId, 0, static_cast<UINT>(height),
                              item.itemData};
    ::SendMessageA(m_owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    return static_cast<int>(measure.itemWidth);
}

void SkinPopupMenuWnd::DrawOwnerDrawn(HDC dc, const MenuItem& item, const RECT& rect) const {
    // The skin has drawn the item's background and chosen its font and text colour; the owner
    // draws the content into the text column over them.
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = item.commandId;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = (item.hot ? ODS_SELECTED : 0u) | (item.IsChecked() ? ODS_CHECKED : 0u) |
                     ((item.state & MF_GRAYED) ? ODS_GRAYED : 0u) |
                     ((item.state & MF_DISABLED) ? ODS_DISABLED : 0u);
    draw.hwndItem = reinterpret_cast<HWND>(item.menu);
    draw.hDC = dc;
    draw.rcItem = rect;
    draw.itemData = item.itemData;
    ::SendMessageA(m_owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
}

void SkinPopupMenuWnd::ClearHotChain() {
    POINT cursor{};
    GetCursorPos(&cursor);
    for (SkinPopupMenuWnd* p = this; p; p = p->m_child.get()) {
        const HWND hwnd = p->GetHwnd();
        RECT window{};
        ::GetWindowRect(hwnd, &window);
        if (!IsWindowVisible(hwnd) || PtInRect(&window, cursor) || p->m_hot < 0)
            continue;
        (*p->m_items)[static_cast<std::size_t>(p->m_hot)].hot = false;
        p->m_hot = -1;
        p->RepaintItem(-1);
    }
}

bool SkinPopupMenuWnd::OnMouseMove(POINT client) {
    const POINT screen = ToScreen(client);
    if (m_child) {
        RECT childRect{};
        ::GetWindowRect(m_child->GetHwnd(), &childRect);
        if (PtInRect(&childRect, screen) && m_child->OnMouseMove(ToClientOf(*m_child, client)))
            return true;
    }
    const int item = ItemFromPoint(client);
    if (item < 0) {
        if (m_child)
            return m_child->OnMouseMove(ToClientOf(*m_child, client));
        ClearHotChain();
        if (m_kind == DropDown)
            PostMessageA(m_owner, GWM_MENUMOUSEMOVE, 0, MAKELPARAM(screen.x, screen.y));
        return false;
    }
    if (item != m_hot) {
        const HWND hwnd = GetHwnd();
        KillTimer(hwnd, kSubmenuTimer);
        if (m_hot >= 0) {
            MenuItem& old = (*m_items)[static_cast<std::size_t>(m_hot)];
            old.hot = false;
            RepaintItem(m_hot);
            if (old.submenu && m_child) {
                CloseChild();
                SetForegroundWindow(hwnd);
            }
        }
        m_hot = item;
        MenuItem& now = (*m_items)[static_cast<std::size_t>(item)];
        now.hot = true;
        ::SendMessageA(m_owner, WM_MENUSELECT,
                       MAKEWPARAM(now.commandId, MF_HILITE | MF_MOUSESELECT),
                       reinterpret_cast<LPARAM>(m_menu));
        SetTimer(hwnd, kSubmenuTimer, kSubmenuDelayMs, nullptr);
    }
    RepaintItem(item);
    return true;
}

void SkinPopupMenuWnd::OnSubmenuTimer() {
    KillTimer(GetHwnd(), kSubmenuTimer);
    if (m_hot >= 0 && (*m_items)[static_cast<std::size_t>(m_hot)].submenu && !m_child)
        OpenChild(true);
}

void SkinPopupMenuWnd::OpenChild(bool adjust) {
    MenuItem& item = (*m_items)[static_cast<std::size_t>(m_hot)];
    auto child = std::make_unique<SkinPopupMenuWnd>(m_owner, this, m_kind);
    if (!child->Create())
        return;
    child->ShowList(item.submenu.get(), GetSubMenu(item.menu, m_hot));
    child->ApplySkin(Object() == &m_defaultSkin ? &child->m_defaultSkin : Object());
    if (adjust)
        child->SetPopupSettings(PopupSettings());
    const SIZE size = child->CalcSize();
    const RECT row = ItemRect(m_hot);
    POINT at = ToScreen(POINT{row.right, row.top});
    const LONG opening = at.x;
    if (adjust) {
        const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
        const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
        if (at.x + size.cx > screenWidth)
            at.x -= at.x + size.cx - screenWidth + kScreenMargin;
        if (at.y + size.cy > screenHeight)
            at.y -= at.y + size.cy - screenHeight + kScreenMargin;
        if (at.x < 0)
            at.x = kScreenMargin;
        if (at.y < 0)
            at.y = kScreenMargin;
        // Pushed back over this popup it would hide the item it opened from: it goes to the
        // left of this popup instead. (Its natural place always overlaps this popup by the
        // frame's right edge, which is no reason to move it.)
        RECT own{};
        ::GetWindowRect(GetHwnd(), &own);
        if (at.x < opening && at.x < own.right && at.x + size.cx > own.left)
            at.x = own.left - size.cx;
    }
    const HWND window = child->GetHwnd();
    ::MoveWindow(window, at.x, at.y, size.cx, size.cy, TRUE);
    m_child = std::move(child);
    ::ShowWindow(window, SW_SHOW);
}

int SkinPopupMenuWnd::OnButtonDown(int button, POINT client) {
    if (m_child) {
        const int result = m_child->OnButtonDown(button, ToClientOf(*m_child, client));
        if (result == 1) {
            if (!m_parent)
                EndMenu();
            return 1;
        }
        if (result == 2)
            return 2;
    }
    if (!m_child && m_scrolling) {
        if (PtInRect(&m_downBand, client)) {
            if (m_firstVisible + m_visibleCount < static_cast<int>(ItemCount()))
                ++m_firstVisible;
            RepaintItem(-1);
            return 2;
        }
        if (PtInRect(&m_upBand, client)) {
            if (m_firstVisible > 0)
                --m_firstVisible;
            RepaintItem(-1);
            return 2;
        }
    }
    const int index = ItemFromPoint(client);
    if (index >= 0) {
        const MenuItem& item = (*m_items)[static_cast<std::size_t>(index)];
        if (item.submenu || item.IsSeparator() || item.IsDisabled())
            return 2;
        const UINT command = item.commandId;
        ::ShowWindow(GetHwnd(), SW_HIDE);
        if (!m_parent)
            EndMenu();
        PostMessageA(m_owner, m_kind == SystemMenu ? WM_SYSCOMMAND : WM_COMMAND, command, 0);
        return 1;
    }
    const POINT screen = ToScreen(client);
    RECT own{};
    ::GetWindowRect(GetHwnd(), &own);
    if (PtInRect(&own, screen))
        return 2;
    if (m_parent)
        return 0;
    if (m_kind == DropDown)
        PostMessageA(m_owner, button == 0 ? GWM_OUTSIDE_LBUTTONDOWN : GWM_OUTSIDE_RBUTTONDOWN, 0,
                     MAKELPARAM(screen.x, screen.y));
    EndMenu();
    return 0;
}

void SkinPopupMenuWnd::EndMenu() {
    ::SendMessageA(m_owner, WM_MENUSELECT, MenuEnded(), 0);
    PostMessageA(m_owner, GWM_MENUCLOSED, 0, 0);
    m_done = true;
}

void SkinPopupMenuWnd::PostToExecutor(UINT command) {
    PostMessageA(m_parent ? m_parent->GetHwnd() : GetHwnd(), GWM_EXECUTEITEM, command, 0);
}

void SkinPopupMenuWnd::SelectItem(int index, UINT flags) {
    if (m_hot >= 0)
        (*m_items)[static_cast<std::size_t>(m_hot)].hot = false;
    m_hot = index;
    MenuItem& item = (*m_items)[static_cast<std::size_t>(index)];
    item.hot = true;
    ::SendMessageA(m_owner, WM_MENUSELECT, MAKEWPARAM(item.commandId, flags),
                   reinterpret_cast<LPARAM>(m_menu));
}

void SkinPopupMenuWnd::OnKeyDown(WPARAM key) {
    const int count = static_cast<int>(ItemCount());
    switch (key) {
    case VK_RETURN:
        if (m_hot >= 0 && !(*m_items)[static_cast<std::size_t>(m_hot)].IsDisabled()) {
            ::SendMessageA(m_owner, WM_MENUSELECT, MenuEnded(), 0);
            PostToExecutor((*m_items)[static_cast<std::size_t>(m_hot)].commandId);
        }
        break;
    case VK_ESCAPE:
    case VK_LEFT:
        ::SendMessageA(m_owner, WM_MENUSELECT, MenuEnded(), 0);
        if (m_parent) {
            PostMessageA(m_parent->GetHwnd(), GWM_CLOSESUBMENU, 0, 0);
        } else if (key == VK_ESCAPE) {
            ::ShowWindow(GetHwnd(), SW_HIDE);
            PostMessageA(m_owner, GWM_MENUCLOSED, 0, 0);
            m_done = true;
            return;
        } else {
            PostMessageA(m_owner, GWM_MENUKEY, VK_LEFT, 0);
        }
        break;
    case VK_UP:
    case VK_DOWN: {
        if (count == 0)
            break;
        const int step = key == VK_UP ? -1 : 1;
        int index = m_hot;
        if (index < 0) {
            index = key == VK_UP ? count : -1;
        } else {
            (*m_items)[static_cast<std::size_t>(index)].hot = false;
            m_hot = -1;
        }
        for (int tries = 0; tries < count; ++tries) {
            index = (index + step + count) % count;
            if (!(*m_items)[static_cast<std::size_t>(index)].IsSeparator()) {
                SelectItem(index, MF_HILITE);
                break;
            }
        }
        break;
    }
    case VK_RIGHT:
        if (m_hot >= 0 && (*m_items)[static_cast<std::size_t>(m_hot)].submenu) {
            if (!m_child)
                OpenChild(false);
            return;
        }
        PostMessageA(m_owner, GWM_MENUKEY, VK_RIGHT, 0);
        break;
    default:
        for (int i = 0; i < count; ++i) {
            const MenuItem& item = (*m_items)[static_cast<std::size_t>(i)];
            if (item.mnemonic != static_cast<int>(key))
                continue;
            if (!item.IsDisabled()) {
                ::SendMessageA(m_owner, WM_MENUSELECT, MenuEnded(), 0);
                PostToExecutor(item.commandId);
            }
            return;
        }
        return;
    }
    RepaintItem(-1);
}

LRESULT SkinPopupMenuWnd::OnMenuKey(WPARAM key, LPARAM keyData) {
    if (!(keyData & kAltDownBit))
        return 0;
    for (std::size_t i = 0; i < ItemCount(); ++i) {
        const MenuItem& item = (*m_items)[i];
        if (item.mnemonic != static_cast<int>(key))
            continue;
        if (item.IsDisabled())
            return 0;
        ::SendMessageA(m_owner, WM_MENUSELECT, MenuEnded(), 0);
        PostToExecutor(item.commandId);
        return 1;
    }
    if (m_kind == CommandMenu) {
        SkinPopupMenuWnd* root = GetRootMenu();
        root->m_done = true;
        // The tracking loop looks at the flag when a message arrives.
        PostMessageA(root->GetHwnd(), WM_NULL, 0, 0);
    } else if (!FindSkinWnd(OwnerRoot())) {
        // A skinned owner is offered the key by the keyboard hook itself; only an owner
        // without a skinner hears of it from here (else it would see the key twice).
        PostMessageA(m_owner, GWM_MENUKEY, key, keyData);
    }
    return 0;
}

void SkinPopupMenuWnd::CloseChildSubmenu() {
    if (m_hot >= 0 && (*m_items)[static_cast<std::size_t>(m_hot)].submenu && m_child) {
        CloseChild();
        SetForegroundWindow(GetHwnd());
    }
}

void SkinPopupMenuWnd::ExecuteItem(UINT command) {
    if (m_parent) {
        PostMessageA(m_parent->GetHwnd(), GWM_EXECUTEITEM, command, 0);
        return;
    }
    ::ShowWindow(GetHwnd(), SW_HIDE);
    PostMessageA(m_owner, GWM_MENUCLOSED, 0, 0);
    m_done = true;
    PostMessageA(m_owner, m_kind == SystemMenu ? WM_SYSCOMMAND : WM_COMMAND, command, 0);
}

LRESULT SkinPopupMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam, lParam);
        return SkinWnd::WindowProc(message, wParam, lParam);
    case WM_DRAWITEM:
        return ::SendMessageA(m_owner, message, wParam, lParam);
    case WM_NCDESTROY:
        return OnNcDestroy(wParam, lParam);
    case WM_NCCALCSIZE: {
        const PopupMenuSkin& skin = GetSkin();
        auto* proposed = reinterpret_cast<RECT*>(lParam);
        const RECT margins = GetFrameMargins();
        proposed->left += RectWidth(skin.GetPartRect(3));
        proposed->right -= RectWidth(skin.GetPartRect(5));
        proposed->top += RectHeight(skin.GetPartRect(0)) + (margins.bottom - margins.top);
        proposed->bottom -= RectHeight(skin.GetPartRect(6));
        return 0;
    }
    case WM_NCPAINT:
        PaintFrame();
        return 0;
    case WM_NCACTIVATE:
        return 1;
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_CHAR:
        return 0;
    case WM_TIMER:
        if (wParam == kSubmenuTimer)
            OnSubmenuTimer();
        return SkinWnd::WindowProc(message, wParam, lParam);
    case WM_MOUSEMOVE:
        OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(0, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_RBUTTONDOWN:
        OnButtonDown(1, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    default:
        if (message == GWM_CLOSESUBMENU) {
            CloseChildSubmenu();
            return 0;
        }
        if (message == GWM_EXECUTEITEM) {
            ExecuteItem(static_cast<UINT>(wParam));
            return 0;
        }
        if (message == GWM_MENUKEY)
            return OnMenuKey(wParam, lParam);
        return SkinWnd::WindowProc(message, wParam, lParam);
    }
}
