// The toolbar skinner: each button on the image of its state (the hot one as the pointer moves
// over it, the pressed one at once as it goes down), separators left to the background, the
// drop-down arrow, greyed icons, and button texts read whole however long.
#include "skin/skinners/skin_tool_bar_wnd.h"
#include "testing/window_input.h"
#include "tests/platform/controls/item_pixels.h"
#include "tests/skin/item_skinners/item_skinners_fixture.h"
#include "tools/skinbuilder/full_skin.h"
#include "tools/skinbuilder/full_skin_layout.h"
#include "win32/toolbar.h"

#include <string>

namespace {

using namespace lvtest;
using namespace full_skin::layout;
using full_skin::kItemsImage;
namespace input = lv::testing;

constexpr COLORREF kRed = RGB(220, 20, 20);
constexpr COLORREF kGreen = RGB(20, 200, 20);
constexpr COLORREF kBlue = RGB(20, 20, 220);

enum Command { kOpen = 100, kSave = 101, kOff = 102, kOn = 103, kMore = 104 };
enum Index { kOpenIndex, kSaveIndex, kSeparatorIndex, kOffIndex, kOnIndex, kMoreIndex };

class ToolBarSkinner : public ItemDialog {
protected:
    void SetUp() override {
        ItemDialog::SetUp();
        images = ctltest::solid_images({kRed, kGreen, kBlue});
    }
    void TearDown() override {
        ItemDialog::TearDown();
        ImageList_Destroy(images);
    }

