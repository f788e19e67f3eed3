#include "util/large_block.h"

#include <cstdlib>
#include <sys/mman.h>

namespace lv {

namespace {
constexpr std::size_t kHugePage = 2u << 20;
constexpr std::size_t kLargeBlock = 4u << 20;
} // namespace

void* allocate_large_block(std::size_t bytes) {
    if (bytes < kLargeBlock)
        return std::malloc(bytes);
    void* block = nullptr;
    std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    if (posix_memalign(&block, kHugePage, rounded) != 0)
        return nullptr;
    // Only advice: without transparent huge pages the block works as any other.
    madvise(block, rounded, MADV_HUGEPAGE);
    return block;
}

} // namespace lv
