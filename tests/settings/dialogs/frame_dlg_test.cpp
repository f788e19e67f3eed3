// The frame dialog against a frame folder made here: what it lists (descriptions by their
// ".ini" suffix only, "UnTitle" for a frame without a title) with thumbnails, Apply of a frame
// (the next show draws it round the picture) and of "No Frame" (it draws none), a damaged
// description refused with a message, and OK and Cancel that change nothing.
#include "saver/path_parts.h"
#include "saver/slide_composer.h"
#include "saver/theme_globals.h"
#include "settings/dialogs/frame_dlg.h"
#include "settings/dialogs/settings_dlg.h"
#include "settings/dialogs/thumbnail.h"
#include "system/paths.h"
#include "testing/answers.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/settings/dialogs/icon_list_driving.h"
#include "tests/settings/dialogs/picture_files.h"
#include "tests/settings/dialogs/settings_fixture.h"
#include "tests/support/full_theme.h"
#include "tests/support/process_runner.h"

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;
using dlgdrive::Click;
using dlgdrive::FindControl;
using dlgdrive::IconList;
using dlgdrive::Pump;
using dlgdrive::TextOf;

namespace {

constexpr COLORREF kBackground = RGB(16, 32, 48);
constexpr COLORREF kPicture = RGB(0, 200, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBorder = RGB(192, 192, 192);
// The nine 10 x 10 pieces of the test frames, row by row; the middle one is the picture's place.
constexpr COLORREF kPieces[9] = {RGB(200, 10, 10), RGB(20, 20, 200), RGB(200, 200, 30),
                                 RGB(40, 40, 200), RGB(255, 0, 255), RGB(60, 200, 60),
                                 RGB(70, 70, 200), RGB(20, 20, 200), RGB(90, 30, 160)};

void WriteFramePicture(const fs::path& file, DWORD format) {
    PxImage frame;
    frame.Create(30, 30, 24);
    for (LONG y = 0; y < 30; ++y)
        for (LONG x = 0; x < 30; ++x)
            frame.SetPixelColor(x, 29 - y, PxImage::RgbToRgbQuad(kPieces[(y / 10) * 3 + x / 10]));
    ASSERT_TRUE(frame.Save(file.string().c_str(), format)) << frame.GetLastError();
}

void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

std::string Description(const std::string& title, int format, int type,
                        const std::string& piece = "10 10") {
    std::string text = "[Info]\n";
    if (!title.empty())
        text += "title=" + title + "\n";
    text += "ver=1.2\ndirection=1\nformat=" + std::to_string(format) + "\n[Skin]\n";
    for (const char* key :
         {"upleft", "upmid", "upright", "ctleft", "ctright", "btleft", "btmid", "btright"})
        text += std::string(key) + "=" + piece + "\n";
    text += "[Make]\ntype=" + std::to_string(type) +
            "\nstretch_mode=1\npic_drawpt=5 5\nextraspace=20 20\n";
    return text;
}

class FrameDialogTest : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        const fs::path frames = Base() / "frame";
        WriteText(frames / "oak.ini", Description("Oak", 0, 0));
        WriteFramePicture(frames / "oak.bmp", PXIMAGE_FORMAT_BMP);
        WriteText(frames / "brass.INI", Description("Brass", 2, 3));
        WriteFramePicture(frames / "brass.png", PXIMAGE_FORMAT_PNG);
        WriteText(frames / "plain.ini", Description("", 0, 0)); // no title, no picture
        WriteText(frames / "notes.ini.bak", Description("Old notes", 0, 0));
        WriteText(frames / "x.mini", Description("Mini", 0, 0));
        fs::create_directories(frames / "folder.ini");
        SetAuthoringToolFolder(lv::to_windows_path(Base().string()));
    }

    fs::path Base() const { return m_dir / "authoring"; }

    lvtools::ThemeSpec Spec() const {
        lvtools::ThemeSpec spec = lvtest::FullThemeSpec("Frame Test");
        spec.images = {{"green.bmp", "", lvtest::SolidPictureBytes(40, 40, kPicture)}};
        spec.settings.backgroundMode = 0;
        spec.settings.solidColor = kBackground;
        spec.settings.imageSizing = 0;
        spec.settings.imageOrder = 0;
        spec.settings.captionPosition = 0;
        return spec;
    }

    INT_PTR RunFrames(const std::function<void(HWND)>& drive) {
        CFrameDlg dialog;
        dialog.SetBaseFolder(lv::to_windows_path(Base().string()).c_str());
        return RunModal(dialog, drive);
    }

    static IconList List(HWND dialog) { return IconList(FindControl(dialog, CFrameDlg::kListId)); }

