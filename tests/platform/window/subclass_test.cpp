// Subclassing through the window procedure slot: chains and restoring in any order.
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

std::vector<char> g_trace;
WNDPROC g_saved[3] = {};

template <int N> LRESULT CALLBACK link(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER)
        g_trace.push_back(static_cast<char>('A' + N));
    return CallWindowProcA(g_saved[N], hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK base(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) {
        g_trace.push_back('O');
        return 7;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

constexpr WNDPROC kLinks[3] = {link<0>, link<1>, link<2>};

struct RestoreCase {
    const char* name;
    std::vector<int> restore_order;  // which links put back their saved procedure, in order
    std::vector<std::string> traces; // what a message reaches after each restore
};

void PrintTo(const RestoreCase& c, std::ostream* os) {
    *os << c.name;
}

class SubclassChain : public ::testing::TestWithParam<RestoreCase> {};

std::string send_and_trace(HWND w) {
    g_trace.clear();
    EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 7);
    return std::string(g_trace.begin(), g_trace.end());
}

// Each link saves what the slot held and later writes it back: the slot is a plain value, so a
// link that restores out of order cuts the links installed after it out of the chain.
TEST_P(SubclassChain, RestoringInAnyOrderBehavesAsTheSlotValueSays) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = base;
    wc.lpszClassName = "SubclassBase";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, "SubclassBase", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_TRUE(w);
    for (int i = 0; i < 3; ++i)
        g_saved[i] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kLinks[i])));
    EXPECT_EQ(send_and_trace(w), "CBAO");
    const RestoreCase& c = GetParam();
    for (size_t step = 0; step < c.restore_order.size(); ++step) {
        int who = c.restore_order[step];
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_saved[who]));
        EXPECT_EQ(send_and_trace(w), c.traces[step]) << "after link " << who << " restored";
    }
    DestroyWindow(w);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, SubclassChain,
    ::testing::Values(RestoreCase{"newest_first", {2, 1, 0}, {"BAO", "AO", "O"}},
                      RestoreCase{"middle_first", {1, 2, 0}, {"AO", "BAO", "O"}},
                      RestoreCase{"oldest_first", {0, 2, 1}, {"O", "BAO", "AO"}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Subclass, ClassProcedureStaysWhenTheWindowIsSubclassed) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = base;
    wc.lpszClassName = "SubclassClassProc";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, "SubclassClassProc", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             nullptr, nullptr);
    g_saved[0] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kLinks[0])));
    EXPECT_EQ(g_saved[0], base);
    EXPECT_EQ(GetClassLongPtrA(w, GCL_WNDPROC), reinterpret_cast<ULONG_PTR>(base));
    EXPECT_EQ(send_and_trace(w), "AO");
    DestroyWindow(w);
}

} // namespace
