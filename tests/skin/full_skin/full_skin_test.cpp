// The full skin as the build writes it, read back by the skin loader: an object of every type,
// every image reference pointing into an image, and every state of every control drawn apart
// from the others.
#include "tests/support/skin_builder.h"

#include "skin/core/bordered_control_skin.h"
#include "skin/core/button_skin.h"
#include "skin/core/caption_button_skin.h"
#include "skin/core/check_box_skin.h"
#include "skin/core/combo_box_skin.h"
#include "skin/core/custom_skin_object.h"
#include "skin/core/frame_skin.h"
#include "skin/core/frame_text_skin.h"
#include "skin/core/group_box_skin.h"
#include "skin/core/header_skin.h"
#include "skin/core/popup_menu_skin.h"
#include "skin/core/rebar_skin.h"
#include "skin/core/scroll_bar_skin.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_info.h"
#include "skin/core/spin_skin.h"
#include "skin/core/static_skin.h"
#include "skin/core/status_bar_skin.h"
#include "skin/core/tab_skin.h"
#include "skin/skinners/menu_text_color.h"
#include "tools/skinbuilder/full_skin.h"
#include "tools/skinbuilder/full_skin_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

namespace {

std::vector<std::uint8_t> BuiltFullSkin() {
    std::ifstream in(LV_FULL_SKIN_PATH, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every object of the skin, children and the frames' embedded font elements included.
void Collect(SkinObject& object, std::vector<SkinObject*>& out) {
    out.push_back(&object);
    if (auto* frame = dynamic_cast<FrameSkin*>(&object))
        out.push_back(&frame->fontElement);
    for (const auto& [name, child] : object.Children())
        Collect(*child, out);
}

bool Empty(const char* name) {
    return name[0] == '\0';
}

class FullSkin : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(lvtest::LoadContainer(skin, BuiltFullSkin()), 1) << LV_FULL_SKIN_PATH;
        for (const auto& [name, object] : skin.Objects())
            Collect(*object, objects);
    }
    void TearDown() override { SkinFormatVersion.Reset(); }

    // The colours of a rectangle of a skin image, row by row from the top.
    std::vector<COLORREF> Pixels(std::string_view image, const RECT& r) {
        const SkinImage* entry = skin.FindImageEntry(std::string(image));
        EXPECT_NE(entry, nullptr) << image;
        std::vector<COLORREF> out;
        if (!entry)
            return out;
        const auto height = static_cast<LONG>(entry->image.GetHeight());
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                out.push_back(PxImage::RgbQuadToRgb(entry->image.GetPixelColor(x, height - 1 - y)));
        return out;
    }
    void ExpectAllDifferent(const std::vector<std::vector<COLORREF>>& looks, const char* what) {
        for (std::size_t i = 0; i < looks.size(); ++i)
            for (std::size_t j = i + 1; j < looks.size(); ++j)
                EXPECT_NE(looks[i], looks[j]) << what << ": states " << i << " and " << j;
    }

    SkinData skin;
    std::vector<SkinObject*> objects;
};

TEST_F(FullSkin, HoldsAnObjectOfEveryType) {
    std::set<std::uint32_t> types;
    for (SkinObject* object : objects)
        types.insert(object->GetType());
    for (const auto& [name, image] : skin.Images())
        types.insert(image->GetType());
    for (const auto& [name, entry] : skin.NamedEntries())
        types.insert(entry->GetType());
    const std::set<std::uint32_t> every = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                           13, 14, 15, 16, 17, 18, 19, 20, 23, 24, 25, 26,
                                           27, 28, 29, 30, 36, 37, 38, 39, 40, 100};
    EXPECT_EQ(types, every);
    EXPECT_EQ(skin.Header()[SkinData::kMinorOffset], 11);

    // Each control type the skinners ask for by type is there.
    for (std::uint32_t type : {4u,  5u,  6u,  7u,  8u,  9u,  10u, 11u, 12u, 13u, 14u,
                               15u, 16u, 23u, 26u, 27u, 28u, 29u, 30u, 36u, 37u, 40u})
        EXPECT_NE(skin.FindElementByType(type), nullptr) << type;
    EXPECT_EQ(skin.FindElementByType(1)->GetName(), "Dialog");
    EXPECT_NE(skin.FindElement("Title"), nullptr);
    EXPECT_NE(skin.FindElement("DlgHelp"), nullptr);
    const auto* sysMenu = dynamic_cast<CaptionButtonSkin*>(skin.FindElement("SysMenu"));
    ASSERT_NE(sysMenu, nullptr);
    EXPECT_EQ(sysMenu->buttonKind, CaptionButtonSkin::SystemMenu);

