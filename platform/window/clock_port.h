// The clock the window manager reads for timers, message times and double clicks.
#pragma once

#include <cstdint>

namespace lv::window::clock_port {

// Milliseconds on the layer's clock (real or virtual).
std::uint64_t now_ms();
// True when the clock only moves when told to.
bool is_virtual();
// Moves a virtual clock forward to `deadline_ms` (no effect on a real clock or a clock already past
// it).
void advance_to(std::uint64_t deadline_ms);

} // namespace lv::window::clock_port
