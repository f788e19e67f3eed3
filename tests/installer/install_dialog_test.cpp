// The installer's main dialog on a scratch machine, driven as a person would: it unpacks an
// installer file assembled here, shows what the staged theme says, and installs, cancels or
// fails to prepare.
#include "installer/advert_address.h"
#include "installer/install_dlg.h"
#include "installer/install_globals.h"
#include "installer/install_steps.h"
#include "installer/install_strings.h"
#include "installer/os_code.h"
#include "installer/prepare_dlg.h"
#include "installer/staging_claim.h"
#include "installer/welcome_text.h"
#include "skin/core/glazework.h"
#include "skin/core/skin_manager.h"
#include "skin/skinners/skin_dialog_wnd.h"
#include "skin/skinners/skin_element.h"
#include "system/paths.h"
#include "testing/answers.h"
#include "testing/screen_capture.h"
#include "testing/virtual_clock.h"
#include "testing/window_input.h"
#include "tests/installer/install_fixture.h"
#include "tests/installer/package_fixture.h"
#include "tests/support/process_runner.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"
#include "tests/support/window_probe.h"
#include "win32/process_id.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>

namespace lvtest {
namespace {

namespace fs = std::filesystem;

// The dialog names its staging folder after string 106, the title the package was made for.
const std::string kTitle = LV_THEME_TITLE;
const Bytes kSaver = TextLikeBytes(20000, 7);
constexpr COLORREF kDialogColour = 0xFAFAFA;

// Whether any pixel of the rectangle (inset by a pixel) satisfies `wanted`.
bool AnyPixel(HWND dialog, const RECT& rect, const std::function<bool(COLORREF)>& wanted) {
    for (int y = rect.top + 1; y < rect.bottom - 1; ++y)
        for (int x = rect.left + 1; x < rect.right - 1; ++x)
            if (wanted(lv::testing::window_pixel(dialog, x, y)))
                return true;
    return false;
}

bool IsDark(COLORREF colour) {
    return GetRValue(colour) < 90 && GetGValue(colour) < 90 && GetBValue(colour) < 90;
}

// A colour of a bitmap resource, counted from its top-left corner.
COLORREF BitmapPixel(UINT id, int x, int y) {
    HBITMAP bitmap = LoadBitmapA(AfxGetInstanceHandle(), MAKEINTRESOURCE(id));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return colour;
}

SIZE BitmapSize(UINT id) {
    HBITMAP bitmap = LoadBitmapA(AfxGetInstanceHandle(), MAKEINTRESOURCE(id));
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    DeleteObject(bitmap);
    return SIZE{info.bmWidth, info.bmHeight};
}

void Click(HWND dialog, int id) {
    EXPECT_TRUE(lv::testing::click_window(GetDlgItem(dialog, id))) << id;
}

class InstallDialogTest : public InstallTest {
protected:
    void SetUp() override {
        InstallTest::SetUp();
        g_installOsCode = kOsWindowsXP;
        g_installOnline = 0;
        SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
    }

    // An installer file carrying the theme and the saver as the build packs them.
    std::string Package(const Bytes& theme, bool withTheme = true) {
        std::vector<PackedFile> files;
        if (withTheme)
            files.push_back({kTitle + "\\", kTitle + ".dat", theme});
        files.push_back({kTitle + "\\", kTitle + ".scr", kSaver});
        const AssembledPackage package = AssemblePackage(NoiseBytes(5000), files);
        WriteFileBytes(m_scratch / "setup.exe", package.bytes);
        return lv::to_windows_path((m_scratch / "setup.exe").string());
    }

    // Runs the dialog; `whileShown` sees it once it shows and ends it (by a click, mostly).
    INT_PTR Run(CInstallDlg& dialog, std::function<void(HWND)> whileShown) {
        m_shown = false;
        lv::testing::push_modal_answer({IDCANCEL, [this, whileShown](HWND hwnd) {
                                            m_shown = true;
                                            RedrawWindow(hwnd, nullptr, nullptr,
                                                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME |
                                                             RDW_UPDATENOW | RDW_ALLCHILDREN);
                                            whileShown(hwnd);
                                        }});
        return dialog.DoModal();
    }
    // Opens the dialog on a theme, looks at it, and cancels it.
    INT_PTR LookAndCancel(CInstallDlg& dialog, std::function<void(HWND)> look) {
        return Run(dialog, [look](HWND hwnd) {
            look(hwnd);
            Click(hwnd, CInstallDlg::kCancelButton);
        });
    }

