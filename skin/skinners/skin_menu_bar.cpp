#include "skin/skinners/skin_menu_bar.h"

#include "skin/core/popup_menu_skin.h"
#include "skin/core/skin_blit.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_manager.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/glazework_menus.h"
#include "skin/skinners/menu_item_list.h"
#include "skin/skinners/menu_text_color.h"
#include "skin/skinners/skin_frame_wnd.h"
#include "skin/skinners/skin_messages.h"
#include "skin/skinners/skin_popup_menu_wnd.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>

namespace {

constexpr int kButtonSize = 16;
constexpr int kScreenMargin = 2;
constexpr int kMdiRowStart = 16;
constexpr int kMdiLayoutStart = 20;
constexpr int kPlainLayoutStart = 4;
constexpr int kMdiButtonsWidth = 48;

// Live bars, so that a timer tick for a bar that is gone does nothing.
std::mutex g_barsLock;
std::set<const SkinMenuBar*>& LiveBars() {
    static auto* bars = new std::set<const SkinMenuBar*>;
    return *bars;
}

} // namespace

void MenuBarButton::Draw(HDC dc, COLORREF key) const {
    const SkinImageRef* image = images[static_cast<std::size_t>(state)];
    if (!image || GlazeworkIsImageRefEmpty(*image))
        image = images[0];
    if (!image)
        return;
    // Through a square of its own, so that key-coloured pixels leave the bar showing.
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    SkinMemDC square(dc, width, height);
    if (!square.GetDC() || !square.GetBitmap())
        return;
    GlazeworkDrawImagePart(square.GetDC(), RECT{0, 0, width, height}, *image,
                           GetSysColor(COLOR_BTNFACE), TRUE);
    GlazeworkDrawBitmapKeyed(dc, square.GetBitmap(), rect, key);
}

SkinMenuBarItem::SkinMenuBarItem(SkinFrameWnd* owner, HMENU menu_, int position_)
    : SkinElement(RECT{}, owner, nullptr), position(position_), menu(menu_), m_frame(owner) {
    text = GlazeworkGetMenuItemText(menu, static_cast<UINT>(position), TRUE);
    commandId = GetMenuItemID(menu, position);
    submenu = GetSubMenu(menu, position);
    mnemonic = MenuItem::FindMnemonic(text);
}

SkinMenuBarItem::~SkinMenuBarItem() {
    if (popup)
        popup->CloseSubmenus();
}

bool SkinMenuBarItem::IsEnabledItem() const {
    const UINT flags = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return flags == static_cast<UINT>(-1) || !(flags & (MF_GRAYED | MF_DISABLED));
}

SIZE SkinMenuBarItem::Measure(const FontElementSkin& skin) const {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontIndirectA(&skin.font.font);
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (previous)
        SelectObject(dc, previous);
    if (font)
        DeleteObject(font);
    ReleaseDC(nullptr, dc);
    const SkinNineGridRef& hot = skin.nineGrid1;
    const SkinNineGridRef& open = skin.nineGrid2;
    return SIZE{size.cx + std::max(open.leftMargin, hot.leftMargin) +
                    std::max(open.rightMargin, hot.rightMargin),
                size.cy + std::max(open.topMargin, hot.topMargin) +
                    std::max(open.bottomMargin, hot.bottomMargin)};
}

void SkinMenuBarItem::Draw(HDC dc) {
    const auto* skin = dynamic_cast<const FontElementSkin*>(Object());
    if (!skin)
        return;
    const bool enabled = IsEnabledItem();
    RECT place = m_rect;
    COLORREF color = MenuTextColor(skin->blocks[enabled ? 0 : 1]);
    const SkinNineGridRef* margins = &skin->nineGrid1;
    if (enabled && state == Hot) {
        GlazeworkDrawNineGrid(dc, m_rect, skin->nineGrid1, skin->color1Own, TRUE);
        color = MenuTextColor(skin->blocks[2]);
    } else if (enabled && state == Open) {
        GlazeworkDrawNineGrid(dc, m_rect, skin->nineGrid2, skin->color2Own, TRUE);
        color = MenuTextColor(skin->blocks[3]);
        margins = &skin->nineGrid2;
    }
    place.left += margins->leftMargin;
    place.top += margins->topMargin;
    place.right -= margins->rightMargin;
    place.bottom -= margins->bottomMargin;
    HFONT font = CreateFontIndirectA(&skin->font.font);
    HGDIOBJ previousFont = font ? SelectObject(dc, font) : nullptr;
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColor = SetTextColor(dc, color);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &place, DT_SINGLELINE | DT_VCENTER);
    SetTextColor(dc, previousColor);
    SetBkMode(dc, mode);
    if (previousFont)
        SelectObject(dc, previousFont);
    if (font)
        DeleteObject(font);
}

