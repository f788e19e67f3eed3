#include "net/online_state.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const char* kHeader =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

TEST(OnlineState, RouteTables) {
    struct Case {
        std::string rows;
        bool online;
    } cases[] = {
        {"", false},
        {"lo\t0000007F\t00000000\t0001\t0\t0\t0\t000000FF\t0\t0\t0\n", false},
        {"eth0\t00000000\t0102A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n", true},
        {"wlan0\t0002A8C0\t00000000\t0001\t0\t0\t600\t00FFFFFF\t0\t0\t0\n", true},
        {"eth0\t00000000\t0102A8C0\t0002\t0\t0\t100\t00000000\t0\t0\t0\n", false}, // not up
        {"garbage line\n", false},
    };
    for (const auto& test : cases)
        EXPECT_EQ(lv::route_table_has_outside_route(kHeader + test.rows), test.online) << test.rows;
    EXPECT_FALSE(lv::route_table_has_outside_route(""));
}

TEST(OnlineState, TheEnvironmentForcesTheAnswer) {
    DWORD flags = 0;
    ::setenv("LUMIVISTA_ONLINE", "1", 1);
    EXPECT_TRUE(InternetGetConnectedState(&flags, 0));
    EXPECT_NE(flags & INTERNET_CONNECTION_LAN, 0u);
    ::setenv("LUMIVISTA_ONLINE", "0", 1);
    EXPECT_FALSE(InternetGetConnectedState(&flags, 0));
    EXPECT_EQ(flags, INTERNET_CONNECTION_OFFLINE);
    EXPECT_FALSE(InternetGetConnectedState(nullptr, 0));
    ::unsetenv("LUMIVISTA_ONLINE");
    // Unforced, the answer is the machine's: it only has to be consistent with the flags.
    BOOL online = InternetGetConnectedState(&flags, 0);
    EXPECT_EQ(online != FALSE, (flags & INTERNET_CONNECTION_LAN) != 0);
}

} // namespace
