// The colour button and its popup driven by injected mouse and keys: the order of the
// notifications, choosing by pointer and by keyboard, "Automatic", "More Colors...", cancelling
// by Escape or a click outside, the swatch the button shows and the cells' tool tips.
#include "settings/controls/color_button.h"
#include "settings/controls/color_popup.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"
#include "tests/support/screenshots.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kButtonId = 1072;
constexpr COLORREF kStart = RGB(0x12, 0x34, 0x56);

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!lv::mfc::walk_pre_translate(&msg, nullptr)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

struct Told {
    UINT message;
    COLORREF colour;
    LPARAM id;
    bool operator==(const Told&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Told& t) {
    return out << "WM_USER+" << t.message - WM_USER << " 0x" << std::hex << t.colour << std::dec
               << " " << t.id;
}

// Records what its colour button tells it.
class Host : public CWnd {
public:
    std::vector<Told> told;

protected:
    LRESULT Record(UINT message, WPARAM colour, LPARAM id) {
        told.push_back({message, static_cast<COLORREF>(colour), id});
        return 0;
    }
    afx_msg LRESULT OnSelChange(WPARAM w, LPARAM l) { return Record(kColourSelChange, w, l); }
    afx_msg LRESULT OnDropDown(WPARAM w, LPARAM l) { return Record(kColourDropDown, w, l); }
    afx_msg LRESULT OnCloseUp(WPARAM w, LPARAM l) { return Record(kColourCloseUp, w, l); }
    afx_msg LRESULT OnSelEndOk(WPARAM w, LPARAM l) { return Record(kColourSelEndOk, w, l); }
    afx_msg LRESULT OnSelEndCancel(WPARAM w, LPARAM l) { return Record(kColourSelEndCancel, w, l); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Host, CWnd)
ON_MESSAGE(kColourSelChange, OnSelChange)
ON_MESSAGE(kColourDropDown, OnDropDown)
ON_MESSAGE(kColourCloseUp, OnCloseUp)
ON_MESSAGE(kColourSelEndOk, OnSelEndOk)
ON_MESSAGE(kColourSelEndCancel, OnSelEndCancel)
END_MESSAGE_MAP()

class ColorButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        lv::testing::clear_answers();
        ASSERT_TRUE(host.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 120,
                                  nullptr, nullptr));
        HWND hwnd = CreateWindowExA(0, "Button", "Start", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20,
                                    20, 90, 30, host.GetSafeHwnd(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                                    nullptr, nullptr);
        ASSERT_TRUE(button.SubclassWindow(hwnd));
        button.SetColor(kStart);
        lv::testing::mouse_move(5, 5);
        pump();
    }
    void TearDown() override {
        lv::testing::clear_answers();
        host.DestroyWindow();
        pump();
    }

    // Clicks the button; the popup that opens, which holds the pointer. Each click lands a
    // little apart from the one before, so that two never make a double click.
    HWND Open() {
        RECT r{};
        GetWindowRect(button.GetSafeHwnd(), &r);
        m_clicks += 1;
        lv::testing::click(r.left + 10 + (m_clicks % 2) * 40, (r.top + r.bottom) / 2);
        pump();
        HWND popup = ::GetCapture();
        EXPECT_NE(popup, nullptr);
        EXPECT_TRUE(button.IsPopupOpen());
        return popup;
    }
    // The popup's layout, from the popup object behind the window.
    static const ColorPopupLayout& LayoutOf(HWND popup) {
        return static_cast<CColorPopup*>(CWnd::FromHandlePermanent(popup))->Layout();
    }
    static POINT MiddleOf(HWND popup, int cell) {
        const RECT r = LayoutOf(popup).Cell(cell);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(popup, &p);
        return p;
    }
    static void Key(int key) {
        lv::testing::key_press(key);
        pump();
    }
    // The colour in the middle of the button's swatch.
    COLORREF Swatch() {
        button.UpdateWindow();
        return lv::testing::window_pixel(button.GetSafeHwnd(), 35, 15);
    }

    Host host;
    CColorButton button;
    int m_clicks = 0;
};

TEST_F(ColorButtonTest, PickingACellTellsTheParentInOrderAndTheButtonShowsIt) {
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_EQ(Swatch(), kStart);
    HWND popup = Open();
    const COLORREF orange = CColorPopup::kColours[9].colour;
    const POINT cell = MiddleOf(popup, 9);
    lv::testing::mouse_move(cell.x, cell.y);
    pump();
    EXPECT_TRUE(lv::testing::save_window_png(popup, lvtest::ScreenshotPath("color_popup.png")));
    lv::testing::click(cell.x, cell.y);
    pump();
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_FALSE(button.IsPopupOpen());
    EXPECT_EQ(button.GetColor(), orange);
    const std::vector<Told> expected = {
        {kColourDropDown, kStart, kButtonId},  {kColourSelChange, orange, kButtonId},
        {kColourCloseUp, orange, kButtonId},   {kColourSelEndOk, orange, kButtonId},
        {kColourSelChange, orange, kButtonId},
    };
    EXPECT_EQ(host.told, expected);
    EXPECT_EQ(Swatch(), orange);
}

