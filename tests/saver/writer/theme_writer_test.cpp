#include "saver/file_theme_source.h"
#include "saver/media_list.h"
#include "saver/owner_mark.h"
#include "saver/theme_globals.h"
#include "saver/theme_loader.h"
#include "saver/theme_reader.h"
#include "saver/theme_writer.h"
#include "system/paths.h"
#include "testing/answers.h"
#include "testing/virtual_clock.h"
#include "tests/support/full_theme.h"
#include "tests/support/scratch_dir.h"
#include "tools/themebuilder/theme_builder.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;
using lvtools::BuiltTheme;
using lvtools::ThemeSpec;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes ToBytes(std::string_view s) {
    return {s.begin(), s.end()};
}

Bytes ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& p, const Bytes& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// The Windows form of a host path, as the saver's own paths are.
CString WinPath(const fs::path& p) {
    std::string text = "Z:" + p.string();
    for (char& c : text) {
        if (c == '/')
            c = '\\';
    }
    return text.c_str();
}

Bytes Slice(const Bytes& b, std::size_t from, std::size_t to) {
    return {b.begin() + from, b.begin() + to};
}

ThemeSpec FullSpec() {
    return lvtest::FullThemeSpec("Writer Test");
}

ThemeContents ReadBack(const fs::path& p) {
    FileThemeSource source(WinPath(p));
    ThemeContents c;
    EXPECT_TRUE(source.IsOpen());
    EXPECT_EQ(ReadThemeContents(source, c), ThemeReadStatus::Ok);
    return c;
}

Bytes DataOf(const fs::path& p, const EmbeddedFile& f) {
    Bytes all = ReadAll(p);
    return Slice(all, f.offset, f.offset + f.length);
}

// Public, so that the cases of a table can arrange their own failures.
class ThemeWriterTest : public ::testing::Test {
public:
    void SetUp() override {
        ResetThemeGlobals();
        ResetMediaLists();
        lv::testing::clear_answers();
    }
    void TearDown() override {
        ResetThemeGlobals();
        ResetMediaLists();
    }

    fs::path ThemePath() const { return m_dir / "Writer Test.dat"; }
    fs::path NewPath() const {
        return m_dir / ("new_" + std::string(LoadSaverString(IDS_THEME_TITLE)) + ".dat");
    }

    // Writes the theme and loads it, so the globals are those of a running saver.
    void Install(const ThemeSpec& spec) {
        m_old = lvtools::BuildTheme(spec);
        WriteAll(ThemePath(), m_old.bytes);
        ThemeFilePath = WinPath(ThemePath());
        ASSERT_TRUE(LoadThemeFile(ThemeFilePath, WinPath(m_dir.path())));
    }

    ThemeWriteResult Rewrite() {
        m_progress.clear();
        return RewriteThemeFile(ThemeWriteInputs{}, [this](int p) { m_progress.push_back(p); });
    }

    fs::path AddFile(const std::string& relative, const Bytes& bytes) {
        WriteAll(m_dir / relative, bytes);
        return m_dir / relative;
    }

    void AddPicture(const std::string& name, const std::string& caption, const Bytes& bytes) {
        fs::path p = AddFile("pics/" + name, bytes);
        MediaListEntry e;
        e.name = name.c_str();
        e.folder = WinPath(p.parent_path());
        e.caption = caption.c_str();
        MediaList.Add(e);
    }

    void AddTrack(const std::string& name, const Bytes& bytes) {
        fs::path p = AddFile("tracks/" + name, bytes);
        MusicListEntry e;
        e.name = name.c_str();
        e.folder = WinPath(p.parent_path());
        e.size = static_cast<int>(bytes.size());
        MusicList.Add(e);
    }

    // Neither the new file nor a private file made for it is left beside the theme.
    bool NoNewFileLeft() const {
        for (const auto& entry : fs::directory_iterator(m_dir.path())) {
            if (entry.path().filename().string().starts_with("new_"))
                return false;
        }
        return true;
    }

    lvtest::ScratchDir m_dir;
    BuiltTheme m_old;
    std::vector<int> m_progress;
};

const std::vector<int> kFullProgress = {0, 10, 20, 25, 30, 35, 40, 50, 60, 70, 80, 90, 95, 100};

