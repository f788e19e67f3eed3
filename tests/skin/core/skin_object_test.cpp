#include "tests/support/skin_builder.h"

#include "skin/core/caption_button_skin.h"
#include "skin/core/check_box_skin.h"
#include "skin/core/custom_skin_object.h"
#include "skin/core/frame_skin.h"
#include "skin/core/popup_menu_skin.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_info.h"
#include "skin/core/skin_object_factory.h"
#include "skin/core/skin_record_io.h"

#include <gtest/gtest.h>

namespace {

class SkinObjects : public ::testing::Test {
protected:
    void TearDown() override { SkinFormatVersion.Reset(); }

    // Reads `bytes` into `object` as revision `minor`; returns the bytes consumed.
    static std::uint32_t ReadAs(SkinObject& object, const std::vector<std::uint8_t>& bytes,
                                int minor) {
        SkinFormatVersion.minor = static_cast<std::uint8_t>(minor);
        auto stream = lvtest::StreamOf(bytes);
        object.Read(*stream);
        return stream->Position();
    }
};

TEST_F(SkinObjects, ARevisionSevenBaseRecordHasNoRectangle) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter w(bytes);
    lvtest::WriteBaseRecord(w, "Old", 7);
    lvtest::WriteFill(w, 20);
    NamedSkinEntry entry;
    EXPECT_EQ(ReadAs(entry, bytes, 7), lvtest::BaseRecordSize(7));
    EXPECT_EQ(entry.GetName(), "Old");
    EXPECT_EQ(entry.rect.right, 60);
    EXPECT_EQ(entry.rect.bottom, 30);
    EXPECT_EQ(entry.autoPlace, 0u);
    EXPECT_EQ(entry.value, 7u);

    NamedSkinEntry newer;
    EXPECT_EQ(ReadAs(newer, bytes, 8), lvtest::BaseRecordSize(8));
    EXPECT_EQ(newer.rect.right, 0x01010101);
}

void CaptionButtonRecord(lv::ByteWriter& w, const std::string& name, std::uint32_t kind) {
    w.u32(3);
    lvtest::WriteBaseRecord(w, name, 11);
    lvtest::WriteFill(w, 72, 0);
    w.u32(0);
    w.u32(1000);
    w.u32(0);
    w.text("", 51);
    lvtest::WriteFill(w, 3 * 72, 0);
    w.u32(kind);
    w.u32(0);
}

TEST_F(SkinObjects, ChildrenKeepTheFirstOfANameAndSkipUnacceptedTypes) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter w(bytes);
    lvtest::WriteBaseRecord(w, "Parent", 11, 6);
    CaptionButtonRecord(w, "Twin", 1);
    w.u32(1); // frames, type 2 and type 39 are not children: 4 bytes each
    w.u32(2);
    w.u32(39);
    CaptionButtonRecord(w, "Twin", 5);
    w.u32(25);
    lvtest::WriteBaseRecord(w, "Info", 11);
    lvtest::WriteFill(w, 3 * 51 + 4 + 2 * 51, 0);
    const std::size_t end = bytes.size();
    lvtest::WriteFill(w, 16, 0xEE);

    NamedSkinEntry parent;
    EXPECT_EQ(ReadAs(parent, bytes, 11), end);
    ASSERT_EQ(parent.Children().size(), 2u);
    auto* twin = dynamic_cast<CaptionButtonSkin*>(parent.FindChild("Twin"));
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->buttonKind, 1u);
    ASSERT_NE(parent.FindChild("Info"), nullptr);
    EXPECT_EQ(parent.FindChild("Info")->GetType(), 25u);
}

TEST_F(SkinObjects, AcceptedTypeIdsDependOnThePlace) {
    for (std::uint32_t id = 0; id <= 110; ++id) {
        const bool topLevel = id == 1 || id == 2 || (id >= 4 && id <= 17) ||
                              (id >= 23 && id <= 30) || (id >= 36 && id <= 40) || id == 100;
        const bool child = (id >= 3 && id <= 17) || (id >= 23 && id <= 30) ||
                           (id >= 36 && id <= 38) || id == 40 || id == 100;
        EXPECT_EQ(CreateSkinObject(id, SkinObjectPlace::TopLevel) != nullptr, topLevel) << id;
        EXPECT_EQ(CreateSkinObject(id, SkinObjectPlace::Child) != nullptr, child) << id;
        if (auto object = CreateSkinObject(id, SkinObjectPlace::Child)) {
            EXPECT_EQ(object->GetType(), id);
        }
    }
}

