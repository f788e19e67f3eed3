// The gallery's window of item controls, opened by its button on the gallery's dialog: every
// item control skinned from the full skin and filled, the pages switched by a click on their
// tab, and how it looks in each language.
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_header_wnd.h"
#include "skin/skinners/skin_link_wnd.h"
#include "skin/skinners/skin_rebar_wnd.h"
#include "skin/skinners/skin_status_bar_wnd.h"
#include "skin/skinners/skin_tab_wnd.h"
#include "skin/skinners/skin_tool_bar_wnd.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/support/key_pixels.h"
#include "tests/support/label_fit.h"
#include "tests/support/screenshots.h"
#include "tests/tools/skingallery/gallery_driving.h"
#include "tools/skingallery/gallery_dialog.h"
#include "tools/skingallery/gallery_items_ids.h"
#include "tools/skingallery/gallery_skin.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace gallery;
namespace input = lv::testing;

using gallerytest::Pump;

// Opens the gallery, clicks its Items button and runs `drive` on the item window.
bool RunItems(const std::function<void(HWND)>& drive) {
    return gallerytest::DriveWindowOpenedBy(kItemsButton, IDOK, drive);
}

class GalleryItems : public gallerytest::SkinnedGallery {};

template <typename T> bool SkinnedAs(HWND control) {
    return dynamic_cast<T*>(SkinManager::Instance().Find(control)) != nullptr;
}

TEST_F(GalleryItems, EveryItemControlIsSkinnedAndFilled) {
    const bool reached = RunItems([](HWND items) {
        HWND rebar = GetDlgItem(items, kItemsRebar);
        HWND toolbar = GetDlgItem(rebar, kItemsToolbar);
        EXPECT_TRUE(SkinnedAs<SkinTabWnd>(GetDlgItem(items, kItemsTab)));
        EXPECT_TRUE(SkinnedAs<SkinHeaderWnd>(GetDlgItem(items, kItemsHeader)));
        EXPECT_TRUE(SkinnedAs<SkinReBarWnd>(rebar));
        EXPECT_TRUE(SkinnedAs<SkinToolBarWnd>(toolbar));
        EXPECT_TRUE(SkinnedAs<SkinStatusBarWnd>(GetDlgItem(items, kItemsStatus)));
        EXPECT_TRUE(SkinnedAs<SkinLinkWnd>(GetDlgItem(items, kItemsLink)));
        EXPECT_EQ(SendDlgItemMessageA(items, kItemsTab, TCM_GETITEMCOUNT, 0, 0), 3);
        EXPECT_EQ(SendDlgItemMessageA(items, kItemsHeader, HDM_GETITEMCOUNT, 0, 0), 3);
        EXPECT_EQ(SendDlgItemMessageA(items, kItemsStatus, SB_GETPARTS, 0, 0), 3);
        EXPECT_EQ(SendMessageA(rebar, RB_GETBANDCOUNT, 0, 0), 1);
        EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 7);
        EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, kToolCut, 0));
        EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, kToolBold, 0));

        // A click on the second tab shows its page instead of the first.
        HWND tab = GetDlgItem(items, kItemsTab);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(items, kPageApply)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(items, kPageName)));
        RECT second{};
        SendMessageA(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
        POINT at{(second.left + second.right) / 2, (second.top + second.bottom) / 2};
        ClientToScreen(tab, &at);
        input::click(at.x, at.y);
        Pump();
        EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 1);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(items, kPageApply)));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(items, kPageName)));
    });
    EXPECT_TRUE(reached);
}

TEST_F(GalleryItems, ShowsWholeLabelsAndNoKeyColourInEveryLanguage) {
    InEachLanguage([](const std::string& code) {
        const bool reached = RunItems([&](HWND items) {
            for (const lvtest::ClippedLabel& label : lvtest::ClippedLabels(items))
                ADD_FAILURE() << label;
            const lvtest::KeyPixels keyed = lvtest::KeyPixelsShown(items);
            EXPECT_EQ(keyed.count, 0) << keyed;
            // The toolbar's second button under the pointer, to show its hot look.
            HWND toolbar = GetDlgItem(GetDlgItem(items, kItemsRebar), kItemsToolbar);
            RECT open{};
            SendMessageA(toolbar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&open));
            POINT at{(open.left + open.right) / 2, (open.top + open.bottom) / 2};
            ClientToScreen(toolbar, &at);
            input::mouse_move(at.x, at.y);
            Pump();
            EXPECT_TRUE(input::save_window_png(
                items, lvtest::ScreenshotPath("skingallery_items_" + code + ".png")));
        });
        EXPECT_TRUE(reached);
    });
}

} // namespace
