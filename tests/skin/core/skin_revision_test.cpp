#include "tests/support/skin_builder.h"

#include "skin/core/bordered_control_skin.h"
#include "skin/core/button_skin.h"
#include "skin/core/caption_button_skin.h"
#include "skin/core/check_box_skin.h"
#include "skin/core/combo_box_skin.h"
#include "skin/core/font_element_skin.h"
#include "skin/core/frame_skin.h"
#include "skin/core/group_box_skin.h"
#include "skin/core/popup_menu_skin.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_info.h"
#include "skin/core/skin_object_factory.h"
#include "skin/core/skin_system_colors.h"
#include "skin/core/slider_skin.h"
#include "skin/core/static_skin.h"
#include "skin/core/tab_skin.h"
#include "skin/core/tool_bar_skin.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Fields read from the hand-built records hold bytes of 0x01.
constexpr std::uint32_t kFromFile = 0x01010101;
constexpr COLORREF kFileTextColor = RGB(1, 1, 1);

bool IsEmpty(const SkinImageRef& ref) {
    return ref.imageName[0] == 0 && ref.drawMode == 0;
}
bool IsEmpty(const SkinNineGridRef& ref) {
    return ref.imageName[0] == 0 && ref.gridMode == 0;
}
bool IsDefaultEffect(const SkinTextEffect& e) {
    return e.flags == SkinTextEffect::kDefaultFlags && e.afterTextColor == 0xFF && e.offsets == 0;
}
bool IsDefaultRect(const RECT& r) {
    return r.left == 0 && r.top == 0 && r.right == 60 && r.bottom == 30;
}

using Writer = std::function<void(lv::ByteWriter&, int minor)>;
using Check = std::function<void(SkinObject&)>;

Writer Fill(std::size_t count) {
    return [count](lv::ByteWriter& w, int) { lvtest::WriteFill(w, count); };
}

// A frame record: the nine-part part, the embedded element with its own base record, and
// `tail` more bytes.
Writer FrameRecord(std::size_t ninePart, std::size_t element, std::size_t tail) {
    return [=](lv::ByteWriter& w, int minor) {
        lvtest::WriteFill(w, ninePart);
        w.u32(20);
        lvtest::WriteBaseRecord(w, "Font", minor);
        lvtest::WriteFill(w, element);
        lvtest::WriteFill(w, tail);
    };
}

struct RevisionCase {
    const char* what;
    std::uint32_t type;
    int minor;
    Writer record;
    std::size_t ownBytes;
    Check check;
};

template <typename T> T& As(SkinObject& o) {
    return dynamic_cast<T&>(o);
}

// Sizes of the parts that older revisions store.
constexpr std::size_t kNinePartBelow3 = 18 * 72 + 9 * 16 + 64 + 8 + 12;
constexpr std::size_t kElementAt2 = 72 + 16 + 8 + 312 + 12 * 72;

