#include "saver/owner_mark.h"
#include "saver/theme_globals.h"
#include "saver/theme_loader.h"
#include "testing/answers.h"
#include "tests/support/full_theme.h"
#include "tests/support/scratch_dir.h"
#include "tools/themebuilder/theme_builder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include <unistd.h>

namespace fs = std::filesystem;
using lvtools::ThemeSpec;

namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

std::vector<std::uint8_t> ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

ThemeSpec FullSpec() {
    ThemeSpec spec;
    spec.header.title = "Loader Test";
    spec.info.adFlag = 1;
    spec.info.userId = "someone";
    spec.info.settingsPermission = 0;
    spec.info.mediaPermission = 1;
    spec.aboutText = "{\\rtf1 About the theme}";
    spec.overlay.markPresent = 1;
    spec.overlay.markKind = 1;
    spec.overlay.markPictureName = "mark.png";
    spec.markPicture = Bytes("MARKBYTES");
    spec.overlay.markStyle = 3;
    spec.overlay.markPlacement = 4;
    spec.overlay.secondFilePresent = 1;
    spec.overlay.secondFileName = "extra.bin";
    spec.secondFile = Bytes("SECOND");
    spec.overlay.adCounterStart = 12;
    spec.overlay.primaryAdBase = "http://primary.test";
    spec.overlay.secondaryAdBase = "http://secondary.test";
    ThemeSettingsBlock& s = spec.settings;
    s.disableMouseMove = 1;
    s.captionPosition = 5;
    s.imageOrder = 2;
    s.imageTime = 9;
    s.musicPlayMode = 1;
    s.musicLoop = 1;
    s.backgroundMode = 1;
    s.gradientKind = 3;
    s.solidColor = 0x00112233;
    s.gradientStartColor = 0x00445566;
    s.gradientEndColor = 0x00778899;
    s.captionFont = lvtools::MakeLogFont("Serif Face", -30, 700, true);
    s.captionColor = 0x00ABCDEF;
    s.transitionFlags[0] = 1;
    s.transitionFlags[3] = 2; // only 1 enables
    s.transitionFlags[20] = 1;
    s.transitionFlags[21] = 1; // beyond the list: ignored
    spec.images = {{"a.jpg", "Alpha", Bytes("AAAA")},
                   {"b.png", "Beta", Bytes(std::string(5000, 'b'))}};
    spec.music = {{"tune.wav", Bytes("RIFF....WAVE")}};
    spec.frame = lvtest::OakFrame();
    return spec;
}

class ThemeLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetThemeGlobals();
        lv::testing::clear_answers();
    }

    bool Load(const std::vector<std::uint8_t>& bytes) {
        WriteAll(m_dir / "theme.dat", bytes);
        ThemeFilePath = (m_dir / "theme.dat").string().c_str();
        return LoadThemeFile((m_dir / "theme.dat").string().c_str(),
                             m_dir.path().string().c_str()) == TRUE;
    }

    // This process's work folder of a title.
    fs::path WorkFolderOf(const std::string& title) const {
        return m_dir / ("_qjv_" + title + "_work_" + std::to_string(::getpid()));
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& r : lv::testing::message_box_log())
            texts.push_back(r.caption + ": " + r.text);
        return texts;
    }

    // Everything in the scratch folder, outside the work folder, is the theme file alone.
    void ExpectNothingElseWritten(const std::string& title) const {
        for (const auto& entry : fs::recursive_directory_iterator(m_dir.path())) {
            fs::path rel = fs::relative(entry.path(), m_dir.path());
            const fs::path work = WorkFolderOf(title).filename();
            if (rel == "theme.dat" || *rel.begin() == work || rel == work.string() + ".lock")
                continue;
            ADD_FAILURE() << "unexpected " << rel;
        }
    }

    lvtest::ScratchDir m_dir;
};

} // namespace