    auto* info = dynamic_cast<SkinInfo*>(skin.FindElementByType(25));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->KeyColor(), 0xFF00FFu);
    auto* custom = dynamic_cast<CustomSkinObject*>(skin.FindElement("Custom"));
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(custom->GetPropertyKind("accent"), 2u);
    ASSERT_NE(custom->FindEntry("Motto"), nullptr);
    EXPECT_EQ(custom->FindEntry("Motto")->OwnedText(), "Every state shows");
    EXPECT_EQ(skin.NamedEntries().size(), 2u);
}

TEST_F(FullSkin, EveryPropertyIsReadableAndEveryPictureLiesInItsImage) {
    std::map<std::string, std::pair<LONG, LONG>> sizes;
    for (const auto& [name, image] : skin.Images()) {
        ASSERT_TRUE(image->image.IsValid()) << name;
        sizes[name] = {static_cast<LONG>(image->image.GetWidth()),
                       static_cast<LONG>(image->image.GetHeight())};
    }
    int pictures = 0;
    for (SkinObject* object : objects) {
        for (const auto& [name, property] : object->Properties()) {
            ASSERT_NE(property->Data(), nullptr) << object->GetName() << "." << name;
            std::vector<std::uint8_t> copy(property->Size());
            std::memcpy(copy.data(), property->Data(), copy.size());
            const auto kind = static_cast<SkinPropertyKind>(property->Kind());
            if (kind != SkinPropertyKind::ImageRef && kind != SkinPropertyKind::NineGrid)
                continue;
            // Both references start with the image name and its source rectangle.
            const auto* ref = static_cast<const SkinImageRef*>(property->Data());
            ASSERT_FALSE(Empty(ref->imageName.data())) << object->GetName() << "." << name;
            const auto size = sizes.find(std::string(TextOf(ref->imageName)));
            ASSERT_NE(size, sizes.end()) << object->GetName() << "." << name;
            const RECT& r = ref->source;
            EXPECT_LE(0, r.left) << object->GetName() << "." << name;
            EXPECT_LT(r.left, r.right) << object->GetName() << "." << name;
            EXPECT_LT(r.top, r.bottom) << object->GetName() << "." << name;
            EXPECT_LE(r.right, size->second.first) << object->GetName() << "." << name;
            EXPECT_LE(r.bottom, size->second.second) << object->GetName() << "." << name;
            ++pictures;
        }
    }
    EXPECT_GT(pictures, 0);
}