void SkinMenuBarItem::OpenPopup() {
    state = Open;
    if (!submenu)
        return;
    const HWND owner = m_frame->GetHwnd();
    SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu),
                 static_cast<LPARAM>(position));
    auto created = std::make_unique<SkinPopupMenuWnd>(owner, nullptr, SkinPopupMenuWnd::DropDown);
    created->SetPopupSettings(m_frame->PopupSettings());
    if (!created->Create())
        return;
    created->SetMenu(submenu);
    if (SkinData* skin = SkinManager::Instance().GetSkin())
        if (SkinObject* object = skin->FindElementByType(PopupMenuSkin::kTypeId))
            created->ApplySkin(object);
    const SIZE size = created->CalcSize();
    RECT window{};
    ::GetWindowRect(owner, &window);
    POINT at{window.left + m_rect.left, window.top + m_rect.bottom};
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
    const HWND window_ = created->GetHwnd();
    ::MoveWindow(window_, at.x, at.y, size.cx, size.cy, TRUE);
    popup = std::move(created);
    ::ShowWindow(window_, SW_SHOW);
}

void SkinMenuBarItem::ClosePopup() {
    if (popup) {
        ::ShowWindow(popup->GetHwnd(), SW_HIDE);
        popup->CloseSubmenus();
        popup.reset();
    }
    state = Normal;
}

SkinMenuBar::SkinMenuBar(SkinFrameWnd* owner)
    : SkinElement(RECT{}, owner, nullptr), m_frame(owner) {
    std::lock_guard guard(g_barsLock);
    LiveBars().insert(this);
}

SkinMenuBar::~SkinMenuBar() {
    StopTimer();
    std::lock_guard guard(g_barsLock);
    LiveBars().erase(this);
}

const FontElementSkin* SkinMenuBar::Skin() const {
    if (const auto* skin = dynamic_cast<const FontElementSkin*>(Object()))
        return skin;
    return &m_defaultSkin;
}

int SkinMenuBar::SetMenu(HMENU menu) {
    m_hot = m_open = nullptr;
    m_items.clear();
    m_menu = menu;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<SkinMenuBarItem>(m_frame, menu, i);
        if (item->text.empty())
            continue;
        item->ApplySkin(const_cast<FontElementSkin*>(Skin()));
        m_items.push_back(std::move(item));
    }
    return 1;
}

SkinObject* SkinMenuBar::ApplySkin(SkinObject* object) {
    SkinObject* previous = SkinElement::ApplySkin(object);
    auto* skin = const_cast<FontElementSkin*>(Skin());
    for (auto& item : m_items)
        item->ApplySkin(skin);
    for (std::size_t b = 0; b < m_buttons.size(); ++b) {
        // The images come in triples: minimise, restore, close, then the child's icon.
        const std::size_t first = b == IconButton ? 9 : (b - 1) * 3;
        for (std::size_t s = 0; s < 3; ++s)
            m_buttons[b].images[s] = &skin->stateImages[first + s];
    }
    return previous;
}

bool SkinMenuBar::HasMdiButtons() const {
    BOOL maximized = FALSE;
    HWND child = m_frame->GetMdiActive(&maximized);
    if (!child || !maximized)
        return false;
    const auto style = static_cast<DWORD>(SendMessageA(child, GWM_GETFRAMESTYLE, 0, 0));
    return (style & WS_SYSMENU) != 0;
}

int SkinMenuBar::GetHeight(int width) {
    if (m_items.empty())
        return 0;
    const FontElementSkin& skin = *Skin();
    const SkinNineGridRef& bar = skin.nineGrid3;
    const int room = width - bar.leftMargin - bar.rightMargin;
    const bool mdi = HasMdiButtons();
    int x = mdi ? kMdiRowStart : 0;
    int rows = 1;
    int tallest = 0;
    for (const auto& item : m_items) {
        const SIZE size = item->Measure(skin);
        tallest = std::max<int>(tallest, size.cy);
        x += size.cx;
        if (x > room) {
            ++rows;
            x = size.cx;
        }
    }
    if (mdi && room < x + kMdiButtonsWidth)
        ++rows;
    return rows * (tallest + 2) + bar.topMargin + bar.bottomMargin;
}

RECT SkinMenuBar::GetRect() {
    m_frame->LayoutFrameParts(m_frame->GetWindowSizeRect());
    const auto& parts = m_frame->PartRects();
    RECT r{parts[3].right, parts[1].bottom, parts[5].left, parts[1].bottom};
    r.bottom = r.top + GetHeight(RectWidth(r));
    return r;
}

