// The screen saver as a program: start-up, the theme checks, the overrides and mode u, run as a
// child process on a scratch C: drive and registry.
#include "imagelib/px_image.h"
#include "system/paths.h"
#include "tests/support/metafile_writer.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"
#include "tools/themebuilder/theme_builder.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <optional>

namespace fs = std::filesystem;

namespace {

constexpr char kTitle[] = LV_THEME_TITLE;

std::vector<unsigned char> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

class SaverProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_program_dir);
        fs::copy_file(LV_SAVER_UNDER_TEST, Program());
        // The registry of this process and of the program are the same scratch hives.
        m_saved_root = std::getenv("LUMIVISTA_ROOT") ? std::getenv("LUMIVISTA_ROOT") : "";
        setenv("LUMIVISTA_ROOT", (m_scratch / "root").c_str(), 1);
    }
    void TearDown() override { setenv("LUMIVISTA_ROOT", m_saved_root.c_str(), 1); }

    fs::path Program() const { return m_program_dir / (std::string(kTitle) + ".scr"); }
    fs::path ThemeFile() const { return m_program_dir / (std::string(kTitle) + ".dat"); }
    // What work folders of the title and their marks stand beside the program, of any process.
    std::vector<std::string> WorkEntries() const {
        std::vector<std::string> names;
        const std::string prefix = "_qjv_" + std::string(kTitle) + "_work";
        for (const auto& entry : fs::directory_iterator(m_program_dir)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(prefix, 0) == 0)
                names.push_back(name);
        }
        return names;
    }
    // A work folder of another process that holds the named file.
    std::optional<fs::path> WorkFolderHolding(const char* name) const {
        for (const std::string& entry : WorkEntries()) {
            if (fs::exists(m_program_dir / entry / name))
                return m_program_dir / entry;
        }
        return std::nullopt;
    }

    void WriteTheme(const lvtools::ThemeSpec& spec) {
        lvtest::WriteFileBytes(ThemeFile(), lvtools::BuildTheme(spec).bytes);
    }

    lvtools::ThemeSpec Spec() const {
        lvtools::ThemeSpec spec;
        spec.header.title = kTitle;
        spec.settings.imageTime = 6;
        spec.settings.imageOrder = 0;
        spec.images = {{"one.jpg", "One", Bytes("1111")}, {"two.jpg", "Two", Bytes("22")}};
        spec.music = {{"song.wav", Bytes("RIFF")}};
        return spec;
    }

    std::map<std::string, std::string> ProgramEnv(std::map<std::string, std::string> env) const {
        env["LUMIVISTA_ROOT"] = (m_scratch / "root").string();
        env["LV_FAKE_UNINSTALLER_LOG"] = (m_scratch / "uninstaller.log").string();
        // The slide show ends by itself after its first slide, on a clock that does not wait.
        env.emplace("LUMIVISTA_QUIT_AFTER", "1");
        env.emplace("LUMIVISTA_CLOCK", "virtual");
        return env;
    }
    lvtest::ProcessResult Run(const std::vector<std::string>& args,
                              std::map<std::string, std::string> env = {}) {
        return lvtest::RunProgram(Program(), args, ProgramEnv(std::move(env)));
    }
    // A show on the real clock that goes on until `killWhen` holds, then is killed.
    lvtest::ProcessResult RunShowUntil(const std::function<bool()>& killWhen,
                                       std::map<std::string, std::string> env = {}) {
        env["LUMIVISTA_CLOCK"] = "real";
        env["LUMIVISTA_QUIT_AFTER"] = "100000";
        env["LUMIVISTA_SCREEN"] = "160x120";
        return lvtest::RunProgramUntil(Program(), {"/s"}, ProgramEnv(std::move(env)), killWhen,
                                       180);
    }

    lvtest::ScratchDir m_scratch;
    fs::path m_program_dir = m_scratch / "saver";
    std::string m_saved_root;
};

std::string SettingsKey() {
    return std::string("Software\\Glimmerwright Savers\\") + kTitle + "\\Settings";
}

