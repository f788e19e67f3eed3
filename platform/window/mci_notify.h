// Connects the media layer's MM_MCINOTIFY to the window manager's PostMessage.
#pragma once

namespace lv::window {

// Makes MCI notifications arrive in the named window's queue; programs call it at start-up.
void install_mci_notify_poster();

} // namespace lv::window
