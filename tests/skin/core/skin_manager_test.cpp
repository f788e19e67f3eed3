// The skin manager with skinners of the tests' own: registration, lookup through child
// windows, skin exchange and shut-down.
#include "skin/core/button_skin.h"
#include "skin/core/frame_skin.h"
#include "skin/core/skin_manager.h"
#include "skin/core/static_skin.h"
#include "skin/skinners/skin_wnd.h"
#include "tests/support/frame_test_skin.h"
#include "tests/support/skin_builder.h"
#include "tools/skinbuilder/skin_file_writer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint32_t kButtonType = 4;
constexpr std::uint32_t kStaticType = 14;

// A skinner that counts what happens to it; the window's child buttons and statics get
// skinners of the same kind.
class TestSkinner : public SkinWnd {
public:
    explicit TestSkinner(bool keeps = false, int* deleted = nullptr)
        : m_keeps(keeps), m_deleted(deleted) {}
    ~TestSkinner() override {
        if (m_deleted)
            ++*m_deleted;
    }
    bool KeepsWithoutElement() const override { return m_keeps; }
    std::unique_ptr<SkinWnd> CreateControlSkin(std::uint32_t type) override {
        if (type != kButtonType && type != kStaticType)
            return nullptr;
        return std::make_unique<TestSkinner>(false, m_deleted);
    }
    SkinObject* ApplySkin(SkinObject* object) override {
        ++applied;
        return SkinWnd::ApplySkin(object);
    }
    int applied = 0;

private:
    bool m_keeps;
    int* m_deleted;
};

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND Window(DWORD style, HWND parent = nullptr, const char* className = "ManagerProbe") {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = PlainProc;
        wc.lpszClassName = "ManagerProbe";
        return RegisterClassA(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowExA(0, className, "", style, 0, 0, 100, 100, parent, nullptr, nullptr,
                           nullptr);
}

// A skin with a frame "Dialog", a static "Static", optionally a button "Button"; or, with
// other names, the same types under other names.
std::unique_ptr<SkinData> Skin(bool withButton, const char* prefix = "") {
    SkinFileWriter writer;
    auto frame = std::make_unique<FrameSkin>();
    frame->SetName(std::string(prefix) + "Dialog");
    writer.AddObject(std::move(frame));
    auto text = std::make_unique<StaticSkin>();
    text->SetName(std::string(prefix) + "Static");
    writer.AddObject(std::move(text));
    if (withButton) {
        auto button = std::make_unique<ButtonSkin>();
        button->SetName(std::string(prefix) + "Button");
        writer.AddObject(std::move(button));
    }
    auto skin = std::make_unique<SkinData>();
    EXPECT_EQ(lvtest::LoadContainer(*skin, writer.ContainerBytes()), 1);
    return skin;
}

class Manager : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(manager.SetSkin(Skin(true)), 1); }
    void TearDown() override {
        manager.RemoveAll();
        for (HWND w : windows)
            DestroyWindow(w);
    }
    HWND Top() { return windows.emplace_back(Window(WS_POPUP)); }
    // What the test skinners count their deletions into: it outlives the teardown, which
    // deletes the skinners still registered.
    int deleted = 0;
    // A frame-skinned window with a button and a static child, skinned as the hook would.
    TestSkinner* SkinnedWithChildren(HWND& top, HWND& button, HWND& text, int* counter = nullptr) {
        top = Top();
        button = CreateWindowExA(0, "Button", "b", WS_CHILD | BS_PUSHBUTTON, 0, 0, 10, 10, top,
                                 nullptr, nullptr, nullptr);
        text = CreateWindowExA(0, "Static", "s", WS_CHILD, 0, 20, 10, 10, top, nullptr, nullptr,
                               nullptr);
        auto* skinner = static_cast<TestSkinner*>(
            manager.Register(std::make_unique<TestSkinner>(false, counter), top));
        skinner->ApplySkin(manager.GetSkin()->FindElement("Dialog"));
        skinner->Attach(top);
        return skinner;
    }

    SkinManager& manager = SkinManager::Instance();
    std::vector<HWND> windows;
};

TEST(SkinManagerClasses, EveryTableNameHasItsTypeAndOnlyThose) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"Button", 4},
        {"Static", 14},
        {"RICHEDIT", 30},
        {"RichEdit20A", 0},
        {"Link Window", 41},
        {"AfxControlBar70sd", 24},
        {"msctls_progress32", 10},
        {"button", 0},
        {"#32770", 0},
        {"GroupBox", 8},
        {"SysAnimate32", 40},
        {"ComboLBox", 0},
    };
    for (const auto& [name, type] : cases)
        EXPECT_EQ(SkinManager::Instance().ControlTypeOfClass(name), type) << name;
}

