#include "tests/support/skin_builder.h"

#include "skin/core/caption_button_skin.h"
#include "skin/core/frame_skin.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_object_types_2_39.h"
#include "skin/core/tool_bar_skin.h"
#include "tools/skinbuilder/skin_file_writer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using lvtest::LoadContainer;
using lvtest::Pack;
using lvtest::SkinFile;

std::vector<std::uint8_t> LeU32(std::uint32_t v) {
    std::vector<std::uint8_t> out;
    lv::ByteWriter(out).u32(v);
    return out;
}

// A one-object file of that version: a named entry record under type 19 would be skipped,
// so the object is a control bar (type 24: base record and control part).
std::vector<std::uint8_t> OneObjectFile(std::uint8_t major, std::uint8_t minor) {
    SkinFormatVersion.minor = minor;
    SkinFileWriter writer;
    writer.SetRevision(major, minor);
    auto bar = std::make_unique<ControlBarSkin>();
    bar->SetName("Bar");
    writer.AddObject(std::move(bar));
    return writer.FileBytes();
}

class SkinLoader : public ::testing::Test {
protected:
    void TearDown() override { SkinFormatVersion.Reset(); }

    int Load(std::span<const std::uint8_t> container) { return LoadContainer(skin, container); }

    SkinData skin;
};

TEST_F(SkinLoader, UnpackFailuresAreStatusFive) {
    const std::vector<std::uint8_t> file = OneObjectFile(1, 11);
    const std::vector<std::uint8_t> good = Pack(file);
    ASSERT_EQ(Load(good), 1);

    auto withSize = [&](std::uint32_t declared) {
        std::vector<std::uint8_t> c = good;
        auto size = LeU32(declared);
        std::copy(size.begin(), size.end(), c.begin());
        return c;
    };
    std::vector<std::uint8_t> trailing = good;
    trailing.push_back(0);
    const std::vector<std::vector<std::uint8_t>> bad = {
        {},
        {1, 2, 3},
        withSize(0),
        withSize(static_cast<std::uint32_t>(file.size() - 1)),
        withSize(static_cast<std::uint32_t>(file.size() + 1)),
        withSize(0xFFFFFFFF),
        withSize(64u << 20),
        {0x10, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF},
        std::vector<std::uint8_t>(good.begin(), good.end() - 3),
        trailing,
    };
    for (std::size_t i = 0; i < bad.size(); ++i) {
        SkinData fresh;
        EXPECT_EQ(LoadContainer(fresh, bad[i]), 0) << "case " << i;
        EXPECT_EQ(fresh.Status(), SkinLoadStatus::UnpackFailed) << "case " << i;
        EXPECT_TRUE(fresh.Objects().empty());
    }
}

TEST_F(SkinLoader, HeaderChecksGiveStatusSixAndSeven) {
    std::vector<std::uint8_t> header = MakeSkinHeader(1, 11, 0);
    std::vector<std::uint8_t> shortHeader(header.begin(), header.begin() + 187);
    EXPECT_EQ(Load(Pack(shortHeader)), 0);
    EXPECT_EQ(skin.Status(), SkinLoadStatus::HeaderTooShort);

    std::vector<std::uint8_t> badMagic = header;
    badMagic[18] = 'X';
    EXPECT_EQ(Load(Pack(badMagic)), 0);
    EXPECT_EQ(skin.Status(), SkinLoadStatus::BadHeader);

    std::vector<std::uint8_t> major2 = OneObjectFile(2, 11);
    EXPECT_EQ(Load(Pack(major2)), 0);
    EXPECT_EQ(skin.Status(), SkinLoadStatus::BadHeader);
    EXPECT_TRUE(skin.Objects().empty());

    std::vector<std::uint8_t> byte19 = OneObjectFile(1, 11);
    byte19[19] = 'Z';
    EXPECT_EQ(Load(Pack(byte19)), 1);
    EXPECT_EQ(skin.Status(), SkinLoadStatus::Ok);
}

