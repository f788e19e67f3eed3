// Menus as objects: items inserted, changed, removed and read back through every call, by
// position and by command (through submenus), and destroyed with their submenus.
#include "menu_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string text_of(HMENU menu, UINT item, UINT flags) {
    char buffer[64] = {};
    GetMenuStringA(menu, item, buffer, sizeof(buffer), flags);
    return buffer;
}

// The menu as "text:id:state" per item, for one comparison per case.
std::vector<std::string> listing(HMENU menu) {
    std::vector<std::string> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        std::string line = text_of(menu, static_cast<UINT>(i), MF_BYPOSITION) + ":" +
                           std::to_string(static_cast<int>(GetMenuItemID(menu, i))) + ":" +
                           std::to_string(state);
        out.push_back(line);
    }
    return out;
}

struct EditCase {
    const char* name;
    void (*edit)(HMENU menu);
    std::vector<std::string> expected;
};

void PrintTo(const EditCase& c, std::ostream* os) {
    *os << c.name;
}

class MenuEdits : public ::testing::TestWithParam<EditCase> {};

// Every case starts from "&Open" 10, "&Save" 11 (grayed), separator, "E&xit" 12.
TEST_P(MenuEdits, LeaveTheItemsInPlace) {
    HMENU menu = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 10, "&Open"));
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING | MF_GRAYED, 11, "&Save"));
    ASSERT_TRUE(AppendMenuA(menu, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 12, "E&xit"));
    GetParam().edit(menu);
    EXPECT_EQ(listing(menu), GetParam().expected);
    DestroyMenu(menu);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MenuEdits,
    ::testing::Values(
        EditCase{"untouched", [](HMENU) {}, {"&Open:10:0", "&Save:11:1", ":0:2048", "E&xit:12:0"}},
        EditCase{"insert_by_position",
                 [](HMENU m) { InsertMenuA(m, 1, MF_BYPOSITION | MF_CHECKED, 20, "&New"); },
                 {"&Open:10:0", "&New:20:8", "&Save:11:1", ":0:2048", "E&xit:12:0"}},
        EditCase{"insert_past_the_end_appends",
                 [](HMENU m) { InsertMenuA(m, 99, MF_BYPOSITION, 20, "&New"); },
                 {"&Open:10:0", "&Save:11:1", ":0:2048", "E&xit:12:0", "&New:20:0"}},
        EditCase{"insert_before_a_command",
                 [](HMENU m) { InsertMenuA(m, 12, MF_BYCOMMAND, 20, "&New"); },
                 {"&Open:10:0", "&Save:11:1", ":0:2048", "&New:20:0", "E&xit:12:0"}},
        EditCase{"modify_text_and_state",
                 [](HMENU m) { ModifyMenuA(m, 11, MF_BYCOMMAND | MF_CHECKED, 13, "Save &As"); },
                 {"&Open:10:0", "Save &As:13:8", ":0:2048", "E&xit:12:0"}},
        EditCase{"remove_and_delete",
                 [](HMENU m) {
                     RemoveMenu(m, 2, MF_BYPOSITION);
                     DeleteMenu(m, 10, MF_BYCOMMAND);
                 },
                 {"&Save:11:1", "E&xit:12:0"}},
        EditCase{"enable_and_check",
                 [](HMENU m) {
                     EnableMenuItem(m, 11, MF_BYCOMMAND | MF_ENABLED);
                     EnableMenuItem(m, 0, MF_BYPOSITION | MF_DISABLED);
                     CheckMenuItem(m, 12, MF_BYCOMMAND | MF_CHECKED);
                 },
                 {"&Open:10:2", "&Save:11:0", ":0:2048", "E&xit:12:8"}},
        EditCase{"set_item_info",
                 [](HMENU m) {
                     MENUITEMINFOA change{};
                     change.cbSize = sizeof(change);
                     change.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE;
                     change.dwTypeData = const_cast<char*>("&Close");
                     change.wID = 30;
                     change.fState = MFS_CHECKED | MFS_DEFAULT;
                     SetMenuItemInfoA(m, 0, TRUE, &change);
                 },
                 {"&Close:30:4104", "&Save:11:1", ":0:2048", "E&xit:12:0"}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(MenuItems, PreviousStatesAndMissingItemsAreReported) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 1, "One");
    EXPECT_EQ(EnableMenuItem(menu, 1, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu, 1, MF_BYCOMMAND | MF_ENABLED), MF_ENABLED);
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);

    EXPECT_EQ(EnableMenuItem(menu, 99, MF_BYCOMMAND), -1);
    EXPECT_EQ(CheckMenuItem(menu, 5, MF_BYPOSITION), static_cast<DWORD>(-1));
    EXPECT_EQ(GetMenuState(menu, 99, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuItemID(menu, 3), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
    SetLastError(0);
    EXPECT_FALSE(ModifyMenuA(menu, 99, MF_BYCOMMAND, 2, "Two"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
    DestroyMenu(menu);
}

TEST(MenuItems, CommandsAreFoundInsideSubmenus) {
    HMENU bar = menutest::build_menu({">", "&File", "&Open|100", ">", "&Recent", "first|110",
                                      "second|111", "<", "<", ">", "&Edit", "Cu&t|200", "<"},
                                     false);
    HMENU file = GetSubMenu(bar, 0);
    HMENU recent = GetSubMenu(file, 1);
    ASSERT_TRUE(IsMenu(recent));
    EXPECT_EQ(text_of(bar, 111, MF_BYCOMMAND), "second");
    EXPECT_EQ(CheckMenuItem(bar, 111, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(GetMenuState(recent, 1, MF_BYPOSITION), MF_CHECKED);
    // A popup item reports its submenu's size in the high byte and MF_POPUP in the low one.
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), (2u << 8) | MF_POPUP);
    EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1));
    InsertMenuA(bar, 200, MF_BYCOMMAND, 199, "&Undo");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 2);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 1), 0), 199u);
    DestroyMenu(bar);
}

