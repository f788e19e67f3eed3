// Sends across threads: delivered on the owner thread while the sender waits and serves
// sends made to it, so nested sends in both directions do not deadlock.
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

namespace {

constexpr UINT kAsk = WM_USER + 1;      // answered with wParam + 1 on the owner thread
constexpr UINT kCallBack = WM_USER + 2; // the owner sends kAsk back to the window in lParam
constexpr UINT kStop = WM_USER + 3;

std::atomic<DWORD> g_seen_thread{0};

LRESULT CALLBACK answering_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kAsk:
        g_seen_thread = wintest::current_thread();
        return static_cast<LRESULT>(wParam + 1);
    case kCallBack:
        // Nested: answered only if the waiting sender serves our send.
        return SendMessageA(reinterpret_cast<HWND>(lParam), kAsk, wParam * 10, 0) + 1000;
    case kStop:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void register_class() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = answering_proc;
    wc.lpszClassName = "Answering";
    RegisterClassA(&wc);
}

HWND make_window() {
    return CreateWindowExA(0, "Answering", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
}

// A thread that owns a window and pumps messages until told to stop.
class PumpingThread {
public:
    PumpingThread() {
        m_thread = std::thread([this] {
            m_id = wintest::current_thread();
            m_window = make_window();
            m_ready = true;
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0)
                DispatchMessageA(&msg);
            DestroyWindow(m_window);
        });
        while (!m_ready)
            std::this_thread::yield();
    }
    ~PumpingThread() {
        PostMessageA(m_window, kStop, 0, 0);
        m_thread.join();
    }
    HWND window() const { return m_window; }
    DWORD id() const { return m_id; }

private:
    std::thread m_thread;
    std::atomic<bool> m_ready{false};
    HWND m_window = nullptr;
    DWORD m_id = 0;
};

TEST(CrossThreadSend, RunsOnTheOwnerThreadAndReturnsItsResult) {
    register_class();
    PumpingThread owner;
    EXPECT_EQ(SendMessageA(owner.window(), kAsk, 41, 0), 42);
    EXPECT_EQ(g_seen_thread.load(), owner.id());
}

TEST(CrossThreadSend, NestedSendBackToTheWaitingThreadIsServed) {
    register_class();
    PumpingThread owner;
    HWND mine = make_window();
    // The owner's handler sends to our window while we wait for its answer.
    EXPECT_EQ(SendMessageA(owner.window(), kCallBack, 4, reinterpret_cast<LPARAM>(mine)),
              41 + 1000);
    EXPECT_EQ(g_seen_thread.load(), wintest::current_thread());
    DestroyWindow(mine);
}

TEST(CrossThreadSend, BothDirectionsAtOnceDoNotDeadlock) {
    register_class();
    PumpingThread a;
    PumpingThread b;
    std::atomic<int> done{0};
    std::thread ab([&] {
        for (int i = 0; i < 50; ++i)
            EXPECT_EQ(SendMessageA(a.window(), kCallBack, 1, reinterpret_cast<LPARAM>(b.window())),
                      11 + 1000);
        ++done;
    });
    std::thread ba([&] {
        for (int i = 0; i < 50; ++i)
            EXPECT_EQ(SendMessageA(b.window(), kCallBack, 2, reinterpret_cast<LPARAM>(a.window())),
                      21 + 1000);
        ++done;
    });
    ab.join();
    ba.join();
    EXPECT_EQ(done.load(), 2);
}

TEST(CrossThreadSend, SentMessagesComeBeforePostedOnes) {
    register_class();
    HWND mine = make_window();
    std::vector<UINT> order;
    PostMessageA(mine, kAsk, 0, 0);
    std::thread sender([&] { SendMessageA(mine, kAsk, 1, 0); });
    // Wait until the send is queued, then look at the queue once.
    ASSERT_TRUE(wintest::wait_for_send());
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    // The send was served inside PeekMessage, before the posted message came back.
    EXPECT_EQ(msg.message, kAsk);
    EXPECT_EQ(msg.wParam, 0u);
    sender.join();
    DestroyWindow(mine);
}

TEST(CrossThreadSend, SenderIsReleasedWhenTheOwnerThreadEnds) {
    register_class();
    std::promise<HWND> made;
    std::thread owner([&] {
        made.set_value(make_window());
        // Ends without pumping once the send waits: the queued send is answered with 0.
        EXPECT_TRUE(wintest::wait_for_send());
    });
    const HWND window = made.get_future().get();
    std::thread sender([&] { EXPECT_EQ(SendMessageA(window, kAsk, 5, 0), 0); });
    owner.join();
    sender.join();
}

TEST(CrossThreadSend, TimeoutAndNotifyDoNotWait) {
    register_class();
    std::atomic<HWND> window{nullptr};
    std::atomic<bool> release{false};
    std::thread owner([&] {
        window = make_window();
        while (!release)
            std::this_thread::yield();
        wintest::pump();
    });
    while (!window)
        std::this_thread::yield();
    DWORD_PTR result = 99;
    EXPECT_EQ(SendMessageTimeoutA(window, kAsk, 1, 0, SMTO_NORMAL, 20, &result), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
    EXPECT_TRUE(SendNotifyMessageA(window, kAsk, 2, 0));
    release = true;
    owner.join();
}

TEST(PostedMessages, FiltersAndQuit) {
    register_class();
    HWND w = make_window();
    PostMessageA(w, WM_USER + 10, 0, 0);
    PostMessageA(w, WM_USER + 20, 0, 0);
    PostThreadMessageA(wintest::current_thread(), WM_USER + 30, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 20, WM_USER + 25, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 20u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 20, WM_USER + 25, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 30u); // thread messages only
    EXPECT_EQ(msg.hwnd, nullptr);
    PostQuitMessage(3);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 10u); // posted messages come before the quit
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    DestroyWindow(w);
}

TEST(PostedMessages, TranslateMakesCharactersFromKeys) {
    register_class();
    HWND w = make_window();
    MSG key{w, WM_KEYDOWN, 'A', 0x001E0001, 0, {}};
    EXPECT_TRUE(TranslateMessage(&key));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, w, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_CHAR);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('a'));
    MSG arrow{w, WM_KEYDOWN, VK_LEFT, 0, 0, {}};
    EXPECT_FALSE(TranslateMessage(&arrow));
    DestroyWindow(w);
}

} // namespace

namespace {

TEST(ThreadEnd, WindowsAndHooksOfAnEndedThreadAreGone) {
    register_class();
    HWND window = nullptr;
    HHOOK hook = nullptr;
    std::thread([&] {
        window = make_window();
        hook = SetWindowsHookExA(
            WH_MSGFILTER, [](int, WPARAM, LPARAM) -> LRESULT { return 0; }, nullptr,
            GetCurrentThreadId());
    }).join();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(UnhookWindowsHookEx(hook));
    EXPECT_EQ(SendMessageA(window, kAsk, 1, 0), 0);
}

} // namespace
