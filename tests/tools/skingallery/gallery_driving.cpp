#include "tests/tools/skingallery/gallery_driving.h"

#include "testing/answers.h"
#include "testing/window_input.h"
#include "tests/support/scoped_env.h"
#include "tools/skingallery/gallery_dialog.h"
#include "tools/skingallery/gallery_skin.h"

#include <string>

namespace gallerytest {

namespace input = lv::testing;

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool DriveWindowOpenedBy(int button, int close, const std::function<void(HWND)>& drive) {
    bool reached = false;
    input::push_modal_answer({IDOK, [&](HWND dialog) {
                                  Pump();
                                  input::push_modal_answer({close, [&](HWND window) {
                                                                Pump();
                                                                reached = true;
                                                                drive(window);
                                                                input::click_window(
                                                                    GetDlgItem(window, close));
                                                                Pump();
                                                            }});
                                  input::click_window(GetDlgItem(dialog, button));
                                  Pump();
                                  input::click_window(GetDlgItem(dialog, IDOK));
                                  Pump();
                              }});
    EXPECT_EQ(gallery::RunGallery(GetModuleHandleA(nullptr), nullptr), IDOK);
    return reached;
}

void SkinnedGallery::SetUp() {
    std::string error;
    ASSERT_TRUE(gallery::StartSkinning(GetModuleHandleA(nullptr), gallery::GalleryOptions{}, error))
        << error;
}

void SkinnedGallery::InEachLanguage(const std::function<void(const std::string& code)>& body) {
    gallery::StopSkinning();
    for (const char* language : {"en_GB.UTF-8", "ja_JP.UTF-8", "ko_KR.UTF-8"}) {
        SCOPED_TRACE(language);
        lvtest::ScopedEnv env("LC_ALL", language);
        std::string error;
        ASSERT_TRUE(
            gallery::StartSkinning(GetModuleHandleA(nullptr), gallery::GalleryOptions{}, error))
            << error;
        body(std::string(language).substr(0, 2));
        gallery::StopSkinning();
    }
    SetUp();
}

void SkinnedGallery::TearDown() {
    gallery::StopSkinning();
    input::clear_answers();
}

} // namespace gallerytest
