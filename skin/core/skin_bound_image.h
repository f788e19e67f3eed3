// The run-time result of binding one image reference: the cropped image and, when the skin
// keys its images, the region of its pixels that are not the key colour.
#pragma once

#include "win32/win32.h"

#include "imagelib/px_image.h"

#include <cstdint>
#include <memory>

struct SkinBoundImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    HRGN region = nullptr;
    std::unique_ptr<PxImage> image;

    SkinBoundImage() = default;
    ~SkinBoundImage() { Release(); }
    SkinBoundImage(const SkinBoundImage&) = delete;
    SkinBoundImage& operator=(const SkinBoundImage&) = delete;

    bool Empty() const { return image == nullptr; }
    void Release();
};
