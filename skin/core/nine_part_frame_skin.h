// The nine-part frame design shared by frame windows and popup menus: an active and an
// inactive set of nine part images laid out by nine part rectangles.
#pragma once

#include "skin/core/skin_object.h"

class NinePartFrameSkin : public SkinObject {
public:
    static constexpr int kPartCount = 9;
    static constexpr int kPartImageCount = 2 * kPartCount;

    explicit NinePartFrameSkin(std::uint32_t typeId);
    ~NinePartFrameSkin() override;

    void ReleaseResources() override;
    void Bind(SkinData& skin) override;
    void VisitFields(SkinFieldVisitor& v) override;

    RECT GetBounds() const;
    RECT GetPartRect(int index) const;
    SkinImageRef GetPartImageRef(int index) const;
    const SkinBoundImage& BoundImage(int index) const { return boundImages.at(index); }

    std::array<RECT, kPartCount> partRects;
    std::array<SkinImageRef, kPartImageCount> partImages{};
    COLORREF frameColor1 = 0xFF0000;
    COLORREF frameColor2 = 0x727200;
    COLORREF frameColor3 = 0xFFFFFF;
    SkinFontSlot font = DefaultFrameFont();
    std::uint32_t value1 = 0;
    std::uint32_t value2 = 0;
    SkinTextEffect effect = SkinTextEffect::Default();

    std::array<SkinBoundImage, kPartImageCount> boundImages{};

protected:
    void VisitFramePart(SkinFieldVisitor& v);
};
