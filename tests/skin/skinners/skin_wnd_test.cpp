// The skinned window base: control types from class and style, subclassing that survives
// any order of leaving, and the frame region's conditions.
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_messages.h"
#include "skin/skinners/skin_wnd.h"
#include "tests/support/frame_test_skin.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<UINT> g_seen;
std::vector<UINT> g_laterSeen;
WNDPROC g_laterSaved = nullptr;

LRESULT CALLBACK BaseProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_seen.push_back(message);
    if (message == WM_APP)
        return 5;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK LaterSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    g_laterSeen.push_back(message);
    return CallWindowProcA(g_laterSaved, hwnd, message, wParam, lParam);
}

const char* ClassNamed(const char* name) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = BaseProc;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return name;
}

HWND Window(const char* className, DWORD style, HWND parent = nullptr) {
    return CreateWindowExA(0, className, "", style, 0, 0, 100, 50, parent, nullptr, nullptr,
                           nullptr);
}

class CountingSkinner : public SkinWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP)
            ++seen;
        return SkinWnd::WindowProc(message, wParam, lParam);
    }
    int seen = 0;
};

class SkinWindowBase : public ::testing::Test {
protected:
    void TearDown() override {
        SkinManager::Instance().RemoveAll();
        for (HWND w : windows)
            DestroyWindow(w);
    }
    HWND Keep(HWND hwnd) { return windows.emplace_back(hwnd); }
    CountingSkinner* Skin(HWND hwnd) {
        auto* skinner = static_cast<CountingSkinner*>(
            SkinManager::Instance().Register(std::make_unique<CountingSkinner>(), hwnd));
        skinner->Attach(hwnd);
        return skinner;
    }
    std::vector<HWND> windows;
};

TEST_F(SkinWindowBase, ButtonsAreToldApartByTheirWholeStyle) {
    HWND parent = Keep(Window(ClassNamed("TypeParent"), WS_POPUP));
    const std::pair<DWORD, std::uint32_t> cases[] = {
        {BS_PUSHBUTTON, 4},       {BS_DEFPUSHBUTTON, 4},
        {BS_CHECKBOX, 5},         {BS_AUTOCHECKBOX, 5},
        {BS_RADIOBUTTON, 11},     {BS_3STATE, 5},
        {BS_AUTO3STATE, 5},       {BS_GROUPBOX, 8},
        {BS_AUTORADIOBUTTON, 11}, {0xA, 5},
        {BS_OWNERDRAW, 5},
    };
    for (const auto& [style, type] : cases) {
        HWND button = Window("Button", WS_CHILD | style, parent);
        EXPECT_EQ(SkinWnd::GetControlType(button), type) << style;
        DestroyWindow(button);
    }
    HWND text = Window("Static", WS_CHILD, parent);
    EXPECT_EQ(SkinWnd::GetControlType(text), 14u);
    HWND other = Window(ClassNamed("TypeOther"), WS_CHILD, parent);
    EXPECT_EQ(SkinWnd::GetControlType(other), 0u);
}

TEST_F(SkinWindowBase, OnlyASimpleComboBoxsListIsAListBox) {
    const char* list = ClassNamed("ComboLBox");
    const std::pair<DWORD, std::uint32_t> cases[] = {
        {CBS_SIMPLE, 9}, {CBS_DROPDOWN, 0}, {CBS_DROPDOWNLIST, 0}};
    for (const auto& [comboStyle, type] : cases) {
        HWND combo = Keep(Window(ClassNamed("ComboParent"), WS_POPUP | comboStyle));
        EXPECT_EQ(SkinWnd::GetControlType(Window(list, WS_CHILD, combo)), type) << comboStyle;
    }
}

TEST_F(SkinWindowBase, AttachingRoutesThroughTheSkinnerAndDetachingGivesTheProcedureBack) {
    HWND hwnd = Keep(Window(ClassNamed("AttachProbe"), WS_POPUP));
    CountingSkinner* skinner = Skin(hwnd);
    EXPECT_EQ(GetPropA(hwnd, SkinWnd::kObjectProperty), skinner);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&SkinWnd::SkinWndProc));
    EXPECT_EQ(skinner->GetSavedProc(), &BaseProc);
    EXPECT_EQ(SendMessageA(hwnd, WM_APP, 0, 0), 5);
    EXPECT_EQ(skinner->seen, 1);
    EXPECT_EQ(SkinManager::Instance().Remove(hwnd), 1);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&BaseProc));
    EXPECT_EQ(GetPropA(hwnd, SkinWnd::kObjectProperty), nullptr);
}