TEST_F(FullSkin, EveryStateOfEveryControlLooksItsOwn) {
    using namespace full_skin;
    auto* button = dynamic_cast<ButtonSkin*>(skin.FindElementByType(ButtonSkin::kTypeId));
    ASSERT_NE(button, nullptr);
    std::vector<std::vector<COLORREF>> looks;
    for (const auto& state : button->states)
        looks.push_back(Pixels(TextOf(state.image.imageName), state.image.source));
    ExpectAllDifferent(looks, "push button");

    for (std::uint32_t type : {CheckBoxSkin::kTypeId, RadioSkin::kTypeId}) {
        auto* box = dynamic_cast<CheckBoxSkin*>(skin.FindElementByType(type));
        ASSERT_NE(box, nullptr);
        looks.clear();
        std::vector<std::vector<COLORREF>> backs;
        for (const auto& state : box->states) {
            looks.push_back(Pixels(TextOf(state.box.imageName), state.box.source));
            backs.push_back(Pixels(TextOf(state.background.imageName), state.background.source));
        }
        ExpectAllDifferent(looks, type == 5 ? "check box" : "radio button");
        // The grayed states share their background with the plain ones only where their
        // boxes look alike; every background differs from the normal one.
        for (std::size_t s = 1; s < backs.size(); ++s)
            EXPECT_NE(backs[s], backs[0]) << type << " background " << s;
    }

    auto* combo = dynamic_cast<ComboBoxSkin*>(skin.FindElementByType(ComboBoxSkin::kTypeId));
    ASSERT_NE(combo, nullptr);
    looks.clear();
    for (const auto& thumb : combo->thumbs)
        looks.push_back(Pixels(TextOf(thumb.imageName), thumb.source));
    ExpectAllDifferent(looks, "combo box button");

    auto* spin = dynamic_cast<SpinSkin*>(skin.FindElementByType(SpinSkin::kTypeId));
    ASSERT_NE(spin, nullptr);
    looks.clear();
    for (const auto& state : spin->states) {
        auto up = Pixels(TextOf(state.up.imageName), state.up.source);
        auto down = Pixels(TextOf(state.down.imageName), state.down.source);
        EXPECT_NE(up, down);
        up.insert(up.end(), down.begin(), down.end());
        looks.push_back(up);
    }
    ExpectAllDifferent(looks, "up-down");

    auto* bar = dynamic_cast<ScrollBarSkin*>(skin.FindElementByType(ScrollBarSkin::kTypeId));
    ASSERT_NE(bar, nullptr);
    looks.clear();
    for (const auto& state : bar->states) {
        auto look = Pixels(TextOf(state.arrow1.imageName), state.arrow1.source);
        auto thumb = Pixels(TextOf(state.thumb.imageName), state.thumb.source);
        look.insert(look.end(), thumb.begin(), thumb.end());
        looks.push_back(look);
    }
    ExpectAllDifferent(looks, "scroll bar");

    auto* tab = dynamic_cast<TabSkin*>(skin.FindElementByType(TabSkin::kTypeId));
    ASSERT_NE(tab, nullptr);
    looks.clear();
    for (const auto& state : tab->states)
        looks.push_back(Pixels(TextOf(state.image.imageName), state.image.source));
    ExpectAllDifferent(looks, "tab");

    // The bordered controls' borders tell which object drew them.
    looks.clear();
    for (const char* name : {"Edit", "ListBox", "IPAddress", "ListView", "TreeView", "RichEdit"}) {
        auto* control = dynamic_cast<ControlSkin*>(skin.FindElement(name));
        ASSERT_NE(control, nullptr) << name;
        looks.push_back(Pixels(TextOf(control->background.imageName), control->background.source));
    }
    ExpectAllDifferent(looks, "bordered control");

    // The caption buttons' states and the active and inactive frames.
    auto* frame = dynamic_cast<FrameSkin*>(skin.FindElement("MainFrame"));
    ASSERT_NE(frame, nullptr);
    EXPECT_NE(Pixels(full_skin::kFrameImage, frame->partImages[1].source),
              Pixels(full_skin::kFrameImage, frame->partImages[10].source));
}

// The contrast ratio of two colours as the web's accessibility guidelines define it.
double Luminance(COLORREF colour) {
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(colour)) + 0.7152 * channel(GetGValue(colour)) +
           0.0722 * channel(GetBValue(colour));
}

