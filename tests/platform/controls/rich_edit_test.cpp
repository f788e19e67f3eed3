// The "RichEdit20A" window: its module, streaming in chunks, text read back, the messages the
// about page sends and what the control shows.
#include "testing/screen_capture.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

LRESULT CALLBACK host_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A text handed out by the stream callback in pieces of at most the buffer it is offered.
struct ChunkSource {
    std::string text;
    int calls = 0;
    DWORD fail_at_call = 0; // 0: never
};

DWORD CALLBACK chunk_callback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* transferred) {
    auto* source = reinterpret_cast<ChunkSource*>(cookie);
    ++source->calls;
    if (source->fail_at_call && static_cast<DWORD>(source->calls) == source->fail_at_call)
        return 7;
    const auto count = std::min<std::size_t>(source->text.size(), static_cast<std::size_t>(size));
    std::copy_n(source->text.begin(), count, buffer);
    source->text.erase(0, count);
    *transferred = static_cast<LONG>(count);
    return 0;
}

class RichEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = host_proc;
        wc.lpszClassName = "RichEditHost";
        RegisterClassA(&wc);
        module = LoadLibraryA("RICHED20.DLL");
        host = CreateWindowExA(0, "RichEditHost", "host", WS_POPUP | WS_VISIBLE, 0, 0, 320, 200,
                               nullptr, nullptr, nullptr, nullptr);
        edit = CreateWindowExA(0, RICHEDIT_CLASSA, "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 10, 10,
                               300, 180, host, reinterpret_cast<HMENU>(1003), nullptr, nullptr);
    }
    void TearDown() override {
        DestroyWindow(host);
        UnregisterClassA("RichEditHost", nullptr);
        FreeLibrary(module);
    }

    std::string text_of() {
        char buffer[65536];
        const auto count =
            SendMessageA(edit, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        return std::string(buffer, static_cast<std::size_t>(count));
    }

    LRESULT stream(ChunkSource& source, EDITSTREAM& es, WPARAM format = SF_RTF) {
        es = EDITSTREAM{reinterpret_cast<DWORD_PTR>(&source), 0, chunk_callback};
        return SendMessageA(edit, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
    }

    HMODULE module = nullptr;
    HWND host = nullptr;
    HWND edit = nullptr;
};

TEST_F(RichEditTest, ModuleLoadsByNameAndTheClassMakesWindows) {
    ASSERT_NE(module, nullptr);
    ASSERT_NE(edit, nullptr);
    char name[64] = {};
    GetClassNameA(edit, name, sizeof name);
    EXPECT_STREQ(name, "RichEdit20A");
}

TEST_F(RichEditTest, LongRtfArrivesInSeveralChunksWithoutLoss) {
    std::string body;
    std::string expected;
    for (int i = 0; i < 2000; ++i) {
        body += "line " + std::to_string(i) + "\\par ";
        expected += "line " + std::to_string(i) + "\r\n";
    }
    ChunkSource source{"{\\rtf1\\ansi " + body + "}"};
    const auto length = source.text.size();
    EDITSTREAM es{};
    EXPECT_EQ(stream(source, es), static_cast<LRESULT>(length));
    EXPECT_GT(source.calls, 3); // more than one buffer's worth
    EXPECT_EQ(es.dwError, 0u);
    EXPECT_EQ(text_of(), expected);
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(expected.size()));
}

TEST_F(RichEditTest, CallbackErrorEndsTheStreamAndIsReported) {
    ChunkSource source{std::string(20000, 'a'), 0, 3};
    EDITSTREAM es{};
    const auto read = stream(source, es, SF_TEXT);
    EXPECT_EQ(es.dwError, 7u);
    EXPECT_EQ(read, 2 * 4096);
    EXPECT_EQ(text_of(), std::string(2 * 4096, 'a'));
}

TEST_F(RichEditTest, StreamWithoutCallbackOrFormatReadsNothing) {
    EDITSTREAM none{0, 0, nullptr};
    EXPECT_EQ(SendMessageA(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&none)), 0);
    ChunkSource source{"text"};
    EDITSTREAM es{};
    EXPECT_EQ(stream(source, es, 0x10), 0);
    EXPECT_EQ(source.calls, 0);
}

TEST_F(RichEditTest, TextReadBackIsCutToTheBufferAndTerminated) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdefgh"));
    char buffer[5];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 4);
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
}

TEST_F(RichEditTest, ReadOnlyAndUrlDetectionAreAccepted) {
    EXPECT_TRUE(SendMessageA(edit, EM_SETREADONLY, TRUE, 0));
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(SendMessageA(edit, EM_SETREADONLY, FALSE, 0));
    EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(SendMessageA(edit, EM_AUTOURLDETECT, TRUE, 0), 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETAUTOURLDETECT, 0, 0), TRUE);
    EXPECT_NE(SendMessageA(edit, EM_AUTOURLDETECT, 5, 0), 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETAUTOURLDETECT, 0, 0), TRUE);
}

bool region_has_colour(HWND window, RECT r, COLORREF colour) {
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            if (lv::testing::window_pixel(window, x, y) == colour)
                return true;
        }
    }
    return false;
}

TEST_F(RichEditTest, ShowsColouredTextOnItsBackground) {
    const COLORREF background = RGB(250, 250, 250);
    SendMessageA(edit, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(background));
    ChunkSource source{R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
                       R"(\cf1\b\fs36 WWWW\par\cf2 WWWW\par})"};
    EDITSTREAM es{};
    stream(source, es);
    UpdateWindow(host);
    pump();
    // Host coordinates: the control starts at (10, 10); the first line is about 24 pixels high.
    EXPECT_TRUE(region_has_colour(host, RECT{11, 11, 120, 34}, RGB(255, 0, 0)));
    EXPECT_FALSE(region_has_colour(host, RECT{11, 11, 120, 34}, RGB(0, 0, 255)));
    EXPECT_TRUE(region_has_colour(host, RECT{11, 34, 120, 60}, RGB(0, 0, 255)));
    EXPECT_EQ(lv::testing::window_pixel(host, 300, 180), background);
    lv::testing::save_window_png(host, "rich_edit.png");
}

TEST_F(RichEditTest, LongParagraphWrapsInsideTheControl) {
    std::string words;
    for (int i = 0; i < 60; ++i)
        words += "WWW ";
    ChunkSource source{R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf1 )" + words + "}"};
    EDITSTREAM es{};
    stream(source, es);
    UpdateWindow(host);
    pump();
    EXPECT_TRUE(region_has_colour(host, RECT{11, 60, 300, 120}, RGB(255, 0, 0)));
    EXPECT_FALSE(region_has_colour(host, RECT{311, 10, 320, 190}, RGB(255, 0, 0)));
}

} // namespace