TEST_F(Manager, RegistrationKeepsTheFirstSkinner) {
    HWND top = Top();
    SkinWnd* first = manager.Register(std::make_unique<TestSkinner>(false, &deleted), top);
    EXPECT_EQ(manager.Register(std::make_unique<TestSkinner>(false, &deleted), top), first);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(manager.RegisterChild(std::make_unique<TestSkinner>(false, &deleted), top), 0);
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(manager.Find(top), first);
    EXPECT_EQ(manager.Remove(top), 1);
    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(manager.Remove(top), 0);
    EXPECT_EQ(manager.RegisterChild(std::make_unique<TestSkinner>(), top), 1);
}

TEST_F(Manager, LookupClimbsThroughChildWindowsOnly) {
    HWND top = Top();
    HWND child = Window(WS_CHILD, top);
    HWND grandchild = Window(WS_CHILD, child);
    HWND owned = windows.emplace_back(Window(WS_POPUP, top));
    SkinWnd* skinner = manager.Register(std::make_unique<TestSkinner>(), top);
    EXPECT_EQ(manager.FindForWindow(grandchild), skinner);
    EXPECT_EQ(manager.FindForWindow(top), skinner);
    EXPECT_EQ(manager.FindForWindow(owned), nullptr);
    EXPECT_EQ(manager.FindForWindow(nullptr), nullptr);
    EXPECT_EQ(manager.Find(child), nullptr);
}

TEST_F(Manager, ANewSkinWithTheSameNamesReskinsEveryWindow) {
    HWND top, button, text;
    TestSkinner* skinner = SkinnedWithChildren(top, button, text);
    ASSERT_EQ(skinner->Children().size(), 2u);
    auto* buttonSkinner = static_cast<TestSkinner*>(manager.Find(button));
    ASSERT_NE(buttonSkinner, nullptr);
    const int applied = buttonSkinner->applied;

    ASSERT_EQ(manager.SetSkin(Skin(true)), 1);
    EXPECT_EQ(manager.RegisteredCount(), 3u);
    EXPECT_EQ(skinner->Object(), manager.GetSkin()->FindElement("Dialog"));
    EXPECT_EQ(manager.Find(button), buttonSkinner);
    EXPECT_EQ(buttonSkinner->Object(), manager.GetSkin()->FindElement("Button"));
    EXPECT_GT(buttonSkinner->applied, applied);

    // Other names, same types: each skinner takes the first object of its type.
    ASSERT_EQ(manager.SetSkin(Skin(true, "Other")), 1);
    EXPECT_EQ(skinner->Object(), manager.GetSkin()->FindElement("OtherDialog"));
    EXPECT_EQ(buttonSkinner->Object(), manager.GetSkin()->FindElement("OtherButton"));
    EXPECT_EQ(manager.SetSkin(nullptr), 0);
}

// A control whose type the new skin lacks loses its skinner, and no child map keeps it.
TEST_F(Manager, ASkinnerRemovedByANewSkinLeavesNoChildMapPointingAtIt) {
    HWND top, button, text;
    TestSkinner* skinner = SkinnedWithChildren(top, button, text, &deleted);
    ASSERT_TRUE(skinner->Children().count(button));
    ASSERT_EQ(manager.SetSkin(Skin(false)), 1);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(manager.Find(button), nullptr);
    EXPECT_FALSE(skinner->Children().count(button));
    EXPECT_TRUE(skinner->Children().count(text));
    EXPECT_EQ(GetWindowLongPtrA(button, GWLP_WNDPROC),
              static_cast<LONG_PTR>(GetClassLongPtrA(button, GCLP_WNDPROC)));
    // The window goes on working: its own procedure answers.
    SendMessageA(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("still here"));
    char text_back[20] = {};
    GetWindowTextA(button, text_back, sizeof text_back);
    EXPECT_STREQ(text_back, "still here");
}

TEST_F(Manager, AnEmptySkinKeepsOnlySkinnersThatStayWithoutAnObject) {
    HWND kept = Top();
    HWND dropped = Top();
    for (auto [hwnd, keeps] : {std::pair{kept, true}, std::pair{dropped, false}}) {
        SkinWnd* skinner = manager.Register(std::make_unique<TestSkinner>(keeps, &deleted), hwnd);
        skinner->ApplySkin(manager.GetSkin()->FindElement("Dialog"));
        skinner->Attach(hwnd);
    }
    ASSERT_EQ(manager.SetSkin(std::make_unique<SkinData>()), 1);
    EXPECT_NE(manager.Find(kept), nullptr);
    EXPECT_EQ(manager.Find(dropped), nullptr);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(GetPropA(dropped, SkinWnd::kObjectProperty), nullptr);
    EXPECT_NE(GetPropA(kept, SkinWnd::kObjectProperty), nullptr);
}

