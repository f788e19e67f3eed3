// The icon list box: the records its items own (released with them, carried when they move),
// item heights from text and icon, what a selected, a plain and a disabled item show, the bold
// first line, and double clicks on disabled items kept from the parent.
#include "settings/controls/icon_list_box.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kListId = 1038;
constexpr COLORREF kRed = RGB(220, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 220);

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A record that counts its own releases.
struct Track {
    explicit Track(int* released, int id) : released(released), id(id) {}
    ~Track() { ++*released; }
    int* released;
    int id;
};

// Counts the list's double-click notifications.
class Host : public CWnd {
public:
    int doubleClicks = 0;

protected:
    afx_msg void OnDblClk() { ++doubleClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Host, CWnd)
ON_LBN_DBLCLK(kListId, OnDblClk)
END_MESSAGE_MAP()

class IconListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            host.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
        lv::testing::mouse_move(399, 299);
        images.Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 1);
        for (COLORREF colour : {kRed, kBlue})
            AddSolidImage(colour);
    }
    void TearDown() override {
        list.reset();
        host.DestroyWindow();
    }

    void AddSolidImage(COLORREF colour) {
        HDC screen = GetDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(screen, 32, 32);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all{0, 0, 32, 32};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        images.Add(&bitmap, nullptr);
    }

    CIconListBox& MakeList(bool withImages = true, int height = 200) {
        HWND hwnd = CreateWindowExA(
            0, "ListBox", "",
            WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWVARIABLE |
                LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
            10, 10, 300, height, host.GetSafeHwnd(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), nullptr, nullptr);
        list = std::make_unique<CIconListBox>();
        EXPECT_TRUE(list->SubclassWindow(hwnd));
        if (withImages)
            list->SetImageList(&images);
        return *list;
    }

    int Add(const char* text, int image, int id = 0) {
        const int index = list->InsertItem(list->GetCount(), text, image);
        list->SetItemPointer(index, MakeIconListRecord(std::make_unique<Track>(&released, id)));
        return index;
    }

    int IdOf(int index) const {
        const Track* track = list->GetItemRecord<Track>(index);
        return track ? track->id : -1;
    }

    RECT ItemRect(int index) const {
        RECT r{};
        list->GetItemRect(index, &r);
        return r;
    }

    // A pixel of the list at a client point.
    COLORREF At(int x, int y) {
        pump();
        list->UpdateWindow();
        POINT p{x, y};
        ::ClientToScreen(list->GetSafeHwnd(), &p);
        RECT window{};
        ::GetWindowRect(list->GetSafeHwnd(), &window);
        return lv::testing::window_pixel(list->GetSafeHwnd(), p.x - window.left, p.y - window.top);
    }

    // Pixels of the band (client coordinates) that differ from `paper`.
    int InkIn(const RECT& band, COLORREF paper) {
        int ink = 0;
        for (int y = band.top; y < band.bottom; ++y)
            for (int x = band.left; x < band.right; ++x)
                ink += At(x, y) != paper;
        return ink;
    }

    Host host;
    CImageList images;
    std::unique_ptr<CIconListBox> list;
    int released = 0;
};

TEST_F(IconListBoxTest, RecordsGoWithTheirItemsAndTravelWhenTheyMove) {
    MakeList();
    for (int i = 0; i < 4; ++i)
        Add("[ item ]\nPPath : x ", i % 2, 10 + i);
    EXPECT_EQ(list->GetItemImage(3), 1);

    EXPECT_EQ(list->MoveItem(3, 1, TRUE), 1);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(IdOf(1), 13);
    EXPECT_EQ(list->GetItemImage(1), 1);
    EXPECT_EQ(released, 0);
    // The first item cannot move up, nor the last one down.
    EXPECT_EQ(list->MoveUp(0), 0);
    EXPECT_EQ(list->MoveDown(3), 3);
    EXPECT_EQ(list->MoveItem(7, 0), -1);
    std::vector<int> order;
    for (int i = 0; i < 4; ++i)
        order.push_back(IdOf(i));
    EXPECT_EQ(order, (std::vector<int>{10, 13, 11, 12}));
    EXPECT_EQ(list->MoveDown(1), 2);
    EXPECT_EQ(IdOf(2), 13);

    list->DeleteItem(2);
    EXPECT_EQ(released, 1);
    EXPECT_EQ(IdOf(2), 12);
    EXPECT_EQ(list->GetItemPointer(9), nullptr);
    list->ResetContent();
    EXPECT_EQ(released, 4);
    EXPECT_EQ(list->GetCount(), 0);

    Add("a", 0);
    Add("b", 0);
    list->DestroyWindow();
    EXPECT_EQ(released, 6);
}

