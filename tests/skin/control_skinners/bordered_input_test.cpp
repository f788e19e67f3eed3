// Bordered controls handle the mouse with their window hidden, so that their own painting
// does not reach the screen, except the tree view on Windows 98.
#include "skin/core/glazework.h"
#include "skin/core/skin_manager.h"
#include "testing/window_input.h"
#include "tests/skin/control_skinners/control_skinners_fixture.h"
#include "tests/support/scoped_env.h"

#include <cstring>
#include <string>
#include <vector>

namespace lvtest {
namespace {

HWND g_tree = nullptr;
// Whether the tree view was visible each time it told its parent of a selection change.
std::vector<bool> g_visibleWhileTelling;

LRESULT CALLBACK SeeSelectionNotices(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_NOTIFY) {
        const auto* notice = reinterpret_cast<const NMHDR*>(sent->lParam);
        if (notice->hwndFrom == g_tree &&
            (notice->code == TVN_SELCHANGINGA || notice->code == TVN_SELCHANGEDA))
            g_visibleWhileTelling.push_back((GetWindowLongA(g_tree, GWL_STYLE) & WS_VISIBLE) != 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class BorderedInput : public ControlDialog {
protected:
    HWND FilledTree() {
        HWND tree =
            CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 4, 4, 120, 90,
                            dialog, reinterpret_cast<HMENU>(1100), nullptr, nullptr);
        // Over the dialog's own controls, where the mouse finds it.
        SetWindowPos(tree, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        for (int i = 0; i < 12; ++i) {
            std::string text = "Node " + std::to_string(i);
            TVINSERTSTRUCTA insert{};
            insert.hParent = TVI_ROOT;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT;
            insert.item.pszText = text.data();
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
        }
        Pump();
        return tree;
    }
};

TEST_F(BorderedInput, TheTreeViewIsHiddenWhileItHandlesAPressExceptOnWindows98) {
    const struct {
        const char* version;
        bool hidden;
    } cases[] = {{"XP", true}, {"2000", true}, {"98", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        ScopedEnv version("LUMIVISTA_WINVER", c.version);
        Open();
        g_tree = FilledTree();
        ASSERT_NE(SkinManager::Instance().Find(g_tree), nullptr);
        // The second item, by the place its text takes.
        const auto second = reinterpret_cast<HTREEITEM>(
            SendMessageA(g_tree, TVM_GETNEXTITEM, TVGN_NEXT,
                         SendMessageA(g_tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
        RECT item{};
        std::memcpy(&item, &second, sizeof second); // the item goes in, its rectangle comes out
        ASSERT_TRUE(SendMessageA(g_tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item)));
        POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(g_tree, &at);

        g_visibleWhileTelling.clear();
        HHOOK see =
            SetWindowsHookExA(WH_CALLWNDPROC, &SeeSelectionNotices, nullptr, GetCurrentThreadId());
        ASSERT_NE(see, nullptr);
        lv::testing::click(at.x, at.y);
        Pump();
        UnhookWindowsHookEx(see);

        ASSERT_FALSE(g_visibleWhileTelling.empty()) << "the press selects the item";
        for (const bool visible : g_visibleWhileTelling)
            EXPECT_EQ(visible, !c.hidden);
        EXPECT_TRUE(IsWindowVisible(g_tree)) << "visible again afterwards";

        DestroyWindow(dialog);
        GlazeworkShutdown();
        started = false;
        Pump();
    }
    g_tree = nullptr;
}

} // namespace
} // namespace lvtest