TEST_F(ThemeLoaderTest, ExtractsEveryFileAndFillsEveryGlobal) {
    ThemeSpec spec = FullSpec();
    ASSERT_TRUE(Load(lvtools::BuildTheme(spec).bytes));
    EXPECT_TRUE(Messages().empty());

    fs::path work = WorkFolderOf("Loader Test");
    EXPECT_EQ(ReadAll(work / "a.jpg"), spec.images[0].data);
    EXPECT_EQ(ReadAll(work / "b.png"), spec.images[1].data);
    EXPECT_EQ(ReadAll(work / "tune.wav"), spec.music[0].data);
    EXPECT_EQ(ReadAll(work / "oak.png"), spec.frame->data);
    EXPECT_EQ(ReadAll(work / "mark.png"), spec.markPicture);
    EXPECT_EQ(ReadAll(work / "extra.bin"), spec.secondFile);
    ExpectNothingElseWritten("Loader Test");

    EXPECT_EQ(
        fs::path(static_cast<LPCTSTR>(WorkFolder)),
        fs::path(m_dir.path().string() + "\\" + WorkFolderOf("Loader Test").filename().string()));
    EXPECT_STREQ(Theme.title, "Loader Test");
    EXPECT_STREQ(Theme.version, "2.5.0");
    EXPECT_EQ(Theme.imageCount, 2);
    EXPECT_EQ(Theme.adFlag, 1);
    EXPECT_STREQ(Theme.userId, "someone");
    EXPECT_EQ(Theme.settingsPermission, 0);
    EXPECT_EQ(Theme.mediaPermission, 1);
    EXPECT_EQ(Theme.adCounterStart, 12);
    EXPECT_STREQ(Theme.primaryAdBase, "http://primary.test");
    EXPECT_STREQ(Theme.secondaryAdBase, "http://secondary.test");
    EXPECT_EQ(Theme.markStyle, 3);
    EXPECT_EQ(Theme.markPlacement, 4);
    EXPECT_STREQ(AboutText, "{\\rtf1 About the theme}");

    EXPECT_EQ(SaverSettings.disableMouseMove, 1);
    EXPECT_EQ(SaverSettings.captionPosition, 5);
    EXPECT_EQ(SaverSettings.imageOrder, 2);
    EXPECT_EQ(SaverSettings.imageTime, 9);
    EXPECT_EQ(SaverSettings.musicCount, 1);
    EXPECT_EQ(SaverSettings.gradientKind, 3);
    EXPECT_EQ(SaverSettings.gradientEndColor, 0x00778899u);
    EXPECT_STREQ(SaverSettings.captionFont.lfFaceName, "Serif Face");
    EXPECT_EQ(SaverSettings.captionFont.lfHeight, -30);
    EXPECT_EQ(SaverSettings.captionFont.lfItalic, 1);
    EXPECT_EQ(SaverSettings.captionColor, 0x00ABCDEFu);
    EXPECT_EQ(SaverSettings.framePresent, 1);

    ASSERT_EQ(EnabledTransitions.GetSize(), 2);
    EXPECT_EQ(EnabledTransitions[0], 0);
    EXPECT_EQ(EnabledTransitions[1], 20);

    ASSERT_EQ(ImageNames.GetSize(), 2);
    EXPECT_STREQ(ImageNames[1], "b.png");
    EXPECT_STREQ(ImageCaptions[0], "Alpha");
    ASSERT_EQ(MusicNames.GetSize(), 1);
    EXPECT_STREQ(MusicNames[0], "tune.wav");

    EXPECT_STREQ(FrameSettings.title, "Oak");
    EXPECT_EQ(FrameSettings.direction, 1);
    EXPECT_EQ(FrameSettings.format, 1);
    EXPECT_STREQ(FrameSettings.upleft, "20 21");
    EXPECT_STREQ(FrameSettings.btright, "22 23");
    EXPECT_EQ(FrameSettings.type, 2);
    EXPECT_EQ(FrameSettings.stretch_mode, 1);
    EXPECT_STREQ(FrameSettings.extraspace, "40 42");
    EXPECT_STREQ(FrameSettings.framePicturePath, WorkFolder + "\\oak.png");
}

TEST_F(ThemeLoaderTest, TextsThatFillTheirWholeFieldLoad) {
    ThemeSpec spec = FullSpec();
    spec.frame->record.ver = "1.0";
    spec.frame->record.title = std::string(33, 'W');
    spec.images[0].caption = std::string(260, 'c');
    ASSERT_TRUE(Load(lvtools::BuildTheme(spec).bytes));
    EXPECT_TRUE(Messages().empty());
    EXPECT_STREQ(FrameSettings.ver, "1.0");
    EXPECT_STREQ(FrameSettings.title, std::string(33, 'W').c_str());
    EXPECT_EQ(FrameSettings.direction, 1);
    EXPECT_STREQ(ImageCaptions[0], std::string(260, 'c').c_str());
    EXPECT_EQ(ReadAll(WorkFolderOf("Loader Test") / "oak.png"), spec.frame->data);
}

TEST_F(ThemeLoaderTest, AdvertValuesAreTakenOnlyWhenTheFlagIsOne) {
    ThemeSpec spec = FullSpec();
    spec.info.adFlag = 2;
    ASSERT_TRUE(Load(lvtools::BuildTheme(spec).bytes));
    EXPECT_EQ(Theme.adCounterStart, 0);
    EXPECT_TRUE(Theme.primaryAdBase.IsEmpty());
    EXPECT_TRUE(Theme.secondaryAdBase.IsEmpty());
}

