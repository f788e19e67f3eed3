#include "skin/core/skin_refs.h"

#include "skin/core/skin_system_colors.h"

#include <algorithm>

void GlazeworkPackColor(std::array<std::uint8_t, 3>& store, COLORREF color) {
    store = {GetRValue(color), GetGValue(color), GetBValue(color)};
}

COLORREF GlazeworkUnpackColor(const std::array<std::uint8_t, 3>& store) {
    return RGB(store[0], store[1], store[2]);
}

SkinTextEffect SkinTextEffect::Default() {
    SkinTextEffect effect;
    effect.SetTextColor(SkinSystemColor(SkinSysColor::BtnText));
    effect.afterTextColor = 0xFF;
    effect.SetShadowColor(SkinSystemColor(SkinSysColor::BtnShadow));
    effect.flags = kDefaultFlags;
    return effect;
}

COLORREF SkinTextEffect::TextColor() const {
    return GlazeworkUnpackColor(textColor);
}
COLORREF SkinTextEffect::ShadowColor() const {
    return GlazeworkUnpackColor(shadowColor);
}
void SkinTextEffect::SetTextColor(COLORREF color) {
    GlazeworkPackColor(textColor, color);
}
void SkinTextEffect::SetShadowColor(COLORREF color) {
    GlazeworkPackColor(shadowColor, color);
}

SkinFontSlot SkinFontSlot::Make(std::string_view face, LONG height, LONG weight) {
    SkinFontSlot slot;
    slot.font.lfHeight = height;
    slot.font.lfWeight = weight;
    std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    face.copy(slot.font.lfFaceName, length);
    return slot;
}

namespace {

constexpr BYTE kOutPrecisionStroke = 3;
constexpr BYTE kClipPrecisionStroke = 2;
constexpr BYTE kQualityDraft = 1;

SkinFontSlot WithStrokePrecision(SkinFontSlot slot) {
    slot.font.lfOutPrecision = kOutPrecisionStroke;
    slot.font.lfClipPrecision = kClipPrecisionStroke;
    slot.font.lfQuality = kQualityDraft;
    return slot;
}

} // namespace

SkinFontSlot DefaultControlFont() {
    return WithStrokePrecision(SkinFontSlot::Make("MS Sans Serif", -12, 400));
}

SkinFontSlot DefaultFrameFont() {
    return WithStrokePrecision(SkinFontSlot::Make("Arial", -12, 400));
}
