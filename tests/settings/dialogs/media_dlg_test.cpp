// The media dialog driven by injected clicks and keys against themes of real pictures: what it
// lists (the theme's captions, thumbnails placed as the table says), adding, deleting, moving,
// clearing and captions, export, and the trio: Apply rewrites the theme with exactly the listed
// pictures, which the next start shows; OK and Cancel leave the file as it was.
#include "saver/media_list.h"
#include "saver/slide_composer.h"
#include "saver/theme_globals.h"
#include "settings/dialogs/back_color_dlg.h"
#include "settings/dialogs/media_dlg.h"
#include "settings/dialogs/settings_dlg.h"
#include "settings/dialogs/thumbnail.h"
#include "system/paths.h"
#include "testing/answers.h"
#include "testing/file_dialog_answers.h"
#include "testing/window_input.h"
#include "tests/settings/dialogs/dialog_driving.h"
#include "tests/settings/dialogs/icon_list_driving.h"
#include "tests/settings/dialogs/picture_files.h"
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

constexpr COLORREF kRed = RGB(220, 30, 30);
constexpr COLORREF kGreen = RGB(30, 200, 60);
constexpr COLORREF kBlue = RGB(40, 60, 220);
constexpr COLORREF kYellow = RGB(230, 210, 40);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBorder = RGB(192, 192, 192);

struct Shown {
    std::string name;
    std::string caption;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
    return out << s.name << " \"" << s.caption << "\"";
}

class MediaDialogTest : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        lv::testing::clear_file_dialog_answers();
    }
    void TearDown() override {
        lv::testing::clear_file_dialog_answers();
        SettingsFixture::TearDown();
    }

    // Three pictures of the theme: wide, tall and square; no frame, pictures in list order.
    lvtools::ThemeSpec Spec() const {
        lvtools::ThemeSpec spec = lvtest::FullThemeSpec("Media Test");
        spec.images = {{"red.bmp", "Red at dawn", lvtest::SolidPictureBytes(64, 48, kRed)},
                       {"green.png", "Green hills",
                        lvtest::SolidPictureBytes(48, 64, kGreen, PXIMAGE_FORMAT_PNG)},
                       {"blue.bmp", "", lvtest::SolidPictureBytes(100, 100, kBlue)}};
        spec.frame.reset();
        spec.settings.imageOrder = 0;
        spec.settings.captionPosition = 0;
        return spec;
    }

    // Runs the media dialog by itself.
    INT_PTR RunMedia(const std::function<void(HWND)>& drive) {
        CMediaDlg dialog;
        return RunModal(dialog, drive);
    }

    // Opens the background dialog and applies it unchanged.
    INT_PTR RunBackground() {
        CBackColorDlg dialog;
        return RunModal(dialog,
                        [](HWND shown) { Click(FindControl(shown, CAdvancedDlg::kApplyId)); });
    }

    static IconList List(HWND dialog) { return IconList(FindControl(dialog, CMediaDlg::kListId)); }

    static std::vector<Shown> Listed(HWND dialog) {
        IconList list = List(dialog);
        std::vector<Shown> shown;
        for (int i = 0; i < list.Count(); ++i) {
            const auto* entry = list.Record<MediaListEntry>(i);
            shown.push_back({entry->name.GetString(), entry->caption.GetString()});
        }
        return shown;
    }

    // The colour in the middle of each item's thumbnail.
    static std::vector<COLORREF> Thumbnails(HWND dialog) {
        IconList list = List(dialog);
        std::vector<COLORREF> colours;
        for (int i = 0; i < list.Count(); ++i)
            colours.push_back(list.IconPixel(i, kThumbnailWidth / 2, kThumbnailHeight / 2));
        return colours;
    }

    // Adds a picture through the file dialog, as a person picks one.
    static void AddThroughTheFileDialog(HWND dialog, const std::string& path) {
        dlgdrive::ClickAndPickFile(FindControl(dialog, CMediaDlg::kAddId), path);
    }

    fs::path Pictures() const { return m_dir / "pictures"; }

    std::vector<std::uint8_t> DataOf(const EmbeddedFile& file) const {
        const auto bytes = lvtest::ReadFileBytes(ThemePath());
        return {bytes.begin() + static_cast<std::ptrdiff_t>(file.offset),
                bytes.begin() + static_cast<std::ptrdiff_t>(file.offset + file.length)};
    }
};