    HWND MakeToolBar(DWORD style) {
        HWND bar = Make(TOOLBARCLASSNAMEA, style, RECT{10, 10, 330, 50});
        SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
        SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        const TBBUTTON buttons[] = {
            {0, kOpen, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
            {1, kSave, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
            {0, 0, 0, TBSTYLE_SEP, {}, 0, 0},
            {2, kOff, 0, TBSTYLE_BUTTON, {}, 0, 0},
            {0, kOn, TBSTATE_ENABLED | TBSTATE_CHECKED, TBSTYLE_CHECK, {}, 0, 0},
            {1, kMore, TBSTATE_ENABLED, TBSTYLE_DROPDOWN, {}, 0, 0},
        };
        SendMessageA(bar, TB_ADDBUTTONSA, 6, reinterpret_cast<LPARAM>(buttons));
        PumpItems();
        return bar;
    }
    static RECT ButtonRect(HWND bar, int index) {
        RECT r{};
        SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // Where a button shows its image: beside the icon, inside the image's rounded edge.
    static COLORREF FaceAt(HWND bar, int index) {
        const RECT r = ButtonRect(bar, index);
        return At(bar, r.left + 2, (r.top + r.bottom) / 2);
    }
    static COLORREF IconAt(HWND bar, int index) {
        const RECT r = ButtonRect(bar, index);
        return At(bar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    static COLORREF Look(SkinToolBarWnd::ButtonImage image) {
        const RECT cell = ToolBarCell(image);
        return ItemSkinPixel(kItemsImage, cell.left + 2, (cell.top + cell.bottom) / 2);
    }

    HIMAGELIST images = nullptr;
};

TEST_F(ToolBarSkinner, ButtonsShowTheImageOfTheirState) {
    HWND bar = MakeToolBar(TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE);
    ASSERT_NE(Skinner<SkinToolBarWnd>(bar), nullptr);
    using B = SkinToolBarWnd;
    ASSERT_NE(Look(B::NormalImage), Look(B::HotImage));
    EXPECT_EQ(FaceAt(bar, kOpenIndex), Look(B::NormalImage));
    EXPECT_EQ(IconAt(bar, kOpenIndex), kRed);
    EXPECT_EQ(FaceAt(bar, kOffIndex), Look(B::DisabledImage));
    EXPECT_NE(IconAt(bar, kOffIndex), kBlue) << "a disabled icon is greyed";
    EXPECT_EQ(FaceAt(bar, kOnIndex), Look(B::PressedImage)) << "checked";

    // A separator shows only the background, as the bar does past its last button.
    const RECT separator = ButtonRect(bar, kSeparatorIndex);
    const int y = (separator.top + separator.bottom) / 2;
    RECT client{};
    GetClientRect(bar, &client);
    EXPECT_EQ(At(bar, (separator.left + separator.right) / 2, y), At(bar, client.right - 20, y));

    const RECT more = ButtonRect(bar, kMoreIndex);
    EXPECT_EQ(At(bar, more.right - 5, (more.top + more.bottom) / 2), RGB(0, 0, 0))
        << "the drop-down arrow";
}

TEST_F(ToolBarSkinner, TheButtonUnderThePointerIsHotAndGoesDownAtOnce) {
    HWND bar = MakeToolBar(TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE);
    using B = SkinToolBarWnd;
    const RECT save = ButtonRect(bar, kSaveIndex);
    MoveOnto(bar, (save.left + save.right) / 2, (save.top + save.bottom) / 2);
    EXPECT_EQ(SendMessageA(bar, TB_GETHOTITEM, 0, 0), kSaveIndex);
    EXPECT_EQ(FaceAt(bar, kSaveIndex), Look(B::HotImage));
    EXPECT_EQ(FaceAt(bar, kOpenIndex), Look(B::NormalImage));

    input::mouse_down();
    // Drawn at once through the window's DC, before any paint.
    MSG down{};
    ASSERT_TRUE(PeekMessageA(&down, bar, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    DispatchMessageA(&down);
    EXPECT_EQ(input::window_pixel(bar, save.left + 2, (save.top + save.bottom) / 2),
              Look(B::PressedImage));
    PumpItems();
    EXPECT_EQ(FaceAt(bar, kSaveIndex), Look(B::PressedImage));
    input::mouse_up();
    PumpItems();
    EXPECT_EQ(FaceAt(bar, kSaveIndex), Look(B::HotImage));

    MoveOnto(bar, 318, 35);
    EXPECT_EQ(FaceAt(bar, kSaveIndex), Look(B::NormalImage));
    EXPECT_EQ(FaceAt(bar, kOffIndex), Look(B::DisabledImage)) << "never hot";
}

TEST_F(ToolBarSkinner, ButtonTextsAreReadWholeHoweverLong) {
    // Toolbars without divider and parent alignment show texts under the icons; the text is
    // asked of the control with the room it needs.
    HWND bar = MakeToolBar(CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER);
    const std::string long_text(300, 'W');
    const TBBUTTON labelled{0,
                            200,
                            TBSTATE_ENABLED,
                            TBSTYLE_BUTTON,
                            {},
                            0,
                            reinterpret_cast<INT_PTR>(long_text.c_str())};
    SendMessageA(bar, TB_INSERTBUTTONA, 0, reinterpret_cast<LPARAM>(&labelled));
    const TBBUTTON short_one{
        1, 201, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, reinterpret_cast<INT_PTR>("Go")};
    SendMessageA(bar, TB_INSERTBUTTONA, 1, reinterpret_cast<LPARAM>(&short_one));
    InvalidateRect(bar, nullptr, TRUE);
    PumpItems();
    auto* skinner = Skinner<SkinToolBarWnd>(bar);
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(skinner->ButtonText(200), long_text);
    EXPECT_EQ(skinner->ButtonText(201), "Go");
    EXPECT_EQ(skinner->ButtonText(kOpen), "");
    EXPECT_EQ(skinner->ButtonText(999), "");
    // The label sits under its icon.
    const RECT r = ButtonRect(bar, 0);
    EXPECT_GT(ctltest::count_text(bar, RECT{r.left, r.bottom - 14, 300, r.bottom}), 0);
}

TEST(ToolBarImages, FollowTheButtonState) {
    using B = SkinToolBarWnd;
    const struct {
        BYTE state;
        bool hot;
        B::ButtonImage image;
    } cases[] = {
        {TBSTATE_ENABLED, false, B::NormalImage},
        {TBSTATE_ENABLED, true, B::HotImage},
        {TBSTATE_ENABLED | TBSTATE_PRESSED, true, B::PressedImage},
        {TBSTATE_ENABLED | TBSTATE_CHECKED, false, B::PressedImage},
        {0, true, B::DisabledImage},
        {TBSTATE_ENABLED | TBSTATE_INDETERMINATE, false, B::DisabledImage},
        {TBSTATE_CHECKED, false, B::PressedImage},
    };
    for (const auto& c : cases)
        EXPECT_EQ(B::ImageOf(c.state, c.hot), c.image) << int(c.state) << c.hot;
}

} // namespace

namespace {

// A toolbar floating in a tool window of its own is skinned by itself; one in a plain popup
// is not, and a toolbar is never skinned twice.
TEST_F(ToolBarSkinner, AFloatingToolbarIsSkinnedOnItsOwn) {
    WNDCLASSA frame{};
    frame.lpfnWndProc = DefWindowProcA;
    frame.lpszClassName = "ItemTestFrame";
    RegisterClassA(&frame);
    HWND owner = CreateWindowExA(0, "ItemTestFrame", "Owner", WS_POPUP | WS_VISIBLE, 500, 400, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
    HWND tool = CreateWindowExA(WS_EX_TOOLWINDOW, "ItemTestFrame", "Tools", WS_POPUP | WS_VISIBLE,
                                520, 420, 160, 60, owner, nullptr, nullptr, nullptr);
    HWND plain = CreateWindowExA(0, "ItemTestFrame", "Plain", WS_POPUP | WS_VISIBLE, 520, 500, 160,
                                 60, owner, nullptr, nullptr, nullptr);
    ASSERT_EQ(GetParent(tool), owner);
    const auto make_bar = [](HWND parent) {
        return CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                               nullptr, nullptr, nullptr);
    };
    HWND floating = make_bar(tool);
    HWND unskinned = make_bar(plain);
    PumpItems();
    EXPECT_NE(Skinner<SkinToolBarWnd>(floating), nullptr);
    EXPECT_EQ(SkinManager::Instance().Find(unskinned), nullptr);
    EXPECT_EQ(SkinManager::Instance().SkinToolbar(floating), 0) << "already skinned";
    EXPECT_EQ(SkinManager::Instance().SkinToolbar(nullptr), 0);
    DestroyWindow(tool);
    EXPECT_EQ(SkinManager::Instance().Find(floating), nullptr);
    DestroyWindow(plain);
    DestroyWindow(owner);
    UnregisterClassA("ItemTestFrame", nullptr);
}

} // namespace
