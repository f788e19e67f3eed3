#include "dialog/file_dialog_window.h"

#include "dialog/file_dialog_choice.h"
#include "dialog/file_dialog_folder.h"
#include "dialog/file_dialog_layout.h"
#include "dialog/file_dialog_texts.h"
#include "dialog/modal_loop.h"
#include "system/file_kind_icons.h"
#include "system/paths.h"
#include "win32/win32.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lv::dialog {
namespace {

constexpr int kIconSize = 16;
constexpr int kItemHeight = kIconSize + 2;
constexpr std::size_t kKindCount = 5;
// Posted so that a list or combo box is not refilled inside its own notification.
constexpr UINT kOpenSelectedEntry = WM_APP + 1;
constexpr UINT kOpenLookInFolder = WM_APP + 2;

using system::FileKind;

class KindIcons {
public:
    KindIcons() = default;
    KindIcons(const KindIcons&) = delete;
    KindIcons& operator=(const KindIcons&) = delete;
    ~KindIcons() {
        for (HICON icon : m_icons) {
            if (icon)
                DestroyIcon(icon);
        }
    }
    HICON of(FileKind kind) {
        const auto index = static_cast<std::size_t>(kind);
        if (index >= m_icons.size())
            return nullptr;
        HICON& icon = m_icons[index];
        if (!icon)
            icon = system::make_kind_icon(kind, kIconSize);
        return icon;
    }

private:
    std::array<HICON, kKindCount> m_icons{};
};

struct WindowState {
    const OPENFILENAMEA* ofn = nullptr;
    bool save = false;
    std::vector<FileFilter> filters;
    // Patterns typed into the name box stand for the type's until another type is picked.
    std::vector<std::string> typed_patterns;
    std::string folder;
    std::vector<FolderEntry> entries;
    std::vector<std::string> look_in; // the folder box's folders, by item
    KindIcons icons;
    std::optional<FileDialogChoice> choice;
};

WindowState* state_of(HWND dialog) {
    return reinterpret_cast<WindowState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

std::string text_of(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool multiple(const WindowState& s) {
    return (s.ofn->Flags & OFN_ALLOWMULTISELECT) != 0;
}

std::string without_blanks_around(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Blanks around the name, and the quotes a name may be typed in, go.
std::string typed_name(HWND dialog) {
    std::string text = without_blanks_around(text_of(GetDlgItem(dialog, kFileDialogName)));
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

// Where several files may be chosen, each name is typed in quotes: "a.jpg" "b.jpg". Text
// outside quotes counts as a name of its own.
std::vector<std::string> typed_names(HWND dialog) {
    const std::string text = text_of(GetDlgItem(dialog, kFileDialogName));
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < text.size()) {
        const bool quoted = text[at] == '"';
        const std::size_t start = quoted ? at + 1 : at;
        std::size_t end = text.find('"', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string name = quoted ? text.substr(start, end - start)
                                        : without_blanks_around(text.substr(start, end - start));
        if (!name.empty())
            names.push_back(name);
        at = quoted ? end + 1 : end;
    }
    return names;
}

int type_index(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageA(dialog, kFileDialogTypeCombo, CB_GETCURSEL, 0, 0));
}

std::vector<std::string> current_patterns(HWND dialog, const WindowState& s) {
    if (!s.typed_patterns.empty())
        return s.typed_patterns;
    const int index = type_index(dialog);
    if (index >= 0 && index < static_cast<int>(s.filters.size()))
        return s.filters[static_cast<std::size_t>(index)].patterns;
    return {};
}

void fill_list(HWND dialog, WindowState& s) {
    HWND list = GetDlgItem(dialog, kFileDialogList);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    s.entries = list_folder(s.folder, current_patterns(dialog, s));
    for (std::size_t i = 0; i < s.entries.size(); ++i) {
        const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0,
                                        reinterpret_cast<LPARAM>(s.entries[i].name.c_str()));
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
    }
}

// The drives, with the folder's chain from its root under its own drive.
void fill_look_in(HWND dialog, WindowState& s) {
    s.look_in.clear();
    const std::vector<std::string> chain = folder_chain(s.folder);
    for (const std::string& root : drive_roots()) {
        if (!chain.empty() && equal_ignoring_case(root, chain.front()))
            s.look_in.insert(s.look_in.end(), chain.begin(), chain.end());
        else
            s.look_in.push_back(root);
    }
    HWND combo = GetDlgItem(dialog, kFileDialogFolderCombo);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    int current = -1;
    for (std::size_t i = 0; i < s.look_in.size(); ++i) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.look_in[i].c_str()));
        if (s.look_in[i] == s.folder)
            current = static_cast<int>(i);
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

void open_folder(HWND dialog, WindowState& s, const std::string& folder) {
    s.folder = full_windows_path(folder);
    fill_list(dialog, s);
    fill_look_in(dialog, s);
}

const FolderEntry* selected_entry(HWND dialog, const WindowState& s) {
    HWND list = GetDlgItem(dialog, kFileDialogList);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return nullptr;
    const auto entry = static_cast<std::size_t>(SendMessageA(list, LB_GETITEMDATA, index, 0));
    return entry < s.entries.size() ? &s.entries[entry] : nullptr;
}

std::string current_directory() {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer) : std::string("C:\\");
}

// The folder of the proposed file, else the caller's initial folder, else the current one.
std::string initial_folder(const OPENFILENAMEA& ofn, const std::string& proposed) {
    const std::string current = current_directory();
    std::vector<std::string> candidates;
    if (!folder_of(proposed).empty())
        candidates.push_back(resolve_typed(current, folder_of(proposed)));
    if (ofn.lpstrInitialDir && *ofn.lpstrInitialDir)
        candidates.push_back(resolve_typed(current, ofn.lpstrInitialDir));
    candidates.push_back(current);
    for (const std::string& folder : candidates) {
        if (!folder.empty() && is_folder(folder))
            return folder;
    }
    return "C:\\";
}

INT_PTR on_init(HWND dialog, WindowState& s) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&s));
    const OPENFILENAMEA& ofn = *s.ofn;
    s.filters = parse_filters(ofn.lpstrFilter);
    HWND types = GetDlgItem(dialog, kFileDialogTypeCombo);
    for (const FileFilter& filter : s.filters)
        SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(filter.name.c_str()));
    const bool known_index = ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= s.filters.size();
    if (!s.filters.empty())
        SendMessageA(types, CB_SETCURSEL, known_index ? ofn.nFilterIndex - 1 : 0, 0);
    EnableWindow(types, !s.filters.empty());

    const std::string proposed(ofn.lpstrFile, strnlen(ofn.lpstrFile, ofn.nMaxFile));
    open_folder(dialog, s, initial_folder(ofn, proposed));
    HWND name = GetDlgItem(dialog, kFileDialogName);
    SetWindowTextA(name, name_of(proposed).c_str());
    SendMessageA(name, EM_SETSEL, 0, -1);
    SetFocus(name);
    return FALSE;
}