std::string Hex(COLORREF colour) {
    char text[8] = {};
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

double Contrast(COLORREF a, COLORREF b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every text the full skin writes, in its colour, over what it is written on: the object's
// colour or the middle of the image part under it. Disabled looks are left out: their muted text
// says that nothing can be done there.
TEST_F(FullSkin, EveryTextReadsAgainstWhatItIsWrittenOn) {
    struct Pair {
        std::string what;
        COLORREF text;
        COLORREF ground;
    };
    std::vector<Pair> pairs;
    auto middle = [&](const auto& ref) {
        const RECT& r = ref.source;
        const std::vector<COLORREF> pixel = Pixels(
            ref.imageName.data(), RECT{(r.left + r.right) / 2, (r.top + r.bottom) / 2,
                                       (r.left + r.right) / 2 + 1, (r.top + r.bottom) / 2 + 1});
        return pixel.empty() ? CLR_INVALID : pixel.front();
    };
    auto object = [&](const char* name) -> SkinObject* {
        const auto found = skin.Objects().find(name);
        EXPECT_NE(found, skin.Objects().end()) << name;
        return found == skin.Objects().end() ? nullptr : found->second.get();
    };
    for (const char* name : {"MainFrame", "Dialog"}) {
        auto* frame = dynamic_cast<FrameSkin*>(object(name));
        ASSERT_NE(frame, nullptr) << name;
        // The caption's text runs through the middle rows of the caption.
        const SkinImageRef& caption = frame->partImages[1];
        const RECT& c = caption.source;
        const int x = (c.left + c.right) / 2, quarter = (c.bottom - c.top) / 4;
        for (COLORREF ground :
             Pixels(caption.imageName.data(), RECT{x, c.top + quarter, x + 1, c.bottom - quarter}))
            pairs.push_back({std::string(name) + " caption", frame->font.color, ground});
        const FontElementSkin& bar = frame->fontElement;
        pairs.push_back(
            {std::string(name) + " menu bar", MenuTextColor(bar.blocks[0]), middle(bar.nineGrid3)});
        pairs.push_back({std::string(name) + " hot title", MenuTextColor(bar.blocks[2]),
                         middle(bar.nineGrid1)});
        pairs.push_back({std::string(name) + " open title", MenuTextColor(bar.blocks[3]),
                         middle(bar.nineGrid2)});
        if (auto* title = dynamic_cast<FrameTextSkin*>(frame->FindChild("Title")))
            pairs.push_back(
                {std::string(name) + " title", title->effect.TextColor(), middle(title->image)});
    }
    if (auto* menu = dynamic_cast<PopupMenuSkin*>(object("PopupMenu"))) {
        pairs.push_back({"menu item", MenuTextColor(menu->itemBlocks[0]), menu->frameColor1});
        pairs.push_back(
            {"hot menu item", MenuTextColor(menu->itemBlocks[2]), middle(menu->itemActiveImage)});
    }
    if (auto* button = dynamic_cast<ButtonSkin*>(object("Button")))
        for (int s = 0; s < ButtonSkin::kStateCount; ++s)
            if (s != ButtonSkin::Disabled)
                pairs.push_back({std::string("button ") + ButtonSkin::kStateNames[s],
                                 button->states[s].effect.TextColor(),
                                 middle(button->states[s].image)});
    for (const char* name : {"CheckBox", "Radio"})
        if (auto* box = dynamic_cast<CheckBoxSkin*>(object(name)))
            for (int s : {CheckBoxSkin::Normal, CheckBoxSkin::Selected,
                          CheckBoxSkin::HighlightedNormal, CheckBoxSkin::HighlightedSelected})
                pairs.push_back({std::string(name) + " " + CheckBoxSkin::kStateNames[s],
                                 box->states[s].effect.TextColor(),
                                 middle(box->states[s].background)});
    if (auto* group = dynamic_cast<GroupBoxSkin*>(object("GroupBox")))
        pairs.push_back({"group caption", group->effect.TextColor(), middle(group->captionImage)});
    if (auto* text = dynamic_cast<StaticSkin*>(object("Static")))
        pairs.push_back({"static", text->effect.TextColor(), middle(text->background)});
    for (const char* name : {"Edit", "ListBox", "IPAddress", "ListView", "TreeView", "RichEdit"})
        if (auto* control = dynamic_cast<BorderedControlSkin*>(object(name))) {
            pairs.push_back({name, control->color2, control->color1});
            pairs.push_back({std::string(name) + " read-only", control->color2, control->color3});
        }
    if (auto* combo = dynamic_cast<ComboBoxSkin*>(object("ComboBox"))) {
        pairs.push_back({"combo box", combo->color2, combo->color1});
        pairs.push_back({"focused combo box", combo->focusTextColor, combo->focusColor});
    }
    if (auto* tab = dynamic_cast<TabSkin*>(object("Tab")))
        for (int s = 0; s < TabSkin::kStateCount; ++s)
            if (s != TabSkin::Disabled)
                pairs.push_back({std::string("tab ") + TabSkin::kStateNames[s],
                                 tab->states[s].effect.TextColor(), middle(tab->states[s].image)});
    if (auto* header = dynamic_cast<HeaderSkin*>(object("Header")))
        pairs.push_back({"header", header->effect.TextColor(), middle(header->itemImage)});
    if (auto* status = dynamic_cast<StatusBarSkin*>(object("StatusBar")))
        pairs.push_back({"status bar", status->font.color, middle(status->itemImage)});
    if (auto* rebar = dynamic_cast<ReBarSkin*>(object("ReBar")))
        pairs.push_back({"rebar band", MenuTextColor(rebar->bandBlock), middle(rebar->bandImage)});

    for (const Pair& pair : pairs) {
        ASSERT_NE(pair.ground, CLR_INVALID) << pair.what;
        EXPECT_GE(Contrast(pair.text, pair.ground), 4.5)
            << pair.what << ": text " << Hex(pair.text) << " on " << Hex(pair.ground);
    }
}

TEST_F(FullSkin, TheBuildIsRepeatable) {
    EXPECT_EQ(full_skin::Build().ContainerBytes(), BuiltFullSkin());
}

// Damaged copies of the full skin: every load ends, reports success or a status, and leaves
// no partial skin on failure.
TEST_F(FullSkin, SurvivesTruncationAndFlippedBytes) {
    SkinFileWriter objectsOnly;
    full_skin::AddObjects(objectsOnly);
    lvtest::ExpectSkinSurvivesDamage(BuiltFullSkin(), objectsOnly.FileBytes(), "Title");
}

} // namespace
