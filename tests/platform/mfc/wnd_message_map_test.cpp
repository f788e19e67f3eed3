// Message maps: window messages unpacked for their handlers, commands and notifications by
// id and code, derived maps before base maps, and the default handling for the rest.
#include "mfc/mfc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kCustomMessage = WM_USER + 5;

class Probe : public CWnd {
public:
    std::vector<std::string> log;

protected:
    afx_msg void OnTimer(UINT_PTR id) { log.push_back("timer " + std::to_string(id)); }
    afx_msg void OnSize(UINT type, int cx, int cy) {
        log.push_back("size " + std::to_string(type) + " " + std::to_string(cx) + "x" +
                      std::to_string(cy));
    }
    afx_msg void OnLButtonDown(UINT flags, CPoint point) {
        log.push_back("down " + std::to_string(flags) + " " + std::to_string(point.x) + "," +
                      std::to_string(point.y));
    }
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags) {
        log.push_back("key " + std::to_string(key) + " " + std::to_string(repeat) + " " +
                      std::to_string(flags));
    }
    afx_msg LRESULT OnCustom(WPARAM wParam, LPARAM lParam) {
        log.push_back("custom " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 77;
    }
    afx_msg void OnSysCommand(UINT id, LPARAM) {
        log.push_back("syscommand " + std::to_string(id));
    }
    afx_msg void OnClicked() { log.push_back("clicked 100"); }
    afx_msg void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
    afx_msg void OnClickedInRange(UINT id) { log.push_back("clicked " + std::to_string(id)); }
    afx_msg void OnSelChange() { log.push_back("selchange 100"); }
    afx_msg void OnItemNotify(NMHDR* header, LRESULT* result) {
        log.push_back("notify " + std::to_string(header->code));
        *result = 9;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Probe, CWnd)
ON_WM_TIMER()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_SYSCOMMAND()
ON_MESSAGE(kCustomMessage, OnCustom)
ON_BN_CLICKED(100, OnClicked)
ON_LBN_SELCHANGE(100, OnSelChange)
ON_COMMAND_RANGE(200, 210, OnRange)
ON_CONTROL_RANGE(5, 300, 303, OnClickedInRange)
ON_NOTIFY(static_cast<UINT>(-12), 100, OnItemNotify)
END_MESSAGE_MAP()

// Replaces one handler of its base and keeps the others.
class DerivedProbe : public Probe {
protected:
    afx_msg void OnTimer(UINT_PTR id) { log.push_back("derived timer " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedProbe, Probe)
ON_WM_TIMER()
END_MESSAGE_MAP()

NMHDR g_notify{nullptr, 100, static_cast<UINT>(-12)};
NMHDR g_other_notify{nullptr, 101, static_cast<UINT>(-12)};

struct DispatchCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<std::string> log;
    LRESULT result;
};

const DispatchCase kCases[] = {
    {"timer", WM_TIMER, 31, 0, {"timer 31"}, 0},
    {"size halves", WM_SIZE, 2, MAKELONG(640, 480), {"size 2 640x480"}, 0},
    {"mouse point is signed", WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(-3, 12), {"down 1 -3,12"}, 0},
    {"key repeat and flags", WM_KEYDOWN, 0x41, MAKELONG(3, 0x1E), {"key 65 3 30"}, 0},
    {"system command", WM_SYSCOMMAND, 0xF060, 0, {"syscommand 61536"}, 0},
    {"own message with its result", kCustomMessage, 4, 5, {"custom 4 5"}, 77},
    {"button clicked by id", WM_COMMAND, MAKELONG(100, 0), 0, {"clicked 100"}, 1},
    {"notification code picks the entry", WM_COMMAND, MAKELONG(100, 1), 0, {"selchange 100"}, 1},
    {"command range", WM_COMMAND, MAKELONG(205, 0), 0, {"range 205"}, 1},
    {"control range", WM_COMMAND, MAKELONG(303, 5), 0, {"clicked 303"}, 1},
    {"control range wrong code", WM_COMMAND, MAKELONG(301, 0), 0, {}, 0},
    {"command outside every entry", WM_COMMAND, MAKELONG(211, 0), 0, {}, 0},
    {"notify by code and id",
     WM_NOTIFY,
     100,
     reinterpret_cast<LPARAM>(&g_notify),
     {"notify 4294967284"},
     9},
    {"notify of another id", WM_NOTIFY, 101, reinterpret_cast<LPARAM>(&g_other_notify), {}, 0},
    {"no entry: default handling", WM_GETTEXTLENGTH, 0, 0, {}, 5},
};

class MessageMapDispatch : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(MessageMapDispatch, UnpacksTheMessageForItsHandler) {
    const DispatchCase& c = GetParam();
    Probe probe;
    ASSERT_TRUE(probe.CreateEx(0, nullptr, "probe", WS_POPUP, 0, 0, 50, 40, nullptr, nullptr));
    probe.log.clear();
    EXPECT_EQ(probe.SendMessage(c.message, c.wParam, c.lParam), c.result);
    EXPECT_EQ(probe.log, c.log);
    probe.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Cases, MessageMapDispatch, ::testing::ValuesIn(kCases),
                         [](const auto& test) {
                             std::string name = test.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(MessageMap, DerivedEntriesComeBeforeTheBaseOnes) {
    DerivedProbe probe;
    ASSERT_TRUE(probe.CreateEx(0, nullptr, "derived", WS_POPUP, 0, 0, 50, 40, nullptr, nullptr));
    probe.log.clear();
    probe.SendMessage(WM_TIMER, 3, 0);
    probe.SendMessage(WM_SIZE, 0, MAKELONG(7, 8));
    EXPECT_EQ(probe.log, (std::vector<std::string>{"derived timer 3", "size 0 7x8"}));
}

TEST(MessageMap, HandleMapKnowsTheObjectUntilTheWindowGoes) {
    Probe probe;
    ASSERT_TRUE(probe.CreateEx(0, nullptr, "mapped", WS_POPUP, 0, 0, 50, 40, nullptr, nullptr));
    HWND hwnd = probe.GetSafeHwnd();
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &probe);
    EXPECT_EQ(CWnd::FromHandle(hwnd), &probe);
    CString title;
    probe.GetWindowText(title);
    EXPECT_EQ(title, "mapped");
    EXPECT_TRUE(probe.DestroyWindow());
    EXPECT_EQ(probe.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(MessageMap, TemporaryObjectsWrapForeignWindowsWithoutOwningThem) {
    HWND plain = CreateWindowExA(0, AfxRegisterWndClass(0), "plain", WS_POPUP, 0, 0, 10, 10,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    CWnd* temporary = CWnd::FromHandle(plain);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(temporary->GetSafeHwnd(), plain);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(CWnd::FromHandle(plain), temporary);
    EXPECT_TRUE(DestroyWindow(plain));
}

TEST(MessageMap, AttachAndDetachMoveTheHandleWithoutDestroyingIt) {
    Probe owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "moved", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hwnd = owner.Detach();
    EXPECT_TRUE(IsWindow(hwnd));
    CWnd other;
    EXPECT_TRUE(other.Attach(hwnd));
    EXPECT_FALSE(other.Attach(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &other);
    EXPECT_EQ(other.Detach(), hwnd);
    EXPECT_TRUE(DestroyWindow(hwnd));
}

TEST(MessageMap, RegisteredClassesAreSharedByTheirAttributes) {
    LPCTSTR first = AfxRegisterWndClass(CS_DBLCLKS);
    LPCTSTR again = AfxRegisterWndClass(CS_DBLCLKS);
    LPCTSTR other = AfxRegisterWndClass(CS_DBLCLKS | CS_SAVEBITS);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, again);
    EXPECT_STRNE(first, other);
    Probe probe;
    ASSERT_TRUE(probe.CreateEx(0, first, "classed", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    char name[128] = {};
    GetClassNameA(probe.GetSafeHwnd(), name, sizeof name);
    EXPECT_STREQ(name, first);
    probe.SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(probe.log.back(), "timer 1");
}

} // namespace
