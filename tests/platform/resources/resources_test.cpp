#include "payload_pattern.h"
#include "system/resources_registry.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

// Sets the locale variables for one test and puts the old values back afterwards.
class LocaleEnvironment : public ::testing::Test {
protected:
    static constexpr const char* kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

    void SetUp() override {
        for (std::size_t i = 0; i < std::size(kVariables); ++i) {
            const char* value = std::getenv(kVariables[i]);
            m_saved[i] = value ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(kVariables[i]);
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < std::size(kVariables); ++i) {
            if (m_saved[i])
                setenv(kVariables[i], m_saved[i]->c_str(), 1);
            else
                unsetenv(kVariables[i]);
        }
    }
    static void set(const char* variable, const char* value) {
        if (value)
            setenv(variable, value, 1);
        else
            unsetenv(variable);
    }
    static std::string load(UINT id) {
        char buffer[256];
        const int length = LoadStringA(nullptr, id, buffer, sizeof buffer);
        EXPECT_EQ(static_cast<std::size_t>(length), std::strlen(buffer));
        return buffer;
    }

private:
    std::optional<std::string> m_saved[std::size(kVariables)];
};

using StringTables = LocaleEnvironment;

TEST_F(StringTables, LanguageFollowsTheFirstSetLocaleVariable) {
    struct Case {
        const char* lc_all;
        const char* lc_messages;
        const char* lang;
        const char* title;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, "Amber Tides"},
        {nullptr, nullptr, "C", "Amber Tides"},
        {nullptr, nullptr, "de_DE.UTF-8", "Amber Tides"},
        {nullptr, nullptr, "ja_JP.UTF-8", "琥珀の潮"},
        {nullptr, nullptr, "ko_KR.UTF-8", "호박 물결"},
        {nullptr, "ja_JP.UTF-8", "ko_KR.UTF-8", "琥珀の潮"},
        {"ko_KR.UTF-8", "ja_JP.UTF-8", "en_US.UTF-8", "호박 물결"},
        {"en_GB.UTF-8", nullptr, "ja_JP.UTF-8", "Amber Tides"},
        {"", "", "ko", "호박 물결"},
    };
    for (const Case& c : cases) {
        set("LC_ALL", c.lc_all);
        set("LC_MESSAGES", c.lc_messages);
        set("LANG", c.lang);
        EXPECT_EQ(load(128), c.title)
            << (c.lc_all ? c.lc_all : "-") << " " << (c.lc_messages ? c.lc_messages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
}

TEST_F(StringTables, MissingTranslationFallsBackToEnglish) {
    set("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(load(1807), "エラー");
    EXPECT_EQ(load(201), "Only in English");
    EXPECT_EQ(load(133), "A file does not exist.\nRe-install screensaver file.");
}

TEST_F(StringTables, EscapesBecomeTheirCharacters) {
    EXPECT_EQ(load(200), "tab\there, backslash \\ end");
}

TEST_F(StringTables, LoadStringTruncatesAndTerminates) {
    struct Case {
        const char* lang;
        int buffer_size;
        const char* expected;
    };
    const Case cases[] = {
        {"C", 12, "Amber Tides"},  // exact fit with the NUL
        {"C", 11, "Amber Tide"},   // one short
        {"C", 1, ""},              // room for the NUL only
        {"ja_JP", 13, "琥珀の潮"}, // 12 bytes of text
        {"ja_JP", 12, "琥珀の"},   // never half a character
        {"ja_JP", 5, "琥"},
        {"ja_JP", 3, ""},
    };
    for (const Case& c : cases) {
        set("LANG", c.lang);
        char buffer[32];
        std::memset(buffer, 'x', sizeof buffer);
        const int length = LoadStringA(nullptr, 128, buffer, c.buffer_size);
        EXPECT_EQ(std::string(buffer), c.expected) << c.lang << " " << c.buffer_size;
        EXPECT_EQ(length, static_cast<int>(std::strlen(c.expected)));
        EXPECT_EQ(buffer[c.buffer_size], 'x') << "wrote past the buffer";
    }
}

TEST_F(StringTables, MissingStringGivesZeroAndAnEmptyBuffer) {
    char buffer[8] = "garbage";
    SetLastError(0);
    EXPECT_EQ(LoadStringA(nullptr, 4242, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadStringA(nullptr, 128, nullptr, 10), 0);
    EXPECT_EQ(LoadStringA(nullptr, 128, buffer, 0), 0);
}

std::string resource_bytes(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(nullptr, name, type);
    if (!found)
        return "<not found>";
    HGLOBAL loaded = LoadResource(nullptr, found);
    const auto* data = static_cast<const char*>(LockResource(loaded));
    if (!data)
        return "<not loaded>";
    return std::string(data, SizeofResource(nullptr, found));
}

std::string file_bytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(BinaryResources, LargePayloadArrivesByteForByte) {
    const std::string bytes = resource_bytes(MAKEINTRESOURCE(7), "PAYLOAD");
    ASSERT_EQ(bytes.size(), lvtest::kPayloadSize);
    std::size_t first_difference = bytes.size();
    for (std::size_t i = 0; i < bytes.size() && first_difference == bytes.size(); ++i) {
        if (static_cast<std::uint8_t>(bytes[i]) != lvtest::payload_byte(i))
            first_difference = i;
    }
    EXPECT_EQ(first_difference, bytes.size());
}

TEST(BinaryResources, NamesAndTypesMatchAsThePlatformDoes) {
    const std::string greeting = "Hello, resources.\n";
    EXPECT_EQ(resource_bytes("GREETING", "TEXTS"), greeting);
    EXPECT_EQ(resource_bytes("greeting", "texts"), greeting);
    EXPECT_EQ(resource_bytes("GreeTing", "Texts"), greeting);
    EXPECT_EQ(resource_bytes("#7", "PAYLOAD").size(), lvtest::kPayloadSize);
    EXPECT_EQ(resource_bytes("#130", "UNINSTALL"),
              resource_bytes(MAKEINTRESOURCE(130), "UNINSTALL"));
}

TEST(BinaryResources, ProgramOfAnotherTargetIsEmbeddedWhole) {
    const std::string expected = file_bytes(LV_TEST_PAYLOAD_MAKER);
    ASSERT_FALSE(expected.empty());
    HMODULE any_instance = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x400000));
    HRSRC found = FindResourceA(any_instance, MAKEINTRESOURCE(130), "UNINSTALL");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(any_instance, found), expected.size());
    const auto* data = static_cast<const char*>(LockResource(LoadResource(any_instance, found)));
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(std::string(data, expected.size()) == expected);
    EXPECT_FALSE(FreeResource(LoadResource(any_instance, found)));
}

