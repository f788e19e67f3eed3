#include "skin/skinners/skin_element.h"

#include "skin/core/frame_child_skin.h"
#include "skin/core/nine_part_frame_skin.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_wnd.h"

namespace {

constexpr std::uint32_t kFrameType = 1;
constexpr std::uint32_t kPopupMenuType = 17;

enum VisibilityRule : std::uint32_t {
    Always,
    Iconic,
    NotIconic,
    Zoomed,
    NotZoomed,
    Active,
    NotActive,
    Enabled,
    Disabled,
};

} // namespace

SkinElement::SkinElement(const RECT& rect, SkinWnd* owner, SkinObject* object)
    : m_rect(rect), m_owner(owner) {
    SkinObjectUser::ApplySkin(object);
}

const FrameChildSkin* SkinElement::Child() const {
    return dynamic_cast<const FrameChildSkin*>(Object());
}

void SkinElement::Draw(HDC dc) {
    if (const FrameChildSkin* child = Child())
        GlazeworkDrawImagePart(dc, m_rect, child->image, child->color1, TRUE);
}

BOOL SkinElement::SetState(bool enabled) {
    const bool changed = enabled != m_enabled;
    m_enabled = enabled;
    if (changed)
        Redraw();
    return TRUE;
}

bool SkinElement::IsVisibleInState() const {
    const FrameChildSkin* child = Child();
    if (!child)
        return false;
    const HWND owner = m_owner ? m_owner->GetHwnd() : nullptr;
    switch (child->visibilityRule) {
    case Always:
        return true;
    case Iconic:
        return ::IsIconic(owner);
    case NotIconic:
        return !::IsIconic(owner);
    case Zoomed:
        return ::IsZoomed(owner);
    case NotZoomed:
        return !::IsZoomed(owner);
    case Active:
        return GetActiveWindow() == owner;
    case NotActive:
        return GetActiveWindow() != owner;
    case Enabled:
        return IsWindowEnabled(owner);
    case Disabled:
        return !IsWindowEnabled(owner);
    default:
        return false;
    }
}

bool SkinElement::HitTest(POINT at) const {
    return IsVisibleInState() && PtInRect(&m_rect, at);
}

SIZE SkinElement::Growth(const RECT& window, bool popupToo) const {
    const SkinObject* frame = m_owner ? m_owner->Object() : nullptr;
    const auto* nine = dynamic_cast<const NinePartFrameSkin*>(frame);
    if (!nine ||
        (frame->GetType() != kFrameType && !(popupToo && frame->GetType() == kPopupMenuType)))
        return SIZE{};
    const RECT design = nine->GetBounds();
    return SIZE{(window.right - window.left) - (design.right - design.left),
                (window.bottom - window.top) - (design.bottom - design.top)};
}

void SkinElement::Layout(const RECT& window) {
    const FrameChildSkin* child = Child();
    if (!child)
        return;
    const SkinObject* frame = m_owner ? m_owner->Object() : nullptr;
    if (!frame || frame->GetType() != kFrameType) {
        m_rect = child->rect;
        return;
    }
    const SIZE growth = Growth(window, false);
    m_rect = frame_geometry::AnchorElement(child->rect, child->anchorMode, growth.cx, growth.cy);
}

BOOL SkinElement::DispatchMouse(UINT message, POINT at) {
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove(at);
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(at);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(at);
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(at);
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(at);
        break;
    case WM_RBUTTONUP:
        OnRButtonUp(at);
        break;
    default:
        break;
    }
    return TRUE;
}

void SkinElement::Redraw() {
    const HWND owner = m_owner ? m_owner->GetHwnd() : nullptr;
    const int width = m_rect.right - m_rect.left;
    const int height = m_rect.bottom - m_rect.top;
    if (!owner || width <= 0 || height <= 0 || !IsVisibleInState())
        return;
    HDC windowDc = ::GetWindowDC(owner);
    if (!windowDc)
        return;
    {
        // The element goes over the frame painted afresh, not over its previous look, so that
        // its key-coloured pixels show the frame.
        SkinMemDC memory(windowDc, width, height);
        HDC dc = memory.GetDC();
        if (dc) {
            SetViewportOrgEx(dc, -m_rect.left, -m_rect.top, nullptr);
            m_owner->DrawFrame(dc, m_owner->IsActiveWindow());
            for (const auto& element : m_owner->Elements()) {
                RECT overlap{};
                if (element->IsVisibleInState() &&
                    IntersectRect(&overlap, &element->Rect(), &m_rect))
                    element->Draw(dc);
            }
            SetViewportOrgEx(dc, 0, 0, nullptr);
            BitBlt(windowDc, m_rect.left, m_rect.top, width, height, dc, 0, 0, SRCCOPY);
        }
    }
    ::ReleaseDC(owner, windowDc);
}
