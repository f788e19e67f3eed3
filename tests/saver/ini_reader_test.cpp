#include "saver/ini_reader.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

namespace {

class IniReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(m_dir / "frame.ini") << "[Info]\n"
                                              "Hex=0x1A\n"
                                              "Plain=42\n"
                                              "Binary=101\n"
                                              "Empty=\n"
                                              "Twenty=abcdefghijklmnopqrst\n"
                                              "Long="
                                           << std::string(600, 'L') << "\n"
                                           << "Longer=" << std::string(1100, 'M') << "\n";
        m_reader.SetPath((m_dir / "frame.ini").string().c_str());
    }

    lvtest::ScratchDir m_dir;
    CIniReader m_reader;
};

} // namespace

TEST_F(IniReaderTest, GetIntTable) {
    struct Case {
        const char* key;
        int radix;
        long def;
        long expected;
    };
    const Case cases[] = {
        {"Hex", 16, -1, 26},  {"Hex", 10, -1, 0},     {"Hex", 3, -1, 0}, // radix 3 reads as 10
        {"Plain", 10, -1, 42}, {"Plain", 8, -1, 34},  {"Binary", 2, -1, 5},
        {"Empty", 10, 77, 77}, {"Missing", 10, 5, 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m_reader.GetInt("Info", c.key, c.def, c.radix), c.expected) << c.key << " radix " << c.radix;
}

TEST_F(IniReaderTest, ReadStringGrowsUntilTheValueFits) {
    for (auto [key, length, fill] : {std::tuple{"Long", 600, 'L'}, std::tuple{"Longer", 1100, 'M'}}) {
        char* value = m_reader.ReadString("Info", key, nullptr);
        EXPECT_EQ(std::string(value), std::string(static_cast<std::size_t>(length), fill)) << key;
        delete[] value;
    }
}

TEST_F(IniReaderTest, DefaultsForMissingValuesAndNullNames) {
    struct Case {
        const char* section;
        const char* key;
        const char* def;
        const char* expected;
    };
    const Case cases[] = {
        {"Info", "Missing", "fallback", "fallback"}, {"Info", "Missing", nullptr, ""},
        {nullptr, "Plain", "d", "d"},                {"Info", nullptr, nullptr, ""},
        {"Nowhere", "Plain", "x", "x"},
    };
    for (const Case& c : cases) {
        char* value = m_reader.ReadString(c.section, c.key, c.def);
        EXPECT_STREQ(value, c.expected);
        delete[] value;
    }
    EXPECT_STREQ(m_reader.GetString("Info", "Plain", ""), "42");
}

TEST_F(IniReaderTest, GetStringIntoCapsAtTheSizeWithoutATerminator) {
    char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(m_reader.GetStringInto("Info", "Twenty", buffer, 10, ""), 10);
    EXPECT_EQ(std::string(buffer, 11), "abcdefghij#");
    EXPECT_EQ(m_reader.GetStringInto("Info", "Twenty", nullptr, 64, ""), 20);
    EXPECT_EQ(m_reader.GetStringInto("Info", "Plain", buffer, 10, ""), 2);
}

TEST_F(IniReaderTest, SetPathNullEmptiesThePath) {
    m_reader.SetPath(nullptr);
    ASSERT_NE(m_reader.GetPath(), nullptr);
    EXPECT_STREQ(m_reader.GetPath(), "");
    CIniReader fresh;
    fresh.SetPath(nullptr);
    EXPECT_EQ(fresh.GetPath(), nullptr);
}
