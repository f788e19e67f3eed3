// The rich edit wrapper: its module, RTF streamed from a string in pieces, creation.
#include "settings/controls/rich_edit2_ctrl.h"

#include <gtest/gtest.h>

namespace {

TEST(RichEdit2Callback, HandsOutTheTextInBufferSizedPiecesWithoutLoss) {
    CString text = "{\\rtf1 twenty-five chars}";
    ASSERT_EQ(text.GetLength(), 25);
    std::string received;
    std::vector<LONG> pieces;
    for (;;) {
        BYTE buffer[10];
        LONG got = -1;
        ASSERT_EQ(CRichEdit2Ctrl::RtfStreamInCallback(reinterpret_cast<DWORD_PTR>(&text), buffer,
                                                      sizeof buffer, &got),
                  0u);
        pieces.push_back(got);
        if (got == 0)
            break;
        received.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(got));
    }
    EXPECT_EQ(pieces, (std::vector<LONG>{10, 10, 5, 0}));
    EXPECT_EQ(received, "{\\rtf1 twenty-five chars}");
}

class RichEdit2Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            host.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    }
    void TearDown() override {
        edit.DestroyWindow();
        host.DestroyWindow();
    }
    CWnd host;
    CRichEdit2Ctrl edit;
};

TEST_F(RichEdit2Test, CreatedControlShowsLongRtfStreamedFromAString) {
    ASSERT_TRUE(LoadRichEdit20());
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY,
                            CRect(0, 0, 280, 180), &host, 1003));
    EXPECT_TRUE(edit.SetAutoURLDetect(TRUE));
    CString body;
    CString expected;
    for (int i = 0; i < 1500; ++i) {
        CString line;
        line.Format("paragraph %d", i);
        body += line + "\\par ";
        expected += line + "\r\n";
    }
    edit.StreamInRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 " + body + "}");
    EXPECT_EQ(edit.GetTextLength(), expected.GetLength());
    CString shown;
    edit.GetWindowText(shown);
    EXPECT_EQ(shown, expected);
}

} // namespace