TEST_F(SkinLoader, AFailedLoadEmptiesAnEarlierSkin) {
    ASSERT_EQ(Load(Pack(OneObjectFile(1, 11))), 1);
    ASSERT_EQ(skin.Objects().size(), 1u);
    EXPECT_EQ(Load(std::vector<std::uint8_t>{1, 2}), 0);
    EXPECT_TRUE(skin.Objects().empty());
}

TEST_F(SkinLoader, AnyMinorIsAcceptedAndBecomesTheFormatRevision) {
    for (std::uint8_t minor : {std::uint8_t{0}, std::uint8_t{11}, std::uint8_t{12}}) {
        SkinFormatVersion.Reset();
        ASSERT_EQ(Load(Pack(OneObjectFile(1, minor))), 1) << int{minor};
        EXPECT_EQ(SkinFormatVersion.minor, minor);
        ASSERT_NE(skin.FindElement("Bar"), nullptr) << int{minor};
    }
    skin.Clear();
    EXPECT_EQ(SkinFormatVersion.minor, 11);
    EXPECT_EQ(SkinFormatVersion.major, 1);
}

// Body of top-level entries: type id then record, each a base record of revision 11.
void Entry(lv::ByteWriter& w, std::uint32_t type, const std::string& name) {
    w.u32(type);
    lvtest::WriteBaseRecord(w, name, 11);
}

TEST_F(SkinLoader, UnlistedTypeIdsConsumeOnlyTheirFourBytes) {
    for (std::uint32_t unlisted : {0u, 3u, 18u, 19u, 20u, 21u, 22u, 31u, 35u, 41u, 99u, 101u}) {
        std::vector<std::uint8_t> body;
        lv::ByteWriter w(body);
        w.u32(unlisted);
        Entry(w, 19 + 20, "After"); // type 39: base record and five fields
        w.u32(16);
        w.u32(16);
        w.u32(5);
        w.u32(10);
        lvtest::WriteFill(w, 72, 0);
        w.u32(0);
        w.u32(0);
        ASSERT_EQ(Load(Pack(SkinFile(1, 11, 2, body))), 1);
        EXPECT_EQ(skin.Objects().size(), 1u) << unlisted;
        EXPECT_NE(skin.FindElement("After"), nullptr) << unlisted;
    }
}

TEST_F(SkinLoader, ALaterObjectOfTheSameNameReplacesTheEarlier) {
    std::vector<std::uint8_t> body;
    lv::ByteWriter w(body);
    Entry(w, 39, "Twin");
    w.u32(1);
    w.u32(1);
    w.u32(1);
    w.u32(1);
    lvtest::WriteFill(w, 72, 0);
    Entry(w, 39, "Twin");
    w.u32(2);
    w.u32(2);
    w.u32(2);
    w.u32(2);
    lvtest::WriteFill(w, 72, 0);
    w.u32(0);
    w.u32(0);
    ASSERT_EQ(Load(Pack(SkinFile(1, 11, 2, body))), 1);
    ASSERT_EQ(skin.Objects().size(), 1u);
    auto* twin = dynamic_cast<SkinObjectType39*>(skin.FindElement("Twin"));
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(twin->values[0], 2u);
}

TEST_F(SkinLoader, CountsStopAtTheEndOfTheStream) {
    std::vector<std::uint8_t> body;
    lv::ByteWriter w(body);
    Entry(w, 19 + 20, "Only");
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(Load(Pack(SkinFile(1, 11, 0xFFFFFFFF, body))), 1);
    EXPECT_EQ(skin.Objects().size(), 1u);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));

    std::vector<std::uint8_t> lists;
    lv::ByteWriter l(lists);
    l.u32(0x7FFFFFFF);
    l.u32(18);
    lvtest::WriteBaseRecord(l, "pic", 11);
    ASSERT_EQ(Load(Pack(SkinFile(1, 11, 0, lists))), 1);
    EXPECT_EQ(skin.Images().size(), 1u);
}