TEST_F(SkinObjects, PropertyLookupUpperCasesTheName) {
    SkinInfo info;
    EXPECT_EQ(info.GetPropertyKind("name"), 1u);
    EXPECT_EQ(info.GetPropertyKind("AutoPlace"), 6u);
    EXPECT_EQ(info.GetPropertyKind("usetransparentcolor"), 6u);
    EXPECT_EQ(info.GetPropertyKind("NOSUCH"), 0u);
    const SkinProperty* name = info.FindProperty("NAME");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->Data(), info.name.data());
    EXPECT_EQ(name->Size(), 51u);

    PopupMenuSkin menu;
    EXPECT_NE(menu.FindProperty("FRAME.ClIENT"), nullptr);
    EXPECT_EQ(menu.GetPropertyKind("FRAME.ClIENT"), 0u);
    EXPECT_EQ(menu.GetPropertyKind("frame.toplEFT"), 3u);
    EXPECT_EQ(menu.GetPropertyKind("ITEM.ACTIVEIMAGE"), 4u);

    FrameSkin frame;
    EXPECT_EQ(frame.FindProperty("DEACTIVEFRAME.BOTTOMRIGHT")->Data(), &frame.partImages[17]);
    // The descriptor keeps 29 characters of a long name; the map keeps all of it.
    CheckBoxSkin box;
    const SkinProperty* longName = box.FindProperty("HIGHLIGHTEDSELECTED.BACKGROUNDIMAGE");
    ASSERT_NE(longName, nullptr);
    EXPECT_EQ(longName->Name(), "HIGHLIGHTEDSELECTED.BACKGROUN");
    EXPECT_EQ(longName->Size(), 72u);
}

TEST_F(SkinObjects, FindChildSearchesDepthFirstInNameOrder) {
    FrameSkin frame;
    auto a = std::make_unique<CaptionButtonSkin>();
    a->SetName("A");
    auto deep = std::make_unique<CaptionButtonSkin>();
    deep->SetName("Deep");
    deep->buttonKind = 1;
    a->AddChild(std::move(deep));
    auto b = std::make_unique<CaptionButtonSkin>();
    b->SetName("B");
    auto other = std::make_unique<CaptionButtonSkin>();
    other->SetName("Deep");
    other->buttonKind = 2;
    b->AddChild(std::move(other));
    EXPECT_EQ(frame.AddChild(std::move(b)), 1);
    EXPECT_EQ(frame.AddChild(std::move(a)), 1);
    auto dup = std::make_unique<CaptionButtonSkin>();
    dup->SetName("A");
    EXPECT_EQ(frame.AddChild(std::move(dup)), 0);
    auto* found = dynamic_cast<CaptionButtonSkin*>(frame.FindChild("Deep"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->buttonKind, 1u);
    EXPECT_EQ(frame.FindChild("None"), nullptr);
}

TEST_F(SkinObjects, NestingDeeperThanTheLimitDropsTheRest) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter w(bytes);
    const int levels = SkinRecordReader::kMaxChildDepth + 50;
    for (int i = 0; i < levels; ++i) {
        if (i > 0)
            w.u32(19 + 7); // type 26, a bordered control
        lvtest::WriteBaseRecord(w, "L" + std::to_string(i), 11, 1);
    }
    NamedSkinEntry root;
    EXPECT_EQ(ReadAs(root, bytes, 11), bytes.size());
    int depth = 0;
    for (const SkinObject* o = &root; !o->Children().empty();
         o = o->Children().begin()->second.get())
        ++depth;
    EXPECT_LE(depth, SkinRecordReader::kMaxChildDepth);
}

TEST_F(SkinObjects, TextFieldsAreTerminatedInsideTheirSize) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter w(bytes);
    lvtest::WriteFill(w, 51, 'N');
    w.u32(0);
    w.u32(0);
    w.u32(0);
    lvtest::WriteFill(w, 51, 'T');
    w.u32(0);
    w.i32(0);
    w.i32(0);
    w.i32(0);
    w.i32(0);
    w.u32(0);
    w.u32(0);
    NamedSkinEntry entry;
    ReadAs(entry, bytes, 11);
    EXPECT_EQ(entry.GetName(), std::string(50, 'N'));
    EXPECT_EQ(TextOf(entry.text), std::string(50, 'T'));
}