    fs::path Staging() const { return Host(StagingFolderFor(ProgramFilesFolder(), kTitle)); }
    fs::path Claim() const {
        return Host(StagingClaimPath(StagingFolderFor(ProgramFilesFolder(), kTitle)));
    }
    void ExpectNothingInstalled() {
        EXPECT_FALSE(fs::exists(Staging()));
        EXPECT_FALSE(fs::exists(Claim()));
        EXPECT_TRUE(fs::is_empty(Host(SystemFolder())));
        EXPECT_FALSE(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "DisplayName"));
        EXPECT_FALSE(RegString(HKEY_CURRENT_USER, kDesktopKey, kScreenSaverValue));
        EXPECT_FALSE(ScreenSaverActive());
    }
    void ExpectInstalled(const Bytes& theme) {
        const std::string saver = Installed(kTitle, ".scr");
        EXPECT_EQ(ReadFileBytes(Host(saver)), kSaver);
        EXPECT_EQ(ReadFileBytes(Host(Installed(kTitle, ".dat"))), theme);
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "DisplayName"),
                  kTitle + " Screensaver");
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKeyPrefix + kTitle, "UninstallString"),
                  saver + " /u");
        EXPECT_EQ(RegString(HKEY_CURRENT_USER, kDesktopKey, kScreenSaverValue), saver);
        EXPECT_TRUE(ScreenSaverActive());
        EXPECT_FALSE(fs::exists(Staging()));
        EXPECT_FALSE(fs::exists(Claim()));
    }

    // The preparing dialog shows its result for a while.
    lv::testing::VirtualClockScope m_clock;
    bool m_shown = false;
};