void SetOverride(const char* name, DWORD value) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(
        RegSetValueExA(h, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
        ERROR_SUCCESS);
    RegCloseKey(h);
}

std::optional<DWORD> StoredValue(const char* name) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey().c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD value = 0, size = sizeof value, type = 0;
    const LONG status =
        RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(h);
    if (status != ERROR_SUCCESS || type != REG_DWORD)
        return std::nullopt;
    return value;
}

} // namespace

TEST_F(SaverProgramTest, ModeUWritesTheUninstallerStartsItWithTheProgramPathAndEnds) {
    auto result = Run({"/u"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    fs::path written = m_program_dir / "uninst_saver.exe";
    ASSERT_TRUE(fs::exists(written));
    EXPECT_TRUE(lvtest::SameFileBytes(written, LV_FAKE_UNINSTALLER));
    EXPECT_NE(fs::status(written).permissions() & fs::perms::owner_exec, fs::perms::none);
    ASSERT_TRUE(lvtest::WaitForFile(m_scratch / "uninstaller.log"));
    // One argument: this program's full path in the platform's form.
    std::string commandLine = lvtest::ReadFileText(m_scratch / "uninstaller.log");
    std::string windowsPath = "Z:" + Program().string();
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    EXPECT_EQ(commandLine, windowsPath);
    EXPECT_TRUE(WorkEntries().empty());
}

// The uninstaller is written under a private name and moved into place: a link standing at
// "uninst_saver.exe" is replaced, and whatever it points to is neither written nor started.
TEST_F(SaverProgramTest, ModeUReplacesWhatStandsAtTheUninstallersNameWithoutWritingThroughIt) {
    lvtest::ScratchDir outside;
    const fs::path victim = outside / "victim.sh";
    const fs::path written = m_program_dir / "uninst_saver.exe";
    struct Case {
        const char* what;
        std::function<void()> plant;
    };
    const Case cases[] = {
        {"link to a file", [&] { fs::create_symlink(victim, written); }},
        {"link to nothing", [&] { fs::create_symlink(outside / "none", written); }},
        {"an old copy", [&] { lvtest::WriteFileBytes(written, Bytes("old uninstaller")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lvtest::WriteFileBytes(victim, Bytes("victim"));
        fs::remove(written);
        fs::remove(m_scratch / "uninstaller.log");
        c.plant();
        auto result = Run({"/u"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(lvtest::ReadFileBytes(victim), Bytes("victim"));
        EXPECT_FALSE(fs::exists(outside / "none"));
        EXPECT_FALSE(fs::is_symlink(written));
        EXPECT_TRUE(lvtest::SameFileBytes(written, LV_FAKE_UNINSTALLER));
        EXPECT_TRUE(lvtest::WaitForFile(m_scratch / "uninstaller.log"));
        for (const auto& entry : fs::directory_iterator(m_program_dir)) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == Program().filename() || name == "uninst_saver.exe") << name;
        }
    }
}

TEST_F(SaverProgramTest, SwitchesRunTheirModes) {
    WriteTheme(Spec());
    struct Case {
        std::vector<std::string> args;
        const char* expected;
    };
    const Case cases[] = {
        {{}, "the settings dialog (mode C)"},     {{"/c"}, "the settings dialog (mode c)"},
        {{"/S"}, "the slide show (mode s)"},      {{"-s"}, "the slide show (mode s)"},
        {{"/x"}, "the slide show (mode x)"},      {{"/p"}, "the slide show (mode p)"},
        {{"/p", "1234"}, "the preview (mode p)"},
    };
    for (const Case& c : cases) {
        auto result = Run(c.args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.out.find(c.expected), std::string::npos) << result.out;
        EXPECT_NE(result.out.find(" 2 picture(s)"), std::string::npos) << result.out;
        // The work folder lives only while the program runs.
        EXPECT_TRUE(WorkEntries().empty());
    }
}

TEST_F(SaverProgramTest, APreviewHandleThatIsNoWindowOfOursEndsWithThePlatformsReason) {
    WriteTheme(Spec());
    auto result = Run({"/p", "1234"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("the preview cannot be shown in window 1234: Invalid window handle. "
                              "(1400)"),
              std::string::npos)
        << result.err;
}

TEST_F(SaverProgramTest, AMissingOrForeignThemeFileEndsStartUpWithItsMessage) {
    auto missing = Run({"/s"});
    EXPECT_NE(missing.exitCode, -1);
    EXPECT_NE(missing.err.find("A file does not exist."), std::string::npos) << missing.err;
    EXPECT_EQ(missing.out.find("picture"), std::string::npos);

    lvtest::WriteFileBytes(ThemeFile(), Bytes(std::string(400, 'x')));
    auto foreign = Run({"/s"});
    EXPECT_NE(foreign.err.find("It is not the screensaver"), std::string::npos) << foreign.err;
    EXPECT_EQ(foreign.out.find("picture"), std::string::npos);

    lvtools::BuiltTheme damaged = lvtools::BuildTheme(Spec());
    damaged.bytes.resize(damaged.bytes.size() - 1);
    lvtest::WriteFileBytes(ThemeFile(), damaged.bytes);
    auto cut = Run({"/s"});
    EXPECT_NE(cut.err.find("Screen saver data was damaged."), std::string::npos) << cut.err;
    EXPECT_TRUE(WorkEntries().empty());
}

TEST_F(SaverProgramTest, StoredValuesOverrideTheThemeAndMinusOneKeepsIt) {
    WriteTheme(Spec());
    SetOverride("ImageTime", 11);
    SetOverride("ImageOrder", 2);
    SetOverride("MUsicOff", 1);
    SetOverride("Disable", static_cast<DWORD>(-1));
    auto result = Run({"/s"});
    EXPECT_NE(result.out.find("11 second(s) per picture"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("order 2, music off 1, mouse movement ignored 0"), std::string::npos)
        << result.out;
}

// The settings dialog, answered by script: OK stores the four values it shows (the theme's,
// with the stored ones over them), Cancel stores nothing; the process ends with the dialog.
TEST_F(SaverProgramTest, ModeCOpensTheSettingsDialogWhoseOkStoresItsFourValues) {
    WriteTheme(Spec());
    struct Case {
        std::vector<std::string> args;
        const char* answer;
        bool stores;
    };
    const Case cases[] = {{{"/c"}, "OK", true}, {{}, "OK", true}, {{"-C"}, "Cancel", false}};
    const fs::path answers = m_scratch / "answers.txt";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey().c_str());
        SetOverride("ImageTime", 11);
        lvtest::WriteFileBytes(answers, Bytes(std::string(c.answer) + "\n"));
        auto result = Run(c.args, {{"LUMIVISTA_ANSWERS", answers.string()}});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.out.find("the settings dialog"), std::string::npos) << result.out;
        EXPECT_EQ(result.err.find("nobody can give"), std::string::npos) << result.err;
        EXPECT_TRUE(WorkEntries().empty());
        const std::optional<DWORD> fromTheTheme = c.stores ? std::optional<DWORD>(0) : std::nullopt;
        EXPECT_EQ(StoredValue("MUsicOff"), fromTheTheme);
        EXPECT_EQ(StoredValue("Disable"), fromTheTheme);
        EXPECT_EQ(StoredValue("ImageOrder"), fromTheTheme);
        EXPECT_EQ(StoredValue("ImageTime"), 11u);
    }
}

TEST(SampleTheme, TheBundledThemeLoadsInTheRealProgram) {
    lvtest::ScratchDir dir;
    fs::copy_file(LV_LUMIVISTA, dir / "Lumivista");
    fs::copy_file(LV_SAMPLE_THEME_FILE, dir / (std::string(kTitle) + ".dat"));
    auto result = lvtest::RunProgram(dir / "Lumivista", {"/s"},
                                     {{"LUMIVISTA_ROOT", (dir / "root").string()},
                                      {"LUMIVISTA_QUIT_AFTER", "2"},
                                      {"LUMIVISTA_CLOCK", "virtual"},
                                      {"SDL_AUDIODRIVER", "dummy"}});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    EXPECT_NE(result.out.find("the slide show (mode s) starts"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(" 5 picture(s)"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(" 1 music track(s)"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(" frame \"Linen mat\""), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("(missing)"), std::string::npos) << result.out;
}

namespace {

// A solid picture encoded as BMP, for themes whose slides are checked pixel by pixel.
std::vector<unsigned char> SolidPicture(LONG w, LONG h, COLORREF colour, const fs::path& scratch) {
    PxImage image;
    image.Create(w, h, 24);
    for (LONG y = 0; y < h; ++y)
        for (LONG x = 0; x < w; ++x)
            image.SetPixelColor(x, y, PxImage::RgbToRgbQuad(colour));
    fs::path file = scratch / "picture.bmp";
    EXPECT_TRUE(image.Save(file.string().c_str(), PXIMAGE_FORMAT_BMP)) << image.GetLastError();
    return lvtest::ReadFileBytes(file);
}

COLORREF CapturedPixel(const PxImage& capture, LONG x, LONG yFromTop) {
    return PxImage::RgbQuadToRgb(
        capture.GetPixelColor(x, static_cast<LONG>(capture.GetHeight()) - 1 - yFromTop, false));
}

} // namespace

TEST_F(SaverProgramTest, HeadlessShowCapturesEachSlideAndEndsAfterTheAskedNumber) {
    constexpr COLORREF kBackground = RGB(10, 20, 30);
    constexpr COLORREF kRed = RGB(200, 0, 0);
    constexpr COLORREF kBlue = RGB(0, 0, 200);
    lvtools::ThemeSpec spec = Spec();
    spec.settings.imageTime = 1;
    spec.settings.imageSizing = 0;
    spec.settings.backgroundMode = 0;
    spec.settings.solidColor = kBackground;
    spec.settings.captionPosition = 0;
    spec.images = {{"red.bmp", "", SolidPicture(40, 30, kRed, m_scratch.path())},
                   {"blue.bmp", "", SolidPicture(40, 30, kBlue, m_scratch.path())}};
    spec.music.clear();
    // Blinds Vertical, then the fade: both transitions of the list take their turn.
    spec.settings.transitionFlags.fill(0);
    spec.settings.transitionFlags[0] = 1;
    spec.settings.transitionFlags[20] = 1;
    WriteTheme(spec);

    fs::path captures = m_scratch / "captures";
    auto result = Run({"/s"}, {{"LUMIVISTA_CAPTURE", captures.string()},
                               {"LUMIVISTA_QUIT_AFTER", "4"},
                               {"LUMIVISTA_SCREEN", "160x120"}});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(WorkEntries().empty());
    // Pictures alternate; each one sits 40 x 30 in the middle of the background.
    const COLORREF expected[] = {kRed, kBlue, kRed, kBlue};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        char name[32];
        std::snprintf(name, sizeof name, "slide-%03d.png", i + 1);
        PxImage capture;
        ASSERT_TRUE(capture.Load((captures / name).string().c_str(), PXIMAGE_FORMAT_PNG))
            << capture.GetLastError();
        ASSERT_EQ(capture.GetWidth(), 160u);
        ASSERT_EQ(capture.GetHeight(), 120u);
        EXPECT_EQ(CapturedPixel(capture, 80, 60), expected[i]);
        EXPECT_EQ(CapturedPixel(capture, 60, 45), expected[i]);
        EXPECT_EQ(CapturedPixel(capture, 99, 74), expected[i]);
        EXPECT_EQ(CapturedPixel(capture, 59, 60), kBackground);
        EXPECT_EQ(CapturedPixel(capture, 0, 0), kBackground);
        EXPECT_EQ(CapturedPixel(capture, 159, 119), kBackground);
    }
    EXPECT_FALSE(fs::exists(captures / "slide-005.png"));
}

namespace {

constexpr COLORREF kShowBackground = RGB(10, 20, 30);
constexpr COLORREF kShowRed = RGB(200, 0, 0);
constexpr COLORREF kShowBlue = RGB(0, 0, 200);

// Two solid pictures in the middle of a solid background, a second apart.
lvtools::ThemeSpec TwoPictureShow(lvtools::ThemeSpec spec, const fs::path& scratch) {
    spec.settings.imageTime = 1;
    spec.settings.imageSizing = 0;
    spec.settings.backgroundMode = 0;
    spec.settings.solidColor = kShowBackground;
    spec.settings.captionPosition = 0;
    spec.images = {{"red.bmp", "", SolidPicture(40, 30, kShowRed, scratch)},
                   {"blue.bmp", "", SolidPicture(40, 30, kShowBlue, scratch)}};
    spec.music.clear();
    spec.settings.transitionFlags.fill(0);
    spec.settings.transitionFlags[20] = 1;
    return spec;
}

fs::path SlideFile(const fs::path& captures, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "slide-%03d.png", number);
    return captures / name;
}

// The middle of the slide shows one of the pictures, not the bare background.
void ExpectPictureShown(const fs::path& slide) {
    SCOPED_TRACE(slide.filename().string());
    PxImage capture;
    ASSERT_TRUE(capture.Load(slide.string().c_str(), PXIMAGE_FORMAT_PNG)) << capture.GetLastError();
    const COLORREF middle = CapturedPixel(capture, 80, 60);
    EXPECT_TRUE(middle == kShowRed || middle == kShowBlue) << std::hex << middle;
    EXPECT_EQ(CapturedPixel(capture, 0, 0), kShowBackground);
}

int SlidesIn(const fs::path& captures) {
    int count = 0;
    while (fs::exists(SlideFile(captures, count + 1)))
        ++count;
    return count;
}

} // namespace

// A show killed once its work folder holds its pictures leaves nothing that stops the next
// one: that one shows its pictures, and the killed show's folder and mark are removed.
TEST_F(SaverProgramTest, AShowAfterAKilledOneShowsItsPicturesAndRemovesWhatTheKilledOneLeft) {
    WriteTheme(TwoPictureShow(Spec(), m_scratch.path()));
    const lvtest::ProcessResult killed =
        RunShowUntil([&] { return WorkFolderHolding("blue.bmp").has_value(); });
    ASSERT_EQ(killed.exitCode, -1) << killed.err;
    ASSERT_FALSE(WorkEntries().empty());

    const fs::path captures = m_scratch / "captures";
    const lvtest::ProcessResult next = Run({"/s"}, {{"LUMIVISTA_CAPTURE", captures.string()},
                                                    {"LUMIVISTA_QUIT_AFTER", "2"},
                                                    {"LUMIVISTA_SCREEN", "160x120"}});
    ASSERT_EQ(next.exitCode, 0) << next.err;
    ExpectPictureShown(SlideFile(captures, 1));
    ExpectPictureShown(SlideFile(captures, 2));
    EXPECT_TRUE(WorkEntries().empty());
}

// The settings and a second show, started and ended while a show runs, each have a work folder
// of their own: the running show goes on showing its pictures, and each removes only its own.
TEST_F(SaverProgramTest, ProgramsStartedAndEndedBesideARunningShowLeaveItsPictures) {
    WriteTheme(TwoPictureShow(Spec(), m_scratch.path()));
    const fs::path captures = m_scratch / "captures";
    std::atomic<int> lastSlide{0}; // the running show's slide to wait for before it is killed
    lvtest::ProcessResult running;
    std::thread show([&] {
        running = RunShowUntil(
            [&] { return lastSlide > 0 && fs::exists(SlideFile(captures, lastSlide)); },
            {{"LUMIVISTA_CAPTURE", captures.string()}});
    });
    const bool started =
        lvtest::WaitUntil([&] { return fs::exists(SlideFile(captures, 1)); }, 120);
    bool othersRan = started;
    if (started) {
        const lvtest::ProcessResult settings = Run({"/c"});
        const lvtest::ProcessResult other = Run({"/s"}, {{"LUMIVISTA_SCREEN", "160x120"}});
        EXPECT_EQ(settings.exitCode, 0) << settings.err;
        EXPECT_EQ(other.exitCode, 0) << other.err;
        othersRan = settings.exitCode == 0 && other.exitCode == 0;
    }
    const int before = SlidesIn(captures);
    lastSlide = before + 2;
    show.join();
    ASSERT_TRUE(started) << running.err;
    ASSERT_TRUE(othersRan);
    ASSERT_EQ(running.exitCode, -1) << running.err;
    for (int slide = before + 1; slide <= before + 2; ++slide)
        ExpectPictureShown(SlideFile(captures, slide));
}

// Two shows started together both show their pictures, and leave nothing behind.
TEST_F(SaverProgramTest, TwoShowsStartedTogetherBothShowTheirPictures) {
    WriteTheme(TwoPictureShow(Spec(), m_scratch.path()));
    lvtest::ProcessResult results[2];
    const fs::path captures[2] = {m_scratch / "captures-1", m_scratch / "captures-2"};
    std::thread shows[2];
    for (int i = 0; i < 2; ++i)
        shows[i] = std::thread([&, i] {
            results[i] = Run({"/s"}, {{"LUMIVISTA_CAPTURE", captures[i].string()},
                                      {"LUMIVISTA_QUIT_AFTER", "2"},
                                      {"LUMIVISTA_SCREEN", "160x120"}});
        });
    for (std::thread& show : shows)
        show.join();
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(results[i].exitCode, 0) << results[i].err;
        ExpectPictureShown(SlideFile(captures[i], 1));
        ExpectPictureShown(SlideFile(captures[i], 2));
    }
    EXPECT_TRUE(WorkEntries().empty());
}

// Frame descriptions fill their text fields to the last byte: the version "1.0" in its three
// bytes and a title of 33 characters. Such a theme loads and shows its pictures in the frame.
TEST_F(SaverProgramTest, AFrameWhoseTextsFillTheirFieldsFramesEverySlide) {
    constexpr COLORREF kBackground = RGB(10, 20, 30);
    constexpr COLORREF kRed = RGB(200, 0, 0);
    // Nine 10 x 10 pieces, each its own colour.
    auto piece = [](int i) { return RGB(20 + 20 * i, 100, 60); };
    PxImage frame;
    frame.Create(30, 30, 24);
    for (LONG y = 0; y < 30; ++y)
        for (LONG x = 0; x < 30; ++x)
            frame.SetPixelColor(x, 29 - y, PxImage::RgbToRgbQuad(piece((y / 10) * 3 + x / 10)));
    const fs::path framePng = m_scratch / "frame.png";
    ASSERT_TRUE(frame.Save(framePng.string().c_str(), PXIMAGE_FORMAT_PNG)) << frame.GetLastError();

    lvtools::ThemeSpec spec = Spec();
    spec.settings.imageSizing = 0;
    spec.settings.backgroundMode = 0;
    spec.settings.solidColor = kBackground;
    spec.settings.captionPosition = 0;
    spec.settings.transitionFlags.fill(0);
    spec.images = {{"red.bmp", "", SolidPicture(40, 30, kRed, m_scratch.path())}};
    spec.music.clear();
    lvtools::ThemeFrame themeFrame;
    themeFrame.record.ver = "1.0";
    themeFrame.record.title = "Carved Walnut With Brass Corners.";
    ASSERT_EQ(themeFrame.record.title.size(), 33u);
    themeFrame.record.format = 1;
    themeFrame.record.type = 0;
    themeFrame.record.stretch_mode = 1;
    for (std::string* p :
         {&themeFrame.record.upleft, &themeFrame.record.upmid, &themeFrame.record.upright,
          &themeFrame.record.ctleft, &themeFrame.record.ctright, &themeFrame.record.btleft,
          &themeFrame.record.btmid, &themeFrame.record.btright})
        *p = "10 10";
    themeFrame.record.extraspace = "20 20";
    themeFrame.record.pic_drawpt = "10 10";
    themeFrame.record.pictureName = "frame.png";
    themeFrame.data = lvtest::ReadFileBytes(framePng);
    spec.frame = themeFrame;
    // The two texts as the authoring tool stores them, byte for byte: no NUL in either field.
    lvtools::BuiltTheme built = lvtools::BuildTheme(spec);
    const std::string texts = "1.0" + themeFrame.record.title;
    std::copy(texts.begin(), texts.end(),
              built.bytes.begin() + static_cast<long>(*built.layout.frameRecord));
    lvtest::WriteFileBytes(ThemeFile(), built.bytes);

    const fs::path captures = m_scratch / "captures";
    auto result =
        Run({"/s"}, {{"LUMIVISTA_CAPTURE", captures.string()}, {"LUMIVISTA_SCREEN", "160x120"}});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err.find("MessageBox"), std::string::npos) << result.err;
    PxImage capture;
    ASSERT_TRUE(capture.Load((captures / "slide-001.png").string().c_str(), PXIMAGE_FORMAT_PNG))
        << capture.GetLastError();
    // The framed picture is 60 x 50, centred: it spans (50, 35) to (109, 84).
    EXPECT_EQ(CapturedPixel(capture, 80, 60), kRed);
    EXPECT_EQ(CapturedPixel(capture, 52, 37), piece(0));  // upper-left corner
    EXPECT_EQ(CapturedPixel(capture, 107, 82), piece(8)); // lower-right corner
    EXPECT_EQ(CapturedPixel(capture, 52, 60), piece(3));  // left edge
    EXPECT_EQ(CapturedPixel(capture, 49, 60), kBackground);
    EXPECT_EQ(CapturedPixel(capture, 110, 60), kBackground);
}

namespace {

// Pictures of one colour, 40 x 30 pixels on a 96-pixels-per-inch display, in the metafile and
// JPEG-2000 family formats, each made by our own writers.
std::vector<unsigned char> SolidMetafile(COLORREF colour, bool enhanced) {
    if (enhanced) {
        lvtest::EmfWriter emf(0, 0, 40, 30);
        emf.CreateBrush(1, BS_SOLID, colour);
        emf.SelectObject(1);
        emf.SelectObject(0x80000000 | NULL_PEN);
        emf.Rectangle(0, 0, 41, 31);
        return emf.Bytes();
    }
    lvtest::WmfWriter wmf;
    wmf.SetWindowOrg(0, 0);
    wmf.SetWindowExt(40, 30);
    wmf.CreatePen(PS_NULL, 0, 0);
    wmf.CreateBrush(BS_SOLID, colour);
    wmf.SelectObject(0);
    wmf.SelectObject(1);
    wmf.Rectangle(0, 0, 41, 31);
    return wmf.Placeable(0, 0, 40, 30, 96);
}

std::vector<unsigned char> SolidEncoded(COLORREF colour, DWORD format) {
    PxImage image(40, 30, 24);
    for (LONG y = 0; y < 30; ++y)
        for (LONG x = 0; x < 40; ++x)
            image.SetPixelColor(x, y, PxImage::RgbToRgbQuad(colour));
    image.SetJpegQuality(100);
    BYTE* buffer = nullptr;
    LONG size = 0;
    EXPECT_TRUE(image.EncodeToMemory(buffer, size, format)) << image.GetLastError();
    std::vector<unsigned char> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

} // namespace

TEST_F(SaverProgramTest, ThemeWithMetafileAndJpeg2000FamilyPicturesPlaysThem) {
    constexpr COLORREF kBackground = RGB(10, 20, 30);
    const COLORREF colours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(220, 200, 0)};
    lvtools::ThemeSpec spec = Spec();
    spec.settings.imageTime = 1;
    spec.settings.imageSizing = 0;
    spec.settings.backgroundMode = 0;
    spec.settings.solidColor = kBackground;
    spec.settings.captionPosition = 0;
    spec.images = {{"drawing.wmf", "", SolidMetafile(colours[0], false)},
                   {"drawing.emf", "", SolidMetafile(colours[1], true)},
                   {"photo.jp2", "", SolidEncoded(colours[2], PXIMAGE_FORMAT_JP2)},
                   {"photo.pnm", "", SolidEncoded(colours[3], PXIMAGE_FORMAT_PNM)}};
    spec.music.clear();
    spec.settings.transitionFlags.fill(0);
    spec.settings.transitionFlags[0] = 1;
    WriteTheme(spec);

    fs::path captures = m_scratch / "captures";
    auto result = Run({"/s"}, {{"LUMIVISTA_CAPTURE", captures.string()},
                               {"LUMIVISTA_QUIT_AFTER", "4"},
                               {"LUMIVISTA_SCREEN", "160x120"}});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        char name[32];
        std::snprintf(name, sizeof name, "slide-%03d.png", i + 1);
        PxImage capture;
        ASSERT_TRUE(capture.Load((captures / name).string().c_str(), PXIMAGE_FORMAT_PNG))
            << capture.GetLastError();
        // Each picture sits 40 x 30 in the middle of the background.
        EXPECT_EQ(CapturedPixel(capture, 80, 60), colours[i]);
        EXPECT_EQ(CapturedPixel(capture, 61, 46), colours[i]);
        EXPECT_EQ(CapturedPixel(capture, 98, 73), colours[i]);
        EXPECT_EQ(CapturedPixel(capture, 58, 60), kBackground);
        EXPECT_EQ(CapturedPixel(capture, 0, 0), kBackground);
    }
}

// The real chain: an installed saver's /u writes out the real uninstaller and starts it with
// its own path; the uninstaller, answered by script, removes the saver, its theme file and its
// uninstall entry.
TEST(InstalledSaver, ModeURemovesTheInstallation) {
    lvtest::ScratchDir dir;
    fs::path root = dir / "root";
    std::string savedRoot = std::getenv("LUMIVISTA_ROOT") ? std::getenv("LUMIVISTA_ROOT") : "";
    setenv("LUMIVISTA_ROOT", root.c_str(), 1);
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    fs::path systemFolder = lv::to_host_path(system);
    fs::path saver = systemFolder / (std::string(kTitle) + ".scr");
    fs::path theme = systemFolder / (std::string(kTitle) + ".dat");
    fs::copy_file(LV_LUMIVISTA, saver);
    fs::copy_file(LV_SAMPLE_THEME_FILE, theme);
    std::string entry =
        std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + kTitle;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (entry + "\\Extra").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);

    fs::path answers = dir / "answers.txt";
    lvtest::WriteFileBytes(answers, Bytes("1004\nOK\n"));
    auto result = lvtest::RunProgram(
        saver, {"/u"},
        {{"LUMIVISTA_ROOT", root.string()}, {"LUMIVISTA_ANSWERS", answers.string()}});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fs::exists(systemFolder / "uninst_saver.exe"));
    // The uninstaller runs on its own; wait until it has done its work.
    lvtest::WaitUntil([&] { return !fs::exists(theme) && !fs::exists(saver); });
    EXPECT_FALSE(fs::exists(saver));
    EXPECT_FALSE(fs::exists(theme));
    HKEY gone = nullptr;
    lvtest::WaitUntil([&] {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, entry.c_str(), 0, KEY_READ, &gone) != ERROR_SUCCESS)
            return true;
        RegCloseKey(gone);
        gone = nullptr;
        return false;
    });
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, entry.c_str(), 0, KEY_READ, &gone),
              ERROR_FILE_NOT_FOUND);
    setenv("LUMIVISTA_ROOT", savedRoot.c_str(), 1);
}