TEST_F(SkinObjects, CustomEntriesReadTheirDataAndTerminatedText) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter w(bytes);
    lvtest::WriteBaseRecord(w, "Custom", 11);
    lvtest::WriteFill(w, 64 + 88 + 12, 0);
    w.text("note", 51);
    w.u32(2);
    w.u32(2);
    w.text("COLOUR", 31);
    w.text("def", 51);
    w.u32(4);
    w.u32(0x00112233);
    w.u32(3);
    w.bytes("abX", 3);
    w.u32(7);
    w.text("EMPTY", 31);
    w.text("", 51);
    w.u32(0);
    w.u32(0);
    const std::size_t end = bytes.size();

    CustomSkinObject custom;
    EXPECT_EQ(ReadAs(custom, bytes, 11), end);
    ASSERT_EQ(custom.entries.size(), 2u);
    const SkinProperty* colour = custom.FindEntry("colour");
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->Kind(), 2u);
    EXPECT_EQ(colour->Size(), 4u);
    EXPECT_EQ(colour->OwnedText(), "ab");
    EXPECT_EQ(colour->DefaultText(), "def");
    EXPECT_EQ(custom.GetPropertyKind("Empty"), 7u);
    EXPECT_FALSE(custom.FindEntry("EMPTY")->OwnedText().has_value());
    EXPECT_EQ(custom.FindEntry("missing"), nullptr);
}

TEST_F(SkinObjects, CustomEntryCountsAndLengthsStopAtTheEnd) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter w(bytes);
    lvtest::WriteBaseRecord(w, "Custom", 11);
    lvtest::WriteFill(w, 64 + 88 + 12, 0);
    w.text("", 51);
    w.u32(0xFFFFFFFF);
    w.u32(2);
    w.text("BIG", 31);
    w.text("", 51);
    w.u32(0xFFFFFFF0);
    lvtest::WriteFill(w, 10);

    CustomSkinObject custom;
    EXPECT_EQ(ReadAs(custom, bytes, 11), bytes.size());
    ASSERT_EQ(custom.entries.size(), 1u);
    EXPECT_EQ(custom.entries[0]->Size(), 0u);
}

TEST_F(SkinObjects, DefaultsOfTheFrameDesigns) {
    FrameSkin frame;
    RECT bounds = frame.GetBounds();
    EXPECT_EQ(bounds.right, 276);
    EXPECT_EQ(bounds.bottom, 160);
    PopupMenuSkin menu;
    bounds = menu.GetBounds();
    EXPECT_EQ(bounds.right, 278);
    EXPECT_EQ(bounds.bottom, 152);
    EXPECT_EQ(menu.frameColor1, 0xE2B61Du);
    EXPECT_EQ(frame.effect.flags, 0x8004u);
    EXPECT_EQ(frame.effect.afterTextColor, 0xFF);
    EXPECT_EQ(frame.effect.flags & SkinTextEffect::kShadowFlag, 0u);
    EXPECT_STREQ(frame.font.font.lfFaceName, "Arial");
    CaptionButtonSkin button;
    EXPECT_EQ(button.rect.left, 1);
    EXPECT_EQ(button.rect.right, 21);
    EXPECT_EQ(button.commandId, 1000u);
    EXPECT_EQ(button.DefaultKeyColor(), 0xFF00FFu);
}

TEST(SkinTextEffect, PacksColoursAsRedGreenBlueBytes) {
    SkinTextEffect effect;
    effect.SetTextColor(RGB(1, 2, 3));
    effect.SetShadowColor(RGB(4, 5, 6));
    EXPECT_EQ(effect.textColor[0], 1);
    EXPECT_EQ(effect.textColor[2], 3);
    EXPECT_EQ(effect.TextColor(), RGB(1, 2, 3));
    EXPECT_EQ(effect.ShadowColor(), RGB(4, 5, 6));

    MemStream stream;
    effect.offsets = 0xFE02;
    effect.afterTextColor = 0x77;
    effect.flags = 0x8005;
    SkinRecordWriter writer(stream);
    skin_fields::TextEffect(writer, effect, "effect");
    ASSERT_EQ(stream.Length(), 16u);
    const std::uint8_t expected[16] = {0x02, 0xFE, 0, 0, 1,    2,    3, 0x77,
                                       4,    5,    6, 0, 0x05, 0x80, 0, 0};
    EXPECT_EQ(std::vector<std::uint8_t>(stream.Data(), stream.Data() + 16),
              std::vector<std::uint8_t>(expected, expected + 16));
}

} // namespace
