// Serving sent-message records on the owner thread.
#pragma once

#include "window/message_queue.h"

namespace lv::window {

void serve_sent(const std::shared_ptr<SentRecord>& record);
// Serves every queued incoming send; true when at least one was served.
bool serve_pending_sends();

} // namespace lv::window