void SkinMenuBar::RecalcLayout() {
    m_rect = GetRect();
    const FontElementSkin& skin = *Skin();
    const SkinNineGridRef& bar = skin.nineGrid3;
    const RECT inner{m_rect.left + bar.leftMargin, m_rect.top + bar.topMargin,
                     m_rect.right - bar.rightMargin, m_rect.bottom - bar.bottomMargin};
    const bool mdi = HasMdiButtons();
    int x = inner.left + (mdi ? kMdiLayoutStart : kPlainLayoutStart);
    int row = 1;
    int h = 0;
    for (auto& item : m_items) {
        const SIZE size = item->Measure(skin);
        h = size.cy;
        if (x + size.cx > inner.right) {
            ++row;
            x = inner.left;
        }
        item->Place(
            RECT{x, inner.top + (h + 2) * (row - 1), x + size.cx, inner.top + (h + 2) * row});
        x += size.cx;
    }
    if (!mdi)
        return;
    const int iconTop = inner.top + (h - 14) / 2;
    m_buttons[IconButton].rect =
        RECT{inner.left + 2, iconTop, inner.left + 2 + kButtonSize, iconTop + kButtonSize};
    const int bottom = inner.bottom - (h - 14) / 2;
    const RECT close{inner.right - kButtonSize, bottom - kButtonSize, inner.right, bottom};
    m_buttons[CloseButton].rect = close;
    m_buttons[RestoreButton].rect =
        RECT{close.left - 2 - kButtonSize, close.top, close.left - 2, close.bottom};
    m_buttons[MinimizeButton].rect =
        RECT{close.left - 20 - kButtonSize, close.top, close.left - 20, close.bottom};
}

void SkinMenuBar::Draw(HDC dc) {
    RecalcLayout();
    const FontElementSkin& skin = *Skin();
    GlazeworkDrawNineGrid(dc, m_rect, skin.nineGrid3, skin.color1, TRUE);
    for (auto& item : m_items)
        item->Draw(dc);
    if (HasMdiButtons())
        for (const auto& button : m_buttons)
            button.Draw(dc, m_frame->KeyColor());
}

void SkinMenuBar::Repaint() {
    const HWND hwnd = m_frame->GetHwnd();
    const RECT size = m_frame->GetWindowSizeRect();
    HDC windowDc = GetWindowDC(hwnd);
    if (!windowDc)
        return;
    {
        SkinMemDC memory(windowDc, size.right, size.bottom);
        if (memory.GetDC() && memory.GetBitmap()) {
            Draw(memory.GetDC());
            BitBlt(windowDc, m_rect.left, m_rect.top, RectWidth(m_rect), RectHeight(m_rect),
                   memory.GetDC(), m_rect.left, m_rect.top, SRCCOPY);
        }
    }
    ReleaseDC(hwnd, windowDc);
}

SkinMenuBarItem* SkinMenuBar::EnabledItemAt(POINT at) const {
    for (const auto& item : m_items)
        if (PtInRect(&item->Rect(), at))
            return item->IsEnabledItem() ? item.get() : nullptr;
    return nullptr;
}

RECT SkinMenuBar::PopupScreenRect(const SkinMenuBarItem& item) const {
    RECT r{};
    if (item.popup)
        ::GetWindowRect(item.popup->GetHwnd(), &r);
    return r;
}

void SkinMenuBar::RedrawArea(const RECT& screen, UINT flags) const {
    if (IsRectEmpty(&screen))
        return;
    // What the drop-down covered of the frame's own client area is painted again.
    const HWND hwnd = m_frame->GetHwnd();
    RECT area = screen;
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(hwnd, &area, nullptr, flags | RDW_INVALIDATE);
}

