#include "mfc/mfc.h"
#include "system/resources_registry.h"
#include "testing/answers.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

TEST(CommandLine, ArgumentsAfterTheProgramJoinWithSingleSpaces) {
    struct Case {
        std::vector<std::string> argv;
        const char* line;
    };
    const Case cases[] = {
        {{"Lumivista.scr"}, ""},
        {{"Lumivista.scr", "/s"}, "/s"},
        {{"Lumivista.scr", "/p", "1234"}, "/p 1234"},
        {{"uninst_saver.exe", "C:\\Program Files\\Amber Tides.scr"},
         "C:\\Program Files\\Amber Tides.scr"},
        {{"x", "", "a"}, " a"},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv;
        for (const std::string& arg : c.argv)
            argv.push_back(const_cast<char*>(arg.c_str()));
        EXPECT_EQ(lv::mfc::join_command_line(static_cast<int>(argv.size()), argv.data()), c.line);
    }
}

class ProbeApp : public CWinApp {
public:
    using CWinApp::CWinApp;
    BOOL InitInstance() override {
        calls += "init;";
        command_line = m_lpCmdLine;
        return init_result;
    }
    int Run() override {
        calls += "run;";
        return CWinApp::Run();
    }
    int ExitInstance() override {
        calls += "exit;";
        return exit_code;
    }
    int RunMessageLoop() override {
        calls += "loop;";
        return ExitInstance();
    }

    BOOL init_result = TRUE;
    int exit_code = 0;
    std::string calls;
    std::string command_line;
};

int run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    return lv::mfc::run_application(static_cast<int>(argv.size()), argv.data());
}

TEST(CWinApp, FailedInitInstanceEndsThroughExitInstance) {
    ProbeApp app;
    app.init_result = FALSE;
    app.exit_code = 7;
    EXPECT_EQ(run({"prog", "/u"}), 7);
    EXPECT_EQ(app.calls, "init;exit;");
    EXPECT_EQ(app.command_line, "/u");
}

TEST(CWinApp, RunWithoutMainWindowEndsAtOnce) {
    ProbeApp app;
    app.exit_code = 3;
    EXPECT_EQ(run({"prog", "/a", "99"}), 3);
    EXPECT_EQ(app.calls, "init;run;exit;");
    EXPECT_EQ(app.command_line, "/a 99");
}

TEST(CWinApp, RunWithMainWindowEntersTheMessageLoop) {
    ProbeApp app;
    app.m_pMainWnd = reinterpret_cast<CWnd*>(&app); // any window: the loop is overridden
    EXPECT_EQ(run({"prog"}), 0);
    EXPECT_EQ(app.calls, "init;run;loop;exit;");
}

TEST(CWinApp, NamesAndGlobalAccessors) {
    EXPECT_EQ(AfxGetApp(), nullptr);
    {
        ProbeApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        run({"prog"});
        EXPECT_STREQ(app.m_pszExeName, "platform_mfc_tests");
        EXPECT_STREQ(app.m_pszAppName, "platform_mfc_tests");
        EXPECT_STREQ(AfxGetAppName(), "platform_mfc_tests");
        EXPECT_STREQ(app.m_pszProfileName, "platform_mfc_tests.INI");
        EXPECT_EQ(app.m_pszRegistryKey, nullptr);
        EXPECT_EQ(AfxGetInstanceHandle(), app.m_hInstance);
        EXPECT_TRUE(app.Enable3dControls());
        EXPECT_TRUE(app.Enable3dControlsStatic());
        EXPECT_EQ(AfxGetMainWnd(), nullptr);

        app.SetRegistryKey("Glimmerwright Savers");
        EXPECT_STREQ(app.m_pszRegistryKey, "Glimmerwright Savers");
        EXPECT_STREQ(app.m_pszProfileName, "platform_mfc_tests");
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetAppName(), nullptr);
}

class WinAppStrings : public ::testing::Test {
protected:
    void SetUp() override { lv::testing::clear_answers(); }
    void TearDown() override { lv::testing::clear_answers(); }
    static constexpr lv::resources::StringEntry kEnglish[] = {
        {110, "Confirm", 7},
        {128, "Amber Tides", 11},
        {131, "Glimmerwright Savers", 20},
        {0xE000, "Stored Title", 12},
    };
    static constexpr lv::resources::StringTable kTables[] = {
        {lv::resources::Language::English, kEnglish, std::size(kEnglish)}};
    static constexpr lv::resources::ResourceTable kTable = {kTables, 1, nullptr, 0};
    lv::resources::TableRegistration m_registration{kTable};
};

TEST_F(WinAppStrings, TitleFromTheStringTableAndMessageBoxesUnderIt) {
    ProbeApp app;
    run({"prog"});
    EXPECT_STREQ(app.m_pszAppName, "Stored Title");
    app.SetRegistryKey(131u);
    EXPECT_STREQ(app.m_pszRegistryKey, "Glimmerwright Savers");

    // The program may rename its profile, as the saver does with its theme title.
    std::free(const_cast<char*>(app.m_pszProfileName));
    app.m_pszProfileName = _tcsdup(CString(MAKEINTRESOURCE(128)));
    EXPECT_STREQ(app.m_pszProfileName, "Amber Tides");

    lv::testing::push_message_box_answer(IDNO);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(AfxMessageBox("Overwrite?", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox(110u, MB_OK | MB_ICONQUESTION), IDOK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "MessageBox [Stored Title]: Overwrite?\nMessageBox [Stored Title]: Confirm\n");
}

TEST(CWinApp, NamedApplicationKeepsItsName) {
    ProbeApp app("Setup");
    run({"prog"});
    EXPECT_STREQ(app.m_pszAppName, "Setup");
    EXPECT_STREQ(app.m_pszExeName, "platform_mfc_tests");
}

// This program carries no icon at all: FindResource's reason comes back.
TEST(CWinApp, IconOfAProgramWithoutIconsIsNull) {
    ProbeApp app;
    SetLastError(0);
    EXPECT_EQ(app.LoadIcon(128), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
}

} // namespace
