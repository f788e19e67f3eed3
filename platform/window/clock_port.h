// The clock the window manager reads for timers, message times and double clicks: the
// process clock of the system part, real or virtual.
#pragma once

#include "system/clock.h"

namespace lv::window::clock_port {

inline std::uint64_t now_ms() {
    return lv::clock::now_ms();
}
inline bool is_virtual() {
    return lv::clock::is_virtual();
}
inline void advance_to(std::uint64_t deadline_ms) {
    lv::clock::advance_to(deadline_ms);
}

} // namespace lv::window::clock_port
