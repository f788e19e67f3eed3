#include "saver/advert_fetch.h"
#include "saver/saver_app.h"
#include "saver/theme_globals.h"
#include "testing/virtual_clock.h"
#include "tests/platform/net/loopback_http_server.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
}

std::string WinPath(const fs::path& p) {
    std::string text = "Z:" + p.string();
    for (char& c : text) {
        if (c == '/')
            c = '\\';
    }
    return text;
}

std::string Description(const std::string& count, const std::string& size,
                        const std::string& date) {
    return "[Info]\nAdImageCount=" + count + "\nADImageFileSize=" + size + "\nADImageDate=" + date +
           "\n";
}

// The creation date of a file as "YYYYMMDD", the way the description writes it.
std::string CreationDateText(const fs::path& p) {
    _finddata_t found{};
    std::intptr_t search = _findfirst(WinPath(p).c_str(), &found);
    EXPECT_NE(search, -1);
    _findclose(search);
    std::time_t created = found.time_create;
    char text[16] = {};
    std::strftime(text, sizeof text, "%Y%m%d", std::localtime(&created));
    return text;
}

constexpr char kNewPicture[] = "new advert picture bytes";
constexpr char kOldPicture[] = "picture from last week";

class AdvertFetch : public ::testing::Test {
protected:
    AdvertFetch() : primary(primaryFiles.path()), secondary(secondaryFiles.path()) {
        ResetThemeGlobals();
        AdPicturePath.Empty();
        WorkFolder = WinPath(work.path()).c_str();
        Theme.primaryAdBase = primary.url().c_str();
        Theme.secondaryAdBase = secondary.url().c_str();
        Theme.adCounterStart = -5;
    }
    ~AdvertFetch() override { ResetThemeGlobals(); }

    void RunOn(WORD year, WORD month, WORD day) {
        lv::testing::set_system_time(SYSTEMTIME{year, month, 0, day, 9, 0, 0, 0});
        app.FetchAdImage();
    }
    void RunOnMonday() { RunOn(2026, 12, 7); }
    void RunOnSunday() { RunOn(2026, 12, 6); }

    std::string PathInWork(const char* name) const { return WinPath(work / name); }
    fs::path downloaded() const { return work / "adimage_01.jpg"; }
    std::string CurrentPath() const { return static_cast<LPCTSTR>(AdPicturePath); }

    void ServeNewPicture(const std::string& description) {
        WriteText(primaryFiles / "adimage.ini", description);
        WriteText(primaryFiles / "adimage.jpg", kNewPicture);
    }

    lv::testing::VirtualClockScope clock;
    lvtest::ScratchDir work;
    lvtest::ScratchDir primaryFiles;
    lvtest::ScratchDir secondaryFiles;
    lvtest::LoopbackHttpServer primary;
    lvtest::LoopbackHttpServer secondary;
    CSaverApp app;
};

using Requests = std::vector<std::string>;

TEST_F(AdvertFetch, OnWeekdaysTheKeptPictureIsUsedWithoutAsking) {
    ServeNewPicture(Description("3", "24", "20261206"));
    RunOnMonday();
    EXPECT_EQ(CurrentPath(), PathInWork("adimage.jpg"));

    WriteText(downloaded(), kOldPicture);
    RunOnMonday();
    EXPECT_EQ(CurrentPath(), PathInWork("adimage_01.jpg"));
    EXPECT_EQ(ReadText(downloaded()), kOldPicture);

    EXPECT_TRUE(primary.requests().empty());
    EXPECT_TRUE(secondary.requests().empty());
    EXPECT_EQ(Theme.adCounterStart, -5);
}

TEST_F(AdvertFetch, OnSundayWithoutADescriptionThePictureOfTheThemeIsUsed) {
    // Both servers answer with errors, so the attempts can be counted.
    RunOnSunday();
    EXPECT_EQ(CurrentPath(), PathInWork("adimage.jpg"));
    EXPECT_EQ(primary.requests(), Requests{"/adimage.ini"});
    EXPECT_EQ(secondary.requests(), Requests{"/adimage.ini"});

    // Nobody listening at either address.
    for (CString* base : {&Theme.primaryAdBase, &Theme.secondaryAdBase})
        *base = ("http://127.0.0.1:" + std::to_string(lvtest::ClosedLoopbackPort())).c_str();
    AdPicturePath.Empty();
    RunOnSunday();
    EXPECT_EQ(CurrentPath(), PathInWork("adimage.jpg"));

    EXPECT_FALSE(fs::exists(work / "adimage.ini"));
    EXPECT_FALSE(fs::exists(downloaded()));
    EXPECT_EQ(Theme.adCounterStart, -5);
}

TEST_F(AdvertFetch, OnSundayTheDescribedPictureIsKept) {
    WriteText(downloaded(), kOldPicture);
    std::string size = std::to_string(sizeof kOldPicture - 1);
    ServeNewPicture(Description("7", size, CreationDateText(downloaded())));

    RunOnSunday();
    EXPECT_EQ(CurrentPath(), PathInWork("adimage_01.jpg"));
    EXPECT_EQ(ReadText(downloaded()), kOldPicture);
    EXPECT_EQ(primary.requests(), Requests{"/adimage.ini"});
    EXPECT_EQ(Theme.adCounterStart, 7);
}

