// Allocation, layout, copying and ownership of PxImage.
#include <gtest/gtest.h>

#include <cstring>

#include "imagelib/px_image.h"

namespace {

struct CreateCase {
    LONG width;
    LONG height;
    DWORD bppAsked;
    WORD bpp;
    DWORD paletteCount;
    DWORD stride;
};

class CreateLayout : public ::testing::TestWithParam<CreateCase> {};

TEST_P(CreateLayout, RoundsDepthAndPadsRows) {
    const CreateCase& c = GetParam();
    PxImage image;
    ASSERT_NE(image.Create(c.width, c.height, c.bppAsked, PXIMAGE_FORMAT_BMP), nullptr);
    EXPECT_EQ(image.GetBpp(), c.bpp);
    EXPECT_EQ(image.GetPaletteCount(), c.paletteCount);
    EXPECT_EQ(image.GetRowStride(), c.stride);
    EXPECT_EQ(image.GetHeader().biSizeImage, c.stride * c.height);
    EXPECT_EQ(image.GetSize(), 40 + c.paletteCount * 4 + c.stride * c.height);
    EXPECT_EQ(image.GetBits(0), static_cast<BYTE*>(image.GetDIB()) + 40 + c.paletteCount * 4);
    if (c.height > 1) {
        EXPECT_EQ(image.GetBits(1), image.GetBits(0) + c.stride);
    }
    EXPECT_EQ(image.GetBits(static_cast<DWORD>(c.height)), nullptr);
    EXPECT_EQ(image.GetFormat(), PXIMAGE_FORMAT_BMP);
    EXPECT_EQ(image.GetColorKind(), c.bpp == 24 ? 2u : 1u);
    // The DIB block starts with the header as Create filled it.
    PxBitmapInfoHeader stored;
    std::memcpy(&stored, image.GetDIB(), sizeof(stored));
    EXPECT_EQ(stored.biSize, 40u);
    EXPECT_EQ(stored.biWidth, c.width);
    EXPECT_EQ(stored.biBitCount, c.bpp);
    EXPECT_EQ(stored.biClrUsed, c.paletteCount);
    for (DWORD i = 0; i < c.paletteCount; ++i)
        EXPECT_EQ(image.GetPaletteColor(static_cast<BYTE>(i)), (PxRgbQuad{0, 0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Depths, CreateLayout,
    ::testing::Values(CreateCase{10, 10, 2, 4, 16, 8}, CreateCase{3, 1, 24, 24, 0, 12},
                      CreateCase{5, 2, 32, 24, 0, 16}, CreateCase{5, 2, 16, 24, 0, 16},
                      CreateCase{33, 3, 1, 1, 2, 8}, CreateCase{1, 1, 0, 1, 2, 4},
                      CreateCase{7, 2, 8, 8, 256, 8}, CreateCase{9, 2, 5, 8, 256, 12}));

TEST(PxImageCreate, RefusesEmptyNegativeAndOversizeImages) {
    struct Case {
        LONG width, height;
        DWORD bpp;
        const char* message;
    } cases[] = {
        {0, 5, 8, "PxImage::Create : width and height must be greater than zero"},
        {5, 0, 8, "PxImage::Create : width and height must be greater than zero"},
        {-3, 5, 24, "PxImage::Create : width and height must be greater than zero"},
        {5, -1, 24, "PxImage::Create : width and height must be greater than zero"},
        // Sizes whose byte count wraps in 32 bits must still be seen as too large.
        {0x10000, 0x10000, 8, "PXIMAGE_MAX_MEMORY exceeded"},
        {0x7FFFFFFF, 0x7FFFFFFF, 24, "PXIMAGE_MAX_MEMORY exceeded"},
        {20000, 20000, 24, "PXIMAGE_MAX_MEMORY exceeded"},
    };
    for (const Case& c : cases) {
        PxImage image(4, 4, 24);
        ASSERT_TRUE(image.IsValid());
        EXPECT_EQ(image.Create(c.width, c.height, c.bpp), nullptr) << c.width << "x" << c.height;
        EXPECT_STREQ(image.GetLastError(), c.message);
        EXPECT_FALSE(image.IsValid());
    }
}

TEST(PxImageDefaults, InitDefaultsSetsDocumentedValues) {
    PxImage image(PXIMAGE_FORMAT_PNG);
    EXPECT_EQ(image.GetHeader().biXPelsPerMeter, 3780);
    EXPECT_EQ(image.GetHeader().biYPelsPerMeter, 3780);
    EXPECT_EQ(image.GetTransIndex(), -1);
    EXPECT_EQ(image.GetJpegQuality(), 90);
    EXPECT_EQ(image.GetAlphaMax(), 255);
    EXPECT_TRUE(image.IsEnabled());
    EXPECT_EQ(image.GetXDPI(), 96);
    EXPECT_EQ(image.GetFormat(), PXIMAGE_FORMAT_PNG);
    EXPECT_STREQ(image.GetLastError(), "");
    EXPECT_FALSE(image.IsValid());

    image.SetXDPI(300);
    image.SetYDPI(-4);
    EXPECT_EQ(image.GetHeader().biXPelsPerMeter, 11811);
    EXPECT_EQ(image.GetYDPI(), 96);
    image.SetXDPI(0x7FFFFFFF); // pixels per metre saturate instead of overflowing
    EXPECT_EQ(image.GetHeader().biXPelsPerMeter, 0x7FFFFFFF);
}

TEST(PxImageDefaults, CodecOptionsAreKeptPerFormat) {
    PxImage image(PXIMAGE_FORMAT_JPG);
    EXPECT_TRUE(image.SetCodecOption(7));
    EXPECT_TRUE(image.SetCodecOption(1, PXIMAGE_FORMAT_PNG));
    EXPECT_EQ(image.GetCodecOption(PXIMAGE_FORMAT_JPG), 7u);
    EXPECT_EQ(image.GetCodecOption(), 7u);
    EXPECT_EQ(image.GetCodecOption(PXIMAGE_FORMAT_PNG), 1u);
    EXPECT_FALSE(image.SetCodecOption(1, 16));
    EXPECT_EQ(image.GetCodecOption(16), 0u);
}

TEST(PxImageClear, FillsWholeBytesPerDepth) {
    PxImage one(9, 2, 1);
    one.Clear(1);
    EXPECT_EQ(one.GetBits(1)[3], 255);
    PxImage four(5, 2, 4);
    four.Clear(0x3);
    EXPECT_EQ(four.GetBits(0)[0], 0x33);
    EXPECT_EQ(four.GetBits(1)[3], 0x33);
    PxImage eight(3, 1, 8);
    eight.Clear(0x7A);
    EXPECT_EQ(eight.GetBits(0)[3], 0x7A);
}

void FillPattern(PxImage& image) {
    for (LONG y = 0; y < static_cast<LONG>(image.GetHeight()); ++y)
        for (LONG x = 0; x < static_cast<LONG>(image.GetWidth()); ++x)
            image.SetPixelColor(x, y, PxRgbQuad{static_cast<BYTE>(x), static_cast<BYTE>(y), 7, 0});
}

TEST(PxImageCopy, DeepCopyOwnsItsOwnBuffers) {
    PxImage source(6, 4, 24, PXIMAGE_FORMAT_BMP);
    FillPattern(source);
    ASSERT_TRUE(source.AlphaCreate());
    source.AlphaSet(2, 1, 9);
    ASSERT_TRUE(source.SelectionCreate());
    source.SelectionSet(1, 1, 1);
    source.SetXDPI(200);
    source.SetJpegQuality(50);

    PxImage copy(source);
    EXPECT_NE(copy.GetDIB(), source.GetDIB());
    EXPECT_EQ(copy.GetBits(0)[3 * 5], 5);
    EXPECT_EQ(copy.AlphaGet(2, 1), 9);
    EXPECT_TRUE(copy.SelectionIsInside(1, 1));
    EXPECT_FALSE(copy.SelectionIsInside(0, 0));
    EXPECT_EQ(copy.GetXDPI(), 200);
    EXPECT_EQ(copy.GetJpegQuality(), 50);
    EXPECT_EQ(copy.GetInfo().pixels, copy.GetBits(0));
    EXPECT_EQ(copy.GetInfo().shallowOwner, nullptr);

    PxImage without(source, false, false, false);
    EXPECT_FALSE(without.AlphaIsValid());
    EXPECT_FALSE(without.SelectionIsValid());

    PxImage assigned;
    assigned = source;
    assigned = assigned; // self-assignment keeps the image
    EXPECT_EQ(assigned.GetPixelColor(4, 3, false), (PxRgbQuad{4, 3, 7, 0}));
}

TEST(PxImageCopy, PaletteIsCopiedEvenWithoutPixels) {
    PxImage source(4, 4, 8);
    source.SetPaletteColor(3, 10, 20, 30);
    PxImage copy(source, false, false, false);
    EXPECT_EQ(copy.GetPaletteColor(3), (PxRgbQuad{30, 20, 10, 0}));
}

TEST(PxImageCopy, CopyInfoTakesSettingsButNeverBuffers) {
    PxImage source(8, 8, 24, PXIMAGE_FORMAT_JPG);
    source.SetFrameIndex(3);
    source.SetCancel(5);
    source.SetJpegScale(4);
    PxImage shallow;
    shallow.ShallowCopy(source);

    PxImage fresh;
    fresh.CopyInfo(shallow);
    EXPECT_EQ(fresh.GetFrameIndex(), 3);
    EXPECT_EQ(fresh.GetCancel(), 5u);
    EXPECT_EQ(fresh.GetJpegScale(), 4);
    EXPECT_EQ(fresh.GetInfo().pixels, nullptr);
    EXPECT_EQ(fresh.GetInfo().shallowOwner, nullptr);
    EXPECT_EQ(fresh.GetInfo().frameListCount, 0);
    // It can be created and destroyed as an image of its own.
    fresh.SetCancel(0);
    EXPECT_NE(fresh.Create(2, 2, 8), nullptr);
    EXPECT_TRUE(fresh.Destroy());

    PxImage valid(2, 2, 24);
    valid.CopyInfo(source); // refused: it already has a DIB
    EXPECT_EQ(valid.GetFrameIndex(), 0);
}

TEST(PxImageOwnership, ShallowCopyFreesNothingAndRefusesReplacement) {
    PxImage owner(5, 5, 24);
    FillPattern(owner);
    ASSERT_TRUE(owner.AlphaCreate());
    {
        PxImage borrower;
        borrower.ShallowCopy(owner);
        EXPECT_EQ(borrower.GetDIB(), owner.GetDIB());
        EXPECT_FALSE(borrower.Destroy());
        EXPECT_EQ(borrower.Create(3, 3, 24), nullptr);
        PxImage other(2, 2, 24);
        EXPECT_FALSE(borrower.Transfer(other));
        EXPECT_TRUE(other.IsValid());
        PxImage thief;
        EXPECT_FALSE(thief.Transfer(borrower)); // a borrower has nothing to hand over
        EXPECT_FALSE(thief.IsValid());
    }
    EXPECT_EQ(owner.GetPixelColor(3, 2, false), (PxRgbQuad{3, 2, 7, 0}));
    EXPECT_EQ(owner.AlphaGet(1, 1), 255);
}

TEST(PxImageOwnership, TransferMovesEverythingAndEmptiesTheSource) {
    PxImage source(4, 3, 8, PXIMAGE_FORMAT_GIF);
    source.SetPixelIndex(1, 1, 42);
    ASSERT_TRUE(source.AlphaCreate());
    void* dib = source.GetDIB();
    PxImage target(9, 9, 24);
    ASSERT_TRUE(target.Transfer(source));
    EXPECT_EQ(target.GetDIB(), dib);
    EXPECT_EQ(target.GetWidth(), 4u);
    EXPECT_EQ(target.GetPixelIndex(1, 1), 42);
    EXPECT_TRUE(target.AlphaIsValid());
    EXPECT_EQ(target.GetFormat(), PXIMAGE_FORMAT_GIF);
    EXPECT_FALSE(source.IsValid());
    EXPECT_FALSE(source.AlphaIsValid());
    EXPECT_EQ(source.GetWidth(), 0u);
}

} // namespace
