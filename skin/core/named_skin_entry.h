// Type 19: a named entry of the skin's third list; the base record alone.
#pragma once

#include "skin/core/skin_object.h"

class NamedSkinEntry final : public SkinObject {
public:
    static constexpr std::uint32_t kTypeId = 19;
    NamedSkinEntry() : SkinObject(kTypeId) {}
};
