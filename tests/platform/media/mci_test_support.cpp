#include "tests/platform/media/mci_test_support.h"

#include "media/notify_poster.h"

#include <mutex>
#include <thread>

namespace lvtest {

namespace {

std::mutex g_lock;
std::vector<PostedNotice> g_notices;

bool record(void* hwnd, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    std::lock_guard<std::mutex> guard(g_lock);
    g_notices.push_back({hwnd, msg, wparam, lparam});
    return true;
}

} // namespace

NoticeRecorder::NoticeRecorder() {
    {
        std::lock_guard<std::mutex> guard(g_lock);
        g_notices.clear();
    }
    lv::media::set_notify_poster(&record);
}

NoticeRecorder::~NoticeRecorder() {
    lv::media::set_notify_poster(nullptr);
}

std::vector<PostedNotice> NoticeRecorder::notices() const {
    std::lock_guard<std::mutex> guard(g_lock);
    return g_notices;
}

bool NoticeRecorder::wait_for(std::size_t count, std::chrono::milliseconds timeout) const {
    return wait_until([&] { return notices().size() >= count; }, timeout);
}

void* fake_window(std::uintptr_t n) {
    return reinterpret_cast<void*>(0x1000 + n * 0x10);
}

MCIERROR open_track(const std::string& path, MCIDEVICEID& id) {
    MCI_OPEN_PARMSA parms{};
    parms.lpstrDeviceType = "MPEGVideo";
    parms.lpstrElementName = path.c_str();
    MCIERROR result = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                                      reinterpret_cast<DWORD_PTR>(&parms));
    id = parms.wDeviceID;
    return result;
}

DWORD_PTR status_item(MCIDEVICEID id, DWORD item) {
    MCI_STATUS_PARMS parms{};
    parms.dwItem = item;
    if (mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&parms)) != 0)
        return static_cast<DWORD_PTR>(-1);
    return parms.dwReturn;
}

MCIERROR play(MCIDEVICEID id, DWORD flags, DWORD from, DWORD to, void* hwnd) {
    MCI_PLAY_PARMS parms{};
    parms.dwCallback = reinterpret_cast<DWORD_PTR>(hwnd);
    parms.dwFrom = from;
    parms.dwTo = to;
    return mciSendCommandA(id, MCI_PLAY, flags, reinterpret_cast<DWORD_PTR>(&parms));
}

MCIERROR simple_command(MCIDEVICEID id, UINT message, DWORD flags) {
    MCI_GENERIC_PARMS parms{};
    return mciSendCommandA(id, message, flags, reinterpret_cast<DWORD_PTR>(&parms));
}

bool wait_until(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace lvtest