// After a refusal the name is there to be typed again.
void back_to_name(HWND dialog) {
    SendMessageA(dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(dialog, kFileDialogName)), TRUE);
    SendDlgItemMessageA(dialog, kFileDialogName, EM_SETSEL, 0, -1);
}

// A typed pattern lists what it matches, in the folder it names.
void apply_typed_pattern(HWND dialog, WindowState& s, const std::string& typed) {
    const std::string folder = containing_folder(typed);
    if (!folder.empty()) {
        const std::string path = resolve_typed(s.folder, folder);
        if (!is_folder(path)) {
            refuse_choice(*s.ofn, s.save, dialog, file_dialog_texts().path_not_found, typed);
            back_to_name(dialog);
            return;
        }
        s.folder = path;
    }
    s.typed_patterns = split_patterns(name_of(typed));
    open_folder(dialog, s, s.folder);
    SetDlgItemTextA(dialog, kFileDialogName, name_of(typed).c_str());
}

void choose(HWND dialog, WindowState& s, std::vector<std::string> paths) {
    const int index = type_index(dialog);
    s.choice =
        FileDialogChoice{std::move(paths), s.filters.empty() ? 0u : static_cast<DWORD>(index + 1)};
    EndDialog(dialog, IDOK);
}

// Several names typed or selected: files of one folder, each checked as the caller asks.
void on_ok_several(HWND dialog, WindowState& s, const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        std::string path = resolve_typed(s.folder, name);
        const bool in_one_folder =
            paths.empty() ||
            equal_ignoring_case(containing_folder(path), containing_folder(paths.front()));
        if (path.empty() || name_of(path).empty() || has_wildcards(name) || is_folder(path) ||
            !is_folder(containing_folder(path)) || !in_one_folder) {
            refuse_choice(*s.ofn, s.save, dialog, file_dialog_texts().path_not_found, name);
            back_to_name(dialog);
            return;
        }
        add_default_extension(path, s.ofn->lpstrDefExt);
        paths.push_back(path);
    }
    if (!choice_accepted(*s.ofn, s.save, paths, dialog)) {
        back_to_name(dialog);
        return;
    }
    choose(dialog, s, std::move(paths));
}