TEST_F(ThemeLoaderTest, AForeignThemeIsReportedAndStillLoaded) {
    ThemeSpec spec = FullSpec();
    spec.header.foreignFlag = 1;
    ASSERT_TRUE(Load(lvtools::BuildTheme(spec).bytes));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Error: It is not the screensaver, made from "
                             "Glimmerwright.\nReinstall Glimmerwright or inquire to author.");
    EXPECT_EQ(ImageNames.GetSize(), 2);
}

TEST_F(ThemeLoaderTest, AMarkLengthMismatchIsReportedAndTheBlockLengthUsed) {
    lvtools::BuiltTheme built = lvtools::BuildTheme(FullSpec());
    built.bytes[built.layout.markPicture] = 2;
    ASSERT_TRUE(Load(built.bytes));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Error: Screen saver data was damaged.\nInquire to author.\n");
    EXPECT_EQ(ReadAll(WorkFolderOf("Loader Test") / "mark.png"), Bytes("MARKBYTES"));
}

TEST_F(ThemeLoaderTest, AnOldWorkFolderIsReplaced) {
    fs::create_directories(WorkFolderOf("Loader Test") / "old");
    WriteAll(WorkFolderOf("Loader Test") / "stale.jpg", Bytes("old"));
    ASSERT_TRUE(Load(lvtools::BuildTheme(FullSpec()).bytes));
    EXPECT_FALSE(fs::exists(WorkFolderOf("Loader Test") / "stale.jpg"));
    EXPECT_FALSE(fs::exists(WorkFolderOf("Loader Test") / "old"));
    EXPECT_TRUE(fs::exists(WorkFolderOf("Loader Test") / "a.jpg"));
}

// Each process has a work folder of its own beside its mark. A load removes the folders whose
// process has ended, however it ended, and leaves those of running processes, and folders
// without a mark, alone.
TEST_F(ThemeLoaderTest, WorkFoldersOfEndedProcessesGoAndThoseOfRunningOnesStay) {
    const auto folder = [&](const char* id) {
        return m_dir / ("_qjv_Loader Test_work_" + std::string(id));
    };
    const auto mark = [&](const char* id) { return fs::path(folder(id).string() + ".lock"); };
    for (const char* id : {"ended", "running", "unmarked"}) {
        fs::create_directories(folder(id) / "sub");
        WriteAll(folder(id) / "a.jpg", Bytes("picture"));
    }
    WriteAll(mark("ended"), {});
    WriteAll(mark("running"), {});
    OwnerMark running; // held through a handle of its own, as another process would hold it
    ASSERT_TRUE(running.Take(mark("running").string().c_str(), false));

    ASSERT_TRUE(Load(lvtools::BuildTheme(FullSpec()).bytes));
    EXPECT_FALSE(fs::exists(folder("ended")));
    EXPECT_FALSE(fs::exists(mark("ended")));
    EXPECT_EQ(ReadAll(folder("running") / "a.jpg"), Bytes("picture"));
    EXPECT_TRUE(fs::exists(mark("running")));
    EXPECT_EQ(ReadAll(folder("unmarked") / "a.jpg"), Bytes("picture"));
    EXPECT_TRUE(fs::exists(WorkFolderOf("Loader Test") / "a.jpg"));

    // Once its process has ended, the next start removes it too.
    running.Release();
    ASSERT_TRUE(Load(lvtools::BuildTheme(FullSpec()).bytes));
    EXPECT_FALSE(fs::exists(folder("running")));
    EXPECT_FALSE(fs::exists(mark("running")));
    EXPECT_TRUE(fs::exists(folder("unmarked")));
}

