// The video libraries as built-in modules ("avifil32.dll", "msvfw32.dll"), so that code which
// loads them by name and asks for their functions finds ours.
#pragma once

namespace lv::media {

// Safe to call any number of times.
void register_video_libraries();

} // namespace lv::media
