// Helpers for tests of the MCI device: opening tracks, reading status items, waiting for the
// mixer, and a recorder that stands in for the window manager's PostMessage.
#pragma once

#include "win32/media.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lvtest {

struct PostedNotice {
    void* hwnd;
    unsigned msg;
    std::uintptr_t wparam;
    std::intptr_t lparam;
};

// Installs itself as the notification poster for its lifetime.
class NoticeRecorder {
public:
    NoticeRecorder();
    ~NoticeRecorder();
    NoticeRecorder(const NoticeRecorder&) = delete;
    NoticeRecorder& operator=(const NoticeRecorder&) = delete;

    std::vector<PostedNotice> notices() const;
    bool wait_for(std::size_t count,
                  std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;
};

// A window handle value for notifications; nothing dereferences it.
void* fake_window(std::uintptr_t n);

MCIERROR open_track(const std::string& path, MCIDEVICEID& id);
DWORD_PTR status_item(MCIDEVICEID id, DWORD item);
MCIERROR play(MCIDEVICEID id, DWORD flags = 0, DWORD from = 0, DWORD to = 0, void* hwnd = nullptr);
MCIERROR simple_command(MCIDEVICEID id, UINT message, DWORD flags = 0);

bool wait_until(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::seconds(5));
// Blocks until the mixer has produced this much more sound (silence included), so that a play
// that should not move has had the time to; false when no device is open or it never came.
bool wait_for_mixed(std::chrono::milliseconds sound);

} // namespace lvtest
