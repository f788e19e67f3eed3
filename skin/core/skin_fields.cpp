#include "skin/core/skin_fields.h"

namespace skin_fields {

namespace {

class Group {
public:
    Group(SkinFieldVisitor& v, std::string_view label) : m_v(v) { m_v.Enter(label); }
    ~Group() { m_v.Leave(); }
    Group(const Group&) = delete;
    Group& operator=(const Group&) = delete;

private:
    SkinFieldVisitor& m_v;
};

} // namespace

void Rect(SkinFieldVisitor& v, RECT& rect, std::string_view label) {
    Group group(v, label);
    v.I32(rect.left, "left");
    v.I32(rect.top, "top");
    v.I32(rect.right, "right");
    v.I32(rect.bottom, "bottom");
}

void Font(SkinFieldVisitor& v, SkinFontSlot& slot, std::string_view label) {
    Group group(v, label);
    LOGFONTA& f = slot.font;
    v.I32(f.lfHeight, "height");
    v.I32(f.lfWidth, "width");
    v.I32(f.lfEscapement, "escapement");
    v.I32(f.lfOrientation, "orientation");
    v.I32(f.lfWeight, "weight");
    v.U8(f.lfItalic, "italic");
    v.U8(f.lfUnderline, "underline");
    v.U8(f.lfStrikeOut, "strikeout");
    v.U8(f.lfCharSet, "charset");
    v.U8(f.lfOutPrecision, "outprecision");
    v.U8(f.lfClipPrecision, "clipprecision");
    v.U8(f.lfQuality, "quality");
    v.U8(f.lfPitchAndFamily, "pitchandfamily");
    v.Text(f.lfFaceName, LF_FACESIZE, "face");
    v.U32(slot.color, "color");
}

void ImageRef(SkinFieldVisitor& v, SkinImageRef& ref, std::string_view label) {
    Group group(v, label);
    Text(v, ref.imageName, "image");
    v.U8(ref.flag, "flag");
    v.U8(ref.unused, "unused");
    Rect(v, ref.source, "source");
    v.U32(ref.drawMode, "drawmode");
}

void NineGrid(SkinFieldVisitor& v, SkinNineGridRef& ref, std::string_view label) {
    Group group(v, label);
    Text(v, ref.imageName, "image");
    Bytes(v, ref.unused, "unused");
    Rect(v, ref.source, "source");
    v.I32(ref.leftMargin, "leftmargin");
    v.I32(ref.topMargin, "topmargin");
    v.I32(ref.rightMargin, "rightmargin");
    v.I32(ref.bottomMargin, "bottommargin");
    v.U32(ref.gridMode, "gridmode");
}

void TextEffect(SkinFieldVisitor& v, SkinTextEffect& effect, std::string_view label) {
    Group group(v, label);
    v.U32(effect.offsets, "offsets");
    Bytes(v, effect.textColor, "textcolor");
    v.U8(effect.afterTextColor, "aftertextcolor");
    Bytes(v, effect.shadowColor, "shadowcolor");
    v.U8(effect.unused, "unused");
    v.U32(effect.flags, "flags");
}

} // namespace skin_fields