TEST_F(ThemeWriterTest, ChangingTransitionsChangesOnlyTheSettingsBlockAndTheStamp) {
    Install(FullSpec());
    EnabledTransitions.RemoveAll();
    for (int index : {1, 4, 9, 14, 20})
        EnabledTransitions.Add(index);

    ThemeWriteResult r = Rewrite();
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(m_progress, kFullProgress);
    EXPECT_TRUE(NoNewFileLeft());

    const Bytes now = ReadAll(ThemePath());
    const Bytes& was = m_old.bytes;
    const lvtools::ThemeLayout& at = m_old.layout;
    ASSERT_EQ(now.size(), was.size());
    EXPECT_EQ(Slice(now, 0, at.info), Slice(was, 0, at.info));
    const std::size_t stamp = at.info + 161;
    EXPECT_EQ(Slice(now, at.info, stamp), Slice(was, at.info, stamp));
    EXPECT_EQ(Slice(now, stamp + 4, at.about), Slice(was, stamp + 4, at.about));
    EXPECT_EQ(Slice(now, at.about, at.settings), Slice(was, at.about, at.settings));
    const std::size_t flags = at.settings + 128;
    EXPECT_EQ(Slice(now, at.settings, flags), Slice(was, at.settings, flags));
    EXPECT_EQ(Slice(now, flags + 260, now.size()), Slice(was, flags + 260, was.size()));

    Bytes expectedFlags(260, 0);
    for (int index : {1, 4, 9, 14, 20})
        expectedFlags[static_cast<std::size_t>(index)] = 1;
    EXPECT_EQ(Slice(now, flags, flags + 260), expectedFlags);
}

