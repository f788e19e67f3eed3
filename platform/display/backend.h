// Which display the screen goes to: headless (a surface in memory) or a real window (SDL).
// LUMIVISTA_DISPLAY=headless|sdl decides; unset, a real window when DISPLAY or WAYLAND_DISPLAY
// is set.
#pragma once

namespace lv::display {

enum class Backend { headless, sdl };

Backend selected_backend();
// Called when a top-level window is created: starts the real display on first use.
void on_top_level_created();
// True once the real display shows the screen (false headless or when it could not start).
bool real_display_running();
// Frames the real display has shown so far.
unsigned long presented_frames();

} // namespace lv::display
