// Which display the screen goes to, and what follows from it, decided in this one place:
// LUMIVISTA_DISPLAY=headless|sdl chooses; unset, a real display when DISPLAY or WAYLAND_DISPLAY
// is set. A real display that cannot be opened leaves the program headless.
#pragma once

namespace lv::display {

enum class Backend { headless, sdl };

Backend selected_backend();
// True when a real display shows the windows (it starts on the first call). False headless,
// or when the display could not be opened.
bool real_display_running();
// Whether a person can answer a dialog: only where a real display shows it.
bool somebody_can_answer();
// Presentations of damaged windows so far (0 without a real display).
unsigned long presented_frames();

} // namespace lv::display
