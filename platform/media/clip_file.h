// Reading a clip file named by a Windows path, with a cap on its size.
#pragma once

#include "win32/types.h"

#include <cstdint>
#include <vector>

namespace lv::media {

constexpr std::uintmax_t kMaxClipBytes = 256u << 20;

// False for a missing, unreadable or oversized file.
bool read_clip_file(LPCSTR path, std::vector<std::uint8_t>& bytes);

} // namespace lv::media
