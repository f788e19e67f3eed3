#include "installer/install_theme_header.h"
#include "system/paths.h"
#include "tests/installer/install_fixture.h"
#include "tests/support/process_runner.h"
#include "util/le_bytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace lvtest {
namespace {

constexpr std::size_t kAboutLengthOffset = 364 + 132;
constexpr std::size_t kTitleOffset = 100;

class ThemeHeaderTest : public InstallTest {
protected:
    std::string Write(const Bytes& bytes) {
        WriteFileBytes(m_scratch / "theme.dat", bytes);
        return lv::to_windows_path((m_scratch / "theme.dat").string());
    }
};

void PutU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST_F(ThemeHeaderTest, ReadsTitleAdvertAndAboutText) {
    const std::string rtf = "{\\rtf1 Hello \\b there\\b0}";
    InstallThemeHeader header;
    ASSERT_TRUE(ReadInstallThemeHeader(
        Write(ThemeBytes("  Amber Tides \t", rtf, 1, "http://ads.example/x")), header));
    EXPECT_EQ(header.title, "Amber Tides");
    EXPECT_EQ(header.adFlag, 1);
    EXPECT_EQ(header.welcomeRtf, rtf);
    EXPECT_EQ(header.primaryAdBase, "http://ads.example/x");
}

TEST_F(ThemeHeaderTest, AThemeWithoutAboutTextHasNoWelcomeRtf) {
    InstallThemeHeader header;
    ASSERT_TRUE(ReadInstallThemeHeader(Write(ThemeBytes("Amber Tides")), header));
    EXPECT_TRUE(header.welcomeRtf.empty());
    EXPECT_EQ(header.adFlag, 0);
    EXPECT_TRUE(header.primaryAdBase.empty());
}

TEST_F(ThemeHeaderTest, TextsThatFillTheirWholeFieldAreReadToTheFieldsEnd) {
    const std::string about = "{\\rtf1 about}";
    Bytes bytes = ThemeBytes("Amber Tides", about, 1, "http://ads.example");
    const std::size_t advertOffset = 364 + 292 + about.size() + 880;
    std::fill(bytes.begin() + kTitleOffset, bytes.begin() + kTitleOffset + 260, 'A');
    std::fill(bytes.begin() + static_cast<long>(advertOffset),
              bytes.begin() + static_cast<long>(advertOffset + 260), 'h');
    InstallThemeHeader header;
    ASSERT_TRUE(ReadInstallThemeHeader(Write(bytes), header));
    EXPECT_EQ(header.title, std::string(260, 'A'));
    EXPECT_EQ(header.adFlag, 1);
    EXPECT_EQ(header.welcomeRtf, about);
    EXPECT_EQ(header.primaryAdBase, std::string(260, 'h'));
}

TEST_F(ThemeHeaderTest, DamagedThemesAreRefused) {
    const std::string about = "{\\rtf1 about}";
    const Bytes good = ThemeBytes("Amber Tides", about, 1, "http://ads.example");
    const std::size_t overlayEnd = 364 + 292 + about.size() + 1400;
    struct Case {
        const char* what;
        std::function<void(Bytes&)> damage;
    };
    const Case cases[] = {
        {"empty file", [](Bytes& b) { b.clear(); }},
        {"header cut short", [](Bytes& b) { b.resize(200); }},
        {"information block cut short", [](Bytes& b) { b.resize(364 + 100); }},
        {"about text cut short", [](Bytes& b) { b.resize(364 + 292 + 5); }},
        {"overlay block cut short", [&](Bytes& b) { b.resize(overlayEnd - 1); }},
        {"about length past the end", [](Bytes& b) { PutU32(b, kAboutLengthOffset, 0x7FFFFFF0u); }},
        {"negative about length", [](Bytes& b) { PutU32(b, kAboutLengthOffset, 0xFFFFFFF0u); }},
        {"foreign magic", [](Bytes& b) { b[0] = 'X'; }},
    };
    for (const Case& c : cases) {
        Bytes bytes = good;
        c.damage(bytes);
        InstallThemeHeader header;
        header.title = "untouched";
        EXPECT_FALSE(ReadInstallThemeHeader(Write(bytes), header)) << c.what;
        EXPECT_EQ(header.title, "untouched") << c.what;
    }
    InstallThemeHeader header;
    EXPECT_FALSE(
        ReadInstallThemeHeader(lv::to_windows_path((m_scratch / "missing.dat").string()), header));
    // Exactly the blocks read, nothing after them, is enough.
    Bytes justEnough(good.begin(), good.begin() + overlayEnd);
    EXPECT_TRUE(ReadInstallThemeHeader(Write(justEnough), header));
}

} // namespace
} // namespace lvtest
