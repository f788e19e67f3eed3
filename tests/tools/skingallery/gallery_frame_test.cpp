// The gallery's main frame in the test's own process, driven by injected input: its skinned
// menu bar and what the commands do (pictures opened, closed, coloured and arranged, check marks
// switched, the controls dialog, the end), owner-drawn colour items, a maximised picture's
// buttons on the bar without the default caption over the skinned one, the context menu, and
// what it looks like in each language.
#include "tests/skin/skinners/menu_skin_fixture.h"

#include "skin/core/popup_menu_skin.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/glazework_menus.h"
#include "skin/skinners/skin_frame_wnd.h"
#include "skin/skinners/skin_popup_menu_wnd.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"
#include "tests/support/key_pixels.h"
#include "tests/support/label_fit.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"
#include "tools/skingallery/gallery_colour_items.h"
#include "tools/skingallery/gallery_frame.h"
#include "tools/skingallery/gallery_frame_ids.h"
#include "tools/skingallery/gallery_pictures.h"
#include "tools/skingallery/gallery_skin.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace gallery;
namespace input = lv::testing;
using menutest::Centre;
using menutest::ItemOnScreen;
using menutest::OpenPopups;

// Whether a pump met the quit that ends the program's loop.
bool g_quitSeen = false;

void Pump() {
    MSG msg;
    for (int round = 0; round < 3; ++round)
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            g_quitSeen = g_quitSeen || msg.message == WM_QUIT;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
}

// The index of the item with the command in the popup's list, -1 when none.
int IndexOf(const SkinPopupMenuWnd& popup, UINT command) {
    const MenuItemList* items = popup.Items();
    for (std::size_t i = 0; items && i < items->Count(); ++i)
        if ((*items)[i].commandId == command)
            return static_cast<int>(i);
    return -1;
}

std::vector<HWND> Pictures(HWND client) {
    std::vector<HWND> pictures;
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        pictures.push_back(child);
    return pictures;
}

class GalleryFrame : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(StartSkinning(GetModuleHandleA(nullptr), GalleryOptions{}, error)) << error;
        Open();
    }
    void TearDown() override {
        input::clear_answers();
        if (IsWindow(frame))
            DestroyWindow(frame);
        Pump();
        // The frame ends the program's loop as it goes; no loop of the next test may see that.
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        StopSkinning();
    }
    void Open() {
        frame = CreateGalleryFrame(GetModuleHandleA(nullptr), SW_SHOW);
        ASSERT_NE(frame, nullptr);
        client = GalleryMdiClient(frame);
        skinner = dynamic_cast<SkinFrameWnd*>(SkinManager::Instance().Find(frame));
        ASSERT_NE(skinner, nullptr);
        SetActiveWindow(frame);
        input::mouse_move(1000, 760);
        Pump();
    }
    RECT TitleOnScreen(int index) const {
        skinner->MenuBar().RecalcLayout();
        RECT r = skinner->MenuBar().Item(static_cast<std::size_t>(index)).Rect();
        RECT window{};
        GetWindowRect(frame, &window);
        OffsetRect(&r, window.left, window.top);
        return r;
    }
    void ClickTitle(int index) {
        const POINT p = Centre(TitleOnScreen(index));
        input::click(p.x, p.y);
        Pump();
    }
    // Clicks the item with the command in the open drop-down (or its open submenu).
    void ClickItem(UINT command) {
        for (SkinPopupMenuWnd* popup : OpenPopups()) {
            const int index = IndexOf(*popup, command);
            if (index < 0)
                continue;
            const POINT p = Centre(ItemOnScreen(*popup, index));
            input::click(p.x, p.y);
            Pump();
            return;
        }
        ADD_FAILURE() << "no open menu holds the command " << command;
    }
    // Opens the title's drop-down and runs the command from it.
    void Choose(int title, UINT command) {
        ClickTitle(title);
        ClickItem(command);
    }
    // Hovers the item until its submenu has opened.
    void OpenSubmenu(UINT itemWithSubmenu) {
        SkinPopupMenuWnd* popup = OpenPopups().back();
        const int index = IndexOf(*popup, itemWithSubmenu);
        ASSERT_GE(index, 0);
        const POINT p = Centre(ItemOnScreen(*popup, index));
        input::mouse_move(p.x, p.y);
        Pump();
        input::advance(600);
        Pump();
        ASSERT_EQ(OpenPopups().size(), 2u);
    }
    HWND Active() const {
        return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
    }

    input::VirtualClockScope clock;
    HWND frame = nullptr;
    HWND client = nullptr;
    SkinFrameWnd* skinner = nullptr;
};