TEST(MenuItems, ItemInfoReadsEveryField) {
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING | MF_CHECKED, 7, "A longer text\tCtrl+L");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&More");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    auto picture = reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(0x1234));
    AppendMenuA(menu, MF_BITMAP, 9, reinterpret_cast<LPCSTR>(picture));
    AppendMenuA(menu, MF_OWNERDRAW, 8, reinterpret_cast<LPCSTR>(static_cast<LONG_PTR>(0x55)));

    char buffer[8] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID;
    info.dwTypeData = buffer;
    info.cch = sizeof(buffer);
    ASSERT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &info));
    EXPECT_EQ(info.fType, MFT_STRING);
    EXPECT_EQ(info.fState, MFS_CHECKED);
    EXPECT_EQ(info.wID, 7u);
    EXPECT_EQ(std::string(buffer), "A longe"); // cut to the buffer, always terminated
    EXPECT_EQ(info.cch, 7u);

    info = MENUITEMINFOA{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING; // no buffer: the length
    ASSERT_TRUE(GetMenuItemInfoA(menu, 7, FALSE, &info));
    EXPECT_EQ(info.cch, 20u);

    info = MENUITEMINFOA{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU | MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 1, TRUE, &info));
    EXPECT_EQ(info.hSubMenu, sub);
    ASSERT_TRUE(GetMenuItemInfoA(menu, 2, TRUE, &info));
    EXPECT_EQ(info.fType, MFT_SEPARATOR);

    info.fMask = MIIM_TYPE;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 3, TRUE, &info));
    EXPECT_EQ(info.fType, MFT_BITMAP);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(info.dwTypeData), picture);

    info.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 8, FALSE, &info));
    EXPECT_EQ(info.fType, MFT_OWNERDRAW);
    EXPECT_EQ(info.dwItemData, 0x55u);

    // The structure as first published, without hbmpItem, is served; other sizes are not.
    MENUITEMINFOA shorter{};
    shorter.cbSize = offsetof(MENUITEMINFOA, hbmpItem);
    shorter.fMask = MIIM_ID;
    EXPECT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &shorter));
    shorter.cbSize = 12;
    SetLastError(0);
    EXPECT_FALSE(GetMenuItemInfoA(menu, 0, TRUE, &shorter));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    DestroyMenu(menu);
}