TEST_F(ThemeLoaderTest, DamagedThemesShowMessage132AndLoadNothing) {
    struct Case {
        const char* what;
        std::function<void(lvtools::BuiltTheme&)> damage;
    };
    auto truncate = [](std::size_t keep) {
        return [keep](lvtools::BuiltTheme& t) { t.bytes.resize(std::min(keep, t.bytes.size())); };
    };
    auto patch = [](std::function<std::size_t(const lvtools::ThemeLayout&)> at,
                    std::int32_t value) {
        return [at, value](lvtools::BuiltTheme& t) {
            std::size_t o = at(t.layout);
            for (int i = 0; i < 4; ++i)
                t.bytes[o + static_cast<std::size_t>(i)] =
                    static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
        };
    };
    auto name = [](std::function<std::size_t(const lvtools::ThemeLayout&)> at, std::string text) {
        return [at, text](lvtools::BuiltTheme& t) {
            std::size_t o = at(t.layout);
            std::fill(t.bytes.begin() + static_cast<long>(o),
                      t.bytes.begin() + static_cast<long>(o + 260), 0);
            std::copy(text.begin(), text.end(), t.bytes.begin() + static_cast<long>(o));
        };
    };
    const Case cases[] = {
        {"empty file", truncate(0)},
        {"header only", truncate(364)},
        {"cut in the about text", truncate(364 + 292 + 5)},
        {"cut in the last picture",
         [](lvtools::BuiltTheme& t) { t.bytes.resize(t.layout.musicRecords[0] - 10); }},
        {"cut in the frame record",
         [](lvtools::BuiltTheme& t) { t.bytes.resize(*t.layout.frameRecord + 100); }},
        {"one byte short", [](lvtools::BuiltTheme& t) { t.bytes.pop_back(); }},
        {"huge image count",
         patch([](const lvtools::ThemeLayout& l) { return l.header + 360; }, 0x7FFFFFFF)},
        {"negative image count",
         patch([](const lvtools::ThemeLayout& l) { return l.header + 360; }, -3)},
        {"negative picture length",
         patch([](const lvtools::ThemeLayout& l) { return l.imageRecords[0] + 524; }, -1)},
        {"picture longer than the file",
         patch([](const lvtools::ThemeLayout& l) { return l.imageRecords[1] + 524; }, 1 << 30)},
        {"huge music count",
         patch([](const lvtools::ThemeLayout& l) { return l.settings + 24; }, 1 << 28)},
        {"huge about length",
         patch([](const lvtools::ThemeLayout& l) { return l.info + 132; }, 0x7FFFFFF0)},
        {"picture escapes the work folder",
         name([](const lvtools::ThemeLayout& l) { return l.imageRecords[0] + 4; },
              "..\\..\\evil.exe")},
        {"picture into the program folder",
         name([](const lvtools::ThemeLayout& l) { return l.imageRecords[0] + 4; }, "..")},
        {"music with a drive",
         name([](const lvtools::ThemeLayout& l) { return l.musicRecords[0] + 4; },
              "C:\\WINDOWS\\evil.wav")},
        {"frame picture with a slash",
         [](lvtools::BuiltTheme& t) {
             std::size_t o = *t.layout.frameRecord + 142;
             std::string evil = "../evil.png";
             std::fill(t.bytes.begin() + static_cast<long>(o),
                       t.bytes.begin() + static_cast<long>(o + 262), 0);
             std::copy(evil.begin(), evil.end(), t.bytes.begin() + static_cast<long>(o));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetThemeGlobals();
        lv::testing::clear_answers();
        fs::remove_all(WorkFolderOf("Loader Test"));
        lvtools::BuiltTheme built = lvtools::BuildTheme(FullSpec());
        c.damage(built);
        EXPECT_FALSE(Load(built.bytes));
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], "Error: Screen saver data was damaged.\nInquire to author.\n");
        EXPECT_EQ(ImageNames.GetSize(), 0);
        EXPECT_TRUE(WorkFolder.IsEmpty());
        EXPECT_FALSE(fs::exists(WorkFolderOf("Loader Test")));
        ExpectNothingElseWritten("Loader Test");
    }
}

// A title or an embedded name that no Windows file name can hold is damage. With a wildcard in
// the title the work folder's path would be a pattern, and removing it after the failed
// extraction would remove every other theme's work folder with it.
TEST_F(ThemeLoaderTest, TitlesAndNamesNoFileNameCanHoldAreDamageAndDeleteNothing) {
    const fs::path other = WorkFolderOf("Other Theme");
    fs::create_directories(other);
    WriteAll(other / "kept.jpg", Bytes("other theme's picture"));
    struct Case {
        const char* what;
        std::function<void(ThemeSpec&)> change;
    };
    const Case cases[] = {
        {"title *", [](ThemeSpec& s) { s.header.title = "*"; }},
        {"title with ?", [](ThemeSpec& s) { s.header.title = "Loader?Test"; }},
        {"title with <", [](ThemeSpec& s) { s.header.title = "a<b"; }},
        {"title with >", [](ThemeSpec& s) { s.header.title = "a>b"; }},
        {"title with a quote", [](ThemeSpec& s) { s.header.title = "say \"hi\""; }},
        {"title with |", [](ThemeSpec& s) { s.header.title = "a|b"; }},
        {"title with a tab", [](ThemeSpec& s) { s.header.title = "a\tb"; }},
        {"picture *", [](ThemeSpec& s) { s.images[0].name = "*.jpg"; }},
        {"picture with ?", [](ThemeSpec& s) { s.images[1].name = "b?.png"; }},
        {"music with |", [](ThemeSpec& s) { s.music[0].name = "tune|.wav"; }},
        {"frame picture with *", [](ThemeSpec& s) { s.frame->record.pictureName = "oak*.png"; }},
        {"mark picture with <", [](ThemeSpec& s) { s.overlay.markPictureName = "<mark>.png"; }},
        {"second file with a control character",
         [](ThemeSpec& s) { s.overlay.secondFileName = "extra\x7.bin"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetThemeGlobals();
        lv::testing::clear_answers();
        ThemeSpec spec = FullSpec();
        c.change(spec);
        EXPECT_FALSE(Load(lvtools::BuildTheme(spec).bytes));
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0], "Error: Screen saver data was damaged.\nInquire to author.\n");
        EXPECT_EQ(ReadAll(other / "kept.jpg"), Bytes("other theme's picture"));
        for (const auto& entry : fs::directory_iterator(m_dir.path())) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "theme.dat" || name == other.filename()) << name;
        }
    }
}