TEST(BinaryResources, MissingResourcesFailWithThePlatformsCodes) {
    struct Case {
        LPCSTR name;
        LPCSTR type;
        DWORD error;
    };
    const Case cases[] = {
        {MAKEINTRESOURCE(130), "NOSUCHTYPE", ERROR_RESOURCE_TYPE_NOT_FOUND},
        {MAKEINTRESOURCE(130), RT_RCDATA, ERROR_RESOURCE_TYPE_NOT_FOUND},
        {MAKEINTRESOURCE(131), "UNINSTALL", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"DEFAULT_SKIN", "UNINSTALL", ERROR_RESOURCE_NAME_NOT_FOUND},
        {MAKEINTRESOURCE(7), "TEXTS", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"#", "TEXTS", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"#7x", "PAYLOAD", ERROR_RESOURCE_NAME_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(FindResourceA(nullptr, c.name, c.type), nullptr);
        EXPECT_EQ(GetLastError(), c.error);
    }
    SetLastError(0);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

using LanguageTaggedData = LocaleEnvironment;

TEST_F(LanguageTaggedData, BestLanguageWinsAndUnregisteredHandlesFail) {
    using lv::resources::DataEntry;
    using lv::resources::Language;
    static const unsigned char english[] = "en", neutral[] = "neutral", korean[] = "ko";
    static const DataEntry entries[] = {
        {{nullptr, 5}, {nullptr, 157}, Language::English, english, 2},
        {{nullptr, 5}, {nullptr, 157}, Language::Neutral, neutral, 7},
        {{nullptr, 5}, {nullptr, 157}, Language::Korean, korean, 2},
    };
    static const lv::resources::ResourceTable table = {nullptr, 0, entries, std::size(entries)};
    HRSRC kept = nullptr;
    {
        lv::resources::TableRegistration registration(table);
        set("LANG", "ko_KR.UTF-8");
        EXPECT_EQ(resource_bytes(MAKEINTRESOURCE(157), RT_DIALOG), "ko");
        set("LANG", "ja_JP.UTF-8");
        EXPECT_EQ(resource_bytes(MAKEINTRESOURCE(157), RT_DIALOG), "neutral");
        set("LANG", "en_US.UTF-8");
        EXPECT_EQ(resource_bytes(MAKEINTRESOURCE(157), RT_DIALOG), "en");
        kept = FindResourceA(nullptr, MAKEINTRESOURCE(157), RT_DIALOG);
        ASSERT_NE(kept, nullptr);
    }
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(157), RT_DIALOG), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, kept), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

} // namespace
