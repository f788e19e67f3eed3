// The IP address control: its address, typing across the fields, ranges, notifications.
#include "controls_fixture.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"

#include <string>

namespace {

using ctltest::Event;
namespace input = lv::testing;

class IpAddressTest : public ctltest::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        ip = create("SysIPAddress32", "", WS_TABSTOP, 10, 10, 160, 22, 1080, WS_EX_CLIENTEDGE);
        other = create("Edit", "", WS_TABSTOP | WS_BORDER, 10, 50, 100, 22, 1081);
        pump();
        clear_events();
    }
    DWORD address(int* filled = nullptr) const {
        DWORD value = 0;
        const int n =
            static_cast<int>(SendMessageA(ip, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value)));
        if (filled)
            *filled = n;
        return value;
    }
    std::string dotted() const {
        char text[32] = {};
        GetWindowTextA(ip, text, sizeof text);
        return text;
    }

    HWND ip = nullptr;
    HWND other = nullptr;
};

TEST_F(IpAddressTest, TheAddressGoesInAndComesOut) {
    int filled = -1;
    EXPECT_TRUE(SendMessageA(ip, IPM_ISBLANK, 0, 0));
    EXPECT_EQ(address(&filled), 0u);
    EXPECT_EQ(filled, 0);
    SendMessageA(ip, IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 20));
    EXPECT_EQ(address(&filled), static_cast<DWORD>(MAKEIPADDRESS(192, 168, 1, 20)));
    EXPECT_EQ(filled, 4);
    EXPECT_EQ(dotted(), "192.168.1.20");
    EXPECT_FALSE(SendMessageA(ip, IPM_ISBLANK, 0, 0));
    SetWindowTextA(ip, "10.0.300.1");
    EXPECT_EQ(dotted(), "10.0.255.1");
    SendMessageA(ip, IPM_CLEARADDRESS, 0, 0);
    EXPECT_TRUE(SendMessageA(ip, IPM_ISBLANK, 0, 0));
    EXPECT_FALSE(SendMessageA(ip, IPM_SETRANGE, 4, MAKEIPRANGE(0, 10)));
    EXPECT_FALSE(SendMessageA(ip, IPM_SETRANGE, 0, MAKEIPRANGE(20, 10)));
    EXPECT_TRUE(SendMessageA(ip, IPM_SETRANGE, 0, MAKEIPRANGE(1, 126)));
}

TEST_F(IpAddressTest, TypingMovesAcrossTheFieldsAndTellsTheParent) {
    SetFocus(ip);
    pump();
    ASSERT_TRUE(input::type_text("172.16.5"));
    input::key_press(VK_RIGHT); // at the end of a field: on to the next one
    ASSERT_TRUE(input::type_text("99"));
    pump();
    EXPECT_EQ(dotted(), "172.16.5.99");
    int filled = 0;
    address(&filled);
    EXPECT_EQ(filled, 4);
    int changes = 0;
    for (const Event& e : events(WM_COMMAND))
        changes += e.id == 1080 && e.code == EN_CHANGE;
    EXPECT_EQ(changes, 8); // one for each digit typed; a dot in an empty field is dropped
    // Backspace at the start of a field goes back into the one before.
    input::key_press(VK_BACK);
    input::key_press(VK_BACK);
    input::key_press(VK_BACK);
    ASSERT_TRUE(input::type_text("7"));
    pump();
    EXPECT_EQ(dotted(), "172.16.57.0");
}

TEST_F(IpAddressTest, ALeftFieldIsKeptInItsRangeAndThePartCanChangeIt) {
    SendMessageA(ip, IPM_SETRANGE, 0, MAKEIPRANGE(1, 126));
    std::vector<std::pair<int, int>> fields;
    on_notify = [&](NMHDR* note) -> LRESULT {
        if (note->code == IPN_FIELDCHANGED) {
            auto* change = reinterpret_cast<NMIPADDRESS*>(note);
            fields.emplace_back(change->iField, change->iValue);
            if (change->iField == 1)
                change->iValue = 42;
        }
        return 0;
    };
    SetFocus(ip);
    pump();
    ASSERT_TRUE(input::type_text("200.7"));
    pump();
    SetFocus(other);
    pump();
    EXPECT_EQ(dotted(), "126.42.0.0");
    EXPECT_EQ(fields, (std::vector<std::pair<int, int>>{{0, 126}, {1, 7}}));
    // The control as a whole got and lost the focus once.
    int gained = 0, lost = 0;
    for (const Event& e : events(WM_COMMAND)) {
        gained += e.id == 1080 && e.code == EN_SETFOCUS;
        lost += e.id == 1080 && e.code == EN_KILLFOCUS;
    }
    EXPECT_EQ(gained, 1);
    EXPECT_EQ(lost, 1);
}

TEST_F(IpAddressTest, TheParentsBrushPaintsTheWholeControl) {
    ctlcolor_brush = CreateSolidBrush(RGB(255, 0, 255));
    InvalidateRect(ip, nullptr, TRUE);
    RedrawWindow(ip, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump();
    RECT client{};
    GetClientRect(ip, &client);
    for (const POINT p : {POINT{3, 3}, POINT{client.right / 2, 2}, POINT{client.right - 3, 3}}) {
        POINT screen = p;
        MapWindowPoints(ip, nullptr, &screen, 1);
        EXPECT_EQ(input::screen_pixel(screen.x, screen.y), RGB(255, 0, 255)) << p.x;
    }
    DestroyWindow(ip);
    DeleteObject(ctlcolor_brush);
    ctlcolor_brush = nullptr;
}

} // namespace
