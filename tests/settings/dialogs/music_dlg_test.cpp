// The music dialog driven by injected clicks: what it shows for themes with and without music,
// the track buttons and the position counter, the preview player, and the trio: Apply rewrites
// the theme with exactly the listed tracks and the play settings; OK and Cancel change nothing.
#include "saver/media_list.h"
#include "saver/theme_globals.h"
#include "settings/dialogs/music_dlg.h"
#include "settings/dialogs/settings_dlg.h"
#include "system/paths.h"
#include "testing/answers.h"
#include "testing/file_dialog_answers.h"
#include "tests/platform/media/mci_test_support.h"
#include "tests/platform/media/tone_track.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/settings/dialogs/icon_list_driving.h"
#include "tests/settings/dialogs/settings_fixture.h"
#include "tests/support/full_theme.h"
#include "tests/support/process_runner.h"

namespace fs = std::filesystem;
using dlgdrive::Click;
using dlgdrive::FindControl;
using dlgdrive::IconList;
using dlgdrive::Pump;
using dlgdrive::TextOf;

namespace {

constexpr DWORD kModePlaying = 526;
// The note the shell draws on a sound's icon.
constexpr COLORREF kNoteInk = RGB(0x28, 0x56, 0xB8);

int CheckOf(HWND dialog, int id) {
    return static_cast<int>(SendMessageA(FindControl(dialog, id), BM_GETCHECK, 0, 0));
}

std::string OrderShown(HWND dialog) {
    HWND combo = FindControl(dialog, CMusicDlg::kOrderId);
    const auto index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    char text[64] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

// The lengths of the tracks the MCI devices play now.
std::vector<int> PlayingLengths() {
    std::vector<int> lengths;
    for (MCIDEVICEID id = 1; id < 256; ++id) {
        if (lvtest::status_item(id, MCI_STATUS_MODE) == kModePlaying)
            lengths.push_back(static_cast<int>(lvtest::status_item(id, MCI_STATUS_LENGTH)));
    }
    return lengths;
}

class MusicDialogTest : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        lv::testing::clear_file_dialog_answers();
    }
    void TearDown() override {
        lv::testing::clear_file_dialog_answers();
        SettingsFixture::TearDown();
    }

    lvtools::ThemeSpec Spec() const {
        lvtools::ThemeSpec spec = lvtest::FullThemeSpec("Music Test");
        spec.settings.musicPlayMode = 1;
        spec.settings.musicLoop = 0;
        spec.settings.musicOff = 1;
        spec.settings.musicOrder = 2;
        return spec;
    }

    INT_PTR RunMusic(const std::function<void(HWND)>& drive) {
        CMusicDlg dialog;
        return RunModal(dialog, drive);
    }

    static IconList List(HWND dialog) { return IconList(FindControl(dialog, CMusicDlg::kListId)); }

    static std::vector<std::string> Listed(HWND dialog) {
        IconList list = List(dialog);
        std::vector<std::string> names;
        for (int i = 0; i < list.Count(); ++i)
            names.push_back(list.Record<MusicListEntry>(i)->name.GetString());
        return names;
    }

    // A tone track on disk; its Windows path.
    std::string Tone(const std::string& name, std::uint32_t ms) const {
        const fs::path path = m_dir / "tracks" / name;
        fs::create_directories(path.parent_path());
        lvtest::write_tone_wav(path, {.milliseconds = ms});
        return lv::to_windows_path(path.string());
    }

    static void AddThroughTheFileDialog(HWND dialog, const std::string& path) {
        dlgdrive::ClickAndPickFile(FindControl(dialog, CMusicDlg::kAddId), path);
    }
};