TEST_F(AdvertFetch, OnSundayANewPictureIsDownloaded) {
    ServeNewPicture(Description("42", "24", "20261206"));
    RunOnSunday();
    EXPECT_EQ(CurrentPath(), PathInWork("adimage_01.jpg"));
    EXPECT_EQ(ReadText(downloaded()), kNewPicture);
    EXPECT_EQ(ReadText(work / "adimage.ini"), ReadText(primaryFiles / "adimage.ini"));
    EXPECT_EQ(primary.requests(), (Requests{"/adimage.ini", "/adimage.jpg"}));
    EXPECT_TRUE(secondary.requests().empty());
    EXPECT_EQ(Theme.adCounterStart, 42);
}

TEST_F(AdvertFetch, TheSecondaryAddressStandsInForEachFile) {
    WriteText(secondaryFiles / "adimage.ini", Description("9", "24", "20261206"));
    WriteText(secondaryFiles / "adimage.jpg", kNewPicture);
    primary.answer("/adimage.jpg", {200, "", "cut off", true});
    RunOnSunday();
    EXPECT_EQ(CurrentPath(), PathInWork("adimage_01.jpg"));
    EXPECT_EQ(ReadText(downloaded()), kNewPicture);
    EXPECT_EQ(secondary.requests(), (Requests{"/adimage.ini", "/adimage.jpg"}));
    EXPECT_EQ(Theme.adCounterStart, 9);
}

// A picture download that fails on both addresses leaves last week's picture whole, but it no
// longer counts as current.
TEST_F(AdvertFetch, AFailedPictureDownloadKeepsTheOldFileWhole) {
    WriteText(downloaded(), kOldPicture);
    WriteText(primaryFiles / "adimage.ini", Description("4", "999", "20261206"));
    for (lvtest::LoopbackHttpServer* server : {&primary, &secondary})
        server->answer("/adimage.jpg", {200, "", "partial", true});
    RunOnSunday();
    EXPECT_EQ(CurrentPath(), PathInWork("adimage.jpg"));
    EXPECT_EQ(ReadText(downloaded()), kOldPicture);
    EXPECT_EQ(Theme.adCounterStart, 4);
}

// A description that does not describe the kept picture, however it is written, makes the
// fetch download the picture again.
TEST_F(AdvertFetch, HostileDescriptionsNeverMatchTheKeptPicture) {
    WriteText(downloaded(), kOldPicture);
    const std::string date = CreationDateText(downloaded());
    const std::string size = std::to_string(sizeof kOldPicture - 1);
    struct Case {
        std::string name;
        std::string description;
    } cases[] = {
        {"empty date", Description("1", size, "")},
        {"year only", Description("1", size, date.substr(0, 4))},
        {"one digit short", Description("1", size, date.substr(0, 7))},
        {"one digit long", Description("1", size, date + "0")},
        {"not digits", Description("1", size, date.substr(0, 4) + "-" + date.substr(5, 3))},
        {"other size", Description("1", size + "0", date)},
        {"negative size", Description("1", "-" + size, date)},
        {"size beyond an int",
         Description("1", std::to_string((1ull << 32) + sizeof kOldPicture - 1), date)},
        {"no keys", "[Info]\n"},
        {"not a description", std::string(3000, '\xff')},
    };
    for (const Case& test : cases) {
        WriteText(downloaded(), kOldPicture);
        ServeNewPicture(test.description);
        AdPicturePath.Empty();
        RunOnSunday();
        EXPECT_EQ(CurrentPath(), PathInWork("adimage_01.jpg")) << test.name;
        EXPECT_EQ(ReadText(downloaded()), kNewPicture) << test.name;
    }
}

TEST_F(AdvertFetch, TheCountIsReadAsADecimalInt) {
    struct Case {
        std::string text;
        int count;
    } cases[] = {
        {"12", 12},
        {"0x10", 0},
        {"-3", -3},
        {"", 0},
        {"abc", 0},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const Case& test : cases) {
        ServeNewPicture(Description(test.text, "24", "20261206"));
        RunOnSunday();
        EXPECT_EQ(Theme.adCounterStart, test.count) << test.text;
    }
}

// A description holds three short values. A far larger file from the server is no
// description: it is read as a missing one (count 0, no match), not parsed value by value.
TEST_F(AdvertFetch, AnOversizedDescriptionIsReadAsAMissingOne) {
    WriteText(downloaded(), kOldPicture);
    const std::string matching =
        Description("7", std::to_string(sizeof kOldPicture - 1), CreationDateText(downloaded()));
    struct Case {
        std::string name;
        std::string padding;
        int count;
        bool kept;
    } cases[] = {
        {"small", "", 7, true},
        {"a long comment", "; " + std::string(64 * 1024, 'c') + "\n", 0, false},
        {"a 1 MB value", "Padding=" + std::string(1 << 20, 'x') + "\n", 0, false},
    };
    for (const Case& test : cases) {
        WriteText(downloaded(), kOldPicture);
        ServeNewPicture(matching + test.padding);
        RunOnSunday();
        EXPECT_EQ(Theme.adCounterStart, test.count) << test.name;
        EXPECT_EQ(ReadText(downloaded()), test.kept ? kOldPicture : kNewPicture) << test.name;
    }
}

TEST(AdvertDate, IsEightDigitsOrEmpty) {
    struct Case {
        std::string text;
        std::optional<AdvertDate> date;
    } cases[] = {
        {"20261206", AdvertDate{2026, 12, 6}},
        {"", AdvertDate{2005, 1, 1}},
        {"00000000", AdvertDate{0, 0, 0}},
        {"2026", std::nullopt},
        {"2026120", std::nullopt},
        {"202612061", std::nullopt},
        {"2026-2-6", std::nullopt},
        {"+2026126", std::nullopt},
        {std::string("2026\0"
                     "206",
                     8),
         std::nullopt},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ParseAdvertDate(test.text), test.date) << test.text;
}

} // namespace
