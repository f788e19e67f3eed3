#include "skin/core/skin_object_types_2_39.h"

void SkinObjectType2::VisitFields(SkinFieldVisitor& v) {
    SkinObject::VisitFields(v);
    skin_fields::ImageRef(v, image, "image");
    skin_fields::Bytes(v, block1, "block1");
    skin_fields::Bytes(v, block2, "block2");
    v.U8(byteValue, "byte");
    v.U32(color, "color");
    v.U32(flag, "flag");
}

void SkinObjectType39::VisitFields(SkinFieldVisitor& v) {
    SkinObject::VisitFields(v);
    for (auto& each : values)
        v.U32(each, "value");
    skin_fields::ImageRef(v, image, "image");
}
