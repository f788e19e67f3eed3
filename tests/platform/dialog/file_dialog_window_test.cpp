// The file dialogs' window, driven by injected clicks and keys as a person would: the list of a
// folder filtered by the chosen type, moving between folders, typing a name, the checks before
// it closes, cancelling, a buffer too small, and its texts in three languages.
#include "dialog_test_support.h"
#include "testing/answers.h"
#include "testing/file_dialog_answers.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"
#include "tests/support/label_fit.h"
#include "tests/support/scoped_env.h"
#include "tests/support/screenshots.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace input = lv::testing;
using Names = std::vector<std::string>;

constexpr char kFilter[] =
    "Pictures (*.jpg;*.png)\0*.jpg;*.png\0Music (*.mp3)\0*.mp3\0All files (*.*)\0*.*\0";
constexpr char kFolder[] = "C:\\fdwin";

std::string TextOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ItemText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

// The texts of a list box's or combo box's items.
Names ItemsOf(HWND box, UINT count_message, UINT text_message) {
    Names items;
    const auto count = SendMessageA(box, count_message, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[MAX_PATH] = {};
        SendMessageA(box, text_message, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

Names Listed(HWND dialog) {
    return ItemsOf(GetDlgItem(dialog, kFileDialogList), LB_GETCOUNT, LB_GETTEXT);
}

// What a combo box shows.
std::string Chosen(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    const auto index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    char text[MAX_PATH] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string LookingIn(HWND dialog) {
    return Chosen(dialog, kFileDialogFolderCombo);
}

Names LookInChoices(HWND dialog) {
    return ItemsOf(GetDlgItem(dialog, kFileDialogFolderCombo), CB_GETCOUNT, CB_GETLBTEXT);
}

int IndexOf(HWND dialog, const std::string& name) {
    const Names names = Listed(dialog);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    ADD_FAILURE() << name << " is not listed";
    return 0;
}

void Click(HWND dialog, int id) {
    input::click_window(GetDlgItem(dialog, id));
    dlgtest::pump(dialog);
}

void ClickEntry(HWND dialog, const std::string& name, int clicks = 1) {
    HWND list = GetDlgItem(dialog, kFileDialogList);
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(IndexOf(dialog, name)),
                 reinterpret_cast<LPARAM>(&r));
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(list, &at);
    input::mouse_move(at.x, at.y);
    for (int i = 0; i < clicks; ++i) {
        input::mouse_down();
        input::mouse_up();
    }
    dlgtest::pump(dialog);
}

// Replaces the file name by typing, and presses Enter.
void TypeName(HWND dialog, const std::string& name) {
    HWND edit = GetDlgItem(dialog, kFileDialogName);
    // Alt and the label's letter, as a person reaches the box from anywhere in the dialog.
    input::key_down(VK_MENU);
    input::key_press('N');
    input::key_up(VK_MENU);
    dlgtest::pump(dialog);
    EXPECT_EQ(GetFocus(), edit);
    input::key_press(VK_END);
    for (int i = GetWindowTextLengthA(edit); i > 0; --i)
        input::key_press(VK_BACK);
    input::type_text(name);
    input::key_press(VK_RETURN);
    dlgtest::pump(dialog);
}

void PickType(HWND dialog, int index) {
    Click(dialog, kFileDialogTypeCombo); // drops the list
    Click(dialog, kFileDialogTypeCombo); // and closes it again: the box keeps the focus
    input::key_press(VK_HOME);
    for (int i = 0; i < index; ++i)
        input::key_press(VK_DOWN);
    dlgtest::pump(dialog);
}

void Touch(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    CloseHandle(h);
}

class FileDialogWindow : public ::testing::Test {
protected:
    void SetUp() override {
        input::clear_answers();
        input::clear_file_dialog_answers();
        CreateDirectoryA(kFolder, nullptr);
        CreateDirectoryA("C:\\fdwin\\album", nullptr);
        for (const char* name :
             {"a.jpg", "b.png", "song.mp3", "notes.txt", ".hidden.jpg", "album\\inner.jpg"})
            Touch(std::string(kFolder) + "\\" + name);
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFilter = kFilter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrInitialDir = kFolder;
        GetCurrentDirectoryA(sizeof m_current, m_current);
    }
    void TearDown() override {
        SetCurrentDirectoryA(m_current);
        input::clear_answers();
        dlgtest::pump(nullptr);
    }

    // Opens the dialog with a person's hand on it.
    BOOL Run(bool save, std::function<void(HWND)> drive) {
        input::push_modal_answer({0, [&](HWND dialog) {
                                      dlgtest::pump(dialog);
                                      drive(dialog);
                                  }});
        return save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    }

    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    char m_current[MAX_PATH] = {};
};

TEST_F(FileDialogWindow, ListsFoldersThenTheFilesOfTheChosenType) {
    const BOOL chosen = Run(false, [&](HWND dialog) {
        EXPECT_EQ(LookingIn(dialog), kFolder);
        // Host-hidden names (a leading dot) are not shown.
        EXPECT_EQ(Listed(dialog), (Names{"album", "a.jpg", "b.png"}));
        PickType(dialog, 1);
        EXPECT_EQ(Chosen(dialog, kFileDialogTypeCombo), "Music (*.mp3)");
        EXPECT_EQ(Listed(dialog), (Names{"album", "song.mp3"}));
        PickType(dialog, 2);
        EXPECT_EQ(Listed(dialog), (Names{"album", "a.jpg", "b.png", "notes.txt", "song.mp3"}));
        // A typed pattern lists what it matches, until another type is picked.
        TypeName(dialog, "*.png;*.txt");
        EXPECT_EQ(Listed(dialog), (Names{"album", "b.png", "notes.txt"}));
        PickType(dialog, 0);
        EXPECT_EQ(Listed(dialog), (Names{"album", "a.jpg", "b.png"}));
        // Clicking a file proposes its name.
        ClickEntry(dialog, "b.png");
        EXPECT_EQ(ItemText(dialog, kFileDialogName), "b.png");
        Click(dialog, IDOK);
    });
    ASSERT_TRUE(chosen);
    EXPECT_STREQ(file, "C:\\fdwin\\b.png");
    EXPECT_EQ(ofn.nFileOffset, 9);
    EXPECT_EQ(ofn.nFileExtension, 11);
    EXPECT_EQ(ofn.nFilterIndex, 1u);
}

TEST_F(FileDialogWindow, MovesIntoFoldersUpAndAcrossDrives) {
    const BOOL chosen = Run(false, [&](HWND dialog) {
        ClickEntry(dialog, "album", 2);
        EXPECT_EQ(LookingIn(dialog), "C:\\fdwin\\album");
        EXPECT_EQ(Listed(dialog), (Names{"inner.jpg"}));
        Click(dialog, kFileDialogUp);
        EXPECT_EQ(LookingIn(dialog), kFolder);
        // The drives the layer has, with the way down to the folder under its own.
        EXPECT_EQ(LookInChoices(dialog), (Names{"C:\\", "C:\\fdwin", "Z:\\"}));
        Click(dialog, kFileDialogFolderCombo);
        Click(dialog, kFileDialogFolderCombo);
        input::key_press(VK_END); // Z:, the host's file system
        dlgtest::pump(dialog);
        EXPECT_EQ(LookingIn(dialog), "Z:\\");
        const Names root = Listed(dialog);
        EXPECT_NE(std::find(root.begin(), root.end(), "tmp"), root.end());
        Click(dialog, kFileDialogUp); // a root stays
        EXPECT_EQ(LookingIn(dialog), "Z:\\");
        // A typed folder opens; a path with a drive is taken as it is.
        TypeName(dialog, "C:\\fdwin");
        EXPECT_EQ(LookingIn(dialog), kFolder);
        EXPECT_EQ(ItemText(dialog, kFileDialogName), "");
        TypeName(dialog, "album\\..\\album");
        EXPECT_EQ(LookingIn(dialog), "C:\\fdwin\\album");
        // Enter on a folder in the list opens it too.
        TypeName(dialog, "..");
        ClickEntry(dialog, "album");
        input::key_press(VK_RETURN);
        dlgtest::pump(dialog);
        EXPECT_EQ(LookingIn(dialog), "C:\\fdwin\\album");
        // A file is opened by a double click.
        ClickEntry(dialog, "inner.jpg", 2);
    });
    ASSERT_TRUE(chosen);
    EXPECT_STREQ(file, "C:\\fdwin\\album\\inner.jpg");
    // The next dialog without a folder of its own opens where this one left off, unless the
    // caller keeps the current folder.
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STREQ(current, "C:\\fdwin\\album");
    ofn.lpstrInitialDir = nullptr;
    ofn.Flags = OFN_NOCHANGEDIR;
    file[0] = '\0';
    Run(false, [&](HWND dialog) {
        EXPECT_EQ(LookingIn(dialog), "C:\\fdwin\\album");
        TypeName(dialog, "..\\a.jpg");
    });
    EXPECT_STREQ(file, "C:\\fdwin\\a.jpg");
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STREQ(current, "C:\\fdwin\\album");
}

// A multiple selection's folder and names, up to the empty one that ends them.
Names Parts(const char* file) {
    Names parts;
    for (const char* at = file; *at; at += std::strlen(at) + 1)
        parts.push_back(at);
    return parts;
}

// Ctrl and a click: one more file, where the caller allows several.
void CtrlClickEntry(HWND dialog, const std::string& name) {
    input::key_down(VK_CONTROL);
    ClickEntry(dialog, name);
    input::key_up(VK_CONTROL);
    dlgtest::pump(dialog);
}

TEST_F(FileDialogWindow, SeveralFilesAreSelectedOrTypedWhereTheCallerAllowsIt) {
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST;
    ofn.nFilterIndex = 3;
    BOOL chosen = Run(false, [&](HWND dialog) {
        ClickEntry(dialog, "a.jpg");
        CtrlClickEntry(dialog, "song.mp3");
        CtrlClickEntry(dialog, "album"); // a folder is no file to choose
        EXPECT_EQ(ItemText(dialog, kFileDialogName), "\"a.jpg\" \"song.mp3\"");
        EXPECT_TRUE(
            input::save_window_png(dialog, lvtest::ScreenshotPath("file_dialog_open_several.png")));
        Click(dialog, IDOK);
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(Parts(file), (Names{"C:\\fdwin", "a.jpg", "song.mp3"}));
    EXPECT_EQ(ofn.nFileOffset, 9);

    // Typed in quotes; each must exist, all in one folder.
    file[0] = '\0';
    chosen = Run(false, [&](HWND dialog) {
        input::push_message_box_answer(IDOK);
        TypeName(dialog, "\"a.jpg\" \"absent.jpg\"");
        ASSERT_TRUE(IsWindow(dialog));
        input::push_message_box_answer(IDOK);
        TypeName(dialog, "\"a.jpg\" \"album\\inner.jpg\"");
        ASSERT_TRUE(IsWindow(dialog));
        TypeName(dialog, "\"b.png\" \"..\\fdwin\\a.jpg\"");
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(Parts(file), (Names{"C:\\fdwin", "b.png", "a.jpg"}));
    const auto boxes = input::message_box_log();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text,
              "C:\\fdwin\\absent.jpg\nFile not found.\nCheck the file name and try again.");
    EXPECT_EQ(boxes[1].text,
              "album\\inner.jpg\nPath does not exist.\nCheck the path and try again.");

    // Without the caller's leave, Ctrl and a click pick one file still.
    ofn.Flags = OFN_FILEMUSTEXIST;
    file[0] = '\0';
    chosen = Run(false, [&](HWND dialog) {
        ClickEntry(dialog, "a.jpg");
        CtrlClickEntry(dialog, "song.mp3");
        EXPECT_EQ(ItemText(dialog, kFileDialogName), "song.mp3");
        Click(dialog, IDOK);
    });
    ASSERT_TRUE(chosen);
    EXPECT_STREQ(file, "C:\\fdwin\\song.mp3");
}

TEST_F(FileDialogWindow, TypedNamesAreFoundInTheFolderShownAndGetTheDefaultExtension) {
    ofn.lpstrDefExt = "jpg";
    char title[32] = {};
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    const BOOL chosen = Run(false, [&](HWND dialog) { TypeName(dialog, " \"album\\inner\" "); });
    ASSERT_TRUE(chosen);
    EXPECT_STREQ(file, "C:\\fdwin\\album\\inner.jpg");
    EXPECT_STREQ(title, "inner.jpg");
    // A proposed name with its folder opens there.
    std::strcpy(file, "C:\\fdwin\\album\\proposed.jpg");
    ofn.lpstrInitialDir = nullptr;
    Run(false, [&](HWND dialog) {
        EXPECT_EQ(LookingIn(dialog), "C:\\fdwin\\album");
        EXPECT_EQ(ItemText(dialog, kFileDialogName), "proposed.jpg");
        Click(dialog, IDCANCEL);
    });
}

TEST_F(FileDialogWindow, AFileThatMustExistIsAskedForAgain) {
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    const BOOL chosen = Run(false, [&](HWND dialog) {
        input::push_message_box_answer(IDOK);
        TypeName(dialog, "absent.jpg");
        ASSERT_TRUE(IsWindow(dialog));
        // The name, selected, to be typed again.
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kFileDialogName));
        DWORD from = 1, to = 0;
        SendDlgItemMessageA(dialog, kFileDialogName, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                            reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, 0u);
        EXPECT_EQ(to, std::strlen("absent.jpg"));
        input::push_message_box_answer(IDOK);
        TypeName(dialog, "nowhere\\x.jpg");
        ASSERT_TRUE(IsWindow(dialog));
        TypeName(dialog, "a.jpg");
    });
    const auto boxes = input::message_box_log();
    ASSERT_TRUE(chosen);
    EXPECT_STREQ(file, "C:\\fdwin\\a.jpg");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text,
              "C:\\fdwin\\absent.jpg\nFile not found.\nCheck the file name and try again.");
    EXPECT_EQ(boxes[0].caption, "Open");
    EXPECT_EQ(boxes[1].text, "nowhere\\x.jpg\nPath does not exist.\nCheck the path and try again.");
}

TEST_F(FileDialogWindow, SavingOverAFileAsksFirst) {
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    ofn.lpstrTitle = "Export";
    const BOOL chosen = Run(true, [&](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), "Export");
        EXPECT_EQ(ItemText(dialog, IDOK), "&Save");
        EXPECT_EQ(ItemText(dialog, kFileDialogTypeLabel), "Save as &type:");
        input::push_message_box_answer(IDNO);
        TypeName(dialog, "a.jpg");
        ASSERT_TRUE(IsWindow(dialog));
        input::push_message_box_answer(IDYES);
        input::key_press(VK_RETURN);
        dlgtest::pump(dialog);
    });
    ASSERT_TRUE(chosen);
    EXPECT_STREQ(file, "C:\\fdwin\\a.jpg");
    const auto boxes = input::message_box_log();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "C:\\fdwin\\a.jpg already exists.\nDo you want to replace it?");
    EXPECT_EQ(boxes[0].caption, "Export");
    // A new name is not asked about.
    EXPECT_TRUE(Run(true, [&](HWND dialog) { TypeName(dialog, "new.jpg"); }));
    EXPECT_STREQ(file, "C:\\fdwin\\new.jpg");
    EXPECT_EQ(input::message_box_log().size(), 2u);
}

