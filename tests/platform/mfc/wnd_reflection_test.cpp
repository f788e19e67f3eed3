// Reflection: what a child control sends its parent reaches the control's own map first; the
// plain reflections keep the message from the parent, the _EX ones only when they say so.
#include "mfc/mfc.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kChildId = 7;
std::vector<std::string> g_log;

class ReflectingChild : public CWnd {
public:
    BOOL keep_second = FALSE;
    HBRUSH brush = nullptr;

protected:
    afx_msg void OnReflectedClick() { g_log.push_back("child click"); }
    afx_msg BOOL OnReflectedSecond() {
        g_log.push_back("child second");
        return keep_second;
    }
    afx_msg void OnReflectedNotify(NMHDR*, LRESULT* result) {
        g_log.push_back("child notify");
        *result = 21;
    }
    afx_msg HBRUSH CtlColor(CDC*, UINT ctlColor) {
        g_log.push_back("child colour " + std::to_string(ctlColor));
        return brush;
    }
    afx_msg void DrawItem(LPDRAWITEMSTRUCT item) {
        g_log.push_back("child draw " + std::to_string(item->itemID));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingChild, CWnd)
ON_CONTROL_REFLECT(0, OnReflectedClick)
ON_CONTROL_REFLECT_EX(2, OnReflectedSecond)
ON_NOTIFY_REFLECT(5, OnReflectedNotify)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class Parent : public CWnd {
protected:
    afx_msg void OnChildClick() { g_log.push_back("parent click"); }
    afx_msg void OnChildSecond() { g_log.push_back("parent second"); }
    afx_msg void OnChildNotifyCode(NMHDR*, LRESULT* result) {
        g_log.push_back("parent notify");
        *result = 22;
    }
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
        HBRUSH brush = CWnd::OnCtlColor(dc, wnd, ctlColor);
        g_log.push_back("parent colour");
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Parent, CWnd)
ON_BN_CLICKED(kChildId, OnChildClick)
ON_CONTROL(2, kChildId, OnChildSecond)
ON_NOTIFY(5, kChildId, OnChildNotifyCode)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class Reflection : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        ASSERT_TRUE(
            parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
        ASSERT_TRUE(
            child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 20, 20), &parent, kChildId));
        g_log.clear();
    }
    void TearDown() override { parent.DestroyWindow(); }

    LRESULT command(WORD code) {
        return parent.SendMessage(WM_COMMAND, MAKELONG(kChildId, code),
                                  reinterpret_cast<LPARAM>(child.GetSafeHwnd()));
    }

    Parent parent;
    ReflectingChild child;
};

TEST_F(Reflection, CommandTables) {
    struct Case {
        const char* name;
        WORD code;
        BOOL keep_second;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"plain reflection keeps the click from the parent", 0, FALSE, {"child click"}},
        {"_EX declining passes on to the parent", 2, FALSE, {"child second", "parent second"}},
        {"_EX keeping swallows", 2, TRUE, {"child second"}},
        {"a code the child has no entry for reaches the parent", 3, FALSE, {}},
    };
    for (const Case& c : cases) {
        g_log.clear();
        child.keep_second = c.keep_second;
        command(c.code);
        EXPECT_EQ(g_log, c.log) << c.name;
    }
}

TEST_F(Reflection, NotifyIsReflectedWithTheChildsResult) {
    NMHDR header{child.GetSafeHwnd(), kChildId, 5};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&header)), 21);
    EXPECT_EQ(g_log, (std::vector<std::string>{"child notify"}));
}

TEST_F(Reflection, ColourComesFromTheChildWhenItGivesABrush) {
    HDC dc = GetDC(child.GetSafeHwnd());
    CBrush own(RGB(1, 2, 3));
    struct Case {
        UINT message;
        HBRUSH child_brush;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {WM_CTLCOLORSTATIC, own, {"child colour 6", "parent colour"}},
        {WM_CTLCOLORBTN, own, {"child colour 3", "parent colour"}},
        {WM_CTLCOLOREDIT, nullptr, {"child colour 1", "parent colour"}},
    };
    for (const Case& c : cases) {
        g_log.clear();
        child.brush = c.child_brush;
        const LRESULT result = parent.SendMessage(c.message, reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(child.GetSafeHwnd()));
        if (c.child_brush) {
            EXPECT_EQ(reinterpret_cast<HBRUSH>(result), c.child_brush);
        }
        EXPECT_EQ(g_log, c.log) << c.message;
    }
    ReleaseDC(child.GetSafeHwnd(), dc);
}

TEST_F(Reflection, OwnerDrawingIsDoneByTheChild) {
    DRAWITEMSTRUCT item{};
    item.CtlID = kChildId;
    item.itemID = 4;
    item.hwndItem = child.GetSafeHwnd();
    EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, kChildId, reinterpret_cast<LPARAM>(&item)), TRUE);
    EXPECT_EQ(g_log, (std::vector<std::string>{"child draw 4"}));
}

} // namespace
