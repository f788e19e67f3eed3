// Local and global memory: blocks with a small header, checked against the live set so that a
// stale or foreign handle fails instead of corrupting the heap.
#include "win32/system.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct Block {
    SIZE_T size;
    int locks;
};

struct Heap {
    std::mutex mutex;
    std::unordered_map<void*, Block> blocks;
};

Heap& heap() {
    static auto* instance = new Heap;
    return *instance;
}

void* allocate(UINT flags, SIZE_T bytes) {
    void* data = (flags & LMEM_ZEROINIT) ? std::calloc(1, bytes ? bytes : 1)
                                         : std::malloc(bytes ? bytes : 1);
    if (!data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto& h = heap();
    std::lock_guard lock(h.mutex);
    h.blocks[data] = Block{bytes, 0};
    return data;
}

// Frees a live block; returns the handle back when it is not one (the platform's failure).
void* release(void* memory) {
    if (!memory)
        return nullptr;
    auto& h = heap();
    {
        std::lock_guard lock(h.mutex);
        if (h.blocks.erase(memory) == 0) {
            SetLastError(ERROR_INVALID_HANDLE);
            return memory;
        }
    }
    std::free(memory);
    return nullptr;
}

} // namespace

HLOCAL LocalAlloc(UINT flags, SIZE_T bytes) {
    return allocate(flags, bytes);
}

HLOCAL LocalFree(HLOCAL memory) {
    return release(memory);
}

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    return allocate(flags, bytes);
}

HGLOBAL GlobalFree(HGLOBAL memory) {
    return release(memory);
}

LPVOID GlobalLock(HGLOBAL memory) {
    auto& h = heap();
    std::lock_guard lock(h.mutex);
    auto it = h.blocks.find(memory);
    if (it == h.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++it->second.locks;
    return memory;
}

BOOL GlobalUnlock(HGLOBAL memory) {
    auto& h = heap();
    std::lock_guard lock(h.mutex);
    auto it = h.blocks.find(memory);
    if (it == h.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (it->second.locks > 0)
        --it->second.locks;
    SetLastError(NO_ERROR);
    return it->second.locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL memory) {
    auto& h = heap();
    std::lock_guard lock(h.mutex);
    auto it = h.blocks.find(memory);
    if (it == h.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return it->second.size;
}
