// Identifier of the calling thread, as GetCurrentThreadId reports it.
#pragma once

#include "win32/types.h"

namespace lv::window {

DWORD current_thread_id();

} // namespace lv::window
