// The title label: its own colours behind and in the text, its own bold font.
#include "installer/color_label.h"
#include "testing/screen_capture.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBackground = 0xFAFAFA;

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 80,
                                      nullptr, nullptr));
        HWND label = CreateWindowExA(
            0, "Static", "Amber Tides Screensaver", WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 300,
            40, m_parent.GetSafeHwnd(), reinterpret_cast<HMENU>(1009), nullptr, nullptr);
        ASSERT_NE(label, nullptr);
        ASSERT_TRUE(m_label.SubclassDlgItem(1009, &m_parent));
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    // Whether any pixel of the label's rectangle (parent coordinates) has this colour.
    bool LabelShows(COLORREF colour) {
        for (int y = 10; y < 50; ++y)
            for (int x = 10; x < 310; ++x)
                if (lv::testing::window_pixel(m_parent.GetSafeHwnd(), x, y) == colour)
                    return true;
        return false;
    }

    CWnd m_parent;
    CColorLabel m_label;
};

TEST_F(LabelTest, PaintsTheTitleInItsColoursAndBoldTahoma) {
    m_label.SetBold(1, FALSE);
    m_label.SetFontNameSize("Tahoma", 16, FALSE);
    m_label.SetTextColor(0, TRUE);
    m_label.SetBkColor(kBackground, TRUE);

    LOGFONTA font{};
    ASSERT_TRUE(m_label.GetLabelFont().GetLogFont(&font));
    EXPECT_STREQ(font.lfFaceName, "Tahoma");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfHeight, PointSizeToHeight(16));
    EXPECT_LT(font.lfHeight, 0);

    EXPECT_EQ(lv::testing::window_pixel(m_parent.GetSafeHwnd(), 305, 45), kBackground);
    EXPECT_TRUE(LabelShows(RGB(0, 0, 0)));
}

TEST_F(LabelTest, DefaultsToTheSystemColoursAndTheControlFont) {
    EXPECT_EQ(m_label.GetTextColor(), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(m_label.GetBkColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_NE(m_label.GetLabelFont().GetSafeHandle(), nullptr);
    m_label.SetBold(0, TRUE);
    LOGFONTA font{};
    ASSERT_TRUE(m_label.GetLabelFont().GetLogFont(&font));
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
}

} // namespace
