// Types 2 and 39: top-level objects that nothing looks up by type; their fields are kept so
// that skins holding them read and write whole.
#pragma once

#include "skin/core/skin_object.h"

class SkinObjectType2 final : public SkinObject {
public:
    static constexpr std::uint32_t kTypeId = 2;

    SkinObjectType2() : SkinObject(kTypeId) {}
    void VisitFields(SkinFieldVisitor& v) override;

    SkinImageRef image{};
    std::array<std::uint8_t, 16> block1{};
    std::array<std::uint8_t, 16> block2{};
    std::uint8_t byteValue = 255;
    std::uint32_t color = 0xFFFFFF;
    std::uint32_t flag = 1;
};

class SkinObjectType39 final : public SkinObject {
public:
    static constexpr std::uint32_t kTypeId = 39;

    SkinObjectType39() : SkinObject(kTypeId) {}
    void VisitFields(SkinFieldVisitor& v) override;

    std::array<std::uint32_t, 4> values{16, 16, 5, 10};
    SkinImageRef image{};
};
