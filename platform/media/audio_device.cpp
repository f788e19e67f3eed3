#include "media/audio_device.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace lv::media {
namespace {

bool set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

bool path_exists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

bool sound_server_present() {
    if (set("PULSE_SERVER"))
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime)
        return false;
    const std::filesystem::path dir(runtime);
    return path_exists(dir / "pulse" / "native") || path_exists(dir / "pipewire-0");
}

// ALSA names its playback devices pcmC<card>D<device>p.
bool playback_device_present() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/snd", error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("pcmC", 0) == 0 && !name.empty() && name.back() == 'p')
            return true;
    }
    return false;
}

} // namespace

bool audio_output_present() {
    return set("SDL_AUDIODRIVER") || sound_server_present() || playback_device_present();
}

} // namespace lv::media