    static int IndexOf(HWND dialog, const std::string& title) {
        IconList list = List(dialog);
        for (int i = 0; i < list.Count(); ++i)
            if (list.Text(i) == title)
                return i;
        return -1;
    }

    // The slide the next show composes: the 40 x 40 picture in the middle of 160 x 120.
    static PxImage NextShow() {
        SlideComposer composer;
        PxImage canvas;
        composer.Compose(160, 120, false, canvas);
        return canvas;
    }
    static COLORREF At(const PxImage& canvas, LONG x, LONG yFromTop) {
        return PxImage::RgbQuadToRgb(
            canvas.GetPixelColor(x, static_cast<LONG>(canvas.GetHeight()) - 1 - yFromTop, false));
    }
};

TEST_F(FrameDialogTest, ListsNoFrameAndEveryDescriptionWithItsThumbnail) {
    Install(Spec());
    RunFrames([](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "Frmae Advanced Setting");
        IconList list = List(dialog);
        ASSERT_EQ(list.Count(), 4);
        EXPECT_EQ(list.Text(0), "No Frame");
        EXPECT_EQ(list.Selected(), 0);
        std::vector<std::string> titles;
        for (int i = 1; i < list.Count(); ++i)
            titles.push_back(list.Text(i));
        std::sort(titles.begin(), titles.end());
        EXPECT_EQ(titles, (std::vector<std::string>{"Brass", "Oak", "UnTitle"}));

        const auto* brass = list.Record<FrameListEntry>(IndexOf(dialog, "Brass"));
        EXPECT_EQ(brass->format, 2);
        EXPECT_EQ(brass->type, 3);
        EXPECT_EQ(brass->direction, 1);
        EXPECT_EQ(brass->stretchMode, 1);
        EXPECT_STREQ(FileNamePart(brass->picturePath), "brass.png");
        EXPECT_STREQ(FileNamePart(brass->iniPath), "brass.ini");

        // "No Frame" is dark with its mark; a frame shows its picture (its upper-left piece
        // at the thumbnail's upper left); a frame without picture is white in its border.
        EXPECT_EQ(list.IconPixel(0, 3, 3), RGB(0, 0, 0));
        EXPECT_EQ(list.IconPixel(0, 0, 0), kBorder);
        const int oak = IndexOf(dialog, "Oak");
        EXPECT_EQ(list.IconPixel(oak, 11, 2), kPieces[0]);
        EXPECT_EQ(list.IconPixel(oak, 5, 26), kWhite);
        const int plain = IndexOf(dialog, "UnTitle");
        EXPECT_EQ(list.IconPixel(plain, 35, 26), kWhite);
        EXPECT_EQ(list.IconPixel(plain, 0, 0), kBorder);
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

TEST_F(FrameDialogTest, AFolderWithoutDescriptionsListsNoFrameAlone) {
    Install(Spec());
    fs::remove_all(Base() / "frame");
    fs::create_directories(Base() / "frame");
    RunFrames([](HWND dialog) {
        EXPECT_EQ(List(dialog).Count(), 1);
        EXPECT_EQ(List(dialog).box().GetItemImage(0), -1);
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

// From the advanced page: the chosen frame goes into the theme with its picture, and the next
// show draws it round the picture; "No Frame" applied afterwards draws none.
TEST_F(FrameDialogTest, AppliedFramesAreDrawnByTheNextShowAndNoFrameRemovesThem) {
    lvtools::ThemeSpec spec = Spec();
    spec.frame.reset();
    Install(spec);
    RunFromAdvancedPage(CAdvancedPage::kFrameId, [this](HWND dialog) {
        List(dialog).ClickItem(IndexOf(dialog, "Oak"));
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_TRUE(lv::testing::message_box_log().empty());
    ThemeContents c = ReadTheme();
    EXPECT_EQ(c.settings.framePresent, 1);
    ASSERT_TRUE(c.frame);
    EXPECT_EQ(c.frame->title, "Oak");
    EXPECT_EQ(c.frame->ver, "1.2"); // the three-byte field is filled to its last byte
    EXPECT_EQ(c.frame->direction, 1);
    EXPECT_EQ(c.frame->upleft, "10 10");
    EXPECT_EQ(c.frame->type, 0);
    EXPECT_EQ(c.frame->stretch_mode, 1);
    EXPECT_EQ(c.frame->pic_drawpt, "5 5");
    EXPECT_EQ(c.frame->extraspace, "20 20");
    EXPECT_EQ(c.frame->pictureName, "oak.bmp");
    ASSERT_TRUE(c.frameFile);

    Reload();
    PxImage shown = NextShow();
    // The picture (40 x 40) sits at (60, 40); the framed one (60 x 60) at (50, 30).
    EXPECT_EQ(At(shown, 80, 60), kPicture);
    EXPECT_EQ(At(shown, 52, 32), kPieces[0]);
    EXPECT_EQ(At(shown, 45, 60), kBackground);

    RunFromAdvancedPage(CAdvancedPage::kFrameId, [](HWND dialog) {
        EXPECT_EQ(List(dialog).Selected(), 0);
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_EQ(ReadTheme().settings.framePresent, 0);
    Reload();
    shown = NextShow();
    EXPECT_EQ(At(shown, 80, 60), kPicture);
    EXPECT_EQ(At(shown, 52, 32), kBackground);
}

// The sample build's own frames: each listed with its thumbnail, and each drawn round the
// picture by the next show once applied.
TEST_F(FrameDialogTest, TheSampleFramesAreListedAndDrawn) {
    Install(Spec());
    const std::string samples = lv::to_windows_path(LV_SAMPLE_FRAMES_DIR);
    const std::pair<const char*, LONG> samplesFrames[] = {
        {"Linen mat", 64}, {"Walnut", 48}, {"Brass corners", 48}}; // with their extra space
    for (const auto& [title, extra] : samplesFrames) {
        SCOPED_TRACE(title);
        CFrameDlg dialog;
        dialog.SetBaseFolder(samples.c_str());
        RunModal(dialog, [title = title](HWND frames) {
            ASSERT_EQ(List(frames).Count(), 4);
            const int index = IndexOf(frames, title);
            ASSERT_GT(index, 0);
            EXPECT_NE(List(frames).IconPixel(index, 10, 10), kWhite);
            List(frames).ClickItem(index);
            Click(FindControl(frames, CAdvancedDlg::kApplyId));
        });
        Reload();
        const PxImage shown = NextShow();
        EXPECT_EQ(At(shown, 80, 60), kPicture);
        // Every sample frame draws its corners; the framed picture is centred.
        const LONG left = (160 - (40 + extra)) / 2, top = (120 - (40 + extra)) / 2;
        EXPECT_NE(At(shown, left + 2, top + 2), kBackground);
        EXPECT_EQ(At(shown, left - 2, top + 2), kBackground);
    }
}

TEST_F(FrameDialogTest, ADamagedDescriptionIsRefusedWithAMessage) {
    Install(Spec());
    WriteText(Base() / "frame" / "broken.ini", Description("Broken", 0, 0, "ten ten"));
    WriteFramePicture(Base() / "frame" / "broken.bmp", PXIMAGE_FORMAT_BMP);
    for (const char* title : {"Broken", "UnTitle"}) {
        SCOPED_TRACE(title);
        lv::testing::clear_answers();
        const INT_PTR result = RunFrames([title](HWND dialog) {
            List(dialog).ClickItem(IndexOf(dialog, title));
            Click(FindControl(dialog, CAdvancedDlg::kApplyId));
            EXPECT_TRUE(IsWindowVisible(dialog));
            Click(FindControl(dialog, CAdvancedDlg::kCancelId));
        });
        EXPECT_EQ(result, IDCANCEL);
        const auto boxes = lv::testing::message_box_log();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find(title), std::string::npos) << boxes[0].text;
        EXPECT_EQ(boxes[0].caption, "Error");
        EXPECT_EQ(lvtest::ReadFileBytes(ThemePath()), m_installed);
    }
}

TEST_F(FrameDialogTest, OkAndCancelLeaveTheFileAsItWas) {
    Install(Spec());
    for (int button : {CAdvancedDlg::kOkId, CAdvancedDlg::kCancelId}) {
        SCOPED_TRACE(button);
        RunFrames([button](HWND dialog) {
            List(dialog).ClickItem(IndexOf(dialog, "Oak"));
            Click(FindControl(dialog, button));
        });
        EXPECT_EQ(lvtest::ReadFileBytes(ThemePath()), m_installed);
        EXPECT_STREQ(FrameSettings.title, "Oak"); // the theme's own frame, named the same
        EXPECT_EQ(FrameSettings.type, 2);
    }
}

TEST_F(FrameDialogTest, ShowsEveryControlInEveryLanguageAndTheTextsFit) {
    Install(Spec());
    CheckEveryLanguage([this](auto drive) { return RunFrames(drive); },
                       {{"C", "Frmae Advanced Setting", "frame_en.png"},
                        {"ja_JP.UTF-8", "フレームの詳細設定", "frame_ja.png"},
                        {"ko_KR.UTF-8", "프레임 고급 설정", "frame_ko.png"}},
                       {}, 5, [](HWND dialog) { List(dialog).ClickItem(IndexOf(dialog, "Oak")); });
}

} // namespace
