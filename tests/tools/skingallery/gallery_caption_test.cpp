// The gallery dialog's system-menu caption button: the skin's look, the skinned system menu
// opened by a left or a right press once the press has been handled, and a double click that
// closes the dialog.
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_caption_button.h"
#include "skin/skinners/skin_wnd.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/skin/skinners/menu_skin_fixture.h"
#include "tests/tools/skingallery/gallery_driving.h"
#include "tools/skinbuilder/full_skin.h"
#include "tools/skinbuilder/full_skin_layout.h"
#include "tools/skingallery/gallery_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

namespace input = lv::testing;
using gallerytest::Pump;
using namespace full_skin::layout;

class GalleryCaption : public gallerytest::SkinnedGallery {};

SkinCaptionButton* SystemMenuButton(HWND dialog) {
    SkinWnd* skinner = SkinManager::Instance().Find(dialog);
    if (!skinner)
        return nullptr;
    for (const auto& element : skinner->Elements())
        if (element->Object() && element->Object()->GetName() == "SysMenu")
            return dynamic_cast<SkinCaptionButton*>(element.get());
    return nullptr;
}

// The skin's frame image at a point from the image's top.
COLORREF FramePixel(int x, int y) {
    const SkinImage* entry =
        SkinManager::Instance().GetSkin()->FindImageEntry(full_skin::kFrameImage);
    if (!entry)
        return CLR_INVALID;
    const auto height = static_cast<LONG>(entry->image.GetHeight());
    return PxImage::RgbQuadToRgb(entry->image.GetPixelColor(x, height - 1 - y));
}

// The button's point on the screen, as a non-client mouse message carries it.
LPARAM ScreenPoint(HWND dialog, const RECT& button) {
    RECT window{};
    GetWindowRect(dialog, &window);
    return MAKELPARAM(window.left + (button.left + button.right) / 2,
                      window.top + (button.top + button.bottom) / 2);
}

TEST_F(GalleryCaption, TheSystemMenuButtonOpensTheMenuOnceItsPressIsHandled) {
    bool driven = false;
    input::push_modal_answer(
        {IDOK, [&](HWND dialog) {
             Pump();
             SkinCaptionButton* button = SystemMenuButton(dialog);
             ASSERT_NE(button, nullptr);
             driven = true;
             const RECT r = button->Rect();
             // The skin's look: its glyph's first line and the plate under it.
             const RECT cell = CaptionButtonCell(GlyphSystemMenu, CaptionNormal);
             for (const POINT at : {POINT{8, 5}, POINT{8, 7}})
                 EXPECT_EQ(input::window_pixel(dialog, r.left + at.x, r.top + at.y),
                           FramePixel(cell.left + at.x, cell.top + at.y))
                     << at.x << "," << at.y;

             for (const UINT press : {WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN}) {
                 SCOPED_TRACE(press == WM_NCLBUTTONDOWN ? "left" : "right");
                 bool pressing = false;
                 bool openedWhilePressing = false;
                 std::vector<UINT> commands;
                 menutest::Recorder::Instance().script.push_back([&] {
                     const auto popups = menutest::OpenPopups();
                     if (popups.empty())
                         return;
                     openedWhilePressing = pressing;
                     const MenuItemList* items = popups[0]->Items();
                     for (std::size_t i = 0; i < items->Count(); ++i)
                         commands.push_back((*items)[i].commandId);
                     input::key_press(VK_ESCAPE);
                 });
                 menutest::RunScriptOn(dialog);
                 pressing = true;
                 SendMessageA(dialog, press, HTSYSMENU, ScreenPoint(dialog, r));
                 pressing = false;
                 EXPECT_TRUE(menutest::OpenPopups().empty());
                 // The posted request opens it; the script closes it.
                 Pump();
                 menutest::StopScript(dialog);
                 EXPECT_FALSE(openedWhilePressing);
                 EXPECT_NE(std::find(commands.begin(), commands.end(), SC_CLOSE), commands.end())
                     << "the system menu opened";
                 EXPECT_TRUE(menutest::OpenPopups().empty());
             }
             input::click_window(GetDlgItem(dialog, IDOK));
             Pump();
         }});
    EXPECT_EQ(gallery::RunGallery(GetModuleHandleA(nullptr), nullptr), IDOK);
    EXPECT_TRUE(driven);
}

TEST_F(GalleryCaption, ADoubleClickOnTheSystemMenuButtonClosesTheDialog) {
    bool driven = false;
    input::push_modal_answer({IDOK, [&](HWND dialog) {
                                  Pump();
                                  SkinCaptionButton* button = SystemMenuButton(dialog);
                                  ASSERT_NE(button, nullptr);
                                  driven = true;
                                  SendMessageA(dialog, WM_NCLBUTTONDBLCLK, HTSYSMENU,
                                               ScreenPoint(dialog, button->Rect()));
                                  Pump();
                              }});
    EXPECT_EQ(gallery::RunGallery(GetModuleHandleA(nullptr), nullptr), IDCANCEL);
    EXPECT_TRUE(driven);
}

} // namespace