// The titles of the bar, in order.
enum Title { File = 0, View = 1, Window = 2, Help = 3 };

TEST_F(GalleryFrame, IsTheSkinsMainFrameWithItsMenuInTheBarAndTwoSkinnedPictures) {
    char title[64] = {};
    GetWindowTextA(frame, title, sizeof title);
    EXPECT_STREQ(title, "Skin Gallery");
    EXPECT_EQ(GetMenu(frame), nullptr);
    EXPECT_EQ(skinner->GetMenu(), GalleryFrameMenu(frame));
    EXPECT_EQ(skinner->MenuBar().ItemCount(), 4u);
    EXPECT_NE(SkinManager::Instance().Find(client), nullptr);
    const std::vector<HWND> pictures = Pictures(client);
    ASSERT_EQ(pictures.size(), 2u);
    for (HWND picture : pictures)
        EXPECT_NE(dynamic_cast<SkinFrameWnd*>(SkinManager::Instance().Find(picture)), nullptr);
}

TEST_F(GalleryFrame, MenuCommandsOpenCloseAndArrangePictures) {
    Choose(File, kNewPicture);
    EXPECT_EQ(Pictures(client).size(), 3u);
    char title[64] = {};
    GetWindowTextA(Active(), title, sizeof title);
    EXPECT_STREQ(title, "Picture 3");

    // A recent picture opens under its file name, from the File menu's submenu.
    ClickTitle(File);
    OpenSubmenu(static_cast<UINT>(-1) /* the submenu item has no command */);
    ClickItem(kRecentFirst + 1);
    GetWindowTextA(Active(), title, sizeof title);
    EXPECT_STREQ(title, "Meadow.png");

    Choose(Window, kClosePicture);
    EXPECT_EQ(Pictures(client).size(), 3u);

    Choose(Window, kTile);
    std::vector<HWND> pictures = Pictures(client);
    ASSERT_EQ(pictures.size(), 3u);
    RECT area{};
    GetClientRect(client, &area);
    MapWindowPoints(client, nullptr, reinterpret_cast<POINT*>(&area), 2);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        RECT r{}, overlap{};
        GetWindowRect(pictures[i], &r);
        EXPECT_TRUE(IntersectRect(&overlap, &r, &area) && EqualRect(&overlap, &r)) << i;
        for (std::size_t j = i + 1; j < pictures.size(); ++j) {
            RECT other{};
            GetWindowRect(pictures[j], &other);
            EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << i << " and " << j;
        }
    }
    // The grayed items do nothing.
    Choose(Window, kArrangeIcons);
    EXPECT_EQ(Pictures(client).size(), 3u);
    for (int i = 0; i < 3 && !OpenPopups().empty(); ++i) {
        input::key_press(VK_ESCAPE);
        Pump();
    }
    EXPECT_TRUE(OpenPopups().empty());
}

TEST_F(GalleryFrame, ViewCommandsSwitchTheirCheckMarksAndWhatThePicturesShow) {
    HWND picture = Active();
    ASSERT_NE(picture, nullptr);
    RECT area{};
    GetClientRect(picture, &area);
    auto pixelAt = [&](int x, int y) {
        POINT p{x, y};
        MapWindowPoints(picture, frame, &p, 1);
        RECT window{};
        GetWindowRect(frame, &window);
        POINT origin{0, 0};
        ClientToScreen(frame, &origin);
        return input::window_pixel(frame, p.x + origin.x - window.left,
                                   p.y + origin.y - window.top);
    };
    // A grid line every 16 pixels, in white on the picture's colour.
    EXPECT_EQ(pixelAt(16, 5), RGB(255, 255, 255));
    EXPECT_EQ(pixelAt(8, 5), PictureColour(picture));

    ClickTitle(View);
    ASSERT_EQ(OpenPopups().size(), 1u);
    const MenuItemList* items = OpenPopups()[0]->Items();
    EXPECT_TRUE(
        (*items)[static_cast<std::size_t>(IndexOf(*OpenPopups()[0], kShowGrid))].IsChecked());
    EXPECT_FALSE(
        (*items)[static_cast<std::size_t>(IndexOf(*OpenPopups()[0], kDarkBackground))].IsChecked());
    ClickItem(kShowGrid);
    EXPECT_FALSE(gallery::Pictures().grid);
    EXPECT_EQ(pixelAt(16, 5), PictureColour(picture));

    Choose(View, kDarkBackground);
    EXPECT_TRUE(gallery::Pictures().dark);
    EXPECT_EQ(pixelAt(8, 5), RGB(40, 44, 52));
    ClickTitle(View);
    items = OpenPopups()[0]->Items();
    EXPECT_FALSE(
        (*items)[static_cast<std::size_t>(IndexOf(*OpenPopups()[0], kShowGrid))].IsChecked());
    EXPECT_TRUE(
        (*items)[static_cast<std::size_t>(IndexOf(*OpenPopups()[0], kDarkBackground))].IsChecked());
    input::key_press(VK_ESCAPE);
    Pump();
}