// The class library subclasses controls after the skinner: when the skinner leaves first,
// its procedure stays in the chain and passes everything on; a new skinner takes its place.
TEST_F(SkinWindowBase, LeavingUnderALaterSubclassKeepsTheChainWhole) {
    HWND hwnd = Keep(Window(ClassNamed("BuriedProbe"), WS_POPUP));
    Skin(hwnd);
    g_laterSeen.clear();
    g_laterSaved = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclass)));
    ASSERT_EQ(SkinManager::Instance().Remove(hwnd), 1);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LaterSubclass));
    EXPECT_EQ(SendMessageA(hwnd, WM_APP, 0, 0), 5);
    EXPECT_EQ(g_laterSeen.back(), static_cast<UINT>(WM_APP));

    CountingSkinner* again = Skin(hwnd);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LaterSubclass));
    EXPECT_EQ(SendMessageA(hwnd, WM_APP, 0, 0), 5);
    EXPECT_EQ(again->seen, 1);

    // The later procedure leaves in turn; then the skinner, on top again, restores plainly.
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_laterSaved));
    EXPECT_EQ(SendMessageA(hwnd, WM_APP, 0, 0), 5);
    EXPECT_EQ(again->seen, 2);
    ASSERT_EQ(SkinManager::Instance().Remove(hwnd), 1);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&BaseProc));
    EXPECT_EQ(SendMessageA(hwnd, WM_APP, 0, 0), 5);
}

TEST_F(SkinWindowBase, AWindowBeingDestroyedIsNotRepositionedOnTheWayOut) {
    HWND removed = Keep(Window(ClassNamed("LeaveProbe"), WS_POPUP));
    Skin(removed);
    g_seen.clear();
    SkinManager::Instance().Remove(removed);
    EXPECT_NE(std::find(g_seen.begin(), g_seen.end(), WM_WINDOWPOSCHANGING), g_seen.end());

    HWND destroyed = Window("LeaveProbe", WS_POPUP);
    Skin(destroyed);
    g_seen.clear();
    DestroyWindow(destroyed);
    EXPECT_EQ(std::find(g_seen.begin(), g_seen.end(), WM_WINDOWPOSCHANGING), g_seen.end());
    // The window's own procedure still had the last word.
    ASSERT_FALSE(g_seen.empty());
    EXPECT_EQ(g_seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(SkinManager::Instance().Find(destroyed), nullptr);
}

TEST_F(SkinWindowBase, WithoutTransparencyThereIsNoRegion) {
    for (bool transparent : {false, true}) {
        lvtest::FrameSkinOptions options;
        options.transparent = transparent;
        ASSERT_EQ(SkinManager::Instance().SetSkin(lvtest::LoadFrameTestSkin(options)), 1);
        CountingSkinner skinner;
        skinner.ApplySkin(SkinManager::Instance().GetSkin()->FindElement("Dialog"));
        HRGN region = skinner.BuildRegion();
        EXPECT_EQ(region != nullptr, transparent);
        if (region) {
            EXPECT_FALSE(PtInRegion(region, 1, 1));
            EXPECT_TRUE(PtInRegion(region, 5, 5));
            DeleteObject(region);
        }
    }
    // No skin-information object at all.
    ASSERT_EQ(SkinManager::Instance().SetSkin(std::make_unique<SkinData>()), 1);
    CountingSkinner bare;
    EXPECT_EQ(bare.BuildRegion(), nullptr);
    EXPECT_FALSE(bare.IsTransparent());
    EXPECT_EQ(bare.KeyColor(), 0xFF00FFu);
}

TEST_F(SkinWindowBase, ChildDestroyedAndMenuKeysComeThroughTheBase) {
    HWND hwnd = Keep(Window(ClassNamed("PrivateProbe"), WS_POPUP));
    Skin(hwnd);
    g_seen.clear();
    EXPECT_EQ(SendMessageA(hwnd, GWM_CHILDDESTROYED, 0, 0), 0);
    EXPECT_EQ(SendMessageA(hwnd, GWM_MENUKEY, VK_F10, 0), 0);
    EXPECT_TRUE(g_seen.empty());
}

} // namespace
