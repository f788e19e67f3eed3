#include "saver/slide_observation.h"

#include "testing/screen_capture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

SlideObservation::SlideObservation() {
    if (const char* folder = std::getenv("LUMIVISTA_CAPTURE"))
        m_captureFolder = folder;
    if (const char* count = std::getenv("LUMIVISTA_QUIT_AFTER"))
        m_quitAfter = std::max(0, std::atoi(count));
}

bool SlideObservation::SlideShown() {
    ++m_shown;
    if (!m_captureFolder.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(m_captureFolder, ignored);
        char name[32];
        std::snprintf(name, sizeof name, "slide-%03d.png", m_shown);
        lv::testing::save_screen_png((std::filesystem::path(m_captureFolder) / name).string());
    }
    return m_quitAfter > 0 && m_shown == m_quitAfter;
}
