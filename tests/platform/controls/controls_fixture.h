// A top-level parent window that records what its controls tell it.
#pragma once

#include "win32/win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace ctltest {

struct Event {
    UINT message;
    int id;
    int code;  // notification code (WM_COMMAND's high word, NMHDR code, scroll code)
    int value; // WM_VSCROLL's position, NMUPDOWN's iPos
    int delta; // NMUPDOWN's iDelta
    bool operator==(const Event&) const = default;
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND create(LPCSTR class_name, LPCSTR text, DWORD style, int x, int y, int cx, int cy, int id,
                DWORD ex_style = 0);
    // Delivers everything queued for this thread.
    void pump();
    // Events of one message kind, in order.
    std::vector<Event> events(UINT message) const;
    void clear_events();
    POINT screen_point(HWND control, int x, int y) const;

    HWND parent = nullptr;

public:
    static ControlsTest* current;
    std::vector<Event> recorded;
    // Answers WM_NOTIFY; 0 when unset.
    std::function<LRESULT(NMHDR*)> on_notify;
    // What the parent answers for WM_CTLCOLORSTATIC / WM_CTLCOLOREDIT / WM_CTLCOLORBTN.
    HBRUSH ctlcolor_brush = nullptr;
    // Sees WM_HSCROLL / WM_VSCROLL after they are recorded (a parent that moves the bar).
    std::function<void(UINT, WPARAM, LPARAM)> on_scroll;
    // Answers WM_DRAWITEM / WM_MEASUREITEM / WM_DELETEITEM when set.
    std::function<void(UINT, LPARAM)> on_item;
};

} // namespace ctltest
