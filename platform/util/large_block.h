// Memory for large pixel buffers. Freed with std::free like any malloc block; large blocks are
// placed on huge pages where the system offers them, which saves the page faults of the first
// write into a freshly allocated picture (most of a big decode's extra cost).
#pragma once

#include <cstddef>

namespace lv {

void* allocate_large_block(std::size_t bytes);

} // namespace lv