const RevisionCase kCases[] = {
    {"base record before 1.8", 19, 7, Fill(0), 0,
     [](SkinObject& o) {
         EXPECT_TRUE(IsDefaultRect(o.rect));
         EXPECT_EQ(o.autoPlace, 0u);
     }},
    {"control part at 1.3", 24, 3, Fill(152), 152,
     [](SkinObject& o) {
         auto& c = As<ControlSkin>(o);
         EXPECT_EQ(c.font.font.lfHeight, static_cast<LONG>(kFromFile));
         EXPECT_EQ(c.controlId, 0u);
         EXPECT_EQ(c.optionValue, 0u);
         EXPECT_EQ(c.autoSkinFont, 0u);
     }},
    {"control part at 1.5 carries a rectangle", 24, 5, Fill(168), 168,
     [](SkinObject& o) {
         EXPECT_TRUE(IsDefaultRect(o.rect));
         EXPECT_EQ(As<ControlSkin>(o).controlId, 0u);
     }},
    {"control id is forced to 0 at 1.6", 24, 6, Fill(172), 172,
     [](SkinObject& o) { EXPECT_EQ(As<ControlSkin>(o).controlId, 0u); }},
    {"control id at 1.7", 24, 7, Fill(172), 172,
     [](SkinObject& o) {
         EXPECT_EQ(As<ControlSkin>(o).controlId, kFromFile);
         EXPECT_EQ(As<ControlSkin>(o).optionValue, 0u);
         EXPECT_TRUE(IsDefaultRect(o.rect));
     }},
    {"option value from 1.8, no rectangle", 24, 8, Fill(160), 160,
     [](SkinObject& o) {
         EXPECT_EQ(o.rect.left, 1);
         EXPECT_EQ(o.rect.bottom, 4);
         EXPECT_EQ(As<ControlSkin>(o).optionValue, kFromFile);
         EXPECT_EQ(As<ControlSkin>(o).autoSkinFont, 0u);
     }},
    {"auto skin font from 1.10", 24, 10, Fill(164), 164,
     [](SkinObject& o) { EXPECT_EQ(As<ControlSkin>(o).autoSkinFont, kFromFile); }},
    {"button at 1.6: base record only, font and old value later", 4, 6,
     Fill(720 + 50 + 4 + 64 + 4 + 4), 846,
     [](SkinObject& o) {
         auto& b = As<ButtonSkin>(o);
         EXPECT_EQ(b.oldFormatValue, kFromFile);
         EXPECT_EQ(b.font.color, kFromFile);
         EXPECT_EQ(b.controlId, 0u);
         for (const auto& state : b.states) {
             EXPECT_EQ(state.effect.flags, SkinTextEffect::kDefaultFlags);
             EXPECT_EQ(state.effect.TextColor(), kFileTextColor);
         }
     }},
    {"button at 1.7: control part first, no old value", 4, 7, Fill(172 + 720 + 58), 950,
     [](SkinObject& o) {
         auto& b = As<ButtonSkin>(o);
         EXPECT_EQ(b.oldFormatValue, ButtonSkin::kOldFormatDefault);
         EXPECT_EQ(b.controlId, kFromFile);
         EXPECT_EQ(b.states[ButtonSkin::Disabled].effect.TextColor(), kFileTextColor);
         EXPECT_EQ(b.states[ButtonSkin::Disabled].effect.flags, SkinTextEffect::kDefaultFlags);
     }},
    {"button at 1.9 keeps its text effects", 4, 9, Fill(160 + 720 + 58), 938,
     [](SkinObject& o) { EXPECT_EQ(As<ButtonSkin>(o).states[0].effect.flags, kFromFile); }},
    {"check box at 1.8: default effects, not transparent", 5, 8, Fill(160 + 7 * 192 + 54), 1558,
     [](SkinObject& o) {
         auto& c = As<CheckBoxSkin>(o);
         EXPECT_EQ(c.transparent, 0u);
         EXPECT_TRUE(IsDefaultEffect(c.states[6].effect));
         EXPECT_EQ(c.states[6].effect.TextColor(), SkinSystemColor(SkinSysColor::BtnText));
         EXPECT_EQ(c.states[6].box.drawMode, kFromFile);
     }},
    {"radio at 1.9 has the check box layout", 11, 9, Fill(160 + 7 * 192 + 54), 1558,
     [](SkinObject& o) {
         EXPECT_EQ(As<CheckBoxSkin>(o).transparent, kFromFile);
         EXPECT_EQ(As<CheckBoxSkin>(o).states[0].effect.flags, kFromFile);
     }},
    {"combo box at 1.10 takes its colours from the system", 6, 10, Fill(164 + 368), 532,
     [](SkinObject& o) {
         EXPECT_EQ(o.color1, SkinSystemColor(SkinSysColor::Window));
         EXPECT_EQ(o.color2, SkinSystemColor(SkinSysColor::WindowText));
         EXPECT_EQ(As<ComboBoxSkin>(o).focusColor, kFromFile);
     }},
    {"combo box at 1.11 keeps the file's colours", 6, 11, Fill(164 + 368), 532,
     [](SkinObject& o) { EXPECT_EQ(o.color1, 0x010203u); }},
    {"edit at 1.10 takes its colours from the system", 7, 10, Fill(164 + 72), 236,
     [](SkinObject& o) {
         EXPECT_EQ(o.color1, SkinSystemColor(SkinSysColor::Window));
         EXPECT_EQ(o.color2, SkinSystemColor(SkinSysColor::WindowText));
         EXPECT_EQ(o.color3, SkinSystemColor(SkinSysColor::BtnFace));
     }},
    {"rich edit at 1.11 keeps the file's colours", 30, 11, Fill(164 + 72), 236,
     [](SkinObject& o) {
         EXPECT_EQ(o.color1, 0x010203u);
         EXPECT_EQ(o.color3, 0x070809u);
         EXPECT_EQ(o.GetType(), 30u);
     }},
    {"group box at 1.8", 8, 8, Fill(160 + 112), 272,
     [](SkinObject& o) {
         EXPECT_EQ(As<GroupBoxSkin>(o).transparent, 0u);
         EXPECT_TRUE(IsDefaultEffect(As<GroupBoxSkin>(o).effect));
         EXPECT_EQ(As<GroupBoxSkin>(o).captionColor, kFromFile);
     }},
    {"slider at 1.8 ends after its channel", 13, 8, Fill(160 + 196), 356,
     [](SkinObject& o) {
         EXPECT_EQ(As<SliderSkin>(o).transparent, 0u);
         EXPECT_TRUE(IsEmpty(As<SliderSkin>(o).verticalThumb));
         EXPECT_EQ(As<SliderSkin>(o).channel.gridMode, kFromFile);
     }},
    {"slider at 1.9 adds transparency and the vertical thumb", 13, 9, Fill(160 + 288), 448,
     [](SkinObject& o) { EXPECT_EQ(As<SliderSkin>(o).verticalThumb.gridMode, kFromFile); }},
    {"static at 1.8 colours its effect from the font", 14, 8, Fill(160 + 71), 231,
     [](SkinObject& o) {
         auto& s = As<StaticSkin>(o);
         EXPECT_EQ(s.effect.flags, SkinTextEffect::kDefaultFlags);
         EXPECT_EQ(s.effect.TextColor(), kFileTextColor);
         EXPECT_EQ(s.transparent, kFromFile);
     }},
    {"tab at 1.8 has no transparent value", 16, 8, Fill(160 + 568), 728,
     [](SkinObject& o) { EXPECT_EQ(As<TabSkin>(o).transparent, 0u); }},
    {"frame at 1.2: no text effect, element without nine-grid 3", 1, 2,
     FrameRecord(kNinePartBelow3, kElementAt2, 0), kNinePartBelow3 + 4 + 122 + kElementAt2,
     [](SkinObject& o) {
         auto& f = As<FrameSkin>(o);
         EXPECT_TRUE(IsDefaultEffect(f.effect));
         EXPECT_EQ(f.fontElement.rect.left, static_cast<LONG>(kFromFile));
         EXPECT_EQ(f.fontElement.stateImages[11].drawMode, kFromFile);
         EXPECT_TRUE(IsEmpty(f.fontElement.nineGrid3));
         EXPECT_EQ(f.fontElement.visibilityRule, 0u);
         EXPECT_EQ(f.skinClient, 0u);
     }},
    {"frame at 1.5 reads its effect and keeps the default", 1, 5,
     FrameRecord(kNinePartBelow3 + 16, kElementAt2 + 88, 0),
     kNinePartBelow3 + 16 + 4 + 122 + kElementAt2 + 88,
     [](SkinObject& o) {
         auto& f = As<FrameSkin>(o);
         EXPECT_TRUE(IsDefaultEffect(f.effect));
         EXPECT_EQ(f.fontElement.nineGrid3.gridMode, kFromFile);
         EXPECT_EQ(f.skinClient, 0u);
         EXPECT_TRUE(IsEmpty(f.mdiClientImage));
     }},
    {"frame at 1.6 adds the client fields", 1, 6,
     FrameRecord(kNinePartBelow3 + 16, kElementAt2 + 88, 76),
     kNinePartBelow3 + 16 + 4 + 122 + kElementAt2 + 88 + 76,
     [](SkinObject& o) { EXPECT_EQ(As<FrameSkin>(o).skinClient, kFromFile); }},
    {"popup menu at 1.2 ends after the submenu arrow", 17, 2,
     Fill(kNinePartBelow3 + 48 + 8 + 176 + 72), kNinePartBelow3 + 304,
     [](SkinObject& o) {
         auto& m = As<PopupMenuSkin>(o);
         EXPECT_TRUE(IsEmpty(m.checkImage));
         EXPECT_EQ(m.submenuImage.drawMode, kFromFile);
         EXPECT_TRUE(IsDefaultEffect(m.effect));
     }},
    {"popup menu at 1.3 has its check image", 17, 3,
     Fill(kNinePartBelow3 + 16 + 48 + 8 + 176 + 144), kNinePartBelow3 + 392,
     [](SkinObject& o) { EXPECT_EQ(As<PopupMenuSkin>(o).checkImage.drawMode, kFromFile); }},
    {"caption button at 1.10 has no visibility rule", 3, 10, Fill(72 + 8 + 216 + 8), 304,
     [](SkinObject& o) {
         auto& b = As<CaptionButtonSkin>(o);
         EXPECT_EQ(b.visibilityRule, 0u);
         EXPECT_EQ(TextOf(b.secondText), "");
         EXPECT_EQ(b.toggle, kFromFile);
     }},
    {"caption button at 1.7 carries its rectangle after the image", 3, 7,
     Fill(72 + 16 + 8 + 216 + 8), 320,
     [](SkinObject& o) {
         EXPECT_EQ(o.rect.left, static_cast<LONG>(kFromFile));
         EXPECT_EQ(o.rect.bottom, static_cast<LONG>(kFromFile));
     }},
    {"skin information at 1.3 ends after the transparency switch", 25, 3, Fill(157), 157,
     [](SkinObject& o) {
         auto& i = As<SkinInfo>(o);
         EXPECT_EQ(i.useTransparentColor, kFromFile);
         EXPECT_EQ(TextOf(i.email), TextOf(SkinInfo().email));
         EXPECT_EQ(TextOf(i.homePage), TextOf(SkinInfo().homePage));
     }},
    {"skin information at 1.4", 25, 4, Fill(259), 259,
     [](SkinObject& o) { EXPECT_EQ(TextOf(As<SkinInfo>(o).email), std::string(50, '\x01')); }},
    {"font element at 1.1 has no state images", 20, 1, Fill(72 + 16 + 8 + 312), 408,
     [](SkinObject& o) {
         auto& e = As<FontElementSkin>(o);
         EXPECT_TRUE(IsEmpty(e.stateImages[0]));
         EXPECT_TRUE(IsEmpty(e.nineGrid3));
         EXPECT_EQ(e.nineGrid2.gridMode, kFromFile);
     }},
};

