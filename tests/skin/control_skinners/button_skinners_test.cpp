// The button family under the skinners: each state's look from the full skin, the same clicks,
// space bar and group walks as the plain buttons, owner-drawn buttons left to their owner, the
// skin's font swapped in and given back, and the static and group box looks.
#include "skin/core/check_box_skin.h"
#include "skin/core/glazework.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_check_box_wnd.h"
#include "skin/skinners/skin_static_wnd.h"
#include "testing/window_input.h"
#include "tests/skin/control_skinners/control_skinners_fixture.h"
#include "tests/support/skin_builder.h"
#include "tools/skinbuilder/full_skin.h"
#include "tools/skinbuilder/full_skin_layout.h"

#include <algorithm>
#include <functional>
#include <map>

namespace {

using namespace lvtest;
using namespace full_skin::layout;
namespace input = lv::testing;

class ButtonSkinners : public ControlDialog {};

// Inside the button, left of its centred text.
constexpr int kFaceX = 8;

TEST_F(ButtonSkinners, PushButtonsShowEachStateOfTheSkin) {
    Open();
    ASSERT_NE(SkinManager::Instance().Find(Item(kPush)), nullptr);
    // A focused push button takes the default look from the others; the dialog moves the
    // focus elsewhere.
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(kCheck)), TRUE);
    Pump();
    EXPECT_EQ(AtCentreLeft(kPush, kFaceX), kRest);
    EXPECT_EQ(AtCentreLeft(kDefaultPush, kFaceX), kDefault);
    EXPECT_EQ(AtCentreLeft(kDisabledPush, kFaceX), kDisabled);

    MoveOnto(kPush, kFaceX, 6);
    EXPECT_EQ(AtCentreLeft(kPush, kFaceX), kHot);
    // The mouse leaving the button takes its hot look away.
    MoveOnto(kCheck, 2, 2);
    EXPECT_EQ(AtCentreLeft(kPush, kFaceX), kRest);

    MoveOnto(kPush, kFaceX, 6);
    input::mouse_down();
    Pump();
    EXPECT_EQ(AtCentreLeft(kPush, kFaceX), kPressed) << "held down";
    // Released away from the button: no click, and the button shows unpressed and focused.
    MoveOnto(kCheck, 2, 2);
    EXPECT_EQ(AtCentreLeft(kPush, kFaceX), kFocused) << "dragged off";
    input::mouse_up();
    Pump();
    EXPECT_TRUE(g_commands.empty());
    EXPECT_EQ(AtCentreLeft(kPush, kFaceX), kFocused);
}

TEST_F(ButtonSkinners, OwnerDrawnButtonsStayTheirOwners) {
    Open();
    EXPECT_EQ(SkinManager::Instance().Find(Item(kOwnerDrawn)), nullptr);
    EXPECT_EQ(AtCentreLeft(kOwnerDrawn, kFaceX), kOwnerColor);
    // A skinned button made owner-drawn afterwards (as the image buttons are) is drawn by its
    // owner from then on, also when hovered and pressed.
    HWND later = Item(kLaterOwnerDrawn);
    EXPECT_EQ(AtCentreLeft(kLaterOwnerDrawn, kFaceX), kRest);
    SetWindowLongA(later, GWL_STYLE,
                   (GetWindowLongA(later, GWL_STYLE) & ~0xF) | static_cast<LONG>(BS_OWNERDRAW));
    Pump();
    EXPECT_EQ(SkinManager::Instance().Find(later), nullptr);
    EXPECT_EQ(AtCentreLeft(kLaterOwnerDrawn, kFaceX), kOwnerColor);
    MoveOnto(kLaterOwnerDrawn, kFaceX, 6);
    input::mouse_down();
    Pump();
    EXPECT_EQ(AtCentreLeft(kLaterOwnerDrawn, kFaceX), kOwnerColor);
    input::mouse_up();
    Pump();
    EXPECT_NE(std::find(g_commands.begin(), g_commands.end(),
                        std::pair<int, int>{kLaterOwnerDrawn, BN_CLICKED}),
              g_commands.end());
}