// Open or Save: a folder is opened, a pattern applied, a file checked and chosen.
void on_ok(HWND dialog, WindowState& s) {
    if (GetFocus() == GetDlgItem(dialog, kFileDialogList)) {
        const FolderEntry* entry = selected_entry(dialog, s);
        if (entry && entry->folder) {
            open_folder(dialog, s, join_path(s.folder, entry->name));
            return;
        }
    }
    if (multiple(s)) {
        const std::vector<std::string> names = typed_names(dialog);
        if (names.size() > 1) {
            on_ok_several(dialog, s, names);
            return;
        }
    }
    const std::string typed = typed_name(dialog);
    if (typed.empty())
        return;
    if (has_wildcards(name_of(typed))) {
        apply_typed_pattern(dialog, s, typed);
        return;
    }
    std::string path = resolve_typed(s.folder, typed);
    if (!path.empty() && is_folder(path)) {
        open_folder(dialog, s, path);
        SetDlgItemTextA(dialog, kFileDialogName, "");
        return;
    }
    // A name in a folder that is not there is a mistyped path, whatever the caller's flags.
    if (path.empty() || name_of(path).empty() || !is_folder(containing_folder(path))) {
        refuse_choice(*s.ofn, s.save, dialog, file_dialog_texts().path_not_found, typed);
        back_to_name(dialog);
        return;
    }
    add_default_extension(path, s.ofn->lpstrDefExt);
    if (!choice_accepted(*s.ofn, s.save, {path}, dialog)) {
        back_to_name(dialog);
        return;
    }
    choose(dialog, s, {path});
}

// The files selected in a list where several can be.
std::vector<std::string> selected_files(HWND dialog, const WindowState& s) {
    HWND list = GetDlgItem(dialog, kFileDialogList);
    const LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    std::vector<int> indexes(static_cast<std::size_t>(std::max<LRESULT>(count, 0)));
    if (indexes.empty())
        return {};
    indexes.resize(static_cast<std::size_t>(
        std::max<LRESULT>(0, SendMessageA(list, LB_GETSELITEMS, indexes.size(),
                                          reinterpret_cast<LPARAM>(indexes.data())))));
    std::vector<std::string> names;
    for (const int index : indexes) {
        const auto entry = static_cast<std::size_t>(SendMessageA(list, LB_GETITEMDATA, index, 0));
        if (entry < s.entries.size() && !s.entries[entry].folder)
            names.push_back(s.entries[entry].name);
    }
    return names;
}

void on_entry_selected(HWND dialog, const WindowState& s) {
    if (multiple(s)) {
        const std::vector<std::string> names = selected_files(dialog, s);
        if (names.size() > 1) {
            std::string text;
            for (const std::string& name : names)
                text += (text.empty() ? "\"" : " \"") + name + "\"";
            SetDlgItemTextA(dialog, kFileDialogName, text.c_str());
            return;
        }
        if (names.size() == 1)
            SetDlgItemTextA(dialog, kFileDialogName, names.front().c_str());
        return;
    }
    const FolderEntry* entry = selected_entry(dialog, s);
    if (entry && !entry->folder)
        SetDlgItemTextA(dialog, kFileDialogName, entry->name.c_str());
}

void on_open_selected_entry(HWND dialog, WindowState& s) {
    const FolderEntry* entry = selected_entry(dialog, s);
    if (!entry)
        return;
    if (entry->folder) {
        open_folder(dialog, s, join_path(s.folder, entry->name));
        return;
    }
    SetDlgItemTextA(dialog, kFileDialogName, entry->name.c_str());
    on_ok(dialog, s);
}