TEST(MenuItems, InsertMenuItemTakesEveryMaskBit) {
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    auto check = reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(0x71));
    auto picture = reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(0x72));
    MENUITEMINFOA in{};
    in.cbSize = sizeof(in);
    in.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_CHECKMARKS |
               MIIM_DATA | MIIM_BITMAP;
    in.fType = MFT_RADIOCHECK;
    in.dwTypeData = const_cast<char*>("&Radio");
    in.wID = 44;
    in.fState = MFS_CHECKED | MFS_GRAYED;
    in.hSubMenu = sub;
    in.hbmpChecked = check;
    in.dwItemData = 99;
    in.hbmpItem = picture;
    ASSERT_TRUE(InsertMenuItemA(menu, 0, TRUE, &in));

    char buffer[16] = {};
    MENUITEMINFOA out{};
    out.cbSize = sizeof(out);
    out.fMask = in.fMask;
    out.dwTypeData = buffer;
    out.cch = sizeof(buffer);
    ASSERT_TRUE(GetMenuItemInfoA(menu, 0, TRUE, &out));
    EXPECT_EQ(out.fType, MFT_RADIOCHECK);
    EXPECT_EQ(std::string(buffer), "&Radio");
    EXPECT_EQ(out.wID, 44u);
    EXPECT_EQ(out.fState, MFS_CHECKED | MFS_GRAYED);
    EXPECT_EQ(out.hSubMenu, sub);
    EXPECT_EQ(out.hbmpChecked, check);
    EXPECT_EQ(out.dwItemData, 99u);
    EXPECT_EQ(out.hbmpItem, picture);

    in.fMask = MIIM_SUBMENU;
    in.hSubMenu = reinterpret_cast<HMENU>(static_cast<LONG_PTR>(0x4242));
    SetLastError(0);
    EXPECT_FALSE(SetMenuItemInfoA(menu, 0, TRUE, &in));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    DestroyMenu(menu);
}

TEST(MenuLifetime, DestroyTakesTheSubmenusAndLeavesStaleHandles) {
    HMENU bar = menutest::build_menu({">", "&File", ">", "&Recent", "first|110", "<", "<"}, false);
    HMENU file = GetSubMenu(bar, 0);
    HMENU recent = GetSubMenu(file, 0);
    HMENU kept = CreatePopupMenu();
    AppendMenuA(kept, MF_STRING, 1, "kept");
    AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "&Kept");
    // RemoveMenu keeps a submenu alive, DeleteMenu destroys it.
    ASSERT_TRUE(RemoveMenu(file, 1, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(kept));

    ASSERT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(file));
    EXPECT_FALSE(IsMenu(recent));
    EXPECT_TRUE(IsMenu(kept));
    SetLastError(0);
    EXPECT_FALSE(DestroyMenu(bar));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    EXPECT_EQ(GetMenuItemCount(file), -1);
    EXPECT_FALSE(AppendMenuA(bar, MF_STRING, 1, "late"));
    EXPECT_FALSE(AppendMenuA(kept, MF_POPUP, reinterpret_cast<UINT_PTR>(bar), "stale"));

    HMENU outer = CreatePopupMenu();
    AppendMenuA(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "&Kept");
    ASSERT_TRUE(DeleteMenu(outer, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(kept));
    // ModifyMenu that turns a popup item into a command destroys the submenu it opened.
    HMENU sub = CreatePopupMenu();
    AppendMenuA(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Sub");
    ModifyMenuA(outer, 0, MF_BYPOSITION | MF_STRING, 5, "plain");
    EXPECT_FALSE(IsMenu(sub));
    DestroyMenu(outer);
}

} // namespace