TEST_F(ButtonSkinners, TheSkinsFontIsSwappedInAndGivenBack) {
    Open();
    const auto own = SendMessageA(dialog, WM_GETFONT, 0, 0);
    const auto* button =
        dynamic_cast<const ControlSkin*>(SkinManager::Instance().Find(Item(kPush))->Object());
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->autoSkinFont);
    EXPECT_EQ(SendMessageA(Item(kPush), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(button->createdFont));
    // Unskinned again, the button has the dialog's font back.
    GlazeworkShutdown();
    started = false;
    Pump();
    EXPECT_EQ(SendMessageA(Item(kPush), WM_GETFONT, 0, 0), own);
}

// A control without a font of its own has none again once unskinned, and never the font of a
// skin that has gone, whether the next skin swaps its own font in or leaves the control alone.
TEST_F(ButtonSkinners, AControlWithoutAFontGetsNoneBackAfterASkinChange) {
    for (const bool nextSwapsFont : {true, false}) {
        SCOPED_TRACE(nextSwapsFont ? "next skin swaps its font in" : "next skin keeps fonts");
        Open();
        HWND plain = CreateWindowExA(0, "BUTTON", "Plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                     4, 4, 60, 24, dialog, reinterpret_cast<HMENU>(1099), nullptr,
                                     nullptr);
        ASSERT_NE(plain, nullptr);
        Pump();
        SkinManager& manager = SkinManager::Instance();
        ASSERT_NE(manager.Find(plain), nullptr);
        const auto* first = dynamic_cast<const ControlSkin*>(manager.Find(plain)->Object());
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(SendMessageA(plain, WM_GETFONT, 0, 0),
                  reinterpret_cast<LRESULT>(first->createdFont));

        auto next = LoadSkinFile(LV_FULL_SKIN_PATH);
        ASSERT_NE(next, nullptr);
        for (const auto& [name, object] : next->Objects())
            if (auto* control = dynamic_cast<ControlSkin*>(object.get()))
                control->autoSkinFont = nextSwapsFont;
        ASSERT_EQ(manager.SetSkin(std::move(next)), 1);
        Pump();
        const auto* second = dynamic_cast<const ControlSkin*>(manager.Find(plain)->Object());
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(SendMessageA(plain, WM_GETFONT, 0, 0),
                  nextSwapsFont ? reinterpret_cast<LRESULT>(second->createdFont) : 0);

        GlazeworkShutdown();
        started = false;
        Pump();
        EXPECT_EQ(SendMessageA(plain, WM_GETFONT, 0, 0), 0);
        DestroyWindow(dialog);
        Pump();
    }
}

// The check box's background behind its label, by state.
COLORREF CheckBackground(int state) {
    const RECT cell = CheckBackgroundCell(state);
    return SkinPixel(full_skin::kButtonsImage, (cell.left + cell.right) / 2,
                     (cell.top + cell.bottom) / 2);
}

TEST_F(ButtonSkinners, CheckBoxesShowEachStateOfTheSkin) {
    Open();
    const int x = SizeOf(kCheck).cx - 6;
    EXPECT_EQ(AtCentreLeft(kCheck, x), CheckBackground(CheckBoxSkin::Normal));
    CheckDlgButton(dialog, kCheck, BST_CHECKED);
    Pump();
    EXPECT_EQ(AtCentreLeft(kCheck, x), CheckBackground(CheckBoxSkin::Selected));
    SetFocus(Item(kCheck));
    Pump();
    EXPECT_EQ(AtCentreLeft(kCheck, x), CheckBackground(CheckBoxSkin::HighlightedSelected));
    CheckDlgButton(dialog, kCheck, BST_UNCHECKED);
    Pump();
    EXPECT_EQ(AtCentreLeft(kCheck, x), CheckBackground(CheckBoxSkin::HighlightedNormal));
    EXPECT_EQ(AtCentreLeft(kDisabledCheck, x), CheckBackground(CheckBoxSkin::GrayedNormal));
    CheckDlgButton(dialog, kDisabledCheck, BST_CHECKED);
    Pump();
    EXPECT_EQ(AtCentreLeft(kDisabledCheck, x), CheckBackground(CheckBoxSkin::GrayedSelected));
    // The box itself: the checked box's look at its corner.
    const RECT box = CheckBoxCell(CheckBoxSkin::GrayedSelected);
    EXPECT_EQ(SkinPixel(full_skin::kButtonsImage, box.left + 3, box.top + 2),
              At(kDisabledCheck, kBackMargin + 3, SizeOf(kDisabledCheck).cy / 2 - kBox / 2 + 2));
}