TEST_F(InstallDialogTest, WelcomeBoxShowsTheAboutTextOrTheBuiltInText) {
    struct Case {
        const char* about;
        std::vector<std::string> shown;
        std::vector<std::string> notShown;
    };
    const Case cases[] = {
        {"{\\rtf1 Hello \\b there\\b0, enjoy.}", {"Hello there, enjoy."}, {"Welcome"}},
        {"",
         {"Welcome to the Glimmerwright setup.", "Click install to complete setup.", kMakerWebSite},
         {"rtf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.about);
        CInstallDlg dialog(nullptr, Package(ThemeBytes(kTitle, c.about)));
        std::string text;
        bool drawn = false;
        LookAndCancel(dialog, [&](HWND hwnd) {
            HWND box = GetDlgItem(hwnd, CInstallDlg::kWelcomeBox);
            text = WindowText(box);
            drawn = AnyPixel(hwnd, RectInWindow(hwnd, box), IsDark);
        });
        EXPECT_TRUE(drawn);
        for (const std::string& line : c.shown)
            EXPECT_NE(text.find(line), std::string::npos) << line << " in " << text;
        for (const std::string& line : c.notShown)
            EXPECT_EQ(text.find(line), std::string::npos) << line << " in " << text;
    }
}

// A welcome text longer than the box: the box's scroll bar brings its end into view, by the
// arrow, by the dragged thumb, and back by the wheel.
TEST_F(InstallDialogTest, ALongWelcomeTextScrollsWithTheBoxsBar) {
    constexpr COLORREF kFirst = RGB(255, 0, 0), kLast = RGB(0, 0, 255);
    std::string about = R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
                        R"(\cf1 First\par\cf0 )";
    for (int i = 0; i < 40; ++i)
        about += "More of the welcome.\\par ";
    about += R"(\cf2 Last})";
    CInstallDlg dialog(nullptr, Package(ThemeBytes(kTitle, about)));
    struct Seen {
        bool first = false, last = false;
    };
    Seen atStart, afterArrow, afterDrag, afterWheel;
    LookAndCancel(dialog, [&](HWND hwnd) {
        HWND box = GetDlgItem(hwnd, CInstallDlg::kWelcomeBox);
        auto pump = [] {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        };
        auto look = [&] {
            pump();
            const RECT place = RectInWindow(hwnd, box);
            return Seen{AnyPixel(hwnd, place, [&](COLORREF c) { return c == kFirst; }),
                        AnyPixel(hwnd, place, [&](COLORREF c) { return c == kLast; })};
        };
        // The bar stands right of the text, as high as it; its arrows are square.
        RECT client{};
        GetClientRect(box, &client);
        const int arrow = GetSystemMetrics(SM_CXVSCROLL);
        POINT bar{client.right + arrow / 2, 0};
        ClientToScreen(box, &bar);
        atStart = look();
        lv::testing::click(bar.x, bar.y + client.bottom - arrow / 2);
        afterArrow = look();
        lv::testing::mouse_move(bar.x, bar.y + arrow + 4);
        lv::testing::mouse_down();
        pump();
        lv::testing::mouse_move(bar.x, bar.y + client.bottom + 60);
        lv::testing::mouse_up();
        afterDrag = look();
        POINT text{20, 20};
        ClientToScreen(box, &text);
        lv::testing::click(text.x, text.y);
        for (int i = 0; i < 40; ++i)
            lv::testing::wheel(WHEEL_DELTA);
        afterWheel = look();
    });
    EXPECT_TRUE(atStart.first);
    EXPECT_FALSE(atStart.last);
    EXPECT_FALSE(afterArrow.first); // a line down
    EXPECT_FALSE(afterDrag.first);
    EXPECT_TRUE(afterDrag.last);
    EXPECT_TRUE(afterWheel.first);
    EXPECT_FALSE(afterWheel.last);
}

TEST_F(InstallDialogTest, TitleLabelReadsTheTitleInBoldTahomaBlackOnTheDialogColour) {
    CInstallDlg dialog(nullptr, Package(ThemeBytes(kTitle)));
    std::string label;
    bool textDrawn = false, backgroundDrawn = false;
    LookAndCancel(dialog, [&](HWND hwnd) {
        HWND control = GetDlgItem(hwnd, CInstallDlg::kTitleLabel);
        label = WindowText(control);
        const RECT place = RectInWindow(hwnd, control);
        textDrawn = AnyPixel(hwnd, place, [](COLORREF c) { return c == 0x000000; });
        backgroundDrawn =
            lv::testing::window_pixel(hwnd, place.right - 2, place.bottom - 2) == kDialogColour;
        LOGFONTA font{};
        ASSERT_TRUE(dialog.GetTitleLabel().GetLabelFont().GetLogFont(&font));
        EXPECT_STREQ(font.lfFaceName, "Tahoma");
        EXPECT_EQ(font.lfWeight, FW_BOLD);
        EXPECT_EQ(font.lfHeight, PointSizeToHeight(16));
        EXPECT_EQ(dialog.GetTitleLabel().GetTextColor(), 0x000000u);
        EXPECT_EQ(dialog.GetTitleLabel().GetBkColor(), kDialogColour);
    });
    EXPECT_EQ(label, kTitle + " Screensaver");
    EXPECT_TRUE(textDrawn);
    EXPECT_TRUE(backgroundDrawn);
}

TEST_F(InstallDialogTest, AdvertViewTakesThePicturesPlaceOnlyWithAddressFlagAndConnection) {
    struct Case {
        const char* base;
        std::int32_t flag;
        int online;
        bool view;
    };
    const Case cases[] = {
        {"http://ads.example/theme", 1, 1, true},
        {"http://ads.example/theme", 5, 1, true},
        {"http://ads.example/theme", 1, 0, false},
        {"http://ads.example/theme", 0, 1, false},
        {"", 1, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.base) + " flag " + std::to_string(c.flag) + " online " +
                     std::to_string(c.online));
        g_installOnline = c.online;
        CInstallDlg dialog(nullptr, Package(ThemeBytes(kTitle, {}, c.flag, c.base)));
        bool pictureVisible = false, viewVisible = false, samePlace = false, viewDrawn = false;
        std::string address;
        LookAndCancel(dialog, [&](HWND hwnd) {
            HWND picture = GetDlgItem(hwnd, CInstallDlg::kPicture);
            HWND view = GetDlgItem(hwnd, CInstallDlg::kAdvertView);
            pictureVisible = IsWindowVisible(picture);
            viewVisible = view && IsWindowVisible(view);
            if (!view)
                return;
            RECT pictureRect{}, viewRect{};
            GetWindowRect(picture, &pictureRect);
            GetWindowRect(view, &viewRect);
            samePlace = EqualRect(&pictureRect, &viewRect);
            viewDrawn = AnyPixel(hwnd, RectInWindow(hwnd, view), IsDark);
            address = dialog.GetAdvertView()->GetLocationURL();
        });
        EXPECT_EQ(pictureVisible, !c.view);
        EXPECT_EQ(viewVisible, c.view);
        EXPECT_EQ(samePlace, c.view);
        EXPECT_EQ(viewDrawn, c.view);
        EXPECT_EQ(address, c.view ? std::string(c.base) + "/ad.htm" : "");
    }
}

TEST_F(InstallDialogTest, CancelRemovesTheStagingFolderAndInstallsNothing) {
    CInstallDlg dialog(nullptr, Package(ThemeBytes(kTitle)));
    bool stagedWhileShown = false;
    EXPECT_EQ(LookAndCancel(dialog,
                            [&](HWND) {
                                stagedWhileShown = fs::exists(Staging() / (kTitle + ".scr")) &&
                                                   fs::exists(Staging() / (kTitle + ".dat"));
                            }),
              IDCANCEL);
    EXPECT_TRUE(stagedWhileShown);
    ExpectNothingInstalled();
    EXPECT_TRUE(lv::testing::message_box_log().empty());
}

TEST_F(InstallDialogTest, FailedPreparationClosesTheDialogAndRemovesWhatWasStaged) {
    Bytes truncated = ThemeBytes(kTitle);
    truncated.resize(500);
    struct Case {
        const char* what;
        std::function<std::string()> package;
    };
    const Case cases[] = {
        {"no payload",
         [&] {
             WriteFileBytes(m_scratch / "plain.exe", NoiseBytes(3000));
             return lv::to_windows_path((m_scratch / "plain.exe").string());
         }},
        {"missing package",
         [&] { return lv::to_windows_path((m_scratch / "absent.exe").string()); }},
        {"no theme in the payload", [&] { return Package({}, false); }},
        // These unpack in full before the staged theme is refused.
        {"damaged theme", [&] { return Package(truncated); }},
        {"foreign theme", [&] { return Package(NoiseBytes(4000)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lv::testing::clear_answers();
        CInstallDlg dialog(nullptr, c.package());
        EXPECT_EQ(Run(dialog, [](HWND) {}), IDCANCEL);
        EXPECT_FALSE(m_shown);
        EXPECT_TRUE(dialog.GetThemeHeader().title.empty());
        ExpectNothingInstalled();
        EXPECT_TRUE(lv::testing::message_box_log().empty());
    }
}

// The staging folder is made afresh. Anything already at its name that no installer claimed
// (a folder of someone else's, a link, a file) is neither unpacked into nor removed: the
// preparation fails, says what is in the way, and leaves it alone.
TEST_F(InstallDialogTest, AnythingAtTheStagingFoldersNameIsNeitherUsedNorRemoved) {
    ScratchDir outside;
    struct Case {
        const char* what;
        std::function<void()> plant;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"someone else's folder",
         [&] {
             fs::create_directories(Staging());
             WriteFileBytes(Staging() / "theirs.txt", TextLikeBytes(10));
         },
         [&] {
             EXPECT_EQ(ReadFileBytes(Staging() / "theirs.txt"), TextLikeBytes(10));
             EXPECT_EQ(std::distance(fs::directory_iterator(Staging()), fs::directory_iterator()),
                       1);
         }},
        {"a link to a folder", [&] { fs::create_directory_symlink(outside.path(), Staging()); },
         [&] {
             EXPECT_TRUE(fs::is_symlink(Staging()));
             EXPECT_TRUE(fs::is_empty(outside.path()));
         }},
        {"a link to nothing",
         [&] { fs::create_directory_symlink(outside.path() / "gone", Staging()); },
         [&] {
             EXPECT_TRUE(fs::is_symlink(Staging()));
             EXPECT_TRUE(fs::is_empty(outside.path()));
         }},
        {"a file", [&] { WriteFileBytes(Staging(), TextLikeBytes(10)); },
         [&] { EXPECT_EQ(ReadFileBytes(Staging()), TextLikeBytes(10)); }},
    };
    const std::string folder = StagingFolderFor(ProgramFilesFolder(), kTitle);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lv::testing::clear_answers();
        fs::remove_all(Staging());
        c.plant();
        CInstallDlg dialog(nullptr, Package(ThemeBytes(kTitle)));
        lv::testing::push_message_box_answer(IDOK);
        EXPECT_EQ(Run(dialog, [](HWND) {}), IDCANCEL);
        EXPECT_FALSE(m_shown);
        EXPECT_TRUE(dialog.StagingBlocked());
        c.check();
        EXPECT_FALSE(fs::exists(Claim()));
        EXPECT_TRUE(fs::is_empty(Host(SystemFolder())));
        const auto log = lv::testing::message_box_log();
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].text, "The installer cannot unpack its files: something it did not make "
                               "is in the way at\n" +
                                   folder +
                                   "\nMove it away or delete it, then run this installer again.");
        EXPECT_EQ(log[0].caption, "Error");
        EXPECT_EQ(log[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    }
    fs::remove_all(Staging());
}

// A running installer's folder is left to it; one that an ended installer left is taken over.
TEST_F(InstallDialogTest, TheClaimBesideTheFolderTellsARunningInstallerFromAnEndedOne) {
    const std::string folder = StagingFolderFor(ProgramFilesFolder(), kTitle);
    const ClaimOwner self = RunningProcess(GetCurrentProcessId()).value();
    const auto plant = [&](const ClaimOwner& owner) {
        fs::create_directories(Staging());
        WriteFileBytes(Staging() / "left.txt", TextLikeBytes(10));
        const std::string claim = FormatClaim(owner);
        WriteFileBytes(Claim(), Bytes(claim.begin(), claim.end()));
    };

    plant(self);
    CInstallDlg busy(nullptr, Package(ThemeBytes(kTitle)));
    lv::testing::push_message_box_answer(IDOK);
    EXPECT_EQ(Run(busy, [](HWND) {}), IDCANCEL);
    EXPECT_FALSE(m_shown);
    EXPECT_TRUE(busy.StagingBlocked());
    EXPECT_TRUE(fs::exists(Staging() / "left.txt"));
    EXPECT_EQ(ParseClaim(ReadFileText(Claim())), self);
    const auto log = lv::testing::message_box_log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, "Another installer is running and is using the folder\n" + folder +
                               "\nWait until it has finished, then run this installer again.");

    // The same id, a process made at another time: the one that made the folder has ended.
    lv::testing::clear_answers();
    fs::remove_all(Staging());
    plant({self.pid, self.created + 1});
    const Bytes theme = ThemeBytes(kTitle);
    CInstallDlg taken(nullptr, Package(theme));
    const fs::path left = Staging() / "left.txt";
    EXPECT_EQ(Run(taken,
                  [left](HWND hwnd) {
                      EXPECT_FALSE(fs::exists(left));
                      Click(hwnd, CInstallDlg::kInstallButton);
                  }),
              IDOK);
    EXPECT_TRUE(m_shown);
    EXPECT_FALSE(taken.StagingBlocked());
    ExpectInstalled(theme);
    EXPECT_TRUE(lv::testing::message_box_log().empty());
}

// What a person sees while the payload is unpacked: the bar fills in its own colour over the
// window colour, with the percentage written across it in the contrasting colour.
struct PreparingSeen {
    bool taken = false;
    bool saved = false;
    std::string png;
    COLORREF filled = CLR_INVALID;
    COLORREF empty = CLR_INVALID;
    bool textOverBar = false;
    bool textFits = false;
};
PreparingSeen g_preparing;

// At the result text (position 70) the dialog is drawn and looked at.
LRESULT CALLBACK LookAtPreparing(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_SETTEXT && !g_preparing.taken &&
        GetDlgCtrlID(sent->hwnd) == CPrepareDlg::kResultText) {
        g_preparing.taken = true;
        HWND dialog = GetParent(sent->hwnd);
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HWND bar = GetDlgItem(dialog, CPrepareDlg::kProgressBar);
        RECT r{};
        GetClientRect(bar, &r);
        const int middle = r.bottom / 2;
        g_preparing.filled = lv::testing::window_pixel(bar, 2, middle);
        g_preparing.empty = lv::testing::window_pixel(bar, r.right - 3, middle);
        // "70%" centred: in the filled part, lighter than the bar, clear of the edges.
        auto lightness = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
        int textRows = 0;
        bool touchesEdge = false;
        for (int y = 0; y < r.bottom; ++y) {
            bool text = false;
            for (int x = r.right / 4; x < r.right * 3 / 5; ++x)
                text = text ||
                       lightness(lv::testing::window_pixel(bar, x, y)) > lightness(0x68B4FF) + 60;
            textRows += text ? 1 : 0;
            touchesEdge = touchesEdge || (text && (y == 0 || y == r.bottom - 1));
        }
        g_preparing.textOverBar = textRows > 3;
        g_preparing.textFits = !touchesEdge;
        g_preparing.saved = lv::testing::save_window_png(dialog, g_preparing.png);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(InstallDialogTest, PreparingShowsAFilledBarWithItsPercentage) {
    for (const char* locale : {"C", "ja_JP.UTF-8", "ko_KR.UTF-8"}) {
        SCOPED_TRACE(locale);
        const lvtest::ScopedEnv language("LC_ALL", locale);
        g_preparing = PreparingSeen{};
        g_preparing.png = lvtest::ScreenshotPath(std::string("prepare_dialog_") +
                                                 std::string(locale).substr(0, 2) + ".png");
        HHOOK hook =
            SetWindowsHookExA(WH_CALLWNDPROCRET, LookAtPreparing, nullptr, GetCurrentThreadId());
        ASSERT_NE(hook, nullptr);
        // Each preparation makes the staging folder afresh, under a claim of its own; removing
        // them stands in for the main dialog that would.
        fs::remove_all(Staging());
        fs::remove(Claim());
        CPrepareDlg dialog(Package(ThemeBytes(kTitle)), kTitle);
        EXPECT_EQ(dialog.DoModal(), IDOK);
        UnhookWindowsHookEx(hook);
        ASSERT_TRUE(g_preparing.taken);
        EXPECT_EQ(g_preparing.filled, static_cast<COLORREF>(0x68B4FF));
        EXPECT_EQ(g_preparing.empty, GetSysColor(COLOR_WINDOW));
        EXPECT_TRUE(g_preparing.textOverBar);
        EXPECT_TRUE(g_preparing.textFits);
        EXPECT_TRUE(g_preparing.saved);
    }
}

TEST_F(InstallDialogTest, InstallButtonInstallsRegistersAndActivates) {
    const Bytes theme = ThemeBytes(kTitle, "{\\rtf1 about}");
    CInstallDlg dialog(nullptr, Package(theme));
    EXPECT_EQ(Run(dialog, [](HWND hwnd) { Click(hwnd, CInstallDlg::kInstallButton); }), IDOK);
    ExpectInstalled(theme);
    EXPECT_TRUE(lv::testing::message_box_log().empty());
}

TEST_F(InstallDialogTest, DisplayPropertiesAreOfferedOnlyWhenAsked) {
    for (int offer : {0, 1}) {
        SCOPED_TRACE(offer);
        lv::testing::clear_answers();
        fs::remove(Host(Installed(kTitle, ".scr")));
        CInstallDlg dialog(nullptr, Package(ThemeBytes(kTitle)));
        dialog.m_nOffer = offer;
        EXPECT_EQ(Run(dialog,
                      [](HWND hwnd) {
                          // Yes, the platform has no Display Properties to open: nothing more.
                          lv::testing::push_message_box_answer(IDYES);
                          Click(hwnd, CInstallDlg::kInstallButton);
                      }),
                  IDOK);
        const auto log = lv::testing::message_box_log();
        ASSERT_EQ(log.size(), offer ? 1u : 0u);
        if (offer) {
            EXPECT_EQ(log[0].text, "Screensaver has been installed successfully.\nDo you want to "
                                   "open Display Properties dialog?");
            EXPECT_EQ(log[0].caption, "Information");
            EXPECT_EQ(log[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        }
        EXPECT_TRUE(ScreenSaverActive());
    }
}

TEST_F(InstallDialogTest, UnattendedModeInstallsWithoutShowingTheDialog) {
    const Bytes theme = ThemeBytes(kTitle);
    CInstallDlg dialog(nullptr, Package(theme));
    dialog.m_nMode = CInstallDlg::kUnattendedMode;
    EXPECT_EQ(Run(dialog, [](HWND) {}), IDOK);
    EXPECT_FALSE(m_shown);
    ExpectInstalled(theme);
}

TEST_F(InstallDialogTest, WebSiteButtonStartsTheRegisteredHandlerWithTheMakersAddress) {
    const fs::path seen = m_scratch / "seen.txt";
    struct Case {
        bool handler;
        const char* printed;
    };
    for (const Case& c :
         {Case{false, "Web site http://www.glimmerwright.example.com/: nothing on this system can "
                      "open web pages."},
          Case{true, ""}}) {
        SCOPED_TRACE(c.handler);
        if (c.handler) {
            // The handler: a program that writes down the argument it was started with.
            const fs::path program = Host("C:\\browse.bat");
            std::FILE* out = std::fopen(program.c_str(), "w");
            ASSERT_NE(out, nullptr);
            std::fprintf(out, "#!/bin/sh\nprintf '%%s' \"$1\" > '%s'\n", seen.c_str());
            std::fclose(out);
            fs::permissions(program, fs::perms(0755));
            for (const auto& [key, value] :
                 {std::pair{".htm", "lvtest.html"},
                  std::pair{"lvtest.html\\shell\\open\\command", "\"C:\\browse.bat\" \"%1\""}}) {
                HKEY h = nullptr;
                ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_ALL_ACCESS,
                                          nullptr, &h, nullptr),
                          ERROR_SUCCESS);
                RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                               static_cast<DWORD>(std::strlen(value) + 1));
                RegCloseKey(h);
            }
        }
        CInstallDlg dialog(nullptr, Package(ThemeBytes(kTitle)));
        ::testing::internal::CaptureStdout();
        LookAndCancel(dialog, [](HWND hwnd) { Click(hwnd, CInstallDlg::kWebSiteButton); });
        const std::string out = ::testing::internal::GetCapturedStdout();
        if (c.handler) {
            // The handler gets its command line as one string, the address quoted in it.
            ASSERT_TRUE(WaitForFile(seen));
            EXPECT_EQ(ReadFileText(seen), std::string("\"") + kMakerWebSite + "\"");
            EXPECT_EQ(out.find("Web site"), std::string::npos) << out;
        } else {
            EXPECT_NE(out.find(c.printed), std::string::npos) << out;
            EXPECT_FALSE(fs::exists(seen));
        }
        ExpectNothingInstalled();
    }
}

TEST_F(InstallDialogTest, TheButtonsCarryTheirTextsInTheUsersLanguage) {
    struct Case {
        const char* locale;
        const char* cancel;
        const char* install;
    };
    const Case cases[] = {
        {"C", "Cancel", "Install"},
        {"ja_JP.UTF-8", "キャンセル", "インストール"},
        {"ko_KR.UTF-8", "취소", "설치"},
    };
    const char* saved = std::getenv("LC_ALL");
    const std::string keep = saved ? saved : "";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        setenv("LC_ALL", c.locale, 1);
        CInstallDlg dialog(nullptr, Package(ThemeBytes(kTitle)));
        std::string caption, cancel, install;
        LookAndCancel(dialog, [&](HWND hwnd) {
            caption = WindowText(hwnd);
            cancel = WindowText(GetDlgItem(hwnd, CInstallDlg::kCancelButton));
            install = WindowText(GetDlgItem(hwnd, CInstallDlg::kInstallButton));
        });
        EXPECT_EQ(caption, "Install Manager");
        EXPECT_EQ(cancel, c.cancel);
        EXPECT_EQ(install, c.install);
    }
    if (saved)
        setenv("LC_ALL", keep.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

// What a person sees: the window where it belongs, the label, the welcome text and the three
// buttons showing their bitmaps, filled edge to edge.
TEST_F(InstallDialogTest, ScreenshotShowsTheLabelTheWelcomeTextAndTheButtons) {
    CInstallDlg dialog(nullptr, Package(ThemeBytes(kTitle)));
    const fs::path png = lvtest::ScreenshotPath("install_dialog.png");
    RECT window{};
    bool everythingInside = true;
    bool saved = false, dialogColour = false, label = false, welcome = false;
    struct Button {
        int id;
        UINT bitmap;
        SIZE client{};
        COLORREF shown = CLR_INVALID;
    };
    Button buttons[] = {{CInstallDlg::kCancelButton, 133},
                        {CInstallDlg::kInstallButton, 136},
                        {CInstallDlg::kWebSiteButton, 143}};
    LookAndCancel(dialog, [&](HWND hwnd) {
        GetWindowRect(hwnd, &window);
        RECT client{};
        GetClientRect(hwnd, &client);
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT place{};
            GetWindowRect(child, &place);
            MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&place), 2);
            RECT inside{};
            IntersectRect(&inside, &place, &client);
            everythingInside = everythingInside && EqualRect(&inside, &place);
        }
        saved = lv::testing::save_window_png(hwnd, png.string());
        // Between the welcome box and the buttons nothing but the dialog's own colour.
        const RECT box = RectInWindow(hwnd, GetDlgItem(hwnd, CInstallDlg::kWelcomeBox));
        dialogColour =
            lv::testing::window_pixel(hwnd, box.right - 4, box.bottom + 4) == kDialogColour;
        label = AnyPixel(hwnd, RectInWindow(hwnd, GetDlgItem(hwnd, CInstallDlg::kTitleLabel)),
                         [](COLORREF c) { return c == 0x000000; });
        welcome = AnyPixel(hwnd, box, IsDark);
        for (Button& b : buttons) {
            HWND control = GetDlgItem(hwnd, b.id);
            RECT face{};
            GetClientRect(control, &face);
            b.client = {face.right, face.bottom};
            // Left of the centred text, half-way down.
            b.shown = lv::testing::window_pixel(control, 3, face.bottom / 2);
        }
    });
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 600) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 420) / 2);
    EXPECT_GE(window.right - window.left, 577);
    EXPECT_GE(window.bottom - window.top, 387);
    EXPECT_TRUE(everythingInside);
    EXPECT_TRUE(saved);
    EXPECT_GT(fs::file_size(png), 0u);
    EXPECT_TRUE(dialogColour);
    EXPECT_TRUE(label);
    EXPECT_TRUE(welcome);
    for (const Button& b : buttons) {
        SCOPED_TRACE(b.id);
        const SIZE bitmap = BitmapSize(b.bitmap);
        EXPECT_EQ(bitmap.cx, b.client.cx);
        EXPECT_EQ(bitmap.cy, b.client.cy);
        EXPECT_EQ(b.shown, BitmapPixel(b.bitmap, 3, b.client.cy / 2));
    }
}

