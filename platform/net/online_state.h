// How the online test decides, separated from where its input comes from.
#pragma once

#include <string_view>

namespace lv {

// True when the text of /proc/net/route lists a usable route through an interface other than
// loopback.
bool route_table_has_outside_route(std::string_view route_table);

} // namespace lv
