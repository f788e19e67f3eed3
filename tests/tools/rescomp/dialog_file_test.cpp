#include "dialog_file.h"
#include "manifest.h"

#include <gtest/gtest.h>

namespace {

using rescomp::parse_dialog_file;

TEST(DialogFile, ReadsTheDialogAndItsControls) {
    const auto dialog =
        parse_dialog_file("\xEF\xBB\xBF# a comment\r\n"
                          "caption \"Say \\\"hi\\\"\"\n"
                          "font \"Tahoma\" 8\n"
                          "style WS_POPUP|ds_modalframe|0x100\n"
                          "exstyle WS_EX_APPWINDOW\n"
                          "size 219 42\n"
                          "position 3 -4\n"
                          "control Static #128 -1 SS_ICON 1 2 3 4\n"
                          "control msctls_updown32 \"\" 1030 ~WS_VISIBLE|UDS_AUTOBUDDY 5 6 7 8 "
                          "WS_EX_CLIENTEDGE\n"
                          "control Button \"OK\" IDOK BS_DEFPUSHBUTTON 9 10 11 12\n",
                          "x.dlg");
    EXPECT_EQ(dialog.caption, "Say \"hi\"");
    EXPECT_EQ(dialog.font, "Tahoma");
    EXPECT_EQ(dialog.point_size, 8);
    // DS_SETFONT comes with the font line, whatever the order of the lines.
    EXPECT_EQ(dialog.style, 0x80000000u | 0x80u | 0x100u | 0x40u);
    EXPECT_EQ(dialog.ex_style, 0x00040000u);
    EXPECT_EQ(dialog.cx, 219);
    EXPECT_EQ(dialog.y, -4);
    ASSERT_EQ(dialog.controls.size(), 3u);
    EXPECT_EQ(dialog.controls[0].class_name.ordinal, 0x82);
    EXPECT_EQ(dialog.controls[0].text.ordinal, 128);
    EXPECT_EQ(dialog.controls[0].id, 0xFFFF);
    EXPECT_EQ(dialog.controls[0].style, 0x50000003u); // WS_CHILD | WS_VISIBLE | SS_ICON
    EXPECT_EQ(dialog.controls[1].class_name.text, "msctls_updown32");
    EXPECT_EQ(dialog.controls[1].style, 0x40000010u);
    EXPECT_EQ(dialog.controls[1].ex_style, 0x200u);
    EXPECT_EQ(dialog.controls[2].id, 1);
}

TEST(DialogFile, FaultsNameTheirPlace) {
    using namespace std::string_literals;
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"caption \"x\"\n", "x.dlg: a dialog needs a size line"},
        {"size 1 1\nfont \"Ta\0homa\" 8\n"s, "x.dlg:2: a NUL character in the line"},
        {"size 1 1\ncaption \"a\0b\"\n"s, "x.dlg:2: a NUL character in the line"},
        {"size 10\n", "x.dlg:1: expected: size <cx> <cy>"},
        {"size 10 40000\n", "x.dlg:1: bad coordinate \"40000\""},
        {"size 1 1\nstyle WS_BOGUS\n", "x.dlg:2: bad style \"WS_BOGUS\""},
        {"size 1 1\nfont Tahoma 0\n", "x.dlg:2: bad point size \"0\""},
        {"size 1 1\ncaption \"open\n", "x.dlg:2: unterminated quoted text"},
        {"size 1 1\ncontrol Button \"x\" 70000 0 1 2 3 4\n", "x.dlg:2: bad control id \"70000\""},
        {"size 1 1\ncontrol Button \"x\" 1 0 1 2 3\n",
         "x.dlg:2: expected: control <class> <text> <id> <style> <x> <y> <cx> <cy> [<extended "
         "style>]"},
        {"size 1 1\ncontrol Static #0 1 0 1 2 3 4\n", "x.dlg:2: bad ordinal \"#0\""},
        {"size 1 1\nmenu 3\n", "x.dlg:2: unknown line \"menu\""},
        {"size 1 1\nitems 5 \"a\"\n",
         "x.dlg:2: items need a list box or combo box declared before them"},
        {"size 1 1\ncontrol Edit \"\" 5 0 1 2 3 4\nitems 5 \"a\"\n",
         "x.dlg:3: items need a list box or combo box declared before them"},
        {"size 1 1\ncontrol ComboBox \"\" 5 0 1 2 3 4\nitems 5 a\n",
         "x.dlg:3: an item is quoted text"},
        {"size 1 1\ncontrol ComboBox \"\" 5 0 1 2 3 4\nitems 5\n",
         "x.dlg:3: expected: items <id> <text> [<text> ...]"},
    };
    for (const Case& c : cases) {
        try {
            parse_dialog_file(c.text, "x.dlg");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const rescomp::CompileError& error) {
            EXPECT_EQ(std::string(error.what()), c.message) << c.text;
        }
    }
}

TEST(DialogFile, TheTemplateHoldsUtf16TextsAndAlignedItems) {
    const auto dialog = parse_dialog_file("size 1 2\ncaption \"é\"\n"
                                          "control Button \"A\" 7 0 1 2 3 4\n"
                                          "control Edit \"\" 8 0 1 2 3 4\n",
                                          "x.dlg");
    const auto bytes = rescomp::write_dialog_template(dialog);
    // header 18, menu 2, class 2, caption "é" 4 -> 26, padded to 28 for the first item.
    ASSERT_GE(bytes.size(), 28u + 18u);
    EXPECT_EQ(bytes[8], 2);     // two items
    EXPECT_EQ(bytes[22], 0xE9); // U+00E9
    EXPECT_EQ(bytes[23], 0x00);
    EXPECT_EQ(bytes[26], 0);         // padding
    EXPECT_EQ(bytes[28 + 16], 7);    // the first item's id
    EXPECT_EQ(bytes[28 + 18], 0xFF); // its class is an ordinal
    EXPECT_EQ(bytes[28 + 20], 0x80);
}

// A combo box's and a list box's first strings, in the order the file gives them.
TEST(DialogFile, ItemsBecomeTheInitialisationData) {
    const auto dialog = parse_dialog_file("size 1 1\n"
                                          "control ComboBox \"\" 1048 CBS_DROPDOWNLIST 1 2 3 4\n"
                                          "control ListBox \"\" 9 0 1 2 3 4\n"
                                          "items 1048 \"Up\" \"順\"\n"
                                          "items 9 \"x\"\n",
                                          "x.dlg");
    const std::vector<std::uint8_t> expected = {
        0x18, 0x04, 0x03, 0x04, 3, 0, 0, 0, 'U',  'p',  0,       // combo, "Up"
        0x18, 0x04, 0x03, 0x04, 4, 0, 0, 0, 0xE9, 0xA0, 0x86, 0, // combo, UTF-8
        9,    0,    0x01, 0x04, 2, 0, 0, 0, 'x',  0,             // list box
        0,    0};
    EXPECT_EQ(rescomp::write_dialog_init(dialog), expected);
    EXPECT_TRUE(rescomp::write_dialog_init(parse_dialog_file("size 1 1\n", "x.dlg")).empty());
}

} // namespace
