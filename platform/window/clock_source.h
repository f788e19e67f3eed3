// Where the window manager's clock comes from: the real clock unless a source is installed.
#pragma once

#include <cstdint>

namespace lv::window::clock_port {

class Source {
public:
    virtual ~Source() = default;
    virtual std::uint64_t now_ms() = 0;
    virtual bool is_virtual() = 0;
    virtual void advance_to(std::uint64_t deadline_ms) = 0;
};

// Installs `source` (not owned) for the whole process; nullptr returns to the real clock.
void set_source(Source* source);

} // namespace lv::window::clock_port