TEST_F(ColorButtonTest, TheKeyboardWalksTheCellsAndEnterChooses) {
    HWND popup = Open();
    Key(VK_RIGHT); // cell 0
    Key(VK_RIGHT); // 1
    Key(VK_DOWN);  // 9
    Key(VK_LEFT);  // 8
    EXPECT_EQ(static_cast<CColorPopup*>(CWnd::FromHandlePermanent(popup))->CurrentCell(), 8);
    Key(VK_RETURN);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(button.GetColor(), CColorPopup::kColours[8].colour);
    std::vector<COLORREF> hovered;
    for (const Told& t : host.told)
        if (t.message == kColourSelChange)
            hovered.push_back(t.colour);
    EXPECT_EQ(hovered, (std::vector<COLORREF>{
                           CColorPopup::kColours[0].colour, CColorPopup::kColours[1].colour,
                           CColorPopup::kColours[9].colour, CColorPopup::kColours[8].colour,
                           CColorPopup::kColours[8].colour}));

    // Up from the top row reaches "Automatic": the marker, drawn as the default colour.
    popup = Open();
    Key(VK_RIGHT);
    Key(VK_UP);
    Key(VK_SPACE);
    EXPECT_EQ(button.GetColor(), kAutomaticColour);
    EXPECT_EQ(Swatch(), button.GetDefaultColor());
    EXPECT_EQ(button.GetDefaultColor(), GetSysColor(COLOR_APPWORKSPACE));
}

TEST_F(ColorButtonTest, EnterBeforeAnyCellKeepsTheColour) {
    HWND popup = Open();
    Key(VK_RETURN);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(button.GetColor(), kStart);
    const std::vector<Told> expected = {{kColourDropDown, kStart, kButtonId},
                                        {kColourCloseUp, kStart, kButtonId},
                                        {kColourSelEndOk, kStart, kButtonId}};
    EXPECT_EQ(host.told, expected);
}

TEST_F(ColorButtonTest, EscapeOrAClickOutsideCancelsAndRestoresTheColour) {
    for (bool escape : {true, false}) {
        SCOPED_TRACE(escape);
        host.told.clear();
        HWND popup = Open();
        const POINT cell = MiddleOf(popup, 20);
        lv::testing::mouse_move(cell.x, cell.y);
        pump();
        if (escape)
            Key(VK_ESCAPE);
        else
            lv::testing::click(900, 700);
        pump();
        EXPECT_FALSE(IsWindow(popup));
        EXPECT_EQ(button.GetColor(), kStart);
        ASSERT_EQ(host.told.size(), 4u);
        EXPECT_EQ(host.told[2], (Told{kColourCloseUp, kStart, kButtonId}));
        EXPECT_EQ(host.told[3], (Told{kColourSelEndCancel, kStart, kButtonId}));
    }
}

TEST_F(ColorButtonTest, MoreColorsOpensTheColourDialogFromTheCurrentColour) {
    HWND popup = Open();
    Key(VK_UP);   // from no cell to the last one
    Key(VK_DOWN); // "More Colors..."
    EXPECT_EQ(static_cast<CColorPopup*>(CWnd::FromHandlePermanent(popup))->CurrentCell(),
              kCustomColourCell);
    COLORREF started = 0;
    lv::testing::push_modal_answer(
        {0, [&](HWND dialog) {
             // The popup lies above every window: it must not cover the dialog, which belongs
             // to the button's window so that the keyboard goes back there.
             EXPECT_TRUE(IsWindow(popup));
             EXPECT_FALSE(IsWindowVisible(popup));
             EXPECT_EQ(GetWindow(dialog, GW_OWNER), host.GetSafeHwnd());
             started = RGB(GetDlgItemInt(dialog, kColorDialogRed, nullptr, FALSE),
                           GetDlgItemInt(dialog, kColorDialogGreen, nullptr, FALSE),
                           GetDlgItemInt(dialog, kColorDialogBlue, nullptr, FALSE));
             SetDlgItemInt(dialog, kColorDialogRed, 250, FALSE);
             lv::testing::click_window(GetDlgItem(dialog, IDOK));
         }});
    Key(VK_RETURN);
    EXPECT_EQ(started, kStart);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(button.GetColor(), RGB(250, 0x34, 0x56));
    EXPECT_EQ(host.told.back(), (Told{kColourSelChange, RGB(250, 0x34, 0x56), kButtonId}));

    // Cancelled in the colour dialog: the choice is cancelled.
    host.told.clear();
    popup = Open();
    Key(VK_LEFT);  // from no cell to the last one
    Key(VK_RIGHT); // "More Colors..."
    lv::testing::push_modal_answer({IDCANCEL, {}});
    Key(VK_RETURN);
    EXPECT_EQ(button.GetColor(), RGB(250, 0x34, 0x56));
    EXPECT_EQ(host.told.back().message, kColourSelEndCancel);
}

TEST_F(ColorButtonTest, EachCellShowsItsColoursName) {
    lv::testing::VirtualClockScope clock;
    HWND popup = Open();
    const POINT cell = MiddleOf(popup, 35);
    lv::testing::mouse_move(cell.x, cell.y);
    pump();
    lv::testing::advance(700);
    pump();
    HWND tip = FindWindowA(TOOLTIPS_CLASSA, nullptr);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(IsWindowVisible(tip));
    char text[64] = {};
    GetWindowTextA(tip, text, sizeof text);
    EXPECT_STREQ(text, "Pale green ");
    Key(VK_ESCAPE);
}

} // namespace
