// Driving the gallery in the test's process: its dialog run modally, a window opened by one of
// its buttons, and the toolkit started with the full skin for each test.
#pragma once

#include "win32/win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace gallerytest {

// Dispatches what the thread's queue holds.
void Pump();

// Runs the gallery's dialog, clicks its button `button` and runs `drive` on the modal window
// that opens; the window is then closed by its button `close` and the dialog by OK. True when
// the window was reached.
bool DriveWindowOpenedBy(int button, int close, const std::function<void(HWND)>& drive);

// The toolkit started with the gallery's full skin around each test.
class SkinnedGallery : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs `body` with the toolkit started afresh under each of the gallery's languages; `body`
    // gets the language's two-letter code. The toolkit is running again afterwards.
    void InEachLanguage(const std::function<void(const std::string& code)>& body);
};

} // namespace gallerytest
