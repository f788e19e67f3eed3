// The window manager's per-frame work: composing the screen from overlapping windows (once per
// display frame with a real display) and a message round trip across threads (the worker's
// sends while a transition runs). Composition is reported in screen pixels per second, beside
// memcpy of the same bytes.
#include "display/compositor.h"
#include "win32/win32.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

namespace {

LRESULT CALLBACK plain(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER)
        return static_cast<LRESULT>(wParam + 1);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND make_window(int x, int y, int w, int h) {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = plain;
        wc.lpszClassName = "BenchWindow";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_WINDOW + 1));
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExA(0, "BenchWindow", "", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr,
                           nullptr, nullptr, nullptr);
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

void BM_ComposeScreen(benchmark::State& state) {
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    std::vector<HWND> windows = {make_window(0, 0, w, h), make_window(100, 100, w / 2, h / 2),
                                 make_window(w / 3, h / 3, w / 2, h / 2)};
    HRGN round = CreateEllipticRgn(0, 0, w / 2, h / 2);
    SetWindowRgn(windows[2], round, TRUE);
    pump();
    for (auto _ : state)
        lv::display::compose_screen();
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(w) * h);
    for (HWND hwnd : windows)
        DestroyWindow(hwnd);
}
BENCHMARK(BM_ComposeScreen)->Unit(benchmark::kMillisecond);

void BM_CopyScreenBytes(benchmark::State& state) {
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    std::vector<std::uint32_t> a(static_cast<size_t>(w) * h, 1), b(a.size());
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size() * sizeof(a[0]));
        benchmark::DoNotOptimize(b.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(w) * h);
}
BENCHMARK(BM_CopyScreenBytes)->Unit(benchmark::kMillisecond);

void BM_CrossThreadSend(benchmark::State& state) {
    std::atomic<HWND> target{nullptr};
    std::atomic<bool> stop{false};
    std::thread owner([&] {
        target = make_window(0, 0, 1, 1);
        while (!stop) {
            MSG msg;
            if (GetMessageA(&msg, nullptr, 0, 0) <= 0)
                break;
            DispatchMessageA(&msg);
        }
        DestroyWindow(target);
    });
    while (!target)
        std::this_thread::yield();
    for (auto _ : state)
        benchmark::DoNotOptimize(SendMessageA(target, WM_USER, 1, 0));
    stop = true;
    PostMessageA(target, WM_NULL, 0, 0);
    owner.join();
}
BENCHMARK(BM_CrossThreadSend);

} // namespace
