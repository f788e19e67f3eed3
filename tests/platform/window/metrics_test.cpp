// Metrics, colours and system parameters of the classic look.
#include "window_test_support.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct MetricCase {
    int index;
    int value;
};

void PrintTo(const MetricCase& c, std::ostream* os) {
    *os << "metric " << c.index;
}

class Metrics : public ::testing::TestWithParam<MetricCase> {};

TEST_P(Metrics, ClassicValues) {
    EXPECT_EQ(GetSystemMetrics(GetParam().index), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Metrics,
    ::testing::Values(MetricCase{SM_CXSCREEN, 1024}, MetricCase{SM_CYSCREEN, 768},
                      MetricCase{SM_CXVSCROLL, 16}, MetricCase{SM_CYHSCROLL, 16},
                      MetricCase{SM_CXHSCROLL, 16}, MetricCase{SM_CYCAPTION, 19},
                      MetricCase{SM_CXBORDER, 1}, MetricCase{SM_CXDLGFRAME, 3},
                      MetricCase{SM_CXFRAME, 4}, MetricCase{SM_CXEDGE, 2},
                      MetricCase{SM_CXICON, 32}, MetricCase{SM_CXSMICON, 16},
                      MetricCase{SM_CXDOUBLECLK, 4}, MetricCase{SM_MOUSEPRESENT, 1}));

struct ColourCase {
    int index;
    COLORREF colour;
};

void PrintTo(const ColourCase& c, std::ostream* os) {
    *os << "colour " << c.index;
}

class SysColours : public ::testing::TestWithParam<ColourCase> {};

TEST_P(SysColours, ClassicScheme) {
    EXPECT_EQ(GetSysColor(GetParam().index), GetParam().colour);
    EXPECT_NE(GetSysColorBrush(GetParam().index), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, SysColours,
                         ::testing::Values(ColourCase{COLOR_BTNFACE, RGB(212, 208, 200)},
                                           ColourCase{COLOR_WINDOW, RGB(255, 255, 255)},
                                           ColourCase{COLOR_WINDOWTEXT, RGB(0, 0, 0)},
                                           ColourCase{COLOR_HIGHLIGHT, RGB(10, 36, 106)},
                                           ColourCase{COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
                                           ColourCase{COLOR_GRAYTEXT, RGB(128, 128, 128)},
                                           ColourCase{COLOR_3DSHADOW, RGB(128, 128, 128)},
                                           ColourCase{COLOR_3DHILIGHT, RGB(255, 255, 255)},
                                           ColourCase{COLOR_3DDKSHADOW, RGB(64, 64, 64)},
                                           ColourCase{COLOR_3DLIGHT, RGB(212, 208, 200)},
                                           ColourCase{COLOR_ACTIVECAPTION, RGB(10, 36, 106)},
                                           ColourCase{COLOR_CAPTIONTEXT, RGB(255, 255, 255)},
                                           ColourCase{COLOR_INACTIVECAPTION, RGB(128, 128, 128)}));

TEST(SystemParameters, ScreenSaverFlagsAreKept) {
    BOOL previous = -1;
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, &previous, 0));
    EXPECT_EQ(previous, FALSE);
    BOOL running = FALSE;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0));
    EXPECT_EQ(running, TRUE);
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    EXPECT_EQ(running, FALSE);

    BOOL active = FALSE;
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    EXPECT_EQ(active, FALSE);
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    EXPECT_EQ(active, TRUE);
}

// SPIF_UPDATEINIFILE keeps the setting in the user's profile, where other programs read it.
TEST(SystemParameters, ScreenSaverActivationGoesIntoTheProfileWhenAsked) {
    const auto stored = [] {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) !=
            ERROR_SUCCESS)
            return std::string("none");
        char value[8] = {};
        DWORD size = sizeof(value) - 1;
        const LONG result = RegQueryValueExA(key, "ScreenSaveActive", nullptr, nullptr,
                                             reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(key);
        // The stored data is the text alone: a NUL in it would be part of the value.
        return result == ERROR_SUCCESS ? std::string(value, size) : std::string("none");
    };
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr,
                                      SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE));
    EXPECT_EQ(stored(), "1");
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, SPIF_UPDATEINIFILE));
    EXPECT_EQ(stored(), "0");
    // Without the flag only the running session changes.
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0));
    EXPECT_EQ(stored(), "0");
}

TEST(SystemParameters, NonClientMetricsAndWorkArea) {
    NONCLIENTMETRICSA m{};
    m.cbSize = sizeof(m);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0));
    EXPECT_EQ(m.iScrollWidth, 16);
    EXPECT_EQ(m.lfCaptionFont.lfWeight, 700);
    EXPECT_STREQ(m.lfCaptionFont.lfFaceName, "Tahoma");
    NONCLIENTMETRICSA wrong{};
    wrong.cbSize = 12;
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 12, &wrong, 0));
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.right, 1024);
    EXPECT_FALSE(SystemParametersInfoA(0x7777, 0, nullptr, 0));
}

} // namespace
