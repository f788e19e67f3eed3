#include "controls_fixture.h"

namespace ctltest {

ControlsTest* ControlsTest::current = nullptr;

namespace {

LRESULT CALLBACK parent_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ControlsTest* test = ControlsTest::current;
    if (!test)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_COMMAND:
        test->recorded.push_back({msg, LOWORD(wParam), HIWORD(wParam), 0, 0});
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        Event e{msg, static_cast<int>(header->idFrom), static_cast<int>(header->code), 0, 0};
        if (header->code == UDN_DELTAPOS) {
            auto* change = reinterpret_cast<NMUPDOWN*>(lParam);
            e.value = change->iPos;
            e.delta = change->iDelta;
        }
        test->recorded.push_back(e);
        return test->on_notify ? test->on_notify(header) : 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
        test->recorded.push_back({msg, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), LOWORD(wParam),
                                  static_cast<short>(HIWORD(wParam)), 0});
        if (test->on_scroll)
            test->on_scroll(msg, wParam, lParam);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (test->ctlcolor_brush)
            return reinterpret_cast<LRESULT>(test->ctlcolor_brush);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
        test->recorded.push_back({msg, static_cast<int>(wParam), 0, 0, 0});
        if (test->on_item) {
            test->on_item(msg, lParam);
            return TRUE;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void ControlsTest::SetUp() {
    current = this;
    WNDCLASSA wc{};
    wc.lpfnWndProc = parent_proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_3DFACE + 1));
    wc.lpszClassName = "ControlsParent";
    RegisterClassA(&wc);
    parent = CreateWindowExA(0, "ControlsParent", "Controls", WS_POPUP | WS_VISIBLE, 20, 20, 500,
                             400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    pump();
}

void ControlsTest::TearDown() {
    DestroyWindow(parent);
    pump();
    current = nullptr;
}

HWND ControlsTest::create(LPCSTR class_name, LPCSTR text, DWORD style, int x, int y, int cx, int cy,
                          int id, DWORD ex_style) {
    HWND control = CreateWindowExA(
        ex_style, class_name, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent,
        reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(id)), nullptr, nullptr);
    EXPECT_NE(control, nullptr) << class_name;
    return control;
}

void ControlsTest::pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::vector<Event> ControlsTest::events(UINT message) const {
    std::vector<Event> out;
    for (const Event& e : recorded)
        if (e.message == message)
            out.push_back(e);
    return out;
}

void ControlsTest::clear_events() {
    recorded.clear();
}

POINT ControlsTest::screen_point(HWND control, int x, int y) const {
    POINT p{x, y};
    ClientToScreen(control, &p);
    return p;
}

} // namespace ctltest
