// The run-time result of binding one image reference: the cropped image and its region.
#pragma once

#include "win32/win32.h"

#include <cstdint>

class PxImage;

struct SkinBoundImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    HRGN region = nullptr;
    PxImage* image = nullptr;

    bool Empty() const { return image == nullptr; }
    void Release();
};
