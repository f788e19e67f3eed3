// What the saver carries in its resources: the theme title and messages in three languages and
// the toolkit's default skin.
#include "skin/core/skin_data.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(SaverResources, TheDefaultSkinLoadsFromTheResource) {
    HRSRC found = FindResourceA(nullptr, "DEFAULT_SKIN", "GLAZE_WORK");
    ASSERT_NE(found, nullptr);
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* bytes = LockResource(loaded);
    DWORD size = SizeofResource(nullptr, found);
    ASSERT_NE(bytes, nullptr);
    MemStream container(bytes, size);
    SkinData skin;
    ASSERT_EQ(skin.Load(container), 1);
    EXPECT_EQ(skin.Objects().size(), 10u);
    EXPECT_NE(skin.FindElement("Dialog"), nullptr);
    EXPECT_EQ(skin.Images().size(), 2u);
}

TEST(SaverResources, MessagesInEveryLanguage) {
    struct Case {
        const char* locale;
        const char* error;
    };
    const Case cases[] = {{"C", "Error"}, {"ja_JP.UTF-8", "エラー"}, {"ko_KR.UTF-8", "오류"}, {"de_DE.UTF-8", "Error"}};
    const char* saved = std::getenv("LC_ALL");
    std::string keep = saved ? saved : "";
    for (const Case& c : cases) {
        setenv("LC_ALL", c.locale, 1);
        char buffer[64] = {};
        ASSERT_GT(LoadStringA(nullptr, 1807, buffer, sizeof buffer), 0) << c.locale;
        EXPECT_STREQ(buffer, c.error) << c.locale;
        char title[64] = {};
        LoadStringA(nullptr, 128, title, sizeof title);
        EXPECT_STREQ(title, LV_THEME_TITLE) << c.locale;
    }
    if (saved)
        setenv("LC_ALL", keep.c_str(), 1);
    else
        unsetenv("LC_ALL");
}