void SkinMenuBar::OnLButtonDown(POINT at) {
    m_keyboard = false;
    if (SkinMenuBarItem* item = EnabledItemAt(at)) {
        if (item == m_open) {
            const RECT covered = PopupScreenRect(*item);
            item->ClosePopup();
            RedrawArea(covered, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INTERNALPAINT);
            item->state = SkinMenuBarItem::Hot;
            m_open = nullptr;
            m_hot = item;
            Repaint();
            StartTimer();
            return;
        }
        if (m_open) {
            const RECT covered = PopupScreenRect(*m_open);
            m_open->ClosePopup();
            RedrawArea(covered, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INTERNALPAINT);
        }
        m_hot = nullptr;
        StopTimer();
        if (item->submenu) {
            item->state = SkinMenuBarItem::Open;
            m_open = item;
            Repaint();
            item->OpenPopup();
            return;
        }
        item->state = SkinMenuBarItem::Normal;
        m_open = nullptr;
        Repaint();
        PostMessageA(m_frame->GetHwnd(), WM_COMMAND, item->commandId, 0);
        return;
    }
    if (m_open) {
        SkinMenuBarItem* open = m_open;
        const RECT covered = PopupScreenRect(*open);
        open->state = SkinMenuBarItem::Normal;
        m_open = nullptr;
        open->ClosePopup();
        Repaint();
        RedrawArea(covered, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INTERNALPAINT);
    }
    if (m_hot)
        m_hot->state = SkinMenuBarItem::Normal;
    m_hot = nullptr;
    StopTimer();
    if (!HasMdiButtons())
        return;
    if (m_buttons[IconButton].HitTest(at)) {
        m_frame->ShowMdiChildMenu();
        return;
    }
    for (int b : {MinimizeButton, RestoreButton, CloseButton})
        if (m_buttons[static_cast<std::size_t>(b)].HitTest(at)) {
            m_buttons[static_cast<std::size_t>(b)].state = MenuBarButton::Pressed;
            Repaint();
        }
}

void SkinMenuBar::OnLButtonUp(POINT at) {
    if (!HasMdiButtons())
        return;
    for (int b : {MinimizeButton, RestoreButton, CloseButton}) {
        MenuBarButton& button = m_buttons[static_cast<std::size_t>(b)];
        if (!button.HitTest(at))
            continue;
        button.state = MenuBarButton::Hot;
        if (b == MinimizeButton)
            m_frame->MinimizeMdiChild();
        else if (b == RestoreButton)
            m_frame->RestoreMdiChild();
        else
            m_frame->CloseMdiChild();
        Repaint();
        return;
    }
}

void SkinMenuBar::OnMouseMove(POINT at) {
    SkinMenuBarItem* item = EnabledItemAt(at);
    if (item) {
        if (item == m_open)
            return;
        if (m_open) {
            SkinMenuBarItem* old = m_open;
            old->state = SkinMenuBarItem::Normal;
            if (item->submenu) {
                const RECT covered = PopupScreenRect(*old);
                old->ClosePopup();
                item->state = SkinMenuBarItem::Open;
                m_open = item;
                Repaint();
                RedrawArea(covered,
                           RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INTERNALPAINT);
                item->OpenPopup();
            } else {
                item->state = SkinMenuBarItem::Hot;
                old->ClosePopup();
                m_open = nullptr;
                m_hot = item;
                Repaint();
                StartTimer();
            }
            return;
        }
        if (item == m_hot)
            return;
        // The mouse takes over from the keyboard.
        m_keyboard = false;
        if (m_hot)
            m_hot->state = SkinMenuBarItem::Normal;
        else
            StartTimer();
        item->state = SkinMenuBarItem::Hot;
        for (auto& button : m_buttons)
            button.state = MenuBarButton::Normal;
        m_hot = item;
        Repaint();
        return;
    }
    if (m_open)
        return;
    bool changed = false;
    if (m_hot) {
        m_hot->state = SkinMenuBarItem::Normal;
        m_hot = nullptr;
        StopTimer();
        changed = true;
    }
    if (HasMdiButtons()) {
        for (int b : {MinimizeButton, RestoreButton, CloseButton}) {
            MenuBarButton& button = m_buttons[static_cast<std::size_t>(b)];
            const int state = button.HitTest(at) ? MenuBarButton::Hot : MenuBarButton::Normal;
            if (state == MenuBarButton::Hot) {
                StopTimer();
                StartTimer();
            }
            changed = changed || state != button.state;
            button.state = state;
        }
    }
    if (changed)
        Repaint();
}

void SkinMenuBar::OnMenuClosed() {
    // A drop-down that another title's has replaced meanwhile is not this one.
    if (!m_open || (m_open->popup && !m_open->popup->IsDone()))
        return;
    m_open->ClosePopup();
    m_open = nullptr;
    Repaint();
}

void SkinMenuBar::PressItem(SkinMenuBarItem& item) {
    OnLButtonDown(POINT{item.Rect().left + 1, item.Rect().top + 1});
}

