#include "skin/skinners/skin_caption_button.h"

#include "skin/core/caption_button_skin.h"
#include "skin/core/skin_blit.h"
#include "skin/core/skin_info.h"
#include "skin/core/skin_manager.h"
#include "skin/core/skin_paint_utils.h"
#include "skin/core/skin_regions.h"
#include "skin/skinners/skin_messages.h"
#include "skin/skinners/skin_wnd.h"

#include <mutex>
#include <set>

namespace {

// The hover timers that run: a tick whose cell is gone is ignored.
std::mutex g_timerLock;
std::set<const void*>& LiveTimers() {
    static auto* timers = new std::set<const void*>;
    return *timers;
}

enum StateImage { HotImage, PressedImage, DisabledImage };

PxImage* ImageOf(const SkinImageRef& ref) {
    if (IsRectEmpty(&ref.source))
        return nullptr;
    SkinData* skin = SkinManager::Instance().GetSkin();
    return skin ? skin->FindImage(ref) : nullptr;
}

} // namespace

SkinCaptionButton::SkinCaptionButton(const RECT& rect, SkinWnd* owner, SkinObject* object)
    : SkinElement(rect, owner, object) {}

SkinCaptionButton::~SkinCaptionButton() {
    StopHoverTimer();
    if (m_region)
        DeleteObject(m_region);
}

const CaptionButtonSkin* SkinCaptionButton::Button() const {
    return dynamic_cast<const CaptionButtonSkin*>(Object());
}

bool SkinCaptionButton::IsToggle() const {
    const CaptionButtonSkin* button = Button();
    return button && button->toggle != 0;
}

SkinObject* SkinCaptionButton::ApplySkin(SkinObject* object) {
    SkinObject* previous = SkinElement::ApplySkin(object);
    BuildRegion();
    return previous;
}

void SkinCaptionButton::BuildRegion() {
    if (m_region)
        DeleteObject(m_region);
    m_region = nullptr;
    const SkinTransparency transparency = TransparencyOf(SkinManager::Instance().GetSkin());
    m_transparent = transparency.enabled;
    m_keyColor = transparency.key;
    const CaptionButtonSkin* button = Button();
    if (!m_transparent || !button)
        return;
    for (const SkinImageRef* ref :
         {&button->stateImages[HotImage], &button->stateImages[PressedImage], &button->image}) {
        PxImage* image = ImageOf(*ref);
        if (!image)
            continue;
        PxImage part;
        const RECT& s = ref->source;
        if (!image->Crop(s.left, s.top, s.right, s.bottom, &part))
            return;
        HBITMAP bitmap = part.MakeBitmap(nullptr);
        if (bitmap) {
            m_region = GlazeworkRegionFromBitmap(bitmap, m_keyColor);
            DeleteObject(bitmap);
        }
        return;
    }
}

bool SkinCaptionButton::HitTest(POINT at) const {
    if (!m_enabled || !SkinElement::HitTest(at))
        return false;
    return !m_region || PtInRegion(m_region, at.x - m_rect.left, at.y - m_rect.top);
}

void SkinCaptionButton::Draw(HDC dc) {
    DrawButton(dc, m_look);
}

void SkinCaptionButton::DrawButton(HDC dc, int state) {
    const CaptionButtonSkin* button = Button();
    if (!button)
        return;
    if (button->buttonKind == CaptionButtonSkin::WindowIcon) {
        GlazeworkDrawWindowIcon(m_owner->GetHwnd(), dc, m_rect);
        return;
    }
    const SkinImageRef* ref = &button->image;
    if (m_enabled) {
        const SkinImageRef* wanted = state == Hot       ? &button->stateImages[HotImage]
                                     : state == Pressed ? &button->stateImages[PressedImage]
                                                        : nullptr;
        if (wanted && ImageOf(*wanted))
            ref = wanted;
    } else if (ImageOf(button->stateImages[DisabledImage])) {
        ref = &button->stateImages[DisabledImage];
    }
    PxImage* image = ImageOf(*ref);
    PxImage part;
    const RECT& s = ref->source;
    if (!image || !image->Crop(s.left, s.top, s.right, s.bottom, &part)) {
        RECT face = m_rect;
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH);
        return;
    }
    if (m_transparent)
        GlazeworkDrawImageKeyed(dc, part, m_rect, m_keyColor);
    else
        part.Draw(dc, m_rect.left, m_rect.top);
}

void SkinCaptionButton::Show(int look) {
    if (look == m_look)
        return;
    m_look = look;
    Redraw();
}

void SkinCaptionButton::OnMouseMove(POINT at) {
    if (!HitTest(at))
        return;
    if (IsToggle())
        Show(Hot);
    else
        Show(m_state = m_pressed ? Pressed : Hot);
    if (!m_hover)
        StartHoverTimer();
}

