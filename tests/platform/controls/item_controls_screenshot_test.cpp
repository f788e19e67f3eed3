// The item controls together in one window, in English, Japanese and Korean, for a person to
// look at; every label must fit the item the control made for it.
#include "controls_fixture.h"
#include "item_pixels.h"
#include "testing/screen_capture.h"
#include "tests/support/screenshots.h"

#include <string>

namespace {

struct Texts {
    const char* language;
    const char* tabs[3];
    const char* columns[2];
    const char* band;
    const char* status;
    const char* link;
};

const Texts kTexts[] = {
    {"en",
     {"General", "Pictures", "About"},
     {"Name", "Size"},
     "Tools",
     "Ready",
     "Visit <a href=\"https://example.invalid\">our site</a>"},
    {"ja",
     {"全般", "画像", "バージョン情報"},
     {"名前", "サイズ"},
     "ツール",
     "準備完了",
     "<a href=\"https://example.invalid\">ホームページ</a>を開く"},
    {"ko",
     {"일반", "그림", "정보"},
     {"이름", "크기"},
     "도구",
     "준비",
     "<a href=\"https://example.invalid\">홈페이지</a> 방문"},
};

class ItemControlsScreenshot : public ctltest::ControlsTest {};

TEST_F(ItemControlsScreenshot, EveryControlInThreeLanguages) {
    HIMAGELIST images =
        ctltest::solid_images({RGB(200, 40, 40), RGB(40, 150, 40), RGB(40, 40, 200)});
    for (const Texts& t : kTexts) {
        HWND rebar = create(REBARCLASSNAMEA, "", RBS_BANDBORDERS, 0, 0, 0, 0, 1);
        HWND tools = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                     WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE |
                                         CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                     0, 0, 160, 24, rebar, nullptr, nullptr, nullptr);
        SendMessageA(tools, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        TBBUTTON buttons[] = {{0, 11, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
                              {1, 12, TBSTATE_ENABLED | TBSTATE_CHECKED, TBSTYLE_CHECK, {}, 0, -1},
                              {0, 0, 0, TBSTYLE_SEP, {}, 0, -1},
                              {2, 13, 0, TBSTYLE_BUTTON, {}, 0, -1}};
        SendMessageA(tools, TB_ADDBUTTONSA, 4, reinterpret_cast<LPARAM>(buttons));
        REBARBANDINFOA band{};
        band.cbSize = sizeof band;
        band.fMask = RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE;
        band.lpText = const_cast<char*>(t.band);
        band.hwndChild = tools;
        band.cxMinChild = 120;
        band.cyMinChild = 24;
        SendMessageA(rebar, RB_INSERTBANDA, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&band));

        HWND tab = create(WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 10, 50, 300, 170, 2);
        SendMessageA(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        for (int i = 0; i < 3; ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT | TCIF_IMAGE;
            item.pszText = const_cast<char*>(t.tabs[i]);
            item.iImage = i == 1 ? 1 : -1;
            SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
        HWND header = create(WC_HEADERA, "", HDS_BUTTONS, 20, 90, 280, 22, 3);
        for (int i = 0; i < 2; ++i) {
            HDITEMA item{};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.pszText = const_cast<char*>(t.columns[i]);
            item.cxy = i == 0 ? 180 : 100;
            item.fmt = (i == 0 ? HDF_LEFT : HDF_RIGHT) | HDF_STRING;
            SendMessageA(header, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
        HWND link = create(WC_LINKA, t.link, 0, 20, 130, 270, 20, 4);
        HWND status = create(STATUSCLASSNAMEA, t.status, SBARS_SIZEGRIP, 0, 0, 0, 0, 5);
        // The page's controls lie above the tab control, as in a dialog that lists them first.
        SetWindowPos(tab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        const int parts[2] = {200, -1};
        SendMessageA(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
        SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("\t100%"));
        pump();

        // Each tab's label fits inside its tab.
        for (int i = 0; i < 3; ++i) {
            RECT r{};
            SendMessageA(tab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
            RECT outside{r.right, r.top + 3, r.right + 3, r.bottom - 3};
            if (i == 2) { // the last tab: nothing drawn past its right edge
                EXPECT_EQ(ctltest::count_text(tab, outside), 0) << t.language;
            }
            EXPECT_GT(ctltest::count_text(tab, r), 5) << t.language << " tab " << i;
        }
        EXPECT_TRUE(lv::testing::save_window_png(
            parent, lvtest::ScreenshotPath(std::string("item-controls-") + t.language + ".png")));
        for (HWND w : {rebar, tab, header, link, status})
            DestroyWindow(w);
    }
    ImageList_Destroy(images);
}

} // namespace