TEST_F(MusicDialogTest, AThemeWithoutMusicOpensWithTheDefaults) {
    lvtools::ThemeSpec spec = Spec();
    spec.music.clear();
    Install(spec);
    RunMusic([](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "Background Music Advanced Setting");
        EXPECT_EQ(List(dialog).Count(), 0);
        EXPECT_EQ(TextOf(FindControl(dialog, CMusicDlg::kCounterId)), "0 / 0");
        EXPECT_EQ(CheckOf(dialog, CMusicDlg::kLoopId), BST_CHECKED);
        EXPECT_EQ(CheckOf(dialog, CMusicDlg::kSoundOffId), BST_UNCHECKED);
        EXPECT_EQ(CheckOf(dialog, CMusicDlg::kSelectedOneId), BST_CHECKED);
        EXPECT_EQ(CheckOf(dialog, CMusicDlg::kWholeListId), BST_UNCHECKED);
        EXPECT_EQ(OrderShown(dialog), "Sequential");
        EXPECT_FALSE(IsWindowEnabled(FindControl(dialog, CMusicDlg::kOrderId)));
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

TEST_F(MusicDialogTest, AThemesTracksAreListedWithTheirIconsSizesAndSettings) {
    Install(Spec());
    RunMusic([](HWND dialog) {
        EXPECT_EQ(Listed(dialog), (std::vector<std::string>{"one.wav", "two.mid"}));
        IconList list = List(dialog);
        EXPECT_EQ(list.Text(0), "[ one.wav ]\n\nSize : 8 ");
        EXPECT_EQ(list.Text(1), "[ two.mid ]\n\nSize : 15 ");
        EXPECT_STREQ(list.Record<MusicListEntry>(1)->folder, WorkFolder);
        EXPECT_EQ(list.Record<MusicListEntry>(1)->size, 15);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(list.IconPixel(i, 14, 15), kNoteInk) << i;
        EXPECT_EQ(TextOf(FindControl(dialog, CMusicDlg::kCounterId)), "0 / 2");
        EXPECT_EQ(CheckOf(dialog, CMusicDlg::kWholeListId), BST_CHECKED);
        EXPECT_EQ(CheckOf(dialog, CMusicDlg::kLoopId), BST_UNCHECKED);
        EXPECT_EQ(CheckOf(dialog, CMusicDlg::kSoundOffId), BST_CHECKED);
        EXPECT_EQ(OrderShown(dialog), "Random");
        list.ClickItem(1);
        EXPECT_EQ(TextOf(FindControl(dialog, CMusicDlg::kCounterId)), "2 / 2");
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

TEST_F(MusicDialogTest, TheCounterFollowsAddingDeletingAndMoving) {
    lvtools::ThemeSpec spec = Spec();
    spec.music.clear();
    Install(spec);
    const std::string first = Tone("first.wav", 300);
    const std::string second = Tone("second.wav", 300);
    RunMusic([&](HWND dialog) {
        HWND counter = FindControl(dialog, CMusicDlg::kCounterId);
        AddThroughTheFileDialog(dialog, first);
        IconList list = List(dialog);
        EXPECT_EQ(list.Selected(), 0);
        EXPECT_EQ(TextOf(counter), "1 / 1");
        Click(FindControl(dialog, CMusicDlg::kDeleteId));
        EXPECT_EQ(TextOf(counter), "0 / 0");
        AddThroughTheFileDialog(dialog, first);
        AddThroughTheFileDialog(dialog, second);
        EXPECT_EQ(Listed(dialog), (std::vector<std::string>{"first.wav", "second.wav"}));
        EXPECT_EQ(TextOf(counter), "1 / 2");
        Click(FindControl(dialog, CMusicDlg::kUpId)); // the first stays first
        Click(FindControl(dialog, CMusicDlg::kDownId));
        EXPECT_EQ(TextOf(counter), "2 / 2");
        Click(FindControl(dialog, CMusicDlg::kDownId)); // the last stays last
        EXPECT_EQ(Listed(dialog), (std::vector<std::string>{"second.wav", "first.wav"}));
        EXPECT_EQ(list.IconPixel(1, 14, 15), kNoteInk);
        Click(FindControl(dialog, CMusicDlg::kClearId));
        EXPECT_EQ(list.Count(), 0);
        EXPECT_EQ(TextOf(counter), "0 / 0");
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

// The preview plays the selected track and nothing else: never a track that left the list.
TEST_F(MusicDialogTest, ThePreviewPlaysTheSelectedTrackAndStops) {
    lvtools::ThemeSpec spec = Spec();
    spec.music.clear();
    Install(spec);
    const std::string longer = Tone("longer.wav", 6000);
    const std::string shorter = Tone("shorter.wav", 4000);
    auto playing = [](int ms) {
        return lvtest::wait_until([ms] {
            const auto lengths = PlayingLengths();
            return lengths.size() == 1 && std::abs(lengths[0] - ms) < 50;
        });
    };
    auto silent = [] { return lvtest::wait_until([] { return PlayingLengths().empty(); }); };
    RunMusic([&](HWND dialog) {
        AddThroughTheFileDialog(dialog, longer);
        AddThroughTheFileDialog(dialog, shorter);
        Click(FindControl(dialog, CMusicDlg::kPlayId));
        EXPECT_TRUE(playing(6000));
        Click(FindControl(dialog, CMusicDlg::kStopId));
        EXPECT_TRUE(silent());
        List(dialog).ClickItem(1);
        Click(FindControl(dialog, CMusicDlg::kPlayId));
        EXPECT_TRUE(playing(4000));
        // Deleting the track that plays stops it; Play then plays what is selected now.
        Click(FindControl(dialog, CMusicDlg::kDeleteId));
        EXPECT_TRUE(silent());
        Click(FindControl(dialog, CMusicDlg::kPlayId));
        EXPECT_TRUE(playing(6000));
        Click(FindControl(dialog, CMusicDlg::kClearId));
        EXPECT_TRUE(silent());
        Click(FindControl(dialog, CMusicDlg::kPlayId));
        EXPECT_TRUE(silent());
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

// The whole road: Apply from the advanced page writes exactly the listed tracks and the play
// settings; the next start extracts those tracks, and the dialog opened again lists them.
TEST_F(MusicDialogTest, ApplyMakesTheListTheThemesMusicWithItsSettings) {
    Install(Spec());
    const std::string tone = Tone("tone.wav", 300);
    RunFromAdvancedPage(CAdvancedPage::kBackgroundMusicId, [&](HWND dialog) {
        AddThroughTheFileDialog(dialog, tone);
        Click(FindControl(dialog, CMusicDlg::kDeleteId)); // one.wav, selected by the add
        IconList list = List(dialog);
        list.ClickItem(1);
        Click(FindControl(dialog, CMusicDlg::kUpId));
        Click(FindControl(dialog, CMusicDlg::kSelectedOneId));
        Click(FindControl(dialog, CMusicDlg::kLoopId));
        Click(FindControl(dialog, CMusicDlg::kSoundOffId));
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_TRUE(lv::testing::message_box_log().empty());
    const ThemeContents c = ReadTheme();
    ASSERT_EQ(c.music.size(), 2u);
    EXPECT_EQ(c.music[0].name, "tone.wav");
    EXPECT_EQ(c.music[1].name, "two.mid");
    EXPECT_EQ(c.settings.musicCount, 2);
    EXPECT_EQ(c.settings.musicPlayMode, 0);
    EXPECT_EQ(c.settings.musicLoop, 1);
    EXPECT_EQ(c.settings.musicOff, 0);
    EXPECT_EQ(c.settings.musicOrder, 2);
    EXPECT_EQ(c.images.size(), 2u);

    RunMusic([](HWND dialog) {
        EXPECT_EQ(Listed(dialog), (std::vector<std::string>{"tone.wav", "two.mid"}));
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });

    Reload();
    ASSERT_EQ(MusicNames.GetSize(), 2);
    EXPECT_STREQ(MusicNames[0], "tone.wav");
    EXPECT_EQ(lvtest::ReadFileBytes(lv::to_host_path((WorkFolder + "\\tone.wav").GetString())),
              lvtest::ReadFileBytes(lv::to_host_path(tone)));
    EXPECT_EQ(SaverSettings.musicLoop, 1);
}

TEST_F(MusicDialogTest, EachApplyStoresOnlyItsOwnListAndAnEmptyOneNoMusic) {
    Install(Spec());
    const std::string tone = Tone("tone.wav", 300);
    RunFromAdvancedPage(CAdvancedPage::kBackgroundMusicId, [&](HWND dialog) {
        AddThroughTheFileDialog(dialog, tone);
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    RunFromAdvancedPage(CAdvancedPage::kBackgroundMusicId, [&](HWND dialog) {
        EXPECT_EQ(Listed(dialog), (std::vector<std::string>{"one.wav", "two.mid", "tone.wav"}));
        Click(FindControl(dialog, CMusicDlg::kClearId));
        AddThroughTheFileDialog(dialog, tone);
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_EQ(MusicList.GetSize(), 1);
    ASSERT_EQ(ReadTheme().music.size(), 1u);

    RunMusic([](HWND dialog) {
        Click(FindControl(dialog, CMusicDlg::kClearId));
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_EQ(SaverSettings.musicCount, 0);
    EXPECT_EQ(MusicList.GetSize(), 0);
    EXPECT_TRUE(ReadTheme().music.empty());
    RunMusic([](HWND dialog) {
        EXPECT_EQ(List(dialog).Count(), 0);
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

TEST_F(MusicDialogTest, OkAndCancelLeaveTheFileAsItWas) {
    Install(Spec());
    for (int button : {CAdvancedDlg::kOkId, CAdvancedDlg::kCancelId}) {
        SCOPED_TRACE(button);
        RunMusic([button](HWND dialog) {
            Click(FindControl(dialog, CMusicDlg::kClearId));
            Click(FindControl(dialog, CMusicDlg::kLoopId));
            Click(FindControl(dialog, button));
        });
        EXPECT_EQ(lvtest::ReadFileBytes(ThemePath()), m_installed);
        EXPECT_EQ(MusicList.GetSize(), 0);
        EXPECT_EQ(SaverSettings.musicCount, 2);
        EXPECT_EQ(SaverSettings.musicLoop, 0);
    }
}

TEST_F(MusicDialogTest, ShowsEveryControlInEveryLanguageAndTheTextsFit) {
    Install(Spec());
    auto order = [](const char* text) {
        return [text](HWND dialog) { EXPECT_EQ(OrderShown(dialog), text); };
    };
    CheckEveryLanguage([this](auto drive) { return RunMusic(drive); },
                       {{"C", "Background Music Advanced Setting", "music_en.png", order("Random")},
                        {"ja_JP.UTF-8", "BGMの詳細設定", "music_ja.png", order("ランダム")},
                        {"ko_KR.UTF-8", "배경 음악 고급 설정", "music_ko.png", order("무작위")}},
                       {{CMusicDlg::kAddId, 377},
                        {CMusicDlg::kDeleteId, 368},
                        {CMusicDlg::kUpId, 385},
                        {CMusicDlg::kDownId, 374},
                        {CMusicDlg::kClearId, 371},
                        {CMusicDlg::kPlayId, 380},
                        {CMusicDlg::kStopId, 383}},
                       20, [](HWND dialog) { List(dialog).ClickItem(0); });
}

} // namespace