TEST_F(SkinLoader, NegativeImageAndEntryCountsMeanNone) {
    std::vector<std::uint8_t> body;
    lv::ByteWriter w(body);
    w.u32(0xFFFFFFFF);
    w.u32(0x80000000);
    lvtest::WriteFill(w, 400);
    ASSERT_EQ(Load(Pack(SkinFile(1, 11, 0, body))), 1);
    EXPECT_TRUE(skin.Images().empty());
    EXPECT_TRUE(skin.NamedEntries().empty());
}

TEST_F(SkinLoader, AnImageLongerThanTheFileIsDropped) {
    std::vector<std::uint8_t> body;
    lv::ByteWriter w(body);
    w.u32(1);
    w.u32(18);
    lvtest::WriteBaseRecord(w, "huge", 11);
    w.u32(0xFFFFFF00);
    w.u32(1);
    lvtest::WriteFill(w, 100);
    ASSERT_EQ(Load(Pack(SkinFile(1, 11, 0, body))), 1);
    SkinImage* image = skin.FindImageEntry("huge");
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->encoded.empty());
}

class SkinFinders : public SkinLoader {
protected:
    void SetUp() override {
        SkinFileWriter writer;
        auto frame = [](const char* name, const char* child, const char* grandchild) {
            auto f = std::make_unique<FrameSkin>();
            f->SetName(name);
            auto c = std::make_unique<CaptionButtonSkin>();
            c->SetName(child);
            auto g = std::make_unique<CaptionButtonSkin>();
            g->SetName(grandchild);
            c->AddChild(std::move(g));
            f->AddChild(std::move(c));
            return f;
        };
        writer.AddObject(frame("MainFrame", "Shared", "DeepInMain"));
        writer.AddObject(frame("Dialog", "Close", "Shared"));
        auto bar = std::make_unique<ToolBarSkin>();
        bar->SetName("Tools");
        writer.AddObject(std::move(bar));
        auto image = std::make_unique<SkinImage>();
        image->SetName("Close");
        writer.AddImage(std::move(image));
        auto picture = std::make_unique<SkinImage>();
        picture->SetName("picture.bmp");
        picture->encoded = {1, 2, 3};
        writer.AddImage(std::move(picture));
        auto entry = std::make_unique<NamedSkinEntry>();
        entry->SetName("picture.bmp");
        writer.AddNamedEntry(std::move(entry));
        auto note = std::make_unique<NamedSkinEntry>();
        note->SetName("Note");
        writer.AddNamedEntry(std::move(note));
        ASSERT_EQ(Load(writer.ContainerBytes()), 1);
    }
};

TEST_F(SkinFinders, FindElementSearchesObjectsChildrenImagesThenEntries) {
    EXPECT_EQ(skin.FindElement(nullptr), nullptr);
    EXPECT_EQ(skin.FindElement("Dialog")->GetType(), 1u);
    // "Dialog" sorts first, so its grandchild "Shared" wins over MainFrame's child.
    SkinObject* shared = skin.FindElement("Shared");
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(skin.FindElement("Dialog")->FindChild("Close")->FindChild("Shared"), shared);
    EXPECT_NE(skin.FindElement("DeepInMain"), nullptr);
    // A child named like an image is found before the image.
    EXPECT_EQ(skin.FindElement("Close")->GetType(), 3u);
    EXPECT_EQ(skin.FindElement("picture.bmp")->GetType(), 18u);
    EXPECT_EQ(skin.FindElement("Note")->GetType(), 19u);
    EXPECT_EQ(skin.FindElement("note"), nullptr);
    EXPECT_EQ(skin.FindElement("Missing"), nullptr);
}

TEST_F(SkinFinders, FindElementByTypeTakesTheFirstInNameOrder) {
    EXPECT_EQ(skin.FindElementByType(1)->GetName(), "Dialog");
    EXPECT_EQ(skin.FindElementByType(24)->GetName(), "Tools");
    EXPECT_EQ(skin.FindElementByType(23)->GetName(), "Tools");
    EXPECT_EQ(skin.FindElementByType(17), nullptr);
    EXPECT_EQ(skin.FindImageEntry("picture.bmp")->encoded.size(), 3u);
    EXPECT_EQ(skin.FindImageEntry("Picture.bmp"), nullptr);
}

} // namespace
