// An advanced dialog's Apply rewrites the theme under "Please Wait...", on the bare server and
// under the window managers: the wait window comes over its dialog, whole on the screen and
// drawn, and once the rewrite is done and its dialog closed the settings dialog has the
// keyboard again, with the program alive.
//
// The rewrite reads the theme's music track again from the work folder. There the test puts a
// named pipe in the track's place: opening it holds the rewrite until the test opens the other
// end, so the wait window stays for as long as the test looks at it.
#include "tests/saver/real_display/saver_desktop.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace saver_desktop {
namespace {

constexpr char kTrack[] = "tune.mid";

class PleaseWaitRoad : public SaverOnADesktop {
protected:
    // The theme of one picture and one track.
    void WriteThemeWithMusic() {
        PxImage image;
        image.Create(64, 48, 24);
        const fs::path file = m_scratch / "picture.bmp";
        ASSERT_TRUE(image.Save(file.string().c_str(), PXIMAGE_FORMAT_BMP));
        const auto bytes = lvtest::ReadFileBytes(file);
        lvtools::ThemeSpec spec;
        spec.header.title = kTitle;
        spec.settings.imageTime = 30;
        spec.images = {{"picture.bmp", "", {bytes.begin(), bytes.end()}}};
        spec.music = {{kTrack, {'M', 'T', 'h', 'd', 0, 0, 0, 6}}};
        WriteSpec(spec);
    }

    // The track as the running program extracted it.
    fs::path ExtractedTrack() const {
        for (const auto& entry : fs::recursive_directory_iterator(m_scratch.path()))
            if (entry.path().filename() == kTrack && entry.is_regular_file())
                return entry.path();
        return {};
    }
};

TEST_P(PleaseWaitRoad, ApplyShowsThePleaseWaitOverItsDialogAndTheSettingsGetTheKeyboardBack) {
    WriteThemeWithMusic();
    const std::string music = SettingsThenAdvanced(kMusicDialog);
    ASSERT_FALSE(music.empty());

    const fs::path track = ExtractedTrack();
    ASSERT_FALSE(track.empty()) << "the program extracted no " << kTrack;
    fs::remove(track);
    ASSERT_EQ(::mkfifo(track.c_str(), 0600), 0);
    // Whatever happens below, the rewrite is let go before the program is ended.
    struct Release {
        fs::path pipe;
        ~Release() {
            const int end = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (end >= 0)
                ::close(end);
        }
    } release{track};

    ClickAt(OnScreen(X().Geometry(music), kAdvancedApply));
    const std::string wait = X().WindowNamed(m_program->Pid(), "Please Wait...", 30);
    lvtest::ExpectSecondWindow(X(), *m_program, wait, music, Keyboard::taken, Shot("please-wait"));
    ASSERT_FALSE(wait.empty());

    // Once the rewrite holds the pipe open, the track comes through empty; the rewrite goes on
    // and its dialog closes with it.
    int end = -1;
    EXPECT_TRUE(lvtest::Eventually([&] {
        return (end = ::open(track.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) >= 0;
    })) << "the rewrite never read the track";
    if (end >= 0)
        ::close(end);
    lvtest::ExpectClosedBackTo(X(), *m_program, wait, m_settings);
    EXPECT_TRUE(X().WindowGone(m_program->Pid(), music)) << "the music dialog stayed";
    EndSettings();
}

INSTANTIATE_TEST_SUITE_P(Desktops, PleaseWaitRoad, ::testing::ValuesIn(lvtest::kAllWindowManagers),
                         lvtest::DesktopName);

} // namespace
} // namespace saver_desktop
