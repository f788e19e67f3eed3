#include "tests/platform/media/mci_test_support.h"

#include "media/notify_poster.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace lvtest {

namespace {

std::mutex g_lock;
std::condition_variable g_noticed;
std::vector<PostedNotice> g_notices;

bool record(void* hwnd, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    {
        std::lock_guard<std::mutex> guard(g_lock);
        g_notices.push_back({hwnd, msg, wparam, lparam});
    }
    g_noticed.notify_all();
    return true;
}

// What the mixer has produced while a test watches: bytes of sound (silence included), counted
// by an effect after everything else is mixed.
std::mutex g_mix_lock;
std::condition_variable g_mixed_more;
std::uint64_t g_mixed_bytes = 0;

void count_mixed(int, void*, int length, void*) {
    {
        std::lock_guard<std::mutex> guard(g_mix_lock);
        g_mixed_bytes += static_cast<std::uint64_t>(std::max(length, 0));
    }
    g_mixed_more.notify_all();
}

// Counts the mixer's output for its lifetime; false from Watching() when no device is open.
class MixWatch {
public:
    MixWatch() {
        int rate = 0, channels = 0;
        Uint16 format = 0;
        if (Mix_QuerySpec(&rate, &format, &channels) == 0)
            return;
        m_bytes_per_ms =
            static_cast<double>(rate) * channels * (SDL_AUDIO_BITSIZE(format) / 8) / 1000.0;
        m_watching = Mix_RegisterEffect(MIX_CHANNEL_POST, count_mixed, nullptr, nullptr) != 0;
        std::lock_guard<std::mutex> guard(g_mix_lock);
        m_start = g_mixed_bytes;
    }
    ~MixWatch() {
        if (m_watching)
            Mix_UnregisterEffect(MIX_CHANNEL_POST, count_mixed);
    }
    MixWatch(const MixWatch&) = delete;
    MixWatch& operator=(const MixWatch&) = delete;
    bool Watching() const { return m_watching; }
    // Blocks until the mixer has produced `sound` more since the watch began, or `limit` of
    // real time passed; whether it had.
    bool WaitFor(std::chrono::milliseconds sound, std::chrono::milliseconds limit) const {
        const auto wanted = static_cast<std::uint64_t>(m_bytes_per_ms * sound.count());
        std::unique_lock<std::mutex> lock(g_mix_lock);
        return g_mixed_more.wait_for(lock, limit,
                                     [&] { return g_mixed_bytes - m_start >= wanted; });
    }
    // Blocks until the mixer produces its next buffer, or `limit` passes.
    void WaitForNext(std::chrono::milliseconds limit) const {
        std::unique_lock<std::mutex> lock(g_mix_lock);
        const std::uint64_t now = g_mixed_bytes;
        g_mixed_more.wait_for(lock, limit, [&] { return g_mixed_bytes != now; });
    }

private:
    bool m_watching = false;
    double m_bytes_per_ms = 0;
    std::uint64_t m_start = 0;
};

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
    std::unique_lock<std::mutex> lock(g_lock);
    return g_noticed.wait_for(lock, timeout, [&] { return g_notices.size() >= count; });
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
    // What a play shows changes as the mixer produces sound: asked again after each buffer
    // (and now and then without one, for a device that is not open).
    const MixWatch watch;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        watch.WaitForNext(std::chrono::milliseconds(50));
    }
    return true;
}

bool wait_for_mixed(std::chrono::milliseconds sound) {
    const MixWatch watch;
    return watch.Watching() && watch.WaitFor(sound, std::chrono::seconds(20));
}

} // namespace lvtest