TEST_F(GalleryFrame, TheOwnerDrawnColourItemsShowTheirSwatchAndColourThePicture) {
    HWND picture = Active();
    ClickTitle(View);
    OpenSubmenu(static_cast<UINT>(-1));
    SkinPopupMenuWnd* colours = OpenPopups()[1];
    const MenuItemList* items = colours->Items();
    ASSERT_EQ(items->Count(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE((*items)[static_cast<std::size_t>(i)].IsOwnerDrawn()) << i;
        // The swatch sits at the start of the text column, in the colour.
        const RECT item = colours->ItemRect(i);
        POINT centre{0, (item.top + item.bottom) / 2};
        bool found = false;
        for (int x = item.left; x < item.left + 60 && !found; ++x) {
            POINT p{x, centre.y};
            MapWindowPoints(colours->GetHwnd(), nullptr, &p, 1);
            RECT window{};
            GetWindowRect(colours->GetHwnd(), &window);
            found = input::window_pixel(colours->GetHwnd(), p.x - window.left, p.y - window.top) ==
                    ColourOfCommand(kColourFirst + i);
        }
        EXPECT_TRUE(found) << "swatch " << i;
    }
    const bool wasSky = PictureColour(picture) == ColourOfCommand(kColourFirst);
    const UINT chosen = wasSky ? kColourFirst + 2 : kColourFirst;
    ClickItem(chosen);
    EXPECT_EQ(PictureColour(picture), ColourOfCommand(static_cast<int>(chosen)));
    EXPECT_TRUE(OpenPopups().empty());
}

TEST_F(GalleryFrame, AMaximisedPictureShowsItsButtonsOnTheBarUnderTheSkinnedCaption) {
    RECT window{};
    GetWindowRect(frame, &window);
    const int x = (window.right - window.left) / 2;
    const COLORREF caption = input::window_pixel(frame, x, 2);
    HWND picture = Active();
    SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(picture), 0);
    Pump();
    EXPECT_TRUE(IsZoomed(picture));
    EXPECT_TRUE(skinner->MenuBar().HasMdiButtons());
    char title[96] = {};
    GetWindowTextA(frame, title, sizeof title);
    EXPECT_STREQ(title, "Skin Gallery - [Picture 2]");
    // The frame's new title is drawn by the skin: the default caption does not cover it.
    EXPECT_EQ(input::window_pixel(frame, x, 2), caption);

    skinner->MenuBar().RecalcLayout();
    RECT restore = skinner->MenuBar().ButtonAt(SkinMenuBar::RestoreButton).rect;
    OffsetRect(&restore, window.left, window.top);
    const POINT p = Centre(restore);
    input::click(p.x, p.y);
    Pump();
    EXPECT_FALSE(IsZoomed(picture));
    EXPECT_FALSE(skinner->MenuBar().HasMdiButtons());
    GetWindowTextA(frame, title, sizeof title);
    EXPECT_STREQ(title, "Skin Gallery");
    EXPECT_EQ(input::window_pixel(frame, x, 2), caption);
}

TEST_F(GalleryFrame, ARightClickOnAPictureShowsTheContextMenuWhoseCommandsReachTheFrame) {
    HWND picture = Active();
    RECT r{};
    GetWindowRect(picture, &r);
    std::vector<std::pair<UINT, bool>> seen; // command, enabled
    menutest::Recorder::Instance().script.push_back([&] {
        ASSERT_EQ(OpenPopups().size(), 1u);
        const MenuItemList* items = OpenPopups()[0]->Items();
        for (std::size_t i = 0; i < items->Count(); ++i)
            if (!(*items)[i].IsSeparator())
                seen.emplace_back((*items)[i].commandId, !(*items)[i].IsDisabled());
        input::save_screen_png(lvtest::ScreenshotPath("skingallery_frame_context_menu.png"));
        const POINT close =
            Centre(ItemOnScreen(*OpenPopups()[0], IndexOf(*OpenPopups()[0], kClosePicture)));
        input::click(close.x, close.y);
    });
    menutest::RunScriptOn(frame);
    input::click(r.left + 40, r.top + 60, input::MouseButton::right);
    Pump();
    menutest::StopScript(frame);
    const std::vector<std::pair<UINT, bool>> expected = {{kNewPicture, true},
                                                         {kShowGrid, true},
                                                         {static_cast<UINT>(-1), true},
                                                         {kPaste, false},
                                                         {kClosePicture, true}};
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(IsWindow(picture));
    EXPECT_EQ(Pictures(client).size(), 1u);
}

