#include "tests/support/skin_builder.h"

#include "skin/core/caption_button_skin.h"
#include "skin/core/frame_skin.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_info.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/core/static_skin.h"
#include "tools/artkit/bmp24_writer.h"
#include "tools/skinbuilder/default_skin.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kKey = 0xFF00FF;

// A 6 x 4 picture: magenta left column, the rest grey, one red pixel at (5, 0) from the top.
std::unique_ptr<SkinImage> Picture(const char* name) {
    Canvas canvas(6, 4, RGB(128, 128, 128));
    canvas.Fill({0, 0, 1, 4}, kKey);
    canvas.SetPixel(5, 0, RGB(255, 0, 0));
    auto image = std::make_unique<SkinImage>();
    image->SetName(name);
    image->encoded = EncodeBmp24(canvas);
    return image;
}

std::unique_ptr<SkinInfo> Info(std::uint32_t useTransparentColor) {
    auto info = std::make_unique<SkinInfo>();
    info->SetName("Application");
    info->color3 = kKey;
    info->useTransparentColor = useTransparentColor;
    return info;
}

SkinImageRef Ref(const char* image, RECT source) {
    SkinImageRef ref;
    SetText(ref.imageName, image);
    ref.source = source;
    return ref;
}

class SkinBinding : public ::testing::Test {
protected:
    void Load(std::uint32_t useTransparentColor) {
        SkinFileWriter writer;
        writer.AddObject(Info(useTransparentColor));
        writer.AddImage(Picture("pic.bmp"));
        ASSERT_EQ(lvtest::LoadContainer(skin, writer.ContainerBytes()), 1);
    }
    void TearDown() override { SkinFormatVersion.Reset(); }

    SkinData skin;
    SkinBoundImage bound;
    StaticSkin object;
};

TEST_F(SkinBinding, LoadingDecodesTheStoredImages) {
    Load(1);
    PxImage* image = skin.FindImage(Ref("pic.bmp", {}));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 6u);
    EXPECT_EQ(image->GetHeight(), 4u);
    // Stored rows count from the bottom: the top row is row 3.
    EXPECT_EQ(PxImage::RgbQuadToRgb(image->GetPixelColor(5, 3, false)), RGB(255, 0, 0));
    EXPECT_EQ(skin.FindImage(Ref("other.bmp", {})), nullptr);
}

TEST_F(SkinBinding, ABoundImageIsTheCroppedPartWithTheRegionOfItsSolidPixels) {
    Load(1);
    object.BindImageRef(skin, Ref("pic.bmp", {0, 0, 4, 2}), bound);
    ASSERT_FALSE(bound.Empty());
    EXPECT_EQ(bound.width, 4);
    EXPECT_EQ(bound.height, 2);
    ASSERT_NE(bound.region, nullptr);
    EXPECT_FALSE(PtInRegion(bound.region, 0, 0));
    EXPECT_FALSE(PtInRegion(bound.region, 0, 1));
    EXPECT_TRUE(PtInRegion(bound.region, 1, 0));
    EXPECT_TRUE(PtInRegion(bound.region, 3, 1));
    RECT box{};
    GetRgnBox(bound.region, &box);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 4);
    EXPECT_EQ(box.bottom, 2);

    bound.Release();
    EXPECT_TRUE(bound.Empty());
    EXPECT_EQ(bound.region, nullptr);
    EXPECT_EQ(bound.width, 0);
}

TEST_F(SkinBinding, WithoutTransparencyThereIsNoRegion) {
    Load(0);
    object.BindImageRef(skin, Ref("pic.bmp", {0, 0, 4, 2}), bound);
    EXPECT_FALSE(bound.Empty());
    EXPECT_EQ(bound.region, nullptr);
}

TEST_F(SkinBinding, AMissingImageOrAFailedCropLeavesTheBindingEmpty) {
    Load(1);
    object.BindImageRef(skin, Ref("pic.bmp", {0, 0, 4, 2}), bound);
    object.BindImageRef(skin, Ref("missing.bmp", {0, 0, 4, 2}), bound);
    EXPECT_TRUE(bound.Empty());
    EXPECT_EQ(bound.region, nullptr);
    object.BindImageRef(skin, Ref("pic.bmp", {6, 0, 9, 3}), bound);
    EXPECT_TRUE(bound.Empty());
}

TEST_F(SkinBinding, TheDefaultSkinBindsItsFramesAndCreatesItsFonts) {
    ASSERT_EQ(lvtest::LoadContainer(skin, default_skin::Build().ContainerBytes()), 1);
    auto* frame = dynamic_cast<FrameSkin*>(skin.FindElement("MainFrame"));
    ASSERT_NE(frame, nullptr);
    const SkinBoundImage& topLeft = frame->BoundImage(0);
    ASSERT_FALSE(topLeft.Empty());
    EXPECT_EQ(topLeft.width, 30); // the icon and a gap: the title starts there
    EXPECT_EQ(topLeft.height, 30);
    ASSERT_NE(topLeft.region, nullptr);
    EXPECT_FALSE(PtInRegion(topLeft.region, 0, 0));
    EXPECT_TRUE(PtInRegion(topLeft.region, 10, 10));
    EXPECT_FALSE(frame->BoundImage(17).Empty());

    auto* text = dynamic_cast<ControlSkin*>(skin.FindElement("Static"));
    ASSERT_NE(text, nullptr);
    EXPECT_NE(text->createdFont, nullptr);
    // Binding again replaces what the first binding made.
    frame->Bind(skin);
    text->Bind(skin);
    EXPECT_FALSE(frame->BoundImage(0).Empty());
    text->ReleaseResources();
    EXPECT_EQ(text->createdFont, nullptr);
}

TEST(SkinMemDC, DrawsIntoItsBitmapAndHandsItOver) {
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(screen, nullptr);
    HBITMAP kept = nullptr;
    {
        SkinMemDC memory(screen, 12, 7);
        ASSERT_NE(memory.GetDC(), nullptr);
        BITMAP info{};
        ASSERT_NE(GetObject(memory.GetBitmap(), sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, 12);
        EXPECT_EQ(info.bmHeight, 7);
        SetPixel(memory.GetDC(), 3, 2, RGB(10, 20, 30));
        EXPECT_EQ(GetPixel(memory.GetDC(), 3, 2), RGB(10, 20, 30));
        HDC dc = memory.GetDC();
        kept = memory.Detach();
        EXPECT_EQ(memory.GetDC(), nullptr);
        EXPECT_FALSE(DeleteDC(dc));
    }
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(GetObjectType(kept), OBJ_BITMAP);
    EXPECT_TRUE(DeleteObject(kept));

    HBITMAP owned = nullptr;
    {
        SkinMemDC memory(screen, 4, 4);
        owned = memory.GetBitmap();
    }
    EXPECT_EQ(GetObjectType(owned), 0u);
    DeleteDC(screen);
}

} // namespace
