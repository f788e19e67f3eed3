// X errors end no program. Xlib's own handlers call exit() on whichever thread read the error
// (the display thread, whose exit-time join would then wait for itself); the display's handlers
// log a failed request once and let the call that made it fail, and end the program with a
// message when the connection to the display is lost. Only the display's own files see this.
#pragma once

struct _XDisplay; // Xlib's Display

namespace lv::display {

// Puts the display's handlers in place of the ones installed so far. SDL's video start-up
// installs one of its own that hands errors on to the one it found, and puts that one back as
// it shuts down: call before the start-up, so that ours is what it finds, and after it.
void install_x_error_handlers();

// Watches the requests sent on one connection from its construction on.
class XErrorTrap {
public:
    explicit XErrorTrap(_XDisplay* display);
    // Waits until the server has answered every request sent so far; true when one of the
    // requests sent since the trap was made failed.
    bool failed();

private:
    _XDisplay* m_display;
    unsigned long m_first;
};

} // namespace lv::display
