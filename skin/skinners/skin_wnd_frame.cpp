// The nine-part frame of a skinned window: layout, painting, region and frame elements.
#include "skin/skinners/skin_wnd.h"

#include "skin/core/caption_button_skin.h"
#include "skin/core/nine_part_frame_skin.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_geometry.h"
#include "skin/core/skin_paint_utils.h"
#include "skin/core/skin_regions.h"
#include "skin/skinners/skin_caption_button.h"
#include "skin/skinners/skin_text_element.h"

namespace {

constexpr int kPartCount = NinePartFrameSkin::kPartCount;
constexpr std::uint32_t kCaptionButtonType = 3;
constexpr std::uint32_t kTextElementType = 38;
constexpr int kMinTrackExtraWidth = 10;
constexpr int kMinTrackExtraHeight = 5;

} // namespace

const NinePartFrameSkin* SkinWnd::Frame() const {
    return dynamic_cast<const NinePartFrameSkin*>(Object());
}

void SkinWnd::LayoutFrameParts(const RECT& size) {
    const NinePartFrameSkin* frame = Frame();
    if (!frame)
        return;
    frame_geometry::PartRects design{};
    for (int i = 0; i < kPartCount; ++i)
        design[i] = frame->GetPartRect(i);
    m_parts = frame_geometry::LayoutFrameParts(design, RectWidth(size), RectHeight(size));
}

void SkinWnd::DrawFrame(HDC dc, bool active) {
    const NinePartFrameSkin* frame = Frame();
    if (frame && !IsIconic()) {
        for (int part : {3, 5, 0, 1, 2, 6, 7, 8}) {
            if (active) {
                GlazeworkDrawImagePart(dc, m_parts[part], frame->partImages[part],
                                       frame->frameColor1, TRUE);
                continue;
            }
            SkinImageRef inactive;
            ChooseImageRef(inactive, frame->partImages[kPartCount + part], frame->partImages[part]);
            GlazeworkDrawImagePart(dc, m_parts[part], inactive, frame->frameColor2, TRUE);
        }
    }
    DrawCaption(dc, active);
    DrawMenuBar(dc);
}

void SkinWnd::DrawClient(HDC dc, bool active) {
    const NinePartFrameSkin* frame = Frame();
    if (!frame)
        return;
    RECT client{};
    GetClientRect(m_hwnd, &client);
    constexpr int centre = 4;
    int index = centre;
    if (!active && !frame->BoundImage(kPartCount + centre).Empty())
        index = kPartCount + centre;
    const SkinBoundImage& bound = frame->BoundImage(index);
    if (bound.Empty() || !bound.image->IsValid()) {
        GlazeworkFillRectColor(dc, client, frame->frameColor3);
        return;
    }
    switch (frame->partImages[index].drawMode) {
    case 0:
        bound.image->Draw(dc, client.left, client.top, RectWidth(client), RectHeight(client));
        break;
    case 1:
        bound.image->Tile(dc, &client);
        break;
    default:
        bound.image->Stretch(dc, client.left, client.top, RectWidth(client), RectHeight(client),
                             SRCCOPY);
        break;
    }
}

HRGN SkinWnd::GetPartRegion(int part) const {
    const NinePartFrameSkin* frame = Frame();
    const RECT& place = m_parts[part];
    if (frame)
        if (HRGN placed =
                PlaceBoundRegion(frame->BoundImage(part), frame->partImages[part].drawMode, place,
                                 GetWindowSizeRect()))
            return placed;
    return CreateRectRgnIndirect(&place);
}

HRGN SkinWnd::BuildRegion() {
    if (!m_transparent || !Frame())
        return nullptr;
    HRGN region = GetPartRegion(0);
    if (!region)
        return nullptr;
    for (int part = 1; part < kPartCount; ++part) {
        HRGN piece = GetPartRegion(part);
        if (!piece)
            continue;
        CombineRgn(region, region, piece, RGN_OR);
        DeleteObject(piece);
    }
    LayoutElements();
    for (const auto& element : m_elements)
        if (element->GetType() == kTextElementType)
            static_cast<const SkinTextElement&>(*element).CombineRegion(region);
    return region;
}

void SkinWnd::LayoutElements() {
    const RECT size = GetWindowSizeRect();
    for (auto& element : m_elements)
        element->Layout(size);
}

void SkinWnd::DrawElements(HDC dc) {
    LayoutElements();
    for (auto& element : m_elements)
        if (element->IsVisibleInState())
            element->Draw(dc);
}

LRESULT SkinWnd::ElementHitTest(POINT at) const {
    for (const auto& element : m_elements) {
        if (!element->HitTest(at))
            continue;
        if (element->GetType() == kTextElementType)
            return static_cast<const SkinTextElement&>(*element).GetHitCode();
        if (element->GetType() == kCaptionButtonType)
            return HTCAPTION;
        return 0;
    }
    return 0;
}

bool SkinWnd::DispatchToElements(UINT message, POINT at) {
    bool taken = false;
    // A handler may end the window: the elements are then gone with their skinner.
    const auto alive = AliveToken();
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        SkinElement& element = *m_elements[i];
        if (element.GetType() != kTextElementType && element.HitTest(at))
            taken = true;
        element.DispatchMouse(message, at);
        if (!*alive)
            return taken;
    }
    return taken;
}

void SkinWnd::UpdateCaptionButtons(DWORD style) {
    for (auto& element : m_elements) {
        if (element->GetType() != kCaptionButtonType)
            continue;
        const auto* button = dynamic_cast<const CaptionButtonSkin*>(element->Object());
        if (!button)
            continue;
        switch (button->buttonKind) {
        case CaptionButtonSkin::Close:
        case CaptionButtonSkin::SystemMenu:
            element->SetState((style & WS_SYSMENU) != 0);
            break;
        case CaptionButtonSkin::MaximizeRestore:
            element->SetState((style & WS_MAXIMIZEBOX) != 0);
            break;
        case CaptionButtonSkin::MinimizeRestore:
            element->SetState((style & WS_MINIMIZEBOX) != 0);
            break;
        default:
            break;
        }
    }
}

void SkinWnd::FitToClient() {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const RECT margins = GetFrameMargins();
    const int width = RectWidth(client) + RectWidth(m_parts[3]) + RectWidth(m_parts[5]);
    const int height = RectHeight(client) + RectHeight(m_parts[0]) + RectHeight(m_parts[6]) +
                       (margins.bottom - margins.top);
    SetWindowPos(m_hwnd, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

POINT SkinWnd::GetMinTrackSize() const {
    const NinePartFrameSkin* frame = Frame();
    if (!frame)
        return POINT{10, 10};
    const RECT topLeft = frame->GetPartRect(0);
    const RECT topRight = frame->GetPartRect(2);
    return POINT{RectWidth(topLeft) + RectWidth(topRight) + kMinTrackExtraWidth,
                 RectHeight(topLeft) + kMinTrackExtraHeight};
}

RECT SkinWnd::GetCaptionRect() const {
    const RECT margins = GetFrameMargins();
    return RECT{m_parts[0].left, m_parts[0].top, m_parts[2].right,
                m_parts[0].bottom + (margins.bottom - margins.top)};
}

void SkinWnd::RedrawNcRect(const RECT& windowRelative) const {
    RECT window{};
    GetWindowRect(&window);
    RECT onScreen = windowRelative;
    OffsetRect(&onScreen, window.left, window.top);
    HRGN region = CreateRectRgnIndirect(&onScreen);
    if (!region)
        return;
    SendMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
    DeleteObject(region);
}
