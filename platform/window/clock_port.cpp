#include "window/clock_port.h"
#include "window/clock_source.h"

#include <atomic>
#include <chrono>

namespace lv::window::clock_port {
namespace {

std::atomic<Source*> g_source{nullptr};

std::uint64_t real_now_ms() {
    static const auto start = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

} // namespace

void set_source(Source* source) {
    g_source.store(source);
}

std::uint64_t now_ms() {
    Source* source = g_source.load();
    return source ? source->now_ms() : real_now_ms();
}

bool is_virtual() {
    Source* source = g_source.load();
    return source && source->is_virtual();
}

void advance_to(std::uint64_t deadline_ms) {
    Source* source = g_source.load();
    if (source)
        source->advance_to(deadline_ms);
}

} // namespace lv::window::clock_port
