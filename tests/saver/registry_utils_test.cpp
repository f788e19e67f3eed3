#include "saver/registry_utils.h"
#include "testing/answers.h"

#include <gtest/gtest.h>

namespace {

void SetString(HKEY root, const char* key, const char* name, const std::string& value, bool withNul) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data()),
                             static_cast<DWORD>(value.size() + (withNul ? 1 : 0))),
              ERROR_SUCCESS);
    RegCloseKey(h);
}

} // namespace

TEST(GetRegString, Table) {
    SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Authoring\\Tool", "Path", "C:\\Tool", true);
    SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Authoring\\Tool", "NoNul", "written without NUL", false);
    SetString(HKEY_CURRENT_USER, "Software\\Long", "Value", std::string(300, 'v'), true);
    struct Case {
        HKEY root;
        const char* key;
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Authoring\\Tool", "Path", "C:\\Tool"},
        {HKEY_LOCAL_MACHINE, "software\\authoring\\tool", "path", "C:\\Tool"},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Authoring\\Tool", "NoNul", "written without NUL"},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Authoring\\Tool", "Missing", "default"},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Nowhere", "Path", "default"},
        {HKEY_CURRENT_USER, "SOFTWARE\\Authoring\\Tool", "Path", "default"},
        {HKEY_CURRENT_USER, "Software\\Long", "Value", "default"}, // larger than the 261-byte buffer
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_STREQ(GetRegString(c.key, c.name, "default", c.root), c.expected) << c.key << " " << c.name;
    }
}

TEST(ReportUtilityError, ShowsTheSystemTextOnlyWhenALastErrorIsSet) {
    lv::testing::clear_answers();
    SetLastError(0);
    ReportUtilityError("GetRegString");
    EXPECT_TRUE(lv::testing::message_box_log().empty());

    SetLastError(ERROR_FILE_NOT_FOUND);
    ReportUtilityError("SetRegString");
    auto log = lv::testing::message_box_log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].caption, "Utility Class Error in SetRegString (2)");
    EXPECT_NE(log[0].text.find("cannot find the file"), std::string::npos) << log[0].text;
}
