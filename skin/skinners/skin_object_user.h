// The root of every skinner and frame element: the skin object it is painted from.
#pragma once

#include "skin/core/skin_object.h"

#include <cstdint>
#include <string_view>

class SkinObjectUser {
public:
    SkinObjectUser() = default;
    virtual ~SkinObjectUser() = default;
    SkinObjectUser(const SkinObjectUser&) = delete;
    SkinObjectUser& operator=(const SkinObjectUser&) = delete;

    virtual void Draw(HDC dc) = 0;
    // Stores the object (not owned); returns the previous one.
    virtual SkinObject* ApplySkin(SkinObject* object);

    SkinObject* Object() const { return m_object; }
    // The object's NAME; empty without an object.
    std::string_view GetName() const;
    // The object's type id; 0 without an object.
    std::uint32_t GetType() const;

private:
    SkinObject* m_object = nullptr;
};