LRESULT SkinMenuBar::OnKey(int key) {
    if (key == -1) {
        OnLButtonDown(POINT{0, 0});
        return 1;
    }
    if (key == VK_RIGHT || key == VK_LEFT) {
        if (!m_open || m_items.empty())
            return 1;
        const auto count = static_cast<std::ptrdiff_t>(m_items.size());
        std::ptrdiff_t index = 0;
        for (std::ptrdiff_t i = 0; i < count; ++i)
            if (m_items[static_cast<std::size_t>(i)].get() == m_open)
                index = i;
        index = (index + (key == VK_RIGHT ? 1 : count - 1)) % count;
        PressItem(*m_items[static_cast<std::size_t>(index)]);
        return 1;
    }
    for (auto& item : m_items)
        if (item->mnemonic == key) {
            PressItem(*item);
            return 1;
        }
    return 0;
}

SkinMenuBarItem* SkinMenuBar::NeighbourOf(const SkinMenuBarItem* item, int step) const {
    const auto count = static_cast<std::ptrdiff_t>(m_items.size());
    std::ptrdiff_t index = step > 0 ? -1 : 0;
    for (std::ptrdiff_t i = 0; i < count; ++i)
        if (m_items[static_cast<std::size_t>(i)].get() == item)
            index = i;
    for (std::ptrdiff_t n = 0; n < count; ++n) {
        index = (index + step + count) % count;
        SkinMenuBarItem* next = m_items[static_cast<std::size_t>(index)].get();
        if (next->IsEnabledItem())
            return next;
    }
    return nullptr;
}

void SkinMenuBar::EnterKeyboardMode() {
    if (m_open)
        return;
    SkinMenuBarItem* first = NeighbourOf(nullptr, 1);
    if (!first)
        return;
    StopTimer();
    for (auto& button : m_buttons)
        button.state = MenuBarButton::Normal;
    if (m_hot)
        m_hot->state = SkinMenuBarItem::Normal;
    m_hot = first;
    m_hot->state = SkinMenuBarItem::Hot;
    m_keyboard = true;
    Repaint();
}

void SkinMenuBar::LeaveKeyboardMode() {
    if (!m_keyboard)
        return;
    m_keyboard = false;
    if (m_hot && !m_open) {
        m_hot->state = SkinMenuBarItem::Normal;
        m_hot = nullptr;
    }
    Repaint();
}

void SkinMenuBar::PressFromKeyboard(SkinMenuBarItem& item) {
    m_keyboard = false;
    m_hot->state = SkinMenuBarItem::Normal;
    m_hot = nullptr;
    PressItem(item);
}

LRESULT SkinMenuBar::OnKeyboardModeKey(int key) {
    if (!m_keyboard || !m_hot)
        return 0;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        if (SkinMenuBarItem* next = NeighbourOf(m_hot, key == VK_RIGHT ? 1 : -1)) {
            m_hot->state = SkinMenuBarItem::Normal;
            m_hot = next;
            m_hot->state = SkinMenuBarItem::Hot;
            Repaint();
        }
        return 1;
    case VK_DOWN:
    case VK_UP:
    case VK_RETURN: {
        SkinMenuBarItem* item = m_hot;
        PressFromKeyboard(*item);
        return 1;
    }
    case VK_ESCAPE:
    case VK_F10:
    case -1:
        LeaveKeyboardMode();
        return 1;
    default:
        break;
    }
    for (auto& item : m_items)
        if (item->mnemonic == key && item->IsEnabledItem()) {
            PressFromKeyboard(*item);
            return 1;
        }
    LeaveKeyboardMode();
    return 0;
}

void CALLBACK SkinMenuBar::MenuBarTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    auto* bar = reinterpret_cast<SkinMenuBar*>(id);
    {
        std::lock_guard guard(g_barsLock);
        if (!LiveBars().count(bar))
            return;
    }
    bar->OnHoverTick();
}

void SkinMenuBar::StartTimer() {
    if (m_timer)
        return;
    m_timer = SetTimer(m_frame->GetHwnd(), reinterpret_cast<UINT_PTR>(this), kHoverMs,
                       &MenuBarTimerProc) != 0;
}

void SkinMenuBar::StopTimer() {
    if (!m_timer)
        return;
    KillTimer(m_frame->GetHwnd(), reinterpret_cast<UINT_PTR>(this));
    m_timer = false;
}

void SkinMenuBar::OnHoverTick() {
    if (m_keyboard) {
        StopTimer();
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT window{};
    ::GetWindowRect(m_frame->GetHwnd(), &window);
    const POINT at{cursor.x - window.left, cursor.y - window.top};
    if (PtInRect(&m_rect, at))
        return;
    for (auto& button : m_buttons)
        button.state = MenuBarButton::Normal;
    if (m_hot) {
        m_hot->state = SkinMenuBarItem::Normal;
        m_hot = nullptr;
    }
    StopTimer();
    Repaint();
}
