#include "display/backend.h"

#include "display/sdl_presenter.h"

#include <cstdlib>
#include <cstring>

namespace lv::display {
namespace {

bool set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

Backend selected_backend() {
    static const Backend backend = [] {
        const char* chosen = std::getenv("LUMIVISTA_DISPLAY");
        if (chosen && std::strcmp(chosen, "headless") == 0)
            return Backend::headless;
        if (chosen && std::strcmp(chosen, "sdl") == 0)
            return Backend::sdl;
        return set("DISPLAY") || set("WAYLAND_DISPLAY") ? Backend::sdl : Backend::headless;
    }();
    return backend;
}

bool real_display_running() {
    return selected_backend() == Backend::sdl && SdlPresenter::instance().start();
}

bool somebody_can_answer() {
    return real_display_running();
}

unsigned long presented_frames() {
    return real_display_running() ? SdlPresenter::instance().frames() : 0;
}

} // namespace lv::display