std::unique_ptr<SkinObject> Make(std::uint32_t type) {
    if (type == FontElementSkin::kTypeId)
        return std::make_unique<FontElementSkin>();
    if (type == NamedSkinEntry::kTypeId)
        return std::make_unique<NamedSkinEntry>();
    if (auto object = CreateSkinObject(type, SkinObjectPlace::TopLevel))
        return object;
    return CreateSkinObject(type, SkinObjectPlace::Child);
}

TEST(SkinRevisions, OlderRecordsTakeTheirFieldsAndLeaveTheRestAtDefaults) {
    for (const RevisionCase& c : kCases) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint8_t> bytes;
        lv::ByteWriter w(bytes);
        lvtest::WriteBaseRecord(w, "Old", c.minor);
        c.record(w, c.minor);
        lvtest::WriteFill(w, 64, 0xEE);

        std::unique_ptr<SkinObject> object = Make(c.type);
        ASSERT_NE(object, nullptr);
        SkinFormatVersion.minor = static_cast<std::uint8_t>(c.minor);
        auto stream = lvtest::StreamOf(bytes);
        object->Read(*stream);
        EXPECT_EQ(stream->Position(), lvtest::BaseRecordSize(c.minor) + c.ownBytes);
        EXPECT_EQ(object->GetName(), "Old");
        c.check(*object);
    }
    SkinFormatVersion.Reset();
}

TEST(SkinRevisions, AShortRecordLeavesTheFieldsItLacksAtTheirDefaults) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter w(bytes);
    lvtest::WriteBaseRecord(w, "Cut", 11);
    lvtest::WriteFill(w, 64 + 88 + 2);
    SkinFormatVersion.Reset();
    ComboBoxSkin combo;
    auto stream = lvtest::StreamOf(bytes);
    combo.Read(*stream);
    EXPECT_EQ(stream->Position(), stream->Length());
    EXPECT_EQ(combo.background.gridMode, kFromFile);
    EXPECT_EQ(combo.controlId, 0u);
    EXPECT_EQ(combo.focusColor, SkinSystemColor(SkinSysColor::Highlight));
}

} // namespace
