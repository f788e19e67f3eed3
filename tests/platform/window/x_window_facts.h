// What a window manager reads of a window, read through Xlib the way a window manager does, and
// the manager itself started on the test's display. Kept apart so that no X header meets the
// platform's own names.
#pragma once

#include <string>
#include <vector>

struct _XDisplay; // Xlib's Display

namespace xfacts {

struct WindowFacts {
    bool found = false;
    std::string type;                // _NET_WM_WINDOW_TYPE, first value, without the prefix
    std::vector<std::string> states; // _NET_WM_STATE, without the prefix
    unsigned long transient_for = 0; // WM_TRANSIENT_FOR
    bool override_redirect = false;
    bool undecorated = false;   // _MOTIF_WM_HINTS asks for no decoration
    bool user_position = false; // WM_NORMAL_HINTS: USPosition
    bool fixed_size = false;    // WM_NORMAL_HINTS: min size = max size
    bool has_state(const std::string& state) const;
};

// The facts of a window given by its id (as xdotool prints it).
WindowFacts facts_of(const std::string& window);
// The window that has the keyboard focus, as the X server says (0: none).
unsigned long focused_window();
// The window the manager calls active (the root's _NET_ACTIVE_WINDOW; 0: none or no manager).
unsigned long active_window();
// The id xdotool prints for a window as a number.
unsigned long id_of(const std::string& window);

// The requests to activate a window (_NET_ACTIVE_WINDOW client messages to the root) that any
// client sends from the watch's construction on, as a manager receives them.
class ActivationRequests {
public:
    ActivationRequests();
    ~ActivationRequests();
    ActivationRequests(const ActivationRequests&) = delete;
    ActivationRequests& operator=(const ActivationRequests&) = delete;
    // Waits up to `seconds` for a request to activate this window; its source indication
    // (1: an application, 2: a pager), or -1 when none came.
    long wait_for(unsigned long window, int seconds = 20);

private:
    _XDisplay* m_display; // a connection of the watch's own
};

// Whether the keyboard focus went to no window at all (FocusIn on the root with no detail) at
// some moment from the watch's construction on: a key typed then is dropped by the server.
class KeyboardGoneNowhere {
public:
    KeyboardGoneNowhere();
    ~KeyboardGoneNowhere();
    KeyboardGoneNowhere(const KeyboardGoneNowhere&) = delete;
    KeyboardGoneNowhere& operator=(const KeyboardGoneNowhere&) = delete;
    // Whether it did, up to everything the server has done by now.
    bool happened();

private:
    _XDisplay* m_display; // a connection of the watch's own
    bool m_happened = false;
};

// Whether a window manager runs: the root names the manager's check window and that window
// exists (a manager that ended leaves the root's property behind).
bool manager_running();

// Sends a request on a destroyed window over a connection of the test's own and waits for the
// server's answer; true when the display's error trap saw the failure. A program whose X
// errors were still Xlib's would have ended here.
bool bad_request_is_survived_and_reported();

// Sends a request on a destroyed window over a connection of the test's own as the process
// ends, after the display has shut down, and waits for the server's refusal.
void make_a_refused_request_at_exit();

} // namespace xfacts