COLORREF CanvasMiddle(PxImage& canvas) {
    return PxImage::RgbQuadToRgb(canvas.GetPixelColor(static_cast<LONG>(canvas.GetWidth() / 2),
                                                      static_cast<LONG>(canvas.GetHeight() / 2),
                                                      false));
}

TEST(Thumbnail, PicturesFillTheSideTheirShapeDemandsAndAreCentred) {
    struct Case {
        DWORD width, height;
        ThumbnailPlacement expected;
    };
    const Case cases[] = {
        {100, 100, {9, 0, 52, 52}},
        {640, 480, {0, 0, 69, 52}},
        {480, 640, {15, 0, 39, 52}},
        {140, 52, {0, 13, 70, 26}},
        {70, 52, {0, 0, 70, 52}},
        {1, 1, {9, 0, 52, 52}},
        {4000, 10, {0, 26, 70, 0}},
        {10, 4000, {35, 0, 0, 52}},
        {9000, 6000, {0, 3, 70, 46}},
        {0, 50, {}},
        {50, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceThumbnail(c.width, c.height), c.expected) << c.width << " x " << c.height;
}

TEST_F(MediaDialogTest, ListsTheThemesPicturesWithTheirOwnCaptionsAndThumbnails) {
    Install(Spec());
    RunMedia([this](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "Media Advanced Setting");
        EXPECT_EQ(Listed(dialog),
                  (std::vector<Shown>{
                      {"red.bmp", "Red at dawn"}, {"green.png", "Green hills"}, {"blue.bmp", ""}}));
        IconList list = List(dialog);
        const auto* entry = list.Record<MediaListEntry>(0);
        EXPECT_STREQ(entry->folder, WorkFolder);
        EXPECT_EQ(list.Text(0), "[ red.bmp ]\nPPath : " +
                                    std::string(CMediaDlg::ShownFolder(WorkFolder).GetString()) +
                                    " \nCaption : Red at dawn ");
        EXPECT_EQ(Thumbnails(dialog), (std::vector<COLORREF>{kRed, kGreen, kBlue}));
        // Wide: the whole width; tall and square: centred between white margins.
        EXPECT_EQ(list.IconPixel(0, 1, 26), kRed);
        EXPECT_EQ(list.IconPixel(1, 14, 26), kWhite);
        EXPECT_EQ(list.IconPixel(1, 15, 26), kGreen);
        EXPECT_EQ(list.IconPixel(1, 54, 26), kWhite);
        EXPECT_EQ(list.IconPixel(2, 8, 26), kWhite);
        EXPECT_EQ(list.IconPixel(2, 9, 26), kBlue);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(list.IconPixel(i, 0, 0), kBorder) << i;
        // Nothing is selected: the caption waits for a choice.
        EXPECT_EQ(list.Selected(), -1);
        EXPECT_EQ(TextOf(FindControl(dialog, CMediaDlg::kCaptionId)), "");
        list.ClickItem(1);
        EXPECT_EQ(TextOf(FindControl(dialog, CMediaDlg::kCaptionId)), "Green hills");
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

// A picture the library cannot decode is still the theme's: it is listed under a placeholder
// with its name and caption, every Apply writes it back as it was, and only Delete drops it.
TEST_F(MediaDialogTest, AThemePictureThatCannotBeDecodedStaysUntilItIsDeleted) {
    lvtools::ThemeSpec spec = Spec();
    spec.images.insert(spec.images.begin() + 1,
                       {"broken.jpg", "Kept as it is", lvtest::SpecBytes("no jpeg")});
    Install(spec);
    RunMedia([](HWND dialog) {
        EXPECT_EQ(Listed(dialog), (std::vector<Shown>{{"red.bmp", "Red at dawn"},
                                                      {"broken.jpg", "Kept as it is"},
                                                      {"green.png", "Green hills"},
                                                      {"blue.bmp", ""}}));
        IconList list = List(dialog);
        EXPECT_EQ(list.Text(1).rfind("[ broken.jpg ]\n", 0), 0u) << list.Text(1);
        EXPECT_EQ(Thumbnails(dialog),
                  (std::vector<COLORREF>{kRed, kPlaceholderInk, kGreen, kBlue}));
        EXPECT_EQ(list.IconPixel(1, 5, 26), kWhite);
        EXPECT_EQ(list.IconPixel(1, kPlaceholderBox.left, 26), kPlaceholderInk);
        EXPECT_EQ(list.IconPixel(1, 0, 0), kBorder);
        // Any change, here a caption, writes every picture back.
        list.ClickItem(0);
        dlgdrive::TypeInto(FindControl(dialog, CMediaDlg::kCaptionId), "Red at noon");
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_TRUE(lv::testing::message_box_log().empty());
    ThemeContents c = ReadTheme();
    ASSERT_EQ(c.images.size(), 4u);
    EXPECT_EQ(c.images[0].caption, "Red at noon");
    EXPECT_EQ(c.images[1].name, "broken.jpg");
    EXPECT_EQ(c.images[1].caption, "Kept as it is");
    EXPECT_EQ(DataOf(c.imageFiles[1]), lvtest::SpecBytes("no jpeg"));

    RunMedia([](HWND dialog) {
        EXPECT_EQ(Thumbnails(dialog),
                  (std::vector<COLORREF>{kRed, kPlaceholderInk, kGreen, kBlue}));
        List(dialog).ClickItem(1);
        Click(FindControl(dialog, CMediaDlg::kDeleteId));
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    c = ReadTheme();
    ASSERT_EQ(c.images.size(), 3u);
    EXPECT_EQ(c.images[1].name, "green.png");
    EXPECT_TRUE(lv::testing::message_box_log().empty());
}

TEST_F(MediaDialogTest, AddingListsDecodablePicturesUnderTheirLabel) {
    Install(Spec());
    const std::string sky =
        lvtest::WriteSolidPicture(Pictures() / "sky.png", 140, 52, kYellow, PXIMAGE_FORMAT_PNG);
    std::filesystem::create_directories(Pictures());
    lvtest::WriteFileBytes(Pictures() / "fake.png", lvtest::SpecBytes("plain text"));
    RunMedia([&](HWND dialog) {
        AddThroughTheFileDialog(dialog, sky);
        AddThroughTheFileDialog(dialog, lv::to_windows_path((Pictures() / "fake.png").string()));
        EXPECT_EQ(Listed(dialog).size(), 4u);
        EXPECT_EQ(Listed(dialog).back(), (Shown{"sky.png", "sky [ 140 X 52 ]"}));
        IconList list = List(dialog);
        EXPECT_STREQ(list.Record<MediaListEntry>(3)->folder,
                     lv::to_windows_path(Pictures().string()).c_str());
        EXPECT_EQ(list.IconPixel(3, 35, 26), kYellow);
        EXPECT_EQ(list.IconPixel(3, 35, 12), kWhite);
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
    EXPECT_TRUE(lv::testing::message_box_log().empty());
    const auto log = lv::testing::file_dialog_log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_FALSE(log[0].save);
    EXPECT_NE(log[0].flags & OFN_FILEMUSTEXIST, 0u);
    EXPECT_EQ(log[0].filter_index, 1u);
}

// Every item keeps its own thumbnail and caption whatever happens to the others.
TEST_F(MediaDialogTest, DeletingAndMovingKeepEachPicturesThumbnailAndCaption) {
    Install(Spec());
    const std::string sky = lvtest::WriteSolidPicture(Pictures() / "sky.bmp", 30, 20, kYellow);
    RunMedia([&](HWND dialog) {
        IconList list = List(dialog);
        list.ClickItem(1);
        Click(FindControl(dialog, CMediaDlg::kDeleteId));
        EXPECT_EQ(list.Selected(), 0);
        EXPECT_EQ(TextOf(FindControl(dialog, CMediaDlg::kCaptionId)), "Red at dawn");
        AddThroughTheFileDialog(dialog, sky);
        EXPECT_EQ(Listed(dialog), (std::vector<Shown>{{"red.bmp", "Red at dawn"},
                                                      {"blue.bmp", ""},
                                                      {"sky.bmp", "sky [ 30 X 20 ]"}}));
        EXPECT_EQ(Thumbnails(dialog), (std::vector<COLORREF>{kRed, kBlue, kYellow}));

        list.ClickItem(0);
        Click(FindControl(dialog, CMediaDlg::kUpId)); // the first stays first
        Click(FindControl(dialog, CMediaDlg::kDownId));
        EXPECT_EQ(list.Selected(), 1);
        Click(FindControl(dialog, CMediaDlg::kDownId));
        Click(FindControl(dialog, CMediaDlg::kDownId)); // the last stays last
        EXPECT_EQ(list.Selected(), 2);
        EXPECT_EQ(Listed(dialog), (std::vector<Shown>{{"blue.bmp", ""},
                                                      {"sky.bmp", "sky [ 30 X 20 ]"},
                                                      {"red.bmp", "Red at dawn"}}));
        EXPECT_EQ(Thumbnails(dialog), (std::vector<COLORREF>{kBlue, kYellow, kRed}));

        for (int left = 2; left >= 0; --left) {
            list.ClickItem(0);
            Click(FindControl(dialog, CMediaDlg::kDeleteId));
            EXPECT_EQ(list.Count(), left);
        }
        EXPECT_EQ(TextOf(FindControl(dialog, CMediaDlg::kCaptionId)), "");
        Click(FindControl(dialog, CMediaDlg::kDeleteId)); // nothing left: nothing happens
        AddThroughTheFileDialog(dialog, sky);
        EXPECT_EQ(Thumbnails(dialog), (std::vector<COLORREF>{kYellow}));
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

TEST_F(MediaDialogTest, CaptionsAreStoredOnEnterOrWhenTheEditIsLeftAndNeitherKeyCloses) {
    Install(Spec());
    RunMedia([](HWND dialog) {
        IconList list = List(dialog);
        HWND caption = FindControl(dialog, CMediaDlg::kCaptionId);
        list.ClickItem(2);
        dlgdrive::TypeInto(caption, "Blue hour");
        lv::testing::key_press(VK_RETURN);
        Pump(dialog);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_STREQ(list.Record<MediaListEntry>(2)->caption, "Blue hour");
        lv::testing::key_press(VK_ESCAPE);
        Pump(dialog);
        EXPECT_TRUE(IsWindowVisible(dialog));

        // Leaving the edit for another item stores the text for the item it was typed for.
        list.ClickItem(0);
        dlgdrive::TypeInto(caption, "First light");
        list.ClickItem(1);
        EXPECT_STREQ(list.Record<MediaListEntry>(0)->caption, "First light");
        EXPECT_EQ(TextOf(caption), "Green hills");

        // The caption field holds 259 bytes.
        dlgdrive::TypeInto(caption, std::string(300, 'w'));
        list.ClickItem(2);
        EXPECT_EQ(list.Record<MediaListEntry>(1)->caption.GetLength(), CMediaDlg::kCaptionLimit);
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

// The whole road: the advanced page opens the dialog, Apply rewrites the theme with exactly the
// listed pictures in their order and with their captions, the next start shows them, and the
// dialog opened again lists what was applied.
TEST_F(MediaDialogTest, ApplyMakesTheListTheThemesPicturesAndTheNextStartShowsThem) {
    Install(Spec());
    const std::string sky =
        lvtest::WriteSolidPicture(Pictures() / "sky.png", 120, 90, kYellow, PXIMAGE_FORMAT_PNG);
    RunFromAdvancedPage(CAdvancedPage::kMediaId, [&](HWND dialog) {
        IconList list = List(dialog);
        AddThroughTheFileDialog(dialog, sky);
        list.ClickItem(3);
        Click(FindControl(dialog, CMediaDlg::kUpId));
        Click(FindControl(dialog, CMediaDlg::kUpId));
        Click(FindControl(dialog, CMediaDlg::kUpId));
        dlgdrive::TypeInto(FindControl(dialog, CMediaDlg::kCaptionId), "Sky at noon");
        list.ClickItem(2);
        Click(FindControl(dialog, CMediaDlg::kDeleteId)); // green goes
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_TRUE(lv::testing::message_box_log().empty());
    EXPECT_EQ(Theme.imageCount, 3);
    const ThemeContents c = ReadTheme();
    ASSERT_EQ(c.images.size(), 3u);
    const std::pair<const char*, const char*> expected[] = {
        {"sky.png", "Sky at noon"}, {"red.bmp", "Red at dawn"}, {"blue.bmp", ""}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(c.images[i].name, expected[i].first);
        EXPECT_EQ(c.images[i].caption, expected[i].second);
    }
    EXPECT_EQ(DataOf(c.imageFiles[0]), lvtest::ReadFileBytes(Pictures() / "sky.png"));
    EXPECT_EQ(DataOf(c.imageFiles[1]), Spec().images[0].data);
    // The rest of the theme is as it was.
    EXPECT_EQ(c.music.size(), 2u);
    EXPECT_EQ(c.settings.imageTime, Spec().settings.imageTime);
    EXPECT_EQ(c.settings.backgroundMode, Spec().settings.backgroundMode);

    // Opened again before the next start: the applied list, nothing stale.
    RunMedia([](HWND dialog) {
        EXPECT_EQ(Listed(dialog),
                  (std::vector<Shown>{
                      {"sky.png", "Sky at noon"}, {"red.bmp", "Red at dawn"}, {"blue.bmp", ""}}));
        EXPECT_EQ(Thumbnails(dialog), (std::vector<COLORREF>{kYellow, kRed, kBlue}));
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });

    Reload();
    ASSERT_EQ(ImageNames.GetSize(), 3);
    EXPECT_STREQ(ImageNames[0], "sky.png");
    EXPECT_STREQ(ImageCaptions[0], "Sky at noon");
    SlideComposer composer;
    const COLORREF shown[] = {kYellow, kRed, kBlue, kYellow};
    for (COLORREF colour : shown) {
        PxImage canvas;
        composer.Compose(160, 120, false, canvas);
        EXPECT_EQ(CanvasMiddle(canvas), colour);
    }
}

TEST_F(MediaDialogTest, ClearingAndApplyingLeavesTheThemeWithoutPictures) {
    Install(Spec());
    RunMedia([](HWND dialog) {
        Click(FindControl(dialog, CMediaDlg::kClearId));
        EXPECT_EQ(List(dialog).Count(), 0);
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_EQ(ReadTheme().header.imageCount, 0);
    RunMedia([](HWND dialog) {
        EXPECT_EQ(List(dialog).Count(), 0);
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
    Reload();
    EXPECT_EQ(ImageNames.GetSize(), 0);
}

TEST_F(MediaDialogTest, OkAndCancelLeaveTheFileAsItWas) {
    Install(Spec());
    for (int button : {CAdvancedDlg::kOkId, CAdvancedDlg::kCancelId}) {
        SCOPED_TRACE(button);
        const INT_PTR result = RunMedia([button](HWND dialog) {
            List(dialog).ClickItem(0);
            Click(FindControl(dialog, CMediaDlg::kDeleteId));
            Click(FindControl(dialog, button));
        });
        EXPECT_EQ(result, button == CAdvancedDlg::kOkId ? IDOK : IDCANCEL);
        EXPECT_EQ(lvtest::ReadFileBytes(ThemePath()), m_installed);
        EXPECT_EQ(MediaList.GetSize(), 0);
        EXPECT_EQ(Theme.imageCount, 3);
    }
}

// A failed Apply changes nothing: neither the file nor what the dialogs hold, so the next Apply
// of any dialog works on the theme as it was.
TEST_F(MediaDialogTest, APictureGoneBeforeApplyLeavesTheThemeAndTheDialogsAsTheyWere) {
    Install(Spec());
    const std::string sky = lvtest::WriteSolidPicture(Pictures() / "sky.bmp", 30, 20, kYellow);
    const INT_PTR result = RunMedia([&](HWND dialog) {
        AddThroughTheFileDialog(dialog, sky);
        fs::remove(Pictures() / "sky.bmp");
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(lv::testing::message_box_log().size(), 1u);
    EXPECT_EQ(lvtest::ReadFileBytes(ThemePath()), m_installed);
    EXPECT_EQ(MediaList.GetSize(), 0);
    EXPECT_EQ(Theme.imageCount, 3);

    lv::testing::clear_answers();
    EXPECT_EQ(RunBackground(), IDOK);
    EXPECT_TRUE(lv::testing::message_box_log().empty());
    EXPECT_EQ(ReadTheme().images.size(), 3u);
    RunMedia([](HWND dialog) {
        EXPECT_EQ(Listed(dialog).size(), 3u);
        EXPECT_EQ(Thumbnails(dialog), (std::vector<COLORREF>{kRed, kGreen, kBlue}));
        Click(FindControl(dialog, CAdvancedDlg::kCancelId));
    });
}

// Once applied, a picture is the theme's: the file it was added from may go, and every later
// Apply, the dialog's thumbnail and an export take it from the theme.
TEST_F(MediaDialogTest, AnAppliedPictureIsTakenFromTheThemeOnceItsOwnFileIsGone) {
    Install(Spec());
    const std::string sky =
        lvtest::WriteSolidPicture(Pictures() / "sky.png", 40, 30, kYellow, PXIMAGE_FORMAT_PNG);
    const auto skyBytes = lvtest::ReadFileBytes(Pictures() / "sky.png");
    RunMedia([&](HWND dialog) {
        AddThroughTheFileDialog(dialog, sky);
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    ASSERT_EQ(ReadTheme().images.size(), 4u);
    fs::remove(Pictures() / "sky.png");

    EXPECT_EQ(RunBackground(), IDOK);
    EXPECT_TRUE(lv::testing::message_box_log().empty());
    ThemeContents c = ReadTheme();
    ASSERT_EQ(c.images.size(), 4u);
    EXPECT_EQ(c.images[3].name, "sky.png");
    EXPECT_EQ(DataOf(c.imageFiles[3]), skyBytes);

    const fs::path out = m_dir / "exported";
    fs::create_directories(out);
    const INT_PTR result = RunMedia([&](HWND dialog) {
        EXPECT_EQ(Thumbnails(dialog), (std::vector<COLORREF>{kRed, kGreen, kBlue, kYellow}));
        IconList list = List(dialog);
        list.ClickItem(3);
        lv::testing::push_file_dialog_answer({{lv::to_windows_path((out / "sky").string())}, 1});
        Click(FindControl(dialog, CMediaDlg::kExportId));
        dlgdrive::TypeInto(FindControl(dialog, CMediaDlg::kCaptionId), "Sky kept");
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(lv::testing::message_box_log().empty());
    PxImage exported;
    EXPECT_TRUE(exported.Load((out / "sky.bmp").string().c_str(), PXIMAGE_FORMAT_BMP));
    c = ReadTheme();
    ASSERT_EQ(c.images.size(), 4u);
    EXPECT_EQ(c.images[3].caption, "Sky kept");
    EXPECT_EQ(DataOf(c.imageFiles[3]), skyBytes);
}

TEST_F(MediaDialogTest, PicturesOfTheSameNameStayApartInTheTheme) {
    Install(Spec());
    const std::string first =
        lvtest::WriteSolidPicture(Pictures() / "a" / "view.bmp", 8, 6, kGreen);
    const std::string second =
        lvtest::WriteSolidPicture(Pictures() / "b" / "view.bmp", 8, 6, kYellow);
    RunMedia([&](HWND dialog) {
        Click(FindControl(dialog, CMediaDlg::kClearId));
        AddThroughTheFileDialog(dialog, first);
        AddThroughTheFileDialog(dialog, second);
        Click(FindControl(dialog, CAdvancedDlg::kApplyId));
    });
    Reload();
    ASSERT_EQ(ImageNames.GetSize(), 2);
    EXPECT_STRCASENE(ImageNames[0], ImageNames[1]);
    SlideComposer composer;
    for (COLORREF colour : {kGreen, kYellow}) {
        PxImage canvas;
        composer.Compose(160, 120, false, canvas);
        EXPECT_EQ(CanvasMiddle(canvas), colour);
    }
}

// Export: the save dialog proposes the picture's name without extension and asks for no file
// that must exist; the chosen format's extension is added once; the file decodes again.
TEST_F(MediaDialogTest, ExportWritesThePictureInTheChosenFormatWithItsExtensionOnce) {
    Install(Spec());
    struct Case {
        const char* chosen;
        DWORD filter;
        const char* written;
        DWORD format;
    };
    const Case cases[] = {
        {"out", 2, "out.jpg", PXIMAGE_FORMAT_JPG},
        {"out", 1, "out.bmp", PXIMAGE_FORMAT_BMP},
        {"kept.JPG", 2, "kept.JPG", PXIMAGE_FORMAT_JPG},
        {"plain.jpg", 1, "plain.jpg.bmp", PXIMAGE_FORMAT_BMP},
    };
    const fs::path out = m_dir / "exported";
    fs::create_directories(out);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        lv::testing::clear_file_dialog_answers();
        RunMedia([&](HWND dialog) {
            List(dialog).ClickItem(1); // green.png, 48 x 64
            lv::testing::push_file_dialog_answer(
                {{lv::to_windows_path((out / c.chosen).string())}, c.filter});
            Click(FindControl(dialog, CMediaDlg::kExportId));
            Click(FindControl(dialog, CAdvancedDlg::kCancelId));
        });
        const auto log = lv::testing::file_dialog_log();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_TRUE(log[0].save);
        EXPECT_EQ(log[0].initial_file, "green");
        EXPECT_EQ(log[0].flags & OFN_FILEMUSTEXIST, 0u);
        EXPECT_NE(log[0].flags & OFN_PATHMUSTEXIST, 0u);
        PxImage written;
        ASSERT_TRUE(written.Load((out / c.written).string().c_str(), c.format))
            << written.GetLastError();
        EXPECT_EQ(written.GetWidth(), 48u);
        EXPECT_EQ(written.GetHeight(), 64u);
        EXPECT_EQ(lvtest::ReadFileBytes(out / c.written)[0],
                  c.format == PXIMAGE_FORMAT_JPG ? 0xFF : 'B');
    }
    EXPECT_TRUE(lv::testing::message_box_log().empty());
    EXPECT_EQ(lvtest::ReadFileBytes(ThemePath()), m_installed);
}

TEST_F(MediaDialogTest, ExportAsksAboutTheFileItWritesAndSaysWhenItCannot) {
    Install(Spec());
    const fs::path out = m_dir / "exported";
    fs::create_directories(out / "taken.bmp"); // a folder: no picture can be written there
    lvtest::WriteFileBytes(out / "old.bmp", lvtest::SpecBytes("older"));
    auto exportAs = [&](const char* chosen, int answer) {
        lv::testing::clear_answers();
        RunMedia([&](HWND dialog) {
            List(dialog).ClickItem(0);
            lv::testing::push_file_dialog_answer(
                {{lv::to_windows_path((out / chosen).string())}, 1});
            lv::testing::push_message_box_answer(answer);
            Click(FindControl(dialog, CMediaDlg::kExportId));
            Click(FindControl(dialog, CAdvancedDlg::kCancelId));
        });
        return lv::testing::message_box_log();
    };
    auto boxes = exportAs("old", IDNO);
    ASSERT_EQ(boxes.size(), 1u);
    const std::string target = lv::to_windows_path((out / "old.bmp").string());
    EXPECT_EQ(boxes[0].text, target + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(boxes[0].caption, "Confirm");
    EXPECT_EQ(boxes[0].type & 0xF, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(lvtest::ReadFileBytes(out / "old.bmp"), lvtest::SpecBytes("older"));

    boxes = exportAs("old", IDYES);
    ASSERT_EQ(boxes.size(), 1u);
    PxImage replaced;
    EXPECT_TRUE(replaced.Load((out / "old.bmp").string().c_str(), PXIMAGE_FORMAT_BMP));

    boxes = exportAs("taken", IDYES);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "The picture could not be saved as " +
                                 lv::to_windows_path((out / "taken.bmp").string()) + ".");
    EXPECT_EQ(boxes[1].caption, "Error");
}

TEST_F(MediaDialogTest, ShowsEveryControlInEveryLanguageAndTheTextsFit) {
    Install(Spec());
    CheckEveryLanguage([this](auto drive) { return RunMedia(drive); },
                       {{"C", "Media Advanced Setting", "media_en.png"},
                        {"ja_JP.UTF-8", "メディアの詳細設定", "media_ja.png"},
                        {"ko_KR.UTF-8", "미디어 고급 설정", "media_ko.png"}},
                       {{CMediaDlg::kAddId, 246},
                        {CMediaDlg::kDeleteId, 252},
                        {CMediaDlg::kUpId, 263},
                        {CMediaDlg::kDownId, 255},
                        {CMediaDlg::kClearId, 179},
                        {CMediaDlg::kExportId, 175}},
                       12, [](HWND dialog) { List(dialog).ClickItem(1); });
}

} // namespace
