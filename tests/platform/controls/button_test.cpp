// Buttons and statics driven by injected clicks and keys; what they tell their parent and show.
#include "controls_fixture.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"

namespace {

using ctltest::Event;
namespace input = lv::testing;

class ButtonTest : public ctltest::ControlsTest {
protected:
    void click(HWND control) {
        input::click_window(control);
        pump();
    }
    int clicks(int id) const {
        int n = 0;
        for (const Event& e : events(WM_COMMAND))
            n += e.id == id && e.code == BN_CLICKED;
        return n;
    }
};

TEST_F(ButtonTest, TheStandardClassesAreRegisteredAndSubclassable) {
    for (const char* name : {"Button", "Static", "Edit", "ListBox", "ComboBox", "msctls_updown32",
                             "msctls_progress32", "BUTTON", WC_DIALOG}) {
        WNDCLASSA wc{};
        EXPECT_TRUE(GetClassInfoA(nullptr, name, &wc)) << name;
        EXPECT_NE(wc.lpfnWndProc, nullptr) << name;
    }
    InitCommonControls();
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    EXPECT_TRUE(InitCommonControlsEx(&init));
    init.dwSize = 3;
    EXPECT_FALSE(InitCommonControlsEx(&init));

    static WNDPROC original;
    static int seen_set_check = 0;
    HWND box = create("Button", "Box", BS_AUTOCHECKBOX, 10, 10, 100, 20, 5);
    original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        box, GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == BM_SETCHECK)
                ++seen_set_check;
            return CallWindowProcA(original, h, m, w, l);
        })));
    click(box);
    EXPECT_EQ(seen_set_check, 1); // an auto check box checks itself through the message
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, CheckBoxesFollowTheirKind) {
    struct Case {
        DWORD style;
        std::vector<LRESULT> after_each_click;
    };
    const Case cases[] = {
        {BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED, BST_CHECKED}},
        {BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED}}, // the parent checks it, not the click
        {BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}},
        {BS_PUSHBUTTON, {BST_UNCHECKED}},
    };
    int id = 100;
    for (const Case& c : cases) {
        HWND box = create("Button", "Box", c.style, 10, 10, 100, 20, ++id);
        clear_events();
        for (LRESULT expected : c.after_each_click) {
            click(box);
            EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), expected) << std::hex << c.style;
        }
        EXPECT_EQ(clicks(id), static_cast<int>(c.after_each_click.size())) << std::hex << c.style;
        DestroyWindow(box);
    }
    HWND three = create("Button", "3", BS_3STATE, 10, 10, 100, 20, 150);
    SendMessageA(three, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(SendMessageA(three, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    HWND two = create("Button", "2", BS_CHECKBOX, 10, 40, 100, 20, 151);
    SendMessageA(two, BM_SETCHECK, BST_INDETERMINATE, 0); // two states only
    EXPECT_EQ(SendMessageA(two, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, APressDraggedOutsideIsNoClick) {
    HWND button = create("Button", "Push", BS_PUSHBUTTON, 10, 10, 80, 24, 7);
    const POINT inside = screen_point(button, 40, 12), outside = screen_point(button, 200, 12);
    input::mouse_move(inside.x, inside.y);
    input::mouse_down();
    pump();
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
    EXPECT_EQ(GetFocus(), button);
    input::mouse_move(outside.x, outside.y);
    pump();
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    input::mouse_up();
    pump();
    EXPECT_EQ(clicks(7), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    click(button);
    EXPECT_EQ(clicks(7), 1);
    // The space bar presses it too, BM_CLICK as well; a disabled one ignores BM_CLICK.
    input::key_press(VK_SPACE);
    pump();
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks(7), 3);
    EnableWindow(button, FALSE);
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks(7), 3);
}

TEST_F(ButtonTest, AnAutoRadioButtonClearsTheOthersOfItsGroupOnly) {
    HWND first = create("Button", "A", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 60, 20, 11);
    HWND second = create("Button", "B", BS_AUTORADIOBUTTON, 80, 10, 60, 20, 12);
    HWND third = create("Button", "C", BS_AUTORADIOBUTTON, 150, 10, 60, 20, 13);
    HWND other = create("Button", "D", BS_AUTORADIOBUTTON | WS_GROUP, 10, 40, 60, 20, 14);
    SendMessageA(first, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(third, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);
    click(second);
    EXPECT_EQ(SendMessageA(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(second, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(third, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(other, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(clicks(12), 1);
    // A double click on a radio button is reported as such.
    input::click_window(third);
    input::click_window(third);
    pump();
    bool doubled = false;
    for (const Event& e : events(WM_COMMAND))
        doubled |= e.id == 13 && e.code == BN_DOUBLECLICKED;
    EXPECT_TRUE(doubled);
}

TEST_F(ButtonTest, DialogCodesFollowTheStyle) {
    struct Case {
        DWORD style;
        LRESULT code;
    };
    const Case cases[] = {
        {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {BS_OWNERDRAW, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {BS_AUTOCHECKBOX, DLGC_BUTTON},
        {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_GROUPBOX, DLGC_STATIC},
    };
    for (const Case& c : cases) {
        HWND button = create("Button", "x", c.style, 0, 0, 50, 20, 1);
        EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), c.code) << c.style;
        DestroyWindow(button);
    }
    HWND button = create("Button", "x", BS_PUSHBUTTON, 0, 0, 50, 20, 1);
    SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
}

// The dialog manager makes whichever push button has the focus its default: an owner-drawn
// button must go on drawing itself.
TEST_F(ButtonTest, OwnerDrawnButtonsStayOwnerDrawnAsTheDefault) {
    HWND button = create("Button", "", BS_OWNERDRAW, 10, 10, 60, 30, 21);
    SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    SendMessageA(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    // Another type is still a type change.
    SendMessageA(button, BM_SETSTYLE, BS_AUTOCHECKBOX, TRUE);
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    DestroyWindow(button);
}

TEST_F(ButtonTest, OwnerDrawnButtonsAskTheParentWithTheirState) {
    static std::vector<UINT> states;
    states.clear();
    on_item = [](UINT msg, LPARAM lParam) {
        if (msg != WM_DRAWITEM)
            return;
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        EXPECT_EQ(item->CtlType, ODT_BUTTON);
        EXPECT_EQ(item->CtlID, 21u);
        EXPECT_NE(item->hDC, nullptr);
        states.push_back(item->itemState);
    };
    HWND button = create("Button", "", BS_OWNERDRAW, 10, 10, 60, 30, 21);
    UpdateWindow(button);
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back() & ODS_SELECTED, 0u);
    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    UpdateWindow(button);
    EXPECT_EQ(states.back() & ODS_SELECTED, ODS_SELECTED);
    EnableWindow(button, FALSE);
    UpdateWindow(button);
    EXPECT_EQ(states.back() & ODS_DISABLED, ODS_DISABLED);
}

TEST_F(ButtonTest, ImagesAreKeptPerType) {
    HWND button = create("Button", "", BS_PUSHBUTTON | BS_BITMAP, 10, 10, 60, 30, 22);
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, nullptr);
    EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)), 0);
    EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(bitmap));
    EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0), 0);
    EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(bitmap));
    DestroyWindow(button);
    DeleteObject(bitmap);
}

TEST_F(ButtonTest, PaintingUsesSystemColoursAndTheParentsBrush) {
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    ctlcolor_brush = red;
    HWND push = create("Button", "OK", BS_DEFPUSHBUTTON, 10, 10, 80, 24, 31);
    HWND box = create("Button", "Mute", BS_AUTOCHECKBOX, 10, 50, 120, 20, 32);
    UpdateWindow(parent);
    UpdateWindow(push);
    UpdateWindow(box);
    const auto pixel = [&](HWND control, int x, int y) {
        const POINT p = screen_point(control, x, y);
        RECT frame{};
        GetWindowRect(parent, &frame);
        return input::window_pixel(parent, p.x - frame.left, p.y - frame.top);
    };
    EXPECT_EQ(pixel(push, 0, 0), GetSysColor(COLOR_WINDOWFRAME)); // the default button's frame
    EXPECT_EQ(pixel(push, 6, 20), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixel(box, 118, 2), RGB(255, 0, 0)); // WM_CTLCOLORSTATIC's brush behind the label
    EXPECT_EQ(pixel(box, 6, 10), GetSysColor(COLOR_WINDOW)); // inside the check square
    ctlcolor_brush = nullptr;
    DestroyWindow(push);
    DestroyWindow(box);
    DeleteObject(red);
}

TEST_F(ButtonTest, StaticsNotifyOnlyWithSsNotifyAndKeepTheirImages) {
    HWND quiet = create("Static", "Label", SS_LEFT, 10, 10, 80, 16, 41);
    HWND told = create("Static", "Link", SS_LEFT | SS_NOTIFY, 10, 40, 80, 16, 42);
    click(quiet);
    click(told);
    EXPECT_EQ(events(WM_COMMAND), (std::vector<Event>{{WM_COMMAND, 42, STN_CLICKED, 0, 0}}));
    EXPECT_EQ(SendMessageA(quiet, WM_GETDLGCODE, 0, 0), DLGC_STATIC);

    HWND icon_static = create("Static", "", SS_ICON, 100, 10, 32, 32, 43);
    auto icon = reinterpret_cast<HICON>(static_cast<ULONG_PTR>(0x1234));
    EXPECT_EQ(SendMessageA(icon_static, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0), 0);
    EXPECT_EQ(SendMessageA(icon_static, STM_GETICON, 0, 0), reinterpret_cast<LRESULT>(icon));
    EXPECT_EQ(SendMessageA(icon_static, STM_GETIMAGE, IMAGE_ICON, 0),
              reinterpret_cast<LRESULT>(icon));
    EXPECT_EQ(SendMessageA(icon_static, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_EQ(SendMessageA(icon_static, STM_SETIMAGE, IMAGE_CURSOR + 7, 1), 0);
}

TEST_F(ButtonTest, StaticShapesAndTextPaint) {
    HWND line = create("Static", "", SS_ETCHEDHORZ, 10, 10, 100, 2, 51);
    HWND black = create("Static", "", SS_BLACKRECT, 10, 20, 20, 20, 52);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    ctlcolor_brush = blue;
    HWND label = create("Static", "Version", SS_LEFT | SS_NOPREFIX, 10, 50, 120, 16, 53);
    UpdateWindow(parent);
    for (HWND c : {line, black, label})
        UpdateWindow(c);
    RECT frame{};
    GetWindowRect(parent, &frame);
    const auto pixel = [&](HWND control, int x, int y) {
        const POINT p = screen_point(control, x, y);
        return input::window_pixel(parent, p.x - frame.left, p.y - frame.top);
    };
    EXPECT_EQ(pixel(line, 50, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(pixel(line, 50, 1), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(pixel(black, 10, 10), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(pixel(label, 118, 14), RGB(0, 0, 255));
    ctlcolor_brush = nullptr;
    DestroyWindow(label);
    DeleteObject(blue);
}

} // namespace