TEST_F(IconListBoxTest, ItemsAreAsHighAsTheirTextOrTheirIconAndFourMore) {
    MakeList();
    Add("one line", 0);
    Add("[ a ]\nPPath : b \nCaption : c \nd\ne\nf\ng", 0);
    EXPECT_EQ(list->GetItemHeight(0), 36);
    EXPECT_GT(list->GetItemHeight(1), 36);
    // Without an image list the text alone decides.
    list->DestroyWindow();
    MakeList(false);
    Add("one line", -1);
    EXPECT_LT(list->GetItemHeight(0), 36);
    EXPECT_GE(list->GetItemHeight(0), 10);
}

TEST_F(IconListBoxTest, SelectedPlainAndDisabledItemsShowTheirColours) {
    MakeList();
    Add("[ first ]\nPPath : x ", 0);
    Add("[ second ]\nPPath : y ", 1);
    Add("[ third ]\nPPath : z ", 0);
    list->SetItemRecord(2, 0, IconListRecord(nullptr, [](void*) {}), 0, IconListItem::kDisabled,
                        CIconListBox::kSetState);
    list->SetCurSel(1);
    const RECT first = ItemRect(0), second = ItemRect(1), third = ItemRect(2);
    const COLORREF window = GetSysColor(COLOR_WINDOW), highlight = GetSysColor(COLOR_HIGHLIGHT);
    // Each icon at (3, 2) of its item, in its own colour.
    EXPECT_EQ(At(first.left + 3 + 16, first.top + 2 + 16), kRed);
    EXPECT_EQ(At(second.left + 3 + 16, second.top + 2 + 16), kBlue);
    // Selection style 0: the selected item's icon column and text area are highlighted.
    EXPECT_EQ(At(second.left + 1, second.bottom - 2), highlight);
    EXPECT_EQ(At(second.right - 3, second.bottom - 2), highlight);
    EXPECT_EQ(At(first.right - 3, first.bottom - 2), window);
    // A disabled item is not highlighted and its icon is drawn flat.
    EXPECT_NE(At(third.left + 3 + 16, third.top + 2 + 16), kRed);
    EXPECT_FALSE(list->IsItemEnabled(2));
    EXPECT_TRUE(list->IsItemEnabled(1));
    EXPECT_TRUE(list->IsItemEnabled(9)); // no record counts as enabled

    // Style 1: the icon column keeps the window colour.
    list->SetSelectionStyle(CIconListBox::kTextArea);
    EXPECT_EQ(At(second.left + 1, second.bottom - 2), window);
    EXPECT_EQ(At(second.right - 3, second.bottom - 2), highlight);
    list->SetSelectionStyle(7); // ignored
    EXPECT_EQ(At(second.right - 3, second.bottom - 2), highlight);
}

// The first line is bold only when a line break follows it (searched from the second
// character on); the character after the break is skipped with it, never beyond the text.
TEST_F(IconListBoxTest, TheFirstLineIsBoldWhenALineBreakFollowsIt) {
    MakeList(false);
    const char* texts[] = {"Wave", "Wave\nXSize", "\nWave", "Wave\n", "Wave\nX"};
    for (const char* text : texts)
        Add(text, -1);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    auto firstLineInk = [&](int index) {
        const RECT item = ItemRect(index);
        const int line = (item.bottom - item.top) / 2;
        return InkIn(RECT{item.left, item.top, item.right, item.top + line + 1}, window);
    };
    auto wholeInk = [&](int index) {
        const RECT item = ItemRect(index);
        return InkIn(item, window);
    };
    const int normal = wholeInk(0);
    ASSERT_GT(normal, 10);
    // "Wave" in bold above "Size": the bold line alone has more ink than the normal word.
    EXPECT_GT(firstLineInk(1), normal);
    // A break at the start leaves "Wave" normal, on the second line.
    EXPECT_EQ(wholeInk(2), normal);
    // A break at the end: the bold word and nothing after it.
    EXPECT_EQ(wholeInk(3), firstLineInk(1));
    EXPECT_EQ(wholeInk(4), firstLineInk(1));
}

TEST_F(IconListBoxTest, DoubleClicksOnDisabledItemsNeverReachTheParent) {
    MakeList();
    Add("[ enabled ]", 0);
    Add("[ disabled ]", 1);
    list->SetItemRecord(1, 0, IconListRecord(nullptr, [](void*) {}), 0, IconListItem::kDisabled,
                        CIconListBox::kSetState);
    auto doubleClick = [&](int index) {
        const RECT r = ItemRect(index);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ::ClientToScreen(list->GetSafeHwnd(), &p);
        lv::testing::mouse_move(p.x, p.y);
        for (int i = 0; i < 2; ++i) {
            lv::testing::mouse_down();
            lv::testing::mouse_up();
        }
        pump();
    };
    doubleClick(0);
    EXPECT_EQ(host.doubleClicks, 1);
    doubleClick(1);
    EXPECT_EQ(host.doubleClicks, 1);
}

} // namespace
