#include "tests/platform/net/loopback_http_server.h"
#include "tests/support/scratch_dir.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <fstream>
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

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class UrlDownload : public ::testing::Test {
protected:
    UrlDownload() : server(served.path()) {}

    HRESULT Download(const std::string& url) {
        return URLDownloadToFileA(nullptr, url.c_str(), WinPath(target()).c_str(), 0, nullptr);
    }
    fs::path target() const { return saved / "picture.jpg"; }

    lvtest::ScratchDir served;
    lvtest::ScratchDir saved;
    lvtest::LoopbackHttpServer server;
};

TEST_F(UrlDownload, FetchesAServedFileAndReplacesAnOlderOne) {
    std::string body(100000, 'x');
    body[0] = 'J';
    WriteText(served / "picture.jpg", body);
    WriteText(target(), "older");

    EXPECT_EQ(Download(server.url("/picture.jpg")), S_OK);
    EXPECT_EQ(ReadText(target()), body);
    EXPECT_EQ(NamesIn(saved.path()), std::vector<std::string>{"picture.jpg"});
    EXPECT_EQ(server.requests(), std::vector<std::string>{"/picture.jpg"});
}

TEST_F(UrlDownload, FollowsRedirectsWithinHttpAndReadsFileUrls) {
    WriteText(served / "moved.jpg", "moved here");
    server.answer("/old.jpg", {302, "Location: " + server.url("/moved.jpg") + "\r\n", "", false});
    EXPECT_EQ(Download(server.url("/old.jpg")), S_OK);
    EXPECT_EQ(ReadText(target()), "moved here");

    EXPECT_EQ(Download("file://" + (served / "moved.jpg").string()), S_OK);
    EXPECT_EQ(ReadText(target()), "moved here");
}

// Every failure reports a failing result and leaves the target as it was: missing stays
// missing, a good file stays whole, and no temporary file is left beside it.
TEST_F(UrlDownload, AFailureLeavesTheTargetAsItWas) {
    WriteText(served / "secret.txt", "not for the web");
    server.answer("/broken.jpg", {500, "", "server trouble", false});
    server.answer("/cut.jpg", {200, "", "only the first part", true});
    server.answer(
        "/to-file.jpg",
        {302, "Location: file://" + (served / "secret.txt").string() + "\r\n", "", false});
    struct Case {
        std::string name;
        std::string url;
    } cases[] = {
        {"missing", server.url("/nothing.jpg")},
        {"server error", server.url("/broken.jpg")},
        {"cut short", server.url("/cut.jpg")},
        {"redirect to a file", server.url("/to-file.jpg")},
        {"closed port",
         "http://127.0.0.1:" + std::to_string(lvtest::ClosedLoopbackPort()) + "/a.jpg"},
        {"other protocol", "ftp://127.0.0.1:" + std::to_string(server.port()) + "/a.jpg"},
        {"not a url", "http://[::1"},
        {"missing local file", "file://" + (served / "absent.jpg").string()},
    };
    for (const Case& test : cases) {
        fs::remove(target());
        EXPECT_LT(Download(test.url), 0) << test.name;
        EXPECT_TRUE(NamesIn(saved.path()).empty()) << test.name;

        WriteText(target(), "good picture");
        EXPECT_LT(Download(test.url), 0) << test.name;
        EXPECT_EQ(ReadText(target()), "good picture") << test.name;
        EXPECT_EQ(NamesIn(saved.path()), std::vector<std::string>{"picture.jpg"}) << test.name;
    }
}

// The saver's start waits for its downloads: a body larger than an advert picture, or one that
// takes longer than a few seconds, is given up on, and nothing of it is kept.
TEST_F(UrlDownload, AnOversizedOrTricklingBodyIsGivenUpOnAndNothingOfItKept) {
    const std::string picture(3 * 1024 * 1024, 'p');
    server.answer("/picture.jpg", {200, "", picture, false});
    server.answer("/huge.jpg", {200, "", std::string(9 * 1024 * 1024, 'h'), false});
    lvtest::CannedResponse trickle{200, "", std::string(100, 't'), false};
    trickle.byteInterval = std::chrono::milliseconds(100); // ten seconds in all
    server.answer("/slow.jpg", trickle);

    ASSERT_EQ(Download(server.url("/picture.jpg")), S_OK);
    EXPECT_EQ(ReadText(target()), picture);
    for (const char* path : {"/huge.jpg", "/slow.jpg"}) {
        WriteText(target(), "good picture");
        EXPECT_LT(Download(server.url(path)), 0) << path;
        EXPECT_EQ(ReadText(target()), "good picture") << path;
        EXPECT_EQ(NamesIn(saved.path()), std::vector<std::string>{"picture.jpg"}) << path;
    }
}

TEST_F(UrlDownload, RefusesWhatItCannotServe) {
    WriteText(served / "a.jpg", "a");
    int callback = 0;
    EXPECT_EQ(URLDownloadToFileA(nullptr, server.url("/a.jpg").c_str(), WinPath(target()).c_str(),
                                 0, &callback),
              E_NOTIMPL);
    EXPECT_EQ(URLDownloadToFileA(nullptr, nullptr, WinPath(target()).c_str(), 0, nullptr),
              E_INVALIDARG);
    EXPECT_EQ(URLDownloadToFileA(nullptr, server.url("/a.jpg").c_str(), nullptr, 0, nullptr),
              E_INVALIDARG);
    EXPECT_LT(URLDownloadToFileA(nullptr, server.url("/a.jpg").c_str(),
                                 WinPath(saved / "no-folder" / "a.jpg").c_str(), 0, nullptr),
              0);
    EXPECT_FALSE(fs::exists(target()));
}

} // namespace