// The work folder is made afresh and every file in it is written under a private name and then
// moved into place: a link standing in for the work folder, or planted in it as soon as it
// exists, never has its target written to.
TEST_F(ThemeLoaderTest, LinksAtTheWorkFolderOrInItAreNotWrittenThrough) {
    lvtest::ScratchDir victims;
    const std::vector<std::string> names = {"mark.png", "extra.bin", "a.jpg",
                                            "b.png",    "tune.wav",  "oak.png"};
    auto victimsUntouched = [&] {
        for (const std::string& name : names)
            EXPECT_EQ(ReadAll(victims / name), Bytes("victim")) << name;
        EXPECT_EQ(std::distance(fs::directory_iterator(victims.path()), fs::directory_iterator()),
                  static_cast<long>(names.size()));
    };
    auto workFilesAreTheTheme = [&](const ThemeSpec& spec) {
        const fs::path work = WorkFolderOf("Loader Test");
        EXPECT_FALSE(fs::is_symlink(work));
        for (const std::string& name : names)
            EXPECT_FALSE(fs::is_symlink(work / name)) << name;
        EXPECT_EQ(ReadAll(work / "a.jpg"), spec.images[0].data);
        EXPECT_EQ(ReadAll(work / "tune.wav"), spec.music[0].data);
        EXPECT_EQ(ReadAll(work / "mark.png"), spec.markPicture);
        EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()),
                  static_cast<long>(names.size()));
        ExpectNothingElseWritten("Loader Test");
    };
    for (const std::string& name : names)
        WriteAll(victims / name, Bytes("victim"));

    // In place of the work folder, before the saver starts.
    fs::create_directory_symlink(victims.path(), WorkFolderOf("Loader Test"));
    const ThemeSpec spec = FullSpec();
    ASSERT_TRUE(Load(lvtools::BuildTheme(spec).bytes));
    victimsUntouched();
    workFilesAreTheTheme(spec);

    // In the work folder once it is made: the message about the mark picture's length shows
    // after the folder is made and before anything is extracted into it.
    ResetThemeGlobals();
    lv::testing::clear_answers();
    lvtools::BuiltTheme built = lvtools::BuildTheme(spec);
    built.bytes[built.layout.markPicture] ^= 1;
    lv::testing::push_modal_answer({IDOK, [&](HWND box) {
                                        for (const std::string& name : names)
                                            fs::create_symlink(victims / name,
                                                               WorkFolderOf("Loader Test") / name);
                                        EndDialog(box, IDOK);
                                    }});
    ASSERT_TRUE(Load(built.bytes));
    EXPECT_EQ(Messages().size(), 1u);
    victimsUntouched();
    workFilesAreTheTheme(spec);
}

TEST_F(ThemeLoaderTest, AFailedExtractionReportsAndLoadsNothing) {
    // The program folder is a file: the work folder and its files cannot be made.
    lvtools::BuiltTheme built = lvtools::BuildTheme(FullSpec());
    WriteAll(m_dir / "theme.dat", built.bytes);
    fs::path program = m_dir / "not-a-folder";
    WriteAll(program, Bytes("x"));
    ThemeFilePath = (m_dir / "theme.dat").string().c_str();
    EXPECT_FALSE(LoadThemeFile((m_dir / "theme.dat").string().c_str(), program.string().c_str()));
    EXPECT_EQ(ImageNames.GetSize(), 0);
    EXPECT_TRUE(WorkFolder.IsEmpty());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("could not be written to disk"), std::string::npos);
}
