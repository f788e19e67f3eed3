#include "net/online_state.h"

#include "win32/net.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace lv {

bool route_table_has_outside_route(std::string_view route_table) {
    constexpr unsigned long kRouteUp = 0x0001;
    std::istringstream lines{std::string(route_table)};
    std::string line;
    std::getline(lines, line); // the header
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string interface_name, destination, gateway, flags;
        if (!(fields >> interface_name >> destination >> gateway >> flags))
            continue;
        if (interface_name == "lo")
            continue;
        char* end = nullptr;
        unsigned long value = std::strtoul(flags.c_str(), &end, 16);
        if (end != flags.c_str() && (value & kRouteUp))
            return true;
    }
    return false;
}

} // namespace lv

BOOL InternetGetConnectedState(LPDWORD flags, DWORD reserved) {
    bool online = false;
    const char* forced = std::getenv("LUMIVISTA_ONLINE");
    if (forced && (forced[0] == '0' || forced[0] == '1') && forced[1] == 0) {
        online = forced[0] == '1';
    } else {
        std::ifstream in("/proc/net/route");
        std::stringstream text;
        text << in.rdbuf();
        online = lv::route_table_has_outside_route(text.str());
    }
    if (flags)
        *flags = online ? INTERNET_CONNECTION_LAN | INTERNET_CONNECTION_CONFIGURED
                        : INTERNET_CONNECTION_OFFLINE;
    return online ? TRUE : FALSE;
}