void SkinCaptionButton::OnLButtonDown(POINT at) {
    if (!HitTest(at))
        return;
    const CaptionButtonSkin* button = Button();
    if (button && button->buttonKind == CaptionButtonSkin::SystemMenu) {
        Execute();
        return;
    }
    m_pressed = true;
    if (!IsToggle())
        m_state = Pressed;
    Show(Pressed);
}

void SkinCaptionButton::OnLButtonUp(POINT at) {
    if (!m_pressed || !HitTest(at))
        return;
    const CaptionButtonSkin* button = Button();
    const std::uint32_t kind = button ? button->buttonKind : CaptionButtonSkin::Custom;
    if (kind == CaptionButtonSkin::SystemMenu)
        return;
    m_pressed = false;
    if (kind == CaptionButtonSkin::MaximizeRestore || kind == CaptionButtonSkin::MinimizeRestore)
        m_state = Normal;
    else if (IsToggle())
        m_state = m_state == Pressed ? Normal : Pressed;
    else
        m_state = m_hover ? Hot : Normal;
    Show(m_state);
    Execute();
}

void SkinCaptionButton::OnLButtonDblClk(POINT at) {
    const CaptionButtonSkin* button = Button();
    if (HitTest(at) && button && button->buttonKind == CaptionButtonSkin::SystemMenu)
        PostMessageA(m_owner->GetHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void SkinCaptionButton::OnRButtonDown(POINT at) {
    const CaptionButtonSkin* button = Button();
    if (HitTest(at) && button && button->buttonKind == CaptionButtonSkin::SystemMenu)
        Execute();
}

void SkinCaptionButton::OnMouseLeave() {
    if (!IsToggle()) {
        m_pressed = false;
        m_state = Normal;
    }
    if (IsVisibleInState())
        Show(m_state);
    else
        m_look = m_state;
}

void SkinCaptionButton::Execute() {
    const CaptionButtonSkin* button = Button();
    const HWND owner = m_owner->GetHwnd();
    if (!button || !owner)
        return;
    switch (button->buttonKind) {
    case CaptionButtonSkin::Custom:
        PostMessageA(owner, WM_COMMAND, button->commandId, 0);
        break;
    case CaptionButtonSkin::Close:
        StopHoverTimer();
        PostMessageA(owner, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case CaptionButtonSkin::MaximizeRestore:
        PostMessageA(owner, WM_SYSCOMMAND, ::IsZoomed(owner) ? SC_RESTORE : SC_MAXIMIZE, 0);
        break;
    case CaptionButtonSkin::MinimizeRestore:
        PostMessageA(owner, WM_SYSCOMMAND, ::IsIconic(owner) ? SC_RESTORE : SC_MINIMIZE, 0);
        break;
    case CaptionButtonSkin::SystemMenu:
        // The menu's loop runs from the window's queue, not inside this mouse handling.
        PostMessageA(owner, GWM_SHOWSYSTEMMENU, 0, 0);
        break;
    default:
        break;
    }
}

void SkinCaptionButton::StartHoverTimer() {
    const HWND owner = m_owner->GetHwnd();
    if (m_hover || !owner)
        return;
    auto cell = std::make_unique<HoverTimer>(HoverTimer{this, owner});
    const auto id = reinterpret_cast<UINT_PTR>(cell.get());
    {
        std::lock_guard guard(g_timerLock);
        LiveTimers().insert(cell.get());
    }
    if (!SetTimer(owner, id, kHoverPollMs, &HoverTimerProc)) {
        std::lock_guard guard(g_timerLock);
        LiveTimers().erase(cell.get());
        return;
    }
    m_hover = std::move(cell);
}

void SkinCaptionButton::StopHoverTimer() {
    if (!m_hover)
        return;
    KillTimer(m_hover->hwnd, reinterpret_cast<UINT_PTR>(m_hover.get()));
    std::lock_guard guard(g_timerLock);
    LiveTimers().erase(m_hover.get());
    m_hover.reset();
}

void CALLBACK SkinCaptionButton::HoverTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    auto* cell = reinterpret_cast<HoverTimer*>(id);
    {
        std::lock_guard guard(g_timerLock);
        if (!LiveTimers().count(cell))
            return;
    }
    SkinCaptionButton* button = cell->button;
    POINT cursor{};
    RECT window{};
    GetCursorPos(&cursor);
    ::GetWindowRect(cell->hwnd, &window);
    if (button->HitTest(POINT{cursor.x - window.left, cursor.y - window.top}))
        return;
    if (!KillTimer(cell->hwnd, id))
        return;
    {
        std::lock_guard guard(g_timerLock);
        LiveTimers().erase(cell);
    }
    button->m_hover.reset();
    button->OnMouseLeave();
}
