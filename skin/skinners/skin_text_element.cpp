#include "skin/skinners/skin_text_element.h"

#include "skin/core/frame_text_skin.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_paint_utils.h"
#include "skin/core/skin_regions.h"
#include "skin/skinners/frame_geometry.h"
#include "skin/skinners/skin_wnd.h"

#include <cstring>

namespace {

constexpr int kTitleLength = 300;
constexpr std::uint32_t kFrameType = 1;
constexpr std::uint32_t kPopupMenuType = 17;
constexpr char kOwnerDrawnWithoutOwner[] = "OD";

enum RegionMode : std::uint32_t { And, Diff, Or, Xor, CutOutThenOr };

UINT FormatOf(const FrameTextSkin& text) {
    static constexpr UINT kHorizontal[] = {0, DT_CENTER, DT_RIGHT};
    static constexpr UINT kVertical[] = {0, DT_VCENTER, DT_BOTTOM};
    UINT format = DT_SINGLELINE;
    if (text.horizontalAlign < 3)
        format |= kHorizontal[text.horizontalAlign];
    if (text.verticalAlign < 3)
        format |= kVertical[text.verticalAlign];
    return format;
}

// The font of the element, selected for as long as it lives; deselected and deleted on every
// way out.
class SelectedFont {
public:
    SelectedFont(HDC dc, const LOGFONTA& font) : m_dc(dc), m_font(CreateFontIndirectA(&font)) {
        if (m_font)
            m_previous = SelectObject(dc, m_font);
    }
    ~SelectedFont() {
        if (m_previous)
            SelectObject(m_dc, m_previous);
        if (m_font)
            DeleteObject(m_font);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

private:
    HDC m_dc;
    HFONT m_font;
    HGDIOBJ m_previous = nullptr;
};

} // namespace

const FrameTextSkin* SkinTextElement::Text() const {
    return dynamic_cast<const FrameTextSkin*>(Object());
}

bool SkinTextElement::ShowsWindowTitle() const {
    const FrameTextSkin* text = Text();
    return text && text->textKind == FrameTextSkin::kOwnerText;
}

void SkinTextElement::Layout(const RECT& window) {
    const FrameTextSkin* text = Text();
    if (!text)
        return;
    const SkinObject* frame = m_owner ? m_owner->Object() : nullptr;
    if (!frame || (frame->GetType() != kFrameType && frame->GetType() != kPopupMenuType)) {
        m_rect = text->rect;
        return;
    }
    const SIZE growth = Growth(window, true);
    const frame_geometry::TextAnchors anchors{text->anchors[0] != 0, text->anchors[1] != 0,
                                              text->anchors[2] != 0, text->anchors[3] != 0};
    m_rect = frame_geometry::AnchorTextElement(text->rect, anchors, growth.cx, growth.cy);
}

void SkinTextElement::Draw(HDC dc) {
    const FrameTextSkin* text = Text();
    if (!text)
        return;
    SelectedFont font(dc, text->font.font);
    const UINT format = FormatOf(*text);
    const HWND owner = m_owner ? m_owner->GetHwnd() : nullptr;
    char buffer[kTitleLength + 1] = {};
    const char* shown = buffer;
    if (text->textKind == FrameTextSkin::kOwnerText && owner) {
        GlazeworkDrawImagePart(dc, m_rect, text->image, 0, FALSE);
        GetWindowTextA(owner, buffer, sizeof buffer);
    } else if (text->textKind == FrameTextSkin::kOwnerDrawn && owner) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_STATIC;
        item.CtlID = text->commandId;
        item.itemID = static_cast<UINT>(-1);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = ODS_DEFAULT;
        item.hwndItem = owner;
        item.hDC = dc;
        item.rcItem = m_rect;
        SendMessageA(owner, WM_DRAWITEM, text->commandId, reinterpret_cast<LPARAM>(&item));
        return;
    } else if (text->textKind == FrameTextSkin::kOwnerDrawn) {
        shown = kOwnerDrawnWithoutOwner;
    } else {
        GlazeworkDrawImagePart(dc, m_rect, text->image, 0, FALSE);
        shown = text->staticText.data();
        if (text->staticText[0] == '\0')
            return;
    }
    GlazeworkDrawElementText(dc, text->effect, m_rect, shown, static_cast<int>(std::strlen(shown)),
                             format);
}

LRESULT SkinTextElement::GetHitCode() const {
    static constexpr LRESULT kCodes[] = {HTNOWHERE, HTCAPTION,    HTLEFT,   HTTOPLEFT,
                                         HTTOP,     HTTOPRIGHT,   HTRIGHT,  HTBOTTOMRIGHT,
                                         HTBOTTOM,  HTBOTTOMLEFT, HTCAPTION};
    const FrameTextSkin* text = Text();
    if (!text || text->textKind >= std::size(kCodes))
        return HTNOWHERE;
    return kCodes[text->textKind];
}

HRGN SkinTextElement::GetRegion() const {
    const RECT window = m_owner ? m_owner->GetWindowSizeRect() : m_rect;
    if (const FrameTextSkin* text = Text())
        if (HRGN placed = PlaceBoundRegion(text->boundImage, text->image.drawMode, m_rect, window))
            return placed;
    return CreateRectRgnIndirect(&m_rect);
}

bool SkinTextElement::HitTest(POINT at) const {
    HRGN region = GetRegion();
    if (!region)
        return false;
    const bool inside = PtInRegion(region, at.x, at.y) != FALSE;
    DeleteObject(region);
    return inside;
}

void SkinTextElement::CombineRegion(HRGN windowRegion) const {
    const FrameTextSkin* text = Text();
    if (!text || text->regionMode > CutOutThenOr)
        return;
    HRGN own = GetRegion();
    if (!own)
        return;
    switch (text->regionMode) {
    case And:
        CombineRgn(windowRegion, windowRegion, own, RGN_AND);
        break;
    case Diff:
        CombineRgn(windowRegion, windowRegion, own, RGN_DIFF);
        break;
    case Or:
        CombineRgn(windowRegion, windowRegion, own, RGN_OR);
        break;
    case Xor:
        CombineRgn(windowRegion, windowRegion, own, RGN_XOR);
        break;
    case CutOutThenOr:
        if (HRGN area = CreateRectRgnIndirect(&m_rect)) {
            CombineRgn(windowRegion, windowRegion, area, RGN_DIFF);
            DeleteObject(area);
        }
        CombineRgn(windowRegion, windowRegion, own, RGN_OR);
        break;
    default:
        break;
    }
    DeleteObject(own);
}
