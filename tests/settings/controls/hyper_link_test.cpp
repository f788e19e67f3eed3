// The hyperlink: the handler command it builds, the registered-handler fallback and the report
// when a link cannot be opened.
#include "settings/controls/hyper_link.h"
#include "testing/answers.h"

#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <cstring>

namespace {

struct CommandCase {
    const char* registered;
    const char* target;
    bool built;
    const char* program;
    const char* parameters;
};

TEST(LinkCommand, TargetReplacesThePlaceholderAsOneQuotedArgument) {
    const CommandCase cases[] = {
        {"\"C:\\Web\\browse.exe\" \"%1\"", "http://a.example/", true, "C:\\Web\\browse.exe",
         "\"http://a.example/\""},
        {"\"C:\\Web\\browse.exe\" -nohome %1", "http://a.example/", true, "C:\\Web\\browse.exe",
         "-nohome \"http://a.example/\""},
        {"C:\\Web\\browse.exe -new", "http://a.example/", true, "C:\\Web\\browse.exe",
         "-new \"http://a.example/\""},
        {"C:\\Web\\browse.exe", "x y", true, "C:\\Web\\browse.exe", "\"x y\""},
        // A target that could leave its quotes, or a command without a program, builds nothing.
        {"\"C:\\Web\\browse.exe\" \"%1\"", "a\" & del *.*", false, "", ""},
        {"\"C:\\Web\\browse.exe\" \"%1\"", "a\nb", false, "", ""},
        {"\"C:\\Web\\browse.exe\" \"%1\"", "", false, "", ""},
        {"\"unclosed %1", "http://a.example/", false, "", ""},
        {"   ", "http://a.example/", false, "", ""},
    };
    for (const auto& c : cases) {
        const auto link = BuildLinkCommand(c.registered, c.target);
        ASSERT_EQ(link.has_value(), c.built) << c.registered << " / " << c.target;
        if (!link)
            continue;
        EXPECT_EQ(link->program, c.program);
        EXPECT_EQ(link->parameters, c.parameters);
    }
}

void set_default_value(const char* subkey, const char* value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(std::strlen(value) + 1));
    RegCloseKey(key);
}

// Each test has a registry of its own: ctest runs them side by side, and one registers a
// handler that the other must not see.
class OwnRegistry {
public:
    OwnRegistry() { setenv("LUMIVISTA_ROOT", m_dir.path().c_str(), 1); }

private:
    lvtest::ScratchDir m_dir;
};

TEST(HyperLinkFallback, RegisteredHandlerStartsWithTheTargetAndUnsafeTargetsAreRefused) {
    OwnRegistry registry;
    // A handler program that ends at once with success.
    ASSERT_TRUE(CopyFileA("Z:\\bin\\true", "C:\\browse.exe", FALSE));
    set_default_value(".htm", "lvtest.html");
    set_default_value("lvtest.html\\shell\\open\\command", "\"C:\\browse.exe\" \"%1\"");
    EXPECT_GT(reinterpret_cast<INT_PTR>(CHyperLink::GotoURL("http://a.example/", SW_SHOW)), 32);
    EXPECT_LE(reinterpret_cast<INT_PTR>(CHyperLink::GotoURL("a\" ; false", SW_SHOW)), 32);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "lvtest.html\\shell\\open\\command");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
}

TEST(HyperLinkReport, UnopenableLinkBeepsAndNamesTheReason) {
    OwnRegistry registry;
    lv::testing::clear_answers();
    CWnd host;
    ASSERT_TRUE(
        host.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 50, nullptr, nullptr));
    CHyperLink link;
    ASSERT_TRUE(link.Create("site", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &host, 10));
    link.SetURL("http://nowhere.example/");
    lv::testing::push_message_box_answer(IDOK);
    link.FollowLink();
    EXPECT_FALSE(link.IsVisited());
    ASSERT_EQ(lv::testing::message_box_log().size(), 1u);
    EXPECT_EQ(lv::testing::message_box_log()[0].text.rfind("Can't open link:\n\n", 0), 0u);
    EXPECT_EQ(lv::testing::message_beep_log(), std::vector<UINT>{MB_ICONEXCLAMATION});
    EXPECT_EQ(CHyperLink::ReasonForCode(2), "The specified file was not found.");
    EXPECT_EQ(CHyperLink::ReasonForCode(77), "Unknown Error (77) occurred.");
    link.DestroyWindow();
    host.DestroyWindow();
}

} // namespace