TEST_F(FileDialogWindow, CancelAndEscapeChooseNothing) {
    std::strcpy(file, "kept.jpg");
    const std::function<void(HWND)> ways[] = {
        [](HWND dialog) { Click(dialog, IDCANCEL); },
        [](HWND dialog) {
            input::key_press(VK_ESCAPE);
            dlgtest::pump(dialog);
        },
        // Left alone where nobody can answer: cancelled.
        [](HWND) {},
    };
    for (const auto& way : ways) {
        EXPECT_FALSE(Run(false, way));
        EXPECT_EQ(CommDlgExtendedError(), 0u);
        EXPECT_STREQ(file, "kept.jpg");
    }
}

TEST_F(FileDialogWindow, ABufferTooSmallGetsTheSizeItNeeds) {
    char small[10] = {};
    ofn.lpstrFile = small;
    ofn.nMaxFile = sizeof small;
    EXPECT_FALSE(Run(false, [&](HWND dialog) { TypeName(dialog, "song.mp3"); }));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    const int needed = static_cast<unsigned char>(small[0]) | static_cast<unsigned char>(small[1])
                                                                  << 8;
    EXPECT_EQ(needed, 18); // "C:\fdwin\song.mp3" and its NUL
    // Several files need room for the folder, each name and the closing NUL.
    char room[24] = {};
    ofn.lpstrFile = room;
    ofn.nMaxFile = sizeof room;
    ofn.Flags = OFN_ALLOWMULTISELECT;
    EXPECT_FALSE(Run(false, [&](HWND dialog) { TypeName(dialog, "\"a.jpg\" \"song.mp3\""); }));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    EXPECT_EQ(room[0], 25); // "C:\fdwin", "a.jpg", "song.mp3", their NULs and one more
    EXPECT_EQ(room[1], 0);
}

