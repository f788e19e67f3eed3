#include "tests/support/skin_builder.h"

#include "skin/core/caption_button_skin.h"
#include "skin/core/frame_skin.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_info.h"
#include "tools/skinbuilder/default_skin.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::vector<std::uint8_t> BuiltDefaultSkin() {
    std::ifstream in(LV_DEFAULT_SKIN_PATH, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> ChildNames(const SkinObject& object) {
    std::vector<std::string> names;
    for (const auto& [name, child] : object.Children())
        names.push_back(name);
    return names;
}

struct BmpInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bits = 0;
    std::uint32_t offBits = 0;
};

BmpInfo ReadBmp(const std::vector<std::uint8_t>& file) {
    lv::ByteReader r(file);
    std::uint16_t magic = 0;
    std::uint32_t skip = 0;
    BmpInfo info;
    std::uint16_t planes = 0;
    r.u16(magic);
    r.u32(skip);
    r.u32(skip);
    r.u32(info.offBits);
    r.u32(skip);
    r.i32(info.width);
    r.i32(info.height);
    r.u16(planes);
    r.u16(info.bits);
    EXPECT_EQ(magic, 0x4D42);
    EXPECT_TRUE(r.ok());
    return info;
}

// The colour of pixel (x, y) counted from the top of a 24-bit bottom-up BMP.
COLORREF PixelFromTop(const std::vector<std::uint8_t>& file, const BmpInfo& info, int x, int y) {
    const std::size_t stride = (static_cast<std::size_t>(info.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t at = info.offBits + (info.height - 1 - y) * stride + x * 3;
    return RGB(file.at(at + 2), file.at(at + 1), file.at(at));
}

class DefaultSkin : public ::testing::Test {
protected:
    void TearDown() override { SkinFormatVersion.Reset(); }
    SkinData skin;
};

TEST_F(DefaultSkin, TheBuiltFileLoadsWithItsTenObjectsAndTwoImages) {
    const std::vector<std::uint8_t> container = BuiltDefaultSkin();
    ASSERT_FALSE(container.empty()) << LV_DEFAULT_SKIN_PATH;
    ASSERT_EQ(lvtest::LoadContainer(skin, container), 1);
    EXPECT_EQ(skin.Header()[SkinData::kMajorOffset], 1);
    EXPECT_EQ(skin.Header()[SkinData::kMinorOffset], 11);

    const std::vector<std::pair<std::string, std::uint32_t>> expected = {
        {"Application", 25}, {"CheckBox", 5},  {"Dialog", 1},     {"Edit", 7},
        {"GroupBox", 8},     {"MainFrame", 1}, {"PopupMenu", 17}, {"ProgressBar", 10},
        {"RichEdit", 30},    {"Static", 14},
    };
    std::vector<std::pair<std::string, std::uint32_t>> objects;
    for (const auto& [name, object] : skin.Objects())
        objects.emplace_back(name, object->GetType());
    EXPECT_EQ(objects, expected);
    EXPECT_EQ(ChildNames(*skin.FindElement("Dialog")),
              (std::vector<std::string>{"DlgClose", "DlgSyS"}));
    EXPECT_EQ(ChildNames(*skin.FindElement("MainFrame")),
              (std::vector<std::string>{"Close", "Max", "MaxRestore", "Min", "MinRestore", "Sys"}));
    EXPECT_EQ(skin.FindElement("Close")->GetType(), 3u);
    EXPECT_EQ(skin.FindElementByType(1)->GetName(), "Dialog");
    EXPECT_EQ(skin.FindElementByType(12), nullptr);
    EXPECT_TRUE(skin.NamedEntries().empty());

    auto* info = dynamic_cast<SkinInfo*>(skin.FindElementByType(25));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->KeyColor(), 0xFF00FFu);
    EXPECT_EQ(info->useTransparentColor, 1u);

    std::vector<std::string> images;
    for (const auto& [name, image] : skin.Images()) {
        images.push_back(name);
        EXPECT_EQ(image->format, SkinImage::kFormatBmp);
        EXPECT_TRUE(image->image.IsValid()) << name;
        EXPECT_EQ(image->image.GetBpp(), 24) << name;
    }
    EXPECT_EQ(images, (std::vector<std::string>{"button.bmp", "windows.bmp"}));
}

TEST_F(DefaultSkin, ImageReferencesPointInsideTheirImages) {
    ASSERT_EQ(lvtest::LoadContainer(skin, BuiltDefaultSkin()), 1);
    std::map<std::string, BmpInfo> sizes;
    for (const auto& [name, image] : skin.Images()) {
        BmpInfo info = ReadBmp(image->encoded);
        EXPECT_EQ(info.bits, 24);
        EXPECT_EQ(image->encoded.size(), info.offBits + ((info.width * 3 + 3) & ~3) *
                                                            static_cast<std::size_t>(info.height));
        sizes[name] = info;
    }
    auto inside = [&](std::string_view image, const RECT& r) {
        auto it = sizes.find(std::string(image));
        ASSERT_NE(it, sizes.end()) << image;
        EXPECT_LE(0, r.left);
        EXPECT_LT(r.left, r.right);
        EXPECT_LT(r.top, r.bottom);
        EXPECT_LE(r.right, it->second.width) << image;
        EXPECT_LE(r.bottom, it->second.height) << image;
    };
    auto* frame = dynamic_cast<FrameSkin*>(skin.FindElement("MainFrame"));
    ASSERT_NE(frame, nullptr);
    for (const auto& part : frame->partImages)
        inside(TextOf(part.imageName), part.source);
    for (const auto& [name, child] : frame->Children()) {
        auto* button = dynamic_cast<CaptionButtonSkin*>(child.get());
        ASSERT_NE(button, nullptr);
        if (button->buttonKind == CaptionButtonSkin::WindowIcon)
            continue;
        inside(TextOf(button->image.imageName), button->image.source);
        for (const auto& state : button->stateImages)
            inside(TextOf(state.imageName), state.source);
    }

    const std::vector<std::uint8_t>& windows = skin.FindImageEntry("windows.bmp")->encoded;
    const BmpInfo info = sizes["windows.bmp"];
    EXPECT_EQ(PixelFromTop(windows, info, 0, 0), 0xFF00FFu);
    EXPECT_EQ(PixelFromTop(windows, info, 275, 0), 0xFF00FFu);
    EXPECT_NE(PixelFromTop(windows, info, 138, 0), 0xFF00FFu);
    EXPECT_NE(PixelFromTop(windows, info, 138, 80), 0xFF00FFu);
}

TEST_F(DefaultSkin, TheBuildIsRepeatable) {
    EXPECT_EQ(default_skin::Build().ContainerBytes(), BuiltDefaultSkin());
}

// Damaged copies of the default skin: every load ends, reports success or a status, and
// leaves no partial skin on failure.
TEST_F(DefaultSkin, SurvivesTruncationAndFlippedBytes) {
    SkinFileWriter objectsOnly;
    default_skin::AddObjects(objectsOnly);
    lvtest::ExpectSkinSurvivesDamage(BuiltDefaultSkin(), objectsOnly.FileBytes(), "MainFrame");
}

} // namespace