TEST_F(ThemeWriterTest, ProgressFollowsTheBlocksWritten) {
    struct Case {
        bool aboutText;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {true, kFullProgress},
        {false, {0, 10, 20, 30, 35, 40, 50, 60, 70, 80, 90, 95, 100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.aboutText);
        ThemeSpec spec = FullSpec();
        if (!c.aboutText)
            spec.aboutText.clear();
        spec.overlay.markPresent = 0;
        spec.overlay.secondFilePresent = 0;
        Install(spec);
        ASSERT_TRUE(Rewrite().Ok());
        EXPECT_EQ(m_progress, c.expected);
    }
}

TEST_F(ThemeWriterTest, AppliedPictureListReplacesEveryPicture) {
    Install(FullSpec());
    AddPicture("sunset.bmp", "Sunset [ 4 X 2 ]", ToBytes("BM-sunset-pixels"));
    AddPicture("river.jpg", "By the river", Bytes(70000, 0xD8));
    AddPicture("hill.png", "", ToBytes("PNG-hill"));
    Theme.imageCount = 3;

    ASSERT_TRUE(Rewrite().Ok());
    const ThemeContents c = ReadBack(ThemePath());
    EXPECT_EQ(c.header.imageCount, 3);
    ASSERT_EQ(c.images.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const MediaListEntry& e = MediaList[static_cast<INT_PTR>(i)];
        EXPECT_EQ(c.images[i].kind, 1);
        EXPECT_EQ(c.images[i].name, e.name.GetString());
        EXPECT_EQ(c.images[i].caption, e.caption.GetString());
        EXPECT_EQ(DataOf(ThemePath(), c.imageFiles[i]),
                  ReadAll(m_dir / "pics" / e.name.GetString()));
    }
    ASSERT_EQ(c.music.size(), 2u);
    EXPECT_EQ(DataOf(ThemePath(), c.musicFiles[1]), ToBytes("MThd-TWO-LONGER"));
    ASSERT_TRUE(c.frameFile);
    EXPECT_EQ(DataOf(ThemePath(), *c.frameFile), ToBytes("OAKFRAMEPNG"));
}

// Every embedded file is extracted into one folder: files of the same name from different
// folders (or named like the mark, the second file or the frame picture) are stored under
// names of their own, so that none overwrites another when the theme is loaded again.
TEST_F(ThemeWriterTest, FilesOfTheSameNameAreStoredUnderNamesOfTheirOwn) {
    Install(FullSpec());
    const std::pair<const char*, const char*> pictures[] = {{"a", "view.jpg"},
                                                            {"b", "VIEW.jpg"},
                                                            {"c", "view.jpg"},
                                                            {"d", "mark.png"},
                                                            {"e", "oak.png"}};
    for (const auto& [folder, name] : pictures) {
        const fs::path p = AddFile(std::string("pics/") + folder + "/" + name,
                                   ToBytes(std::string("picture ") + folder));
        MediaListEntry e;
        e.name = name;
        e.folder = WinPath(p.parent_path());
        MediaList.Add(e);
    }
    AddTrack("view.jpg", ToBytes("a track named like a picture"));
    Theme.imageCount = 5;
    SaverSettings.framePresent = 1;

    ASSERT_TRUE(Rewrite().Ok());
    const ThemeContents c = ReadBack(ThemePath());
    std::vector<std::string> names;
    for (const ImageRecord& r : c.images)
        names.push_back(r.name);
    EXPECT_EQ(names, (std::vector<std::string>{"view.jpg", "VIEW (2).jpg", "view (3).jpg",
                                               "mark (2).png", "oak.png"}));
    ASSERT_EQ(c.music.size(), 1u);
    EXPECT_EQ(c.music[0].name, "view (4).jpg");
    ASSERT_TRUE(c.frame);
    EXPECT_EQ(c.frame->pictureName, "oak (2).png");

    // Loaded again, each picture is its own file with its own bytes.
    ResetThemeGlobals();
    ThemeFilePath = WinPath(ThemePath());
    ASSERT_TRUE(LoadThemeFile(ThemeFilePath, WinPath(m_dir.path())));
    const char* folders[] = {"a", "b", "c", "d", "e"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ReadAll(lv::to_host_path((WorkFolder + "\\" + ImageNames[i]).GetString())),
                  ToBytes(std::string("picture ") + folders[i]))
            << i;
}

TEST_F(ThemeWriterTest, MusicComesFromTheListOrFromTheOldTracksTheCountKeeps) {
    struct Case {
        const char* what;
        std::vector<std::string> list; // tracks applied by the music dialog
        int musicCount;                // SaverSettings.musicCount
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"one applied track over two", {"new.mp3"}, 1, {"new.mp3"}},
        {"three applied, count stale", {"x.mp3", "y.wav", "z.mid"}, 1, {"x.mp3", "y.wav", "z.mid"}},
        {"applied empty list", {}, 0, {}},
        {"no dialog ran", {}, 2, {"one.wav", "two.mid"}},
        {"count below the old tracks", {}, 1, {"one.wav"}},
        {"count above the old tracks", {}, 5, {"one.wav", "two.mid"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetMediaLists();
        Install(FullSpec());
        for (const std::string& name : c.list)
            AddTrack(name, ToBytes("track:" + name));
        SaverSettings.musicCount = c.musicCount;

        ASSERT_TRUE(Rewrite().Ok());
        const ThemeContents r = ReadBack(ThemePath());
        EXPECT_EQ(r.settings.musicCount, static_cast<int>(c.expected.size()));
        ASSERT_EQ(r.music.size(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(r.music[i].name, c.expected[i]);
            EXPECT_EQ(r.music[i].kind, 0);
            const std::string old = c.expected[i] == "one.wav" ? "RIFF-ONE" : "MThd-TWO-LONGER";
            const Bytes expected =
                c.list.empty() ? ToBytes(old) : ToBytes("track:" + c.expected[i]);
            EXPECT_EQ(DataOf(ThemePath(), r.musicFiles[i]), expected);
        }
        ASSERT_TRUE(r.frame);
        EXPECT_EQ(r.frame->title, "Oak");
        EXPECT_EQ(DataOf(ThemePath(), *r.frameFile), ToBytes("OAKFRAMEPNG"));
    }
}

TEST_F(ThemeWriterTest, AClearedPictureCountDropsTheOldPictures) {
    Install(FullSpec());
    Theme.imageCount = 0; // the media dialog applied an empty list

    ASSERT_TRUE(Rewrite().Ok());
    const ThemeContents r = ReadBack(ThemePath());
    EXPECT_EQ(r.header.imageCount, 0);
    EXPECT_TRUE(r.images.empty());
    EXPECT_EQ(r.music.size(), 2u);
}

TEST_F(ThemeWriterTest, FrameOffLeavesTheOldFrameBehindUnread) {
    Install(FullSpec());
    SaverSettings.framePresent = 0;

    ASSERT_TRUE(Rewrite().Ok());
    const ThemeContents r = ReadBack(ThemePath());
    EXPECT_EQ(r.settings.framePresent, 0);
    EXPECT_FALSE(r.frame);
    const Bytes now = ReadAll(ThemePath());
    const std::size_t oldFrame = *m_old.layout.frameRecord;
    const std::size_t frameSize = m_old.layout.end - oldFrame;
    ASSERT_GE(now.size(), frameSize);
    EXPECT_EQ(Slice(now, now.size() - frameSize, now.size()),
              Slice(m_old.bytes, oldFrame, m_old.layout.end));
}

TEST_F(ThemeWriterTest, ANoFrameThemeStaysWithoutFrame) {
    ThemeSpec spec = FullSpec();
    spec.frame.reset();
    Install(spec);
    ASSERT_TRUE(Rewrite().Ok());
    EXPECT_EQ(ReadAll(ThemePath()).size(), m_old.bytes.size());
}

TEST_F(ThemeWriterTest, AChosenFrameIsWrittenFromTheFrameSettings) {
    for (bool oldFrame : {true, false}) {
        SCOPED_TRACE(oldFrame);
        ThemeSpec spec = FullSpec();
        if (!oldFrame)
            spec.frame.reset();
        Install(spec);
        const fs::path picture = AddFile("frames/walnut.bmp", ToBytes("BM-walnut-frame-picture"));
        // Frame descriptions fill the 3-byte version field: it is written back whole.
        FrameSettings.ver = "1.0";
        FrameSettings.title = "Walnut";
        FrameSettings.direction = 2;
        FrameSettings.format = 0;
        FrameSettings.upleft = "1 2";
        FrameSettings.upmid = "3 4";
        FrameSettings.upright = "5 6";
        FrameSettings.ctleft = "7 8";
        FrameSettings.ctright = "9 10";
        FrameSettings.btleft = "11 12";
        FrameSettings.btmid = "13 14";
        FrameSettings.btright = "15 16";
        FrameSettings.type = 3;
        FrameSettings.stretch_mode = 0;
        FrameSettings.pic_drawpt = "17 18";
        FrameSettings.extraspace = "19 20";
        FrameSettings.framePicturePath = WinPath(picture);
        SaverSettings.framePresent = 1;

        ASSERT_TRUE(Rewrite().Ok());
        const ThemeContents r = ReadBack(ThemePath());
        ASSERT_TRUE(r.frame);
        const FrameRecord& f = *r.frame;
        EXPECT_EQ(f.ver, "1.0");
        EXPECT_EQ(f.title, "Walnut");
        EXPECT_EQ(f.direction, 2);
        EXPECT_EQ(f.format, 0);
        EXPECT_EQ(f.upleft, "1 2");
        EXPECT_EQ(f.upmid, "3 4");
        EXPECT_EQ(f.upright, "5 6");
        EXPECT_EQ(f.ctleft, "7 8");
        EXPECT_EQ(f.ctright, "9 10");
        EXPECT_EQ(f.btleft, "11 12");
        EXPECT_EQ(f.btmid, "13 14");
        EXPECT_EQ(f.btright, "15 16");
        EXPECT_EQ(f.type, 3);
        EXPECT_EQ(f.stretch_mode, 0);
        EXPECT_EQ(f.pic_drawpt, "17 18");
        EXPECT_EQ(f.extraspace, "19 20");
        EXPECT_EQ(f.pictureName, "walnut.bmp");
        EXPECT_EQ(DataOf(ThemePath(), *r.frameFile), ReadAll(picture));
        // Nothing of an old frame follows the new one.
        EXPECT_EQ(r.frameFile->offset + r.frameFile->length, ReadAll(ThemePath()).size());
    }
}

TEST_F(ThemeWriterTest, AMissingSourceWritesNothing) {
    ThemeFilePath = WinPath(ThemePath());
    ThemeWriteResult r = Rewrite();
    EXPECT_EQ(r.status, ThemeWriteStatus::SourceMissing);
    EXPECT_EQ(r.MessageId(), 131u);
    EXPECT_TRUE(m_progress.empty());
    EXPECT_TRUE(fs::is_empty(m_dir.path()));
}

TEST_F(ThemeWriterTest, ADamagedSourceIsRefusedBeforeAnythingIsWritten) {
    struct Case {
        const char* what;
        std::function<void(ThemeSpec&, Bytes&)> damage;
    };
    const Case cases[] = {
        {"cut inside the music", [](ThemeSpec&, Bytes& b) { b.resize(b.size() - 30); }},
        // The int stored before the data differs from the overlay block's length.
        {"mark length differs",
         [](ThemeSpec& s, Bytes& b) { b[lvtools::BuildTheme(s).layout.markPicture] = 8; }},
        {"second file length differs",
         [](ThemeSpec& s, Bytes& b) { b[lvtools::BuildTheme(s).layout.secondFile] = 7; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ThemeSpec spec = FullSpec();
        Bytes bytes = lvtools::BuildTheme(spec).bytes;
        c.damage(spec, bytes);
        WriteAll(ThemePath(), bytes);
        ThemeFilePath = WinPath(ThemePath());

        ThemeWriteResult r = Rewrite();
        EXPECT_EQ(r.status, ThemeWriteStatus::Damaged);
        EXPECT_EQ(r.MessageId(), 132u);
        EXPECT_TRUE(m_progress.empty());
        EXPECT_EQ(ReadAll(ThemePath()), bytes);
        EXPECT_TRUE(NoNewFileLeft());
    }
}

TEST_F(ThemeWriterTest, AFailureMidWayKeepsTheOldFileAndRemovesTheNewOne) {
    struct Case {
        const char* what;
        std::function<CString(ThemeWriterTest&)> arrange; // returns the path the report names
        ThemeFileOperation operation;
        int cause;
    };
    const Case cases[] = {
        {"picture file gone",
         [](ThemeWriterTest& t) {
             t.AddPicture("here.bmp", "", ToBytes("BM-here"));
             t.AddPicture("gone.bmp", "", ToBytes("BM-gone"));
             fs::remove(t.m_dir / "pics" / "gone.bmp");
             return MediaList[1].folder + "\\gone.bmp";
         },
         ThemeFileOperation::Open, CFileException::fileNotFound},
        {"picture name with a folder in it",
         [](ThemeWriterTest& t) {
             t.AddPicture("sneaky.bmp", "", ToBytes("BM"));
             MediaList[0].name = "..\\sneaky.bmp";
             MediaList[0].folder = WinPath(t.m_dir / "pics" / "sub");
             return MediaList[0].folder + "\\..\\sneaky.bmp";
         },
         ThemeFileOperation::Open, CFileException::badPath},
        {"track file gone",
         [](ThemeWriterTest& t) {
             t.AddTrack("gone.mp3", ToBytes("ID3"));
             fs::remove(t.m_dir / "tracks" / "gone.mp3");
             return MusicList[0].folder + "\\gone.mp3";
         },
         ThemeFileOperation::Open, CFileException::fileNotFound},
        {"frame picture gone",
         [](ThemeWriterTest& t) {
             t.AddFile("frames/other.png", ToBytes("PNG"));
             FrameSettings.framePicturePath = WinPath(t.m_dir / "frames" / "none.png");
             SaverSettings.framePresent = 1;
             return FrameSettings.framePicturePath;
         },
         ThemeFileOperation::Open, CFileException::fileNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetMediaLists();
        Install(FullSpec());
        const CString path = c.arrange(*this);

        ThemeWriteResult r = Rewrite();
        EXPECT_EQ(r.status, ThemeWriteStatus::FileError);
        EXPECT_EQ(r.operation, c.operation);
        EXPECT_EQ(r.cause, c.cause);
        EXPECT_STREQ(r.path, path);
        char message[512];
        ASSERT_TRUE(r.FileException().GetErrorMessage(message, sizeof message));
        EXPECT_NE(std::string(message).find(path.GetString()), std::string::npos) << message;
        EXPECT_FALSE(m_progress.empty());
        EXPECT_NE(m_progress.back(), 100);
        EXPECT_EQ(ReadAll(ThemePath()), m_old.bytes);
        EXPECT_TRUE(NoNewFileLeft());
    }
}

TEST_F(ThemeWriterTest, ANewFileThatCannotBeCreatedLeavesEverythingAsItWas) {
    Install(FullSpec());
    ThemeWriteInputs in;
    in.title = CString('t', 300); // the new file's name would be longer than a name may be
    ThemeWriteResult r = RewriteThemeFile(in, [this](int p) { m_progress.push_back(p); });
    EXPECT_EQ(r.status, ThemeWriteStatus::FileError);
    EXPECT_EQ(r.operation, ThemeFileOperation::Create);
    EXPECT_EQ(std::string(r.path).rfind(std::string(WinPath(m_dir / "new_ttt")), 0), 0u) << r.path;
    EXPECT_TRUE(m_progress.empty());
    EXPECT_EQ(ReadAll(ThemePath()), m_old.bytes);
    EXPECT_TRUE(NoNewFileLeft());
}

// Every rewrite writes a private file of its own: nothing that stands at the new file's name,
// nor at a private name someone has taken, is opened, let alone written through or removed.
TEST_F(ThemeWriterTest, WhatStandsAtTheNewFilesNameIsNeitherWrittenNorRemoved) {
    lvtest::ScratchDir outside;
    const fs::path victim = outside / "victim.dat";
    const std::string title = std::string(LoadSaverString(IDS_THEME_TITLE));
    struct Case {
        const char* what;
        std::function<void(const fs::path& at)> plant;
    };
    const Case cases[] = {
        {"link to a file", [&](const fs::path& at) { fs::create_symlink(victim, at); }},
        {"link to nothing", [&](const fs::path& at) { fs::create_symlink(outside / "none", at); }},
        {"folder", [&](const fs::path& at) { fs::create_directory(at); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Install(FullSpec());
        WriteAll(victim, ToBytes("victim"));
        std::vector<fs::path> planted = {NewPath()};
        for (int n = 0; n < 10; ++n)
            planted.push_back(m_dir / ("new_" + title + "~" + std::to_string(n) + ".dat"));
        for (const fs::path& at : planted)
            c.plant(at);
        EnabledTransitions.RemoveAll();
        EnabledTransitions.Add(4);

        ThemeWriteResult r = Rewrite();
        EXPECT_TRUE(r.Ok());
        EXPECT_EQ(ReadAll(victim), ToBytes("victim"));
        EXPECT_FALSE(fs::exists(outside / "none"));
        EXPECT_FALSE(fs::is_symlink(ThemePath()));
        ThemeContents c2 = ReadBack(ThemePath());
        EXPECT_EQ(c2.settings.transitionFlags[4], 1);
        for (const fs::path& at : planted) {
            EXPECT_TRUE(fs::is_symlink(at) || fs::is_directory(at)) << at;
            fs::remove(at);
        }
        EXPECT_TRUE(NoNewFileLeft());
    }
}

// Two rewrites at once never share a file: both report what they did, and the theme is whole,
// as one of them wrote it.
TEST_F(ThemeWriterTest, TwoRewritesAtOnceLeaveTheThemeWholeAndReportTruthfully) {
    ThemeSpec spec = FullSpec();
    // Large enough that the two rewrites overlap.
    spec.images[1].data = Bytes(8 << 20, 'p');
    Install(spec);
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    const int transitions[2] = {2, 5};
    std::vector<pid_t> children;
    for (int transition : transitions) {
        pid_t child = ::fork();
        if (child == 0) {
            ::close(start[1]);
            char go = 0;
            (void)!::read(start[0], &go, 1); // returns at once when the parent closes the pipe
            EnabledTransitions.RemoveAll();
            EnabledTransitions.Add(transition);
            ThemeWriteResult r = RewriteThemeFile(ThemeWriteInputs{});
            ::_exit(r.Ok() ? 0 : 10 + static_cast<int>(r.status));
        }
        ASSERT_GT(child, 0);
        children.push_back(child);
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "a rewrite failed (10 + its status)";
    }
    ThemeContents c = ReadBack(ThemePath());
    ASSERT_EQ(c.imageFiles.size(), 2u);
    EXPECT_EQ(DataOf(ThemePath(), c.imageFiles[1]), spec.images[1].data);
    const auto& flags = c.settings.transitionFlags;
    EXPECT_EQ(std::count(flags.begin(), flags.end(), 1), 1);
    EXPECT_TRUE(flags[2] == 1 || flags[5] == 1);
    EXPECT_TRUE(NoNewFileLeft());
}

// A read-only theme file is neither replaced nor stripped of its mode: the rewrite reports
// the refused replacement and removes its new file.
TEST_F(ThemeWriterTest, AReadOnlyThemeFileIsKeptAndTheRefusalReported) {
    Install(FullSpec());
    ASSERT_TRUE(SetFileAttributesA(WinPath(ThemePath()), FILE_ATTRIBUTE_READONLY));
    EnabledTransitions.RemoveAll();
    EnabledTransitions.Add(4);

    ThemeWriteResult r = Rewrite();
    EXPECT_EQ(r.status, ThemeWriteStatus::FileError);
    EXPECT_EQ(r.operation, ThemeFileOperation::Replace);
    EXPECT_EQ(r.osError, static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_NE(m_progress.back(), 100);
    EXPECT_EQ(ReadAll(ThemePath()), m_old.bytes);
    EXPECT_NE(GetFileAttributesA(WinPath(ThemePath())) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_TRUE(NoNewFileLeft());
    SetFileAttributesA(WinPath(ThemePath()), FILE_ATTRIBUTE_NORMAL);
}

// A rewrite that ended mid-way (killed) leaves its private file; the next rewrite removes it.
// A private file that a running rewrite still holds, and names that are no private name of the
// new file, stay.
TEST_F(ThemeWriterTest, PrivateFilesOfEndedRewritesAreRemovedAndThoseOfRunningOnesKept) {
    Install(FullSpec());
    const std::string title = std::string(LoadSaverString(IDS_THEME_TITLE));
    const auto beside = [&](const std::string& name) { return m_dir / name; };
    const std::string ended = "new_" + title + "~90001.dat";
    const std::string running = "new_" + title + "~90002.dat";
    const std::vector<std::string> others = {"new_" + title + "~x1.dat", "new_" + title + "~.dat",
                                             "new_" + title + "~5.dat.bak"};
    for (const std::string& name : others)
        WriteAll(beside(name), ToBytes("other"));
    WriteAll(beside(ended), ToBytes("half a theme"));
    WriteAll(beside(running), ToBytes("being written"));
    OwnerMark writer; // another rewrite's handle on its file
    ASSERT_TRUE(writer.Take(WinPath(beside(running)), false));

    ThemeWriteResult r = Rewrite();
    EXPECT_TRUE(r.Ok());
    EXPECT_FALSE(fs::exists(beside(ended)));
    EXPECT_EQ(ReadAll(beside(running)), ToBytes("being written"));
    for (const std::string& name : others)
        EXPECT_EQ(ReadAll(beside(name)), ToBytes("other")) << name;
}

// A folder that refuses access refuses every name in it: the rewrite fails at once instead of
// trying one private name after another. Run in a child that is not the superuser (a user
// namespace of its own), whom the folder's permissions would not bind.
TEST_F(ThemeWriterTest, AFolderThatRefusesAccessFailsTheRewriteAtOnce) {
    Install(FullSpec());
    fs::permissions(m_dir.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && ::unshare(CLONE_NEWUSER) != 0)
            ::_exit(77);
        const auto number = [](const CString& path) {
            const std::string text(path);
            return std::stoul(text.substr(text.rfind('~') + 1));
        };
        const ThemeWriteResult first = RewriteThemeFile(ThemeWriteInputs{});
        const ThemeWriteResult second = RewriteThemeFile(ThemeWriteInputs{});
        for (const ThemeWriteResult* r : {&first, &second}) {
            if (r->status != ThemeWriteStatus::FileError ||
                r->operation != ThemeFileOperation::Create ||
                r->osError != static_cast<LONG>(ERROR_ACCESS_DENIED))
                ::_exit(1);
        }
        ::_exit(number(second.path) == number(first.path) + 1 ? 0 : 2);
    }
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    fs::permissions(m_dir.path(), fs::perms::owner_all);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no user namespace to leave the superuser's rights in";
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "1: not refused at creation for access, 2: more than one name tried per rewrite";
    EXPECT_EQ(ReadAll(ThemePath()), m_old.bytes);
}

TEST_F(ThemeWriterTest, TheNewFileIsNamedAfterTheThemeTitleBesideTheOld) {
    EXPECT_STREQ(NewThemeFilePath("C:\\Saver\\Amber.dat", "Amber"), "C:\\Saver\\new_Amber.dat");
    EXPECT_STREQ(NewThemeFilePath("Z:\\a\\b\\x.dat", "T"), "Z:\\a\\b\\new_T.dat");
    EXPECT_STREQ(NewThemeFilePath("x.dat", "T"), "new_T.dat");
}

TEST_F(ThemeWriterTest, ASourceNamedLikeTheNewFileIsRewrittenWhole) {
    Install(FullSpec());
    const fs::path clash = NewPath();
    fs::copy_file(ThemePath(), clash);
    ThemeWriteInputs in;
    in.sourcePath = WinPath(clash);
    ThemeWriteResult r = RewriteThemeFile(in);
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(ReadBack(clash).images.size(), m_old.layout.imageRecords.size());
}

TEST_F(ThemeWriterTest, TheStampIsTheSameForTheSameDay) {
    lv::testing::VirtualClockScope clock;
    auto rewriteAt = [&](WORD day) {
        SYSTEMTIME t{};
        t.wYear = 2024;
        t.wMonth = 3;
        t.wDay = day;
        t.wHour = 10;
        lv::testing::set_system_time(t);
        WriteAll(ThemePath(), m_old.bytes);
        EXPECT_TRUE(Rewrite().Ok());
        return ReadAll(ThemePath());
    };
    Install(FullSpec());
    const Bytes first = rewriteAt(4);
    EXPECT_EQ(rewriteAt(4), first);
    const Bytes later = rewriteAt(5);
    const std::size_t stamp = m_old.layout.info + 161;
    EXPECT_NE(Slice(later, stamp, stamp + 4), Slice(first, stamp, stamp + 4));
}

TEST_F(ThemeWriterTest, TheRewrittenThemeLoadsWithEveryAppliedValue) {
    Install(FullSpec());
    AddPicture("p1.jpg", "First", ToBytes("JPEG-1"));
    AddPicture("p2.gif", "Second", ToBytes("GIF89a-2"));
    Theme.imageCount = 2;
    AddTrack("song.mp3", ToBytes("ID3-song"));
    const fs::path picture = AddFile("frames/birch.png", ToBytes("PNG-birch"));
    SaverSettings.musicCount = 1;
    SaverSettings.musicPlayMode = 1;
    SaverSettings.musicOrder = 2;
    SaverSettings.musicLoop = 1;
    SaverSettings.musicOff = 1;
    SaverSettings.backgroundMode = 0;
    SaverSettings.gradientKind = 5;
    SaverSettings.solidColor = 0x00010203;
    SaverSettings.gradientStartColor = 0x00040506;
    SaverSettings.gradientEndColor = 0x00070809;
    SaverSettings.framePresent = 1;
    FrameSettings.title = "Birch";
    FrameSettings.upleft = "8 9";
    FrameSettings.framePicturePath = WinPath(picture);
    EnabledTransitions.RemoveAll();
    EnabledTransitions.Add(2);
    EnabledTransitions.Add(21 - 1);

    const SaverSettingsValues applied = SaverSettings;
    const CString aboutText = AboutText;
    const CString userId = Theme.userId;
    ASSERT_TRUE(Rewrite().Ok());

    ResetThemeGlobals();
    ThemeFilePath = WinPath(ThemePath());
    ASSERT_TRUE(LoadThemeFile(ThemeFilePath, WinPath(m_dir.path())));
    EXPECT_TRUE(lv::testing::message_box_log().empty());

    const SaverSettingsValues& s = SaverSettings;
    EXPECT_EQ(s.disableMouseMove, applied.disableMouseMove);
    EXPECT_EQ(s.captionPosition, applied.captionPosition);
    EXPECT_EQ(s.imageOrder, applied.imageOrder);
    EXPECT_EQ(s.imageTime, applied.imageTime);
    EXPECT_EQ(s.imageSizing, applied.imageSizing);
    EXPECT_EQ(s.reserved20, 77);
    EXPECT_EQ(s.musicCount, 1);
    EXPECT_EQ(s.musicPlayMode, 1);
    EXPECT_EQ(s.musicOrder, 2);
    EXPECT_EQ(s.musicLoop, 1);
    EXPECT_EQ(s.musicOff, 1);
    EXPECT_EQ(s.backgroundMode, 0);
    EXPECT_EQ(s.gradientKind, 5);
    EXPECT_EQ(s.solidColor, 0x00010203u);
    EXPECT_EQ(s.gradientStartColor, 0x00040506u);
    EXPECT_EQ(s.gradientEndColor, 0x00070809u);
    EXPECT_STREQ(s.captionFont.lfFaceName, "Serif Face");
    EXPECT_EQ(s.captionFont.lfWeight, 700);
    EXPECT_EQ(s.captionColor, applied.captionColor);
    EXPECT_EQ(s.framePresent, 1);
    EXPECT_EQ(s.reserved392, 5);
    EXPECT_EQ(s.reserved400, 6);

    ASSERT_EQ(EnabledTransitions.GetSize(), 2);
    EXPECT_EQ(EnabledTransitions[0], 2);
    EXPECT_EQ(EnabledTransitions[1], 20);
    ASSERT_EQ(ImageNames.GetSize(), 2);
    EXPECT_STREQ(ImageNames[0], "p1.jpg");
    EXPECT_STREQ(ImageNames[1], "p2.gif");
    EXPECT_STREQ(ImageCaptions[0], "First");
    EXPECT_STREQ(ImageCaptions[1], "Second");
    ASSERT_EQ(MusicNames.GetSize(), 1);
    EXPECT_STREQ(MusicNames[0], "song.mp3");
    EXPECT_EQ(Theme.imageCount, 2);
    EXPECT_STREQ(Theme.title, "Writer Test");
    EXPECT_STREQ(Theme.userId, userId);
    EXPECT_EQ(Theme.adCounterStart, 12);
    EXPECT_STREQ(AboutText, aboutText);
    EXPECT_STREQ(FrameSettings.title, "Birch");
    EXPECT_STREQ(FrameSettings.upleft, "8 9");
    EXPECT_STREQ(FrameSettings.framePicturePath, WorkFolder + "\\birch.png");

    const fs::path work = m_dir / ("_qjv_Writer Test_work_" + std::to_string(::getpid()));
    EXPECT_EQ(ReadAll(work / "p2.gif"), ToBytes("GIF89a-2"));
    EXPECT_EQ(ReadAll(work / "song.mp3"), ToBytes("ID3-song"));
    EXPECT_EQ(ReadAll(work / "birch.png"), ToBytes("PNG-birch"));
    EXPECT_EQ(ReadAll(work / "mark.png"), ToBytes("MARKBYTES"));
}

} // namespace