// What a run of clicks, keys and check messages leaves: every button's check state and the
// notifications the dialog got.
struct Outcome {
    std::map<int, LRESULT> checks;
    std::vector<std::pair<int, int>> commands;
    bool operator==(const Outcome&) const = default;
};

Outcome Drive(HWND dialog) {
    auto click = [](HWND control) {
        input::click_window(control);
        Pump();
    };
    auto item = [dialog](int id) { return GetDlgItem(dialog, id); };
    click(item(kCheck));
    for (int i = 0; i < 3; ++i)
        click(item(kThreeState));
    SetFocus(item(kCheck));
    Pump();
    input::key_press(VK_SPACE);
    Pump();
    input::key_press(VK_SPACE);
    Pump();
    click(item(kRadioOther));
    click(item(kRadioThree));
    // The arrow keys walk the radio group and check the button they reach.
    input::key_press(VK_UP);
    Pump();
    click(item(kDisabledCheck));
    Outcome out;
    for (int id :
         {kCheck, kThreeState, kDisabledCheck, kRadioOne, kRadioTwo, kRadioThree, kRadioOther})
        out.checks[id] = SendMessageA(item(id), BM_GETCHECK, 0, 0);
    out.commands = g_commands;
    return out;
}

TEST_F(ButtonSkinners, ClicksKeysAndGroupsWorkAsOnPlainButtons) {
    Open(false);
    const Outcome plain = Drive(dialog);
    DestroyWindow(dialog);
    Open();
    ASSERT_NE(dynamic_cast<SkinCheckBoxWnd*>(SkinManager::Instance().Find(Item(kCheck))), nullptr);
    const Outcome skinned = Drive(dialog);
    EXPECT_EQ(skinned.checks, plain.checks);
    EXPECT_EQ(skinned.commands, plain.commands);
    EXPECT_EQ(skinned.checks.at(kRadioTwo), BST_CHECKED);
    EXPECT_EQ(skinned.checks.at(kRadioThree), BST_UNCHECKED);
    EXPECT_EQ(skinned.checks.at(kRadioOther), BST_CHECKED) << "another group";
    EXPECT_EQ(skinned.checks.at(kThreeState), BST_UNCHECKED) << "three clicks go round";
}

TEST_F(ButtonSkinners, StaticsByTypeAndTheGroupBoxFrame) {
    const std::pair<DWORD, SkinStaticWnd::Kind> kinds[] = {
        {SS_LEFT, SkinStaticWnd::Kind::Text},
        {SS_ICON, SkinStaticWnd::Kind::Icon},
        {SS_BITMAP, SkinStaticWnd::Kind::Bitmap},
        {SS_SIMPLE, SkinStaticWnd::Kind::Unskinned},
        {SS_OWNERDRAW, SkinStaticWnd::Kind::Unskinned},
        {SS_ENHMETAFILE, SkinStaticWnd::Kind::Unskinned},
        {SS_LEFTNOWORDWRAP, SkinStaticWnd::Kind::Text},
        {SS_BLACKRECT, SkinStaticWnd::Kind::Text},
    };
    for (const auto& [style, kind] : kinds)
        EXPECT_EQ(SkinStaticWnd::KindOf(style | SS_NOTIFY), kind) << style;

    Open();
    EXPECT_EQ(SkinManager::Instance().Find(Item(kSimpleStatic)), nullptr);
    ASSERT_NE(SkinManager::Instance().Find(Item(kStatic)), nullptr);
    // The static's skin background right of its text.
    EXPECT_EQ(AtCentreLeft(kStatic, SizeOf(kStatic).cx - 6),
              SkinPixel(full_skin::kControlsImage, (kStaticBack.left + kStaticBack.right) / 2,
                        (kStaticBack.top + kStaticBack.bottom) / 2));
    // The group box's frame on its left edge, under the caption's middle.
    const SIZE group = SizeOf(kGroup);
    EXPECT_EQ(At(kGroup, 0, group.cy - 10),
              SkinPixel(full_skin::kControlsImage, kGroupFrame.left, kGroupFrame.top + 12));
}

} // namespace
