// The skin gallery started as the desktop road tests meet it: a private server of 1280x800,
// bare or under a window manager, and the gallery on it with nothing of ours set but DISPLAY
// and a home of its own (and the language, where the test names one).
#pragma once

#include "tests/support/scratch_dir.h"
#include "tests/support/virtual_display.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace gallery_screen {

struct GalleryOnADesktop {
    GalleryOnADesktop(lvtest::WindowManager manager, const std::vector<std::string>& args,
                      const std::string& language = {})
        : server(1280, 800, manager), gallery(LV_SKINGALLERY, args, Environment(language)) {}

    lvtest::VirtualXServer server;
    lvtest::ScratchDir scratch;
    lvtest::BackgroundProgram gallery;

private:
    std::map<std::string, std::string> Environment(const std::string& language) {
        const std::filesystem::path home = scratch / "home";
        std::filesystem::create_directories(home);
        std::map<std::string, std::string> env{{"DISPLAY", server.Display()},
                                               {"HOME", home.string()}};
        if (!language.empty())
            env["LC_ALL"] = language;
        return env;
    }
};

} // namespace gallery_screen