TEST_F(GalleryFrame, TheControlsDialogOpensFromTheFileMenuAndExitEndsTheProgram) {
    bool shown = false;
    input::push_modal_answer({IDOK, [&](HWND dialog) {
                                  shown = IsWindowVisible(dialog) != FALSE;
                                  EXPECT_EQ(GetWindow(dialog, GW_OWNER), frame);
                                  input::click_window(GetDlgItem(dialog, IDOK));
                              }});
    Choose(File, kControlsDialog);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(IsWindow(frame));

    g_quitSeen = false;
    Choose(File, kExit);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_TRUE(g_quitSeen);
}

// What the frame's owner-drawn items were given to draw into, by command.
std::map<UINT, RECT> g_drawnItems;
WNDPROC g_frameProcedure = nullptr;

LRESULT CALLBACK RecordDrawnItems(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType == ODT_MENU)
            g_drawnItems[draw->itemID] = draw->rcItem;
    }
    return CallWindowProcA(g_frameProcedure, hwnd, message, wParam, lParam);
}

// The names of the open Colour submenu's items fit where they are drawn, in the font the
// skinned popup draws them with.
void ExpectColourNamesWhole(const SkinPopupMenuWnd& colours) {
    const auto* skin = dynamic_cast<const PopupMenuSkin*>(colours.Object());
    ASSERT_NE(skin, nullptr);
    HFONT font = CreateFontIndirectA(&skin->font.font);
    const MenuItemList* items = colours.Items();
    for (std::size_t i = 0; items && i < items->Count(); ++i) {
        const MenuItem& item = (*items)[i];
        const auto drawn = g_drawnItems.find(item.commandId);
        ASSERT_NE(drawn, g_drawnItems.end()) << "item " << i << " was drawn by its owner";
        const std::string name = ColourNameOfCommand(static_cast<int>(item.commandId));
        EXPECT_FALSE(name.empty()) << "item " << i;
        if (auto clipped =
                lvtest::ClippedText(static_cast<int>(item.commandId), name, font,
                                    ColourItemTextRect(drawn->second), DT_SINGLELINE | DT_NOPREFIX))
            ADD_FAILURE() << *clipped;
    }
    DeleteObject(font);
}

class GalleryFrameLanguage : public GalleryFrame,
                             public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {}
};

TEST_P(GalleryFrameLanguage, ShowsItsMenusAndPicturesInTheLanguage) {
    lvtest::ScopedEnv env("LC_ALL", GetParam());
    GalleryFrame::SetUp();
    const std::string language = std::string(GetParam()).substr(0, 2);
    // The title's plate and the pictures' frames leave their key-coloured corners out.
    const lvtest::KeyPixels keyed = lvtest::KeyPixelsShown(frame);
    EXPECT_EQ(keyed.count, 0) << keyed;
    ClickTitle(File);
    OpenSubmenu(static_cast<UINT>(-1));
    EXPECT_TRUE(input::save_screen_png(
        lvtest::ScreenshotPath("skingallery_frame_dropdown_" + language + ".png")));
    input::key_press(VK_ESCAPE);
    input::key_press(VK_ESCAPE);
    Pump();
    g_drawnItems.clear();
    g_frameProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordDrawnItems)));
    ClickTitle(View);
    OpenSubmenu(static_cast<UINT>(-1));
    SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_frameProcedure));
    ExpectColourNamesWhole(*OpenPopups()[1]);
    EXPECT_TRUE(input::save_screen_png(
        lvtest::ScreenshotPath("skingallery_frame_colours_" + language + ".png")));
    input::key_press(VK_ESCAPE);
    input::key_press(VK_ESCAPE);
    Pump();
    SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Active()), 0);
    Pump();
    EXPECT_TRUE(input::save_screen_png(
        lvtest::ScreenshotPath("skingallery_frame_maximised_" + language + ".png")));
}

INSTANTIATE_TEST_SUITE_P(Languages, GalleryFrameLanguage,
                         ::testing::Values("en_GB.UTF-8", "ja_JP.UTF-8", "ko_KR.UTF-8"),
                         [](const auto& param_info) {
                             return std::string(param_info.param).substr(0, 2);
                         });

} // namespace