TEST_F(FileDialogWindow, OpensAtItsOwnersPlace) {
    HWND owner = CreateWindowExA(0, "Static", "", WS_POPUP, 140, 90, 0, 0, nullptr, nullptr,
                                 nullptr, nullptr);
    ofn.hwndOwner = owner;
    POINT at{};
    Run(false, [&](HWND dialog) {
        ClientToScreen(dialog, &at);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(at.x, 140);
    EXPECT_EQ(at.y, 90);
    DestroyWindow(owner);
}

TEST_F(FileDialogWindow, SpeaksTheUsersLanguageAndItsLabelsFit) {
    struct Case {
        const char* locale;
        const char* open_title;
        const char* save_title;
        const char* cancel;
        const char* missing;
    };
    const Case cases[] = {
        {"C", "Open", "Save As", "Cancel", "File not found."},
        {"ja_JP.UTF-8", "開く", "名前を付けて保存", "キャンセル", "ファイルが見つかりません。"},
        {"ko_KR.UTF-8", "열기", "다른 이름으로 저장", "취소", "파일을 찾을 수 없습니다."},
    };
    ofn.Flags = OFN_FILEMUSTEXIST;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        lvtest::ScopedEnv locale("LC_ALL", c.locale);
        input::clear_answers();
        for (const bool save : {false, true}) {
            Run(save, [&](HWND dialog) {
                EXPECT_EQ(TextOf(dialog), save ? c.save_title : c.open_title);
                EXPECT_EQ(ItemText(dialog, IDCANCEL), c.cancel);
                for (const lvtest::ClippedLabel& label : lvtest::ClippedLabels(dialog))
                    ADD_FAILURE() << label;
                ClickEntry(dialog, "a.jpg");
                const std::string shot = std::string("file_dialog_") + (save ? "save_" : "open_") +
                                         std::string(c.locale).substr(0, 2) + ".png";
                EXPECT_TRUE(input::save_window_png(dialog, lvtest::ScreenshotPath(shot)));
                if (!save) {
                    input::push_message_box_answer(IDOK);
                    TypeName(dialog, "absent.jpg");
                }
                Click(dialog, IDCANCEL);
            });
        }
        const auto boxes = input::message_box_log();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find(c.missing), std::string::npos) << boxes[0].text;
        EXPECT_EQ(boxes[0].caption, c.open_title);
    }
}

TEST_F(FileDialogWindow, QueuedAnswersStillComeFirst) {
    input::push_file_dialog_answer({{"C:\\fdwin\\song.mp3"}, 2});
    EXPECT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_STREQ(file, "C:\\fdwin\\song.mp3");
    EXPECT_EQ(ofn.nFilterIndex, 2u);
    // Nothing queued and nobody to answer: cancelled without a window.
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

} // namespace