void on_open_look_in_folder(HWND dialog, WindowState& s) {
    const LRESULT index = SendDlgItemMessageA(dialog, kFileDialogFolderCombo, CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= s.look_in.size())
        return;
    const std::string folder = s.look_in[static_cast<std::size_t>(index)];
    if (folder != s.folder)
        open_folder(dialog, s, folder);
}

INT_PTR on_command(HWND dialog, WindowState& s, WORD id, WORD code) {
    switch (id) {
    case IDOK:
        on_ok(dialog, s);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case kFileDialogUp:
        if (code == BN_CLICKED)
            open_folder(dialog, s, parent_folder(s.folder));
        return TRUE;
    case kFileDialogList:
        if (code == LBN_SELCHANGE)
            on_entry_selected(dialog, s);
        else if (code == LBN_DBLCLK)
            PostMessageA(dialog, kOpenSelectedEntry, 0, 0);
        return TRUE;
    case kFileDialogTypeCombo:
        if (code == CBN_SELCHANGE) {
            s.typed_patterns.clear();
            fill_list(dialog, s);
        }
        return TRUE;
    case kFileDialogFolderCombo: {
        // Arrows in the closed box move at once; in the dropped list, the pick counts.
        const bool dropped =
            SendDlgItemMessageA(dialog, kFileDialogFolderCombo, CB_GETDROPPEDSTATE, 0, 0) != 0;
        if ((code == CBN_SELCHANGE && !dropped) || code == CBN_SELENDOK)
            PostMessageA(dialog, kOpenLookInFolder, 0, 0);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void draw_entry(const DRAWITEMSTRUCT& item, WindowState& s) {
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1) && item.itemData < s.entries.size()) {
        const FolderEntry& entry = s.entries[item.itemData];
        const FileKind kind = entry.folder ? FileKind::folder : system::kind_of_name(entry.name);
        DrawIconEx(item.hDC, r.left + 2, r.top + (r.bottom - r.top - kIconSize) / 2,
                   s.icons.of(kind), kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
        RECT text{r.left + kIconSize + 6, r.top, r.right - 2, r.bottom};
        HGDIOBJ old = SelectObject(
            item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextA(item.hDC, entry.name.c_str(), static_cast<int>(entry.name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(item.hDC, old);
    }
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

INT_PTR CALLBACK file_dialog_proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG)
        return on_init(dialog, *reinterpret_cast<WindowState*>(lParam));
    // The list measures its items while it is made, before the dialog has its state.
    if (msg == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!measure || measure->CtlID != kFileDialogList)
            return FALSE;
        measure->itemHeight = kItemHeight;
        return TRUE;
    }
    WindowState* s = state_of(dialog);
    if (!s)
        return FALSE;
    switch (msg) {
    case WM_COMMAND:
        return on_command(dialog, *s, LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!item || item->CtlID != kFileDialogList)
            return FALSE;
        draw_entry(*item, *s);
        return TRUE;
    }
    case kOpenSelectedEntry:
        on_open_selected_entry(dialog, *s);
        return TRUE;
    case kOpenLookInFolder:
        on_open_look_in_folder(dialog, *s);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

std::optional<FileDialogChoice> show_file_dialog(const OPENFILENAMEA& ofn, bool save,
                                                 std::function<void(HWND)> driver) {
    HWND owner = IsWindow(ofn.hwndOwner) ? ofn.hwndOwner : nullptr;
    WindowState state;
    state.ofn = &ofn;
    state.save = save;
    ModalOptions options;
    options.driver = std::move(driver);
    const INT_PTR result =
        dialog_box(nullptr,
                   file_dialog_template(file_dialog_texts(), save, file_dialog_caption(ofn, save),
                                        owner != nullptr, (ofn.Flags & OFN_ALLOWMULTISELECT) != 0),
                   owner, file_dialog_proc, reinterpret_cast<LPARAM>(&state), options);
    if (result != IDOK || !state.choice)
        return std::nullopt;
    // The platform's way of opening the next dialog where this one left off.
    if (!(ofn.Flags & OFN_NOCHANGEDIR))
        SetCurrentDirectoryA(containing_folder(state.choice->paths.front()).c_str());
    return state.choice;
}

} // namespace lv::dialog
