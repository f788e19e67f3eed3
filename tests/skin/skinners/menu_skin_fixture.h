// What the skinned-menu tests share: the default skin loaded as the programs load it, an owner
// window that records the commands and menu notifications it gets and runs scripted steps on a
// timer while a modal menu loop holds the thread, menus built from short entries, and the open
// skinned popups.
#pragma once

#include "skin/skinners/skin_popup_menu_wnd.h"
#include "win32/win32.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class SkinData;

namespace menutest {

std::unique_ptr<SkinData> LoadDefaultSkin();

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class Recorder {
public:
    static Recorder& Instance();
    void Clear() { seen.clear(); }
    std::vector<UINT> Commands(UINT message = WM_COMMAND) const;
    std::vector<Seen> Of(UINT message) const;
    std::vector<Seen> seen;
    // Steps run one per tick of a 100 ms timer on the window that starts them.
    std::deque<std::function<void()>> script;
};

// Starts the script's timer on the window.
void RunScriptOn(HWND hwnd);
void StopScript(HWND hwnd);
// A window procedure that records menu messages and otherwise behaves as DefWindowProc does.
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Registers (once) and returns a window class with the recording procedure.
const char* RecordingClass();

// Entries: "text|id|flags"; ">" opens the next entry's submenu, "<" closes it, "-" is a
// separator. Flags are MF_* values added to MF_STRING.
HMENU BuildMenu(const std::vector<std::string>& entries, bool popup = true);

// The open skinned popups, the top menu first; empty when none is open.
std::vector<SkinPopupMenuWnd*> OpenPopups();
// An item's rectangle on the screen.
RECT ItemOnScreen(const SkinPopupMenuWnd& popup, int index);
POINT Centre(const RECT& r);
void Pump();

} // namespace menutest