TEST_F(Manager, FontsPostedBeforeASkinChangeArriveBeforeTheOldSkinGoes) {
    HWND top, button, text;
    SkinnedWithChildren(top, button, text);
    HFONT font = CreateFontA(-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
    ASSERT_TRUE(PostMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE));
    ASSERT_EQ(manager.SetSkin(Skin(true)), 1);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0)), font);
    MSG left{};
    EXPECT_FALSE(PeekMessageA(&left, nullptr, WM_SETFONT, WM_SETFONT, PM_NOREMOVE));
    SendMessageA(button, WM_SETFONT, 0, FALSE);
    DeleteObject(font);
}

TEST_F(Manager, RemoveAllDetachesEveryWindowAndEmptiesTheSkin) {
    HWND top, button, text;
    SkinnedWithChildren(top, button, text, &deleted);
    manager.RemoveAll();
    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(manager.RegisteredCount(), 0u);
    for (HWND hwnd : {top, button, text}) {
        EXPECT_EQ(GetPropA(hwnd, SkinWnd::kObjectProperty), nullptr);
        EXPECT_NE(GetWindowLongPtrA(hwnd, GWLP_WNDPROC),
                  reinterpret_cast<LONG_PTR>(&SkinWnd::SkinWndProc));
    }
    ASSERT_NE(manager.GetSkin(), nullptr);
    EXPECT_TRUE(manager.GetSkin()->Objects().empty());
}

TEST_F(Manager, ADestroyedWindowTakesItsSkinnerAlong) {
    HWND top, button, text;
    TestSkinner* skinner = SkinnedWithChildren(top, button, text, &deleted);
    DestroyWindow(button);
    EXPECT_EQ(deleted, 1);
    EXPECT_FALSE(skinner->Children().count(button));
    DestroyWindow(top);
    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(manager.RegisteredCount(), 0u);
}

// A frame skinner only with a frame object: the named one, or without a name the first frame
// object in name order.
TEST_F(Manager, SkinWindowTakesOnlyFrameObjects) {
    SkinFileWriter writer;
    for (const char* name : {"Zeta", "Alpha"}) {
        auto frame = std::make_unique<FrameSkin>();
        frame->SetName(name);
        writer.AddObject(std::move(frame));
    }
    auto text = std::make_unique<StaticSkin>();
    text->SetName("Static");
    writer.AddObject(std::move(text));
    auto skin = std::make_unique<SkinData>();
    ASSERT_EQ(lvtest::LoadContainer(*skin, writer.ContainerBytes()), 1);
    ASSERT_EQ(manager.SetSkin(std::move(skin)), 1);

    const struct {
        const char* name;
        const char* chosen; // null: refused
    } cases[] = {{"Static", nullptr}, {"Nothing", nullptr}, {nullptr, "Alpha"}, {"Zeta", "Zeta"}};
    for (const auto& c : cases) {
        HWND hwnd = Window(WS_OVERLAPPEDWINDOW);
        windows.push_back(hwnd);
        const int result = manager.SkinWindow(hwnd, c.name);
        EXPECT_EQ(result, c.chosen ? 1 : 0) << (c.name ? c.name : "(null)");
        SkinWnd* skinner = manager.Find(hwnd);
        if (!c.chosen) {
            EXPECT_EQ(skinner, nullptr);
            EXPECT_EQ(GetPropA(hwnd, SkinWnd::kObjectProperty), nullptr);
            continue;
        }
        ASSERT_NE(skinner, nullptr);
        ASSERT_NE(skinner->Object(), nullptr);
        EXPECT_EQ(skinner->Object()->GetName(), c.chosen);
        EXPECT_EQ(manager.SkinWindow(hwnd, c.name), 0) << "registered already";
    }
}

TEST_F(Manager, ObjectsByControlId) {
    SkinFileWriter writer;
    for (std::uint32_t id : {7u, 8u}) {
        auto text = std::make_unique<StaticSkin>();
        text->SetName("Static" + std::to_string(id));
        text->controlId = id;
        writer.AddObject(std::move(text));
    }
    auto skin = std::make_unique<SkinData>();
    ASSERT_EQ(lvtest::LoadContainer(*skin, writer.ContainerBytes()), 1);
    ASSERT_EQ(manager.SetSkin(std::move(skin)), 1);
    EXPECT_EQ(manager.FindObjectByControlId(8, kStaticType),
              manager.GetSkin()->FindElement("Static8"));
    EXPECT_EQ(manager.FindObjectByControlId(9, kStaticType), nullptr);
    EXPECT_EQ(manager.FindObjectByControlId(7, kButtonType), nullptr);
}

} // namespace