TEST(AdvertAddress, OnlyWithAddressFlagAndConnection) {
    struct Case {
        const char* base;
        std::int32_t flag;
        int online;
        const char* address;
    };
    const Case cases[] = {
        {"http://ads.example/t", 1, 1, "http://ads.example/t/ad.htm"},
        {"http://ads.example/t", 7, 1, "http://ads.example/t/ad.htm"},
        {"http://ads.example/t", 1, 0, ""},
        {"http://ads.example/t", 0, 1, ""},
        {"", 1, 1, ""},
    };
    for (const Case& c : cases) {
        InstallThemeHeader header;
        header.primaryAdBase = c.base;
        header.adFlag = c.flag;
        EXPECT_EQ(AdvertAddressFor(header, c.online), c.address)
            << c.base << " " << c.flag << " " << c.online;
    }
}

// The installer's start-up frames its dialogs by the default skin: the Install Manager in
// every language, with the skin's shape and borders, closed by the skin's close button.
TEST_F(InstallDialogTest, TheDefaultSkinFramesTheDialogInEveryLanguage) {
    ASSERT_EQ(GlazeworkStartup(AfxGetInstanceHandle(), "QJV Saver Installer", 0, 0), 1);
    ASSERT_EQ(GlazeworkLoadSkinResource(AfxGetInstanceHandle(), "DEFAULT_SKIN", "GLAZE_WORK"), 1);
    GlazeworkSetDialogSkinName("Dialog");
    const std::pair<const char*, const char*> languages[] = {
        {"C", "en"}, {"ja_JP.UTF-8", "ja"}, {"ko_KR.UTF-8", "ko"}};
    for (const auto& [locale, tag] : languages) {
        SCOPED_TRACE(locale);
        ScopedEnv language("LC_ALL", locale);
        CInstallDlg dialog(nullptr, Package(ThemeBytes(kTitle)));
        bool skinned = false, shaped = false, saved = false;
        const INT_PTR result = Run(dialog, [&](HWND hwnd) {
            skinned = dynamic_cast<SkinDialogWnd*>(SkinManager::Instance().Find(hwnd)) != nullptr;
            HRGN region = CreateRectRgn(0, 0, 0, 0);
            shaped = GetWindowRgn(hwnd, region) == COMPLEXREGION && !PtInRegion(region, 0, 0);
            DeleteObject(region);
            saved = lv::testing::save_window_png(
                hwnd, ScreenshotPath(std::string("install_dialog_skinned_") + tag + ".png"));
            auto* skinner = SkinManager::Instance().Find(hwnd);
            if (!skinner || skinner->Elements().empty())
                return;
            RECT window{};
            GetWindowRect(hwnd, &window);
            const RECT close = skinner->Elements().front()->Rect();
            lv::testing::click(window.left + (close.left + close.right) / 2,
                               window.top + (close.top + close.bottom) / 2);
            MSG message{};
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        });
        EXPECT_TRUE(skinned);
        EXPECT_TRUE(shaped);
        EXPECT_TRUE(saved);
        EXPECT_EQ(result, IDCANCEL);
        ExpectNothingInstalled();
    }
    GlazeworkShutdown();
}

} // namespace
} // namespace lvtest
