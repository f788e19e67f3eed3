#include "menu_skin_fixture.h"

#include "skin/core/mem_stream.h"
#include "skin/core/skin_data.h"
#include "skin/skinners/skin_messages.h"
#include "testing/window_input.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace menutest {
namespace {

constexpr UINT_PTR kScriptTimer = 0x5C71;
constexpr UINT kScriptTickMs = 100;

bool IsRecorded(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_MENUSELECT:
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_LBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

void CALLBACK ScriptTick(HWND hwnd, UINT, UINT_PTR, DWORD) {
    auto& script = Recorder::Instance().script;
    static int idle = 0;
    if (script.empty()) {
        // A walk that forgot to end its menu still finishes: Escape closes it level by level.
        if (++idle > 10) {
            idle = 0;
            KillTimer(hwnd, kScriptTimer);
            return;
        }
        lv::testing::key_press(VK_ESCAPE);
        return;
    }
    idle = 0;
    auto step = std::move(script.front());
    script.pop_front();
    step();
}

} // namespace

std::unique_ptr<SkinData> LoadDefaultSkin() {
    std::ifstream in(LV_DEFAULT_SKIN_PATH, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    MemStream stream(bytes.data(), static_cast<std::uint32_t>(bytes.size()), 10240);
    auto skin = std::make_unique<SkinData>();
    if (!skin->Load(stream))
        return nullptr;
    return skin;
}

Recorder& Recorder::Instance() {
    static Recorder recorder;
    return recorder;
}

std::vector<UINT> Recorder::Commands(UINT message) const {
    std::vector<UINT> out;
    for (const Seen& s : seen)
        if (s.message == message)
            out.push_back(
                static_cast<UINT>(message == WM_SYSCOMMAND ? s.wParam & 0xFFF0 : LOWORD(s.wParam)));
    return out;
}

std::vector<Seen> Recorder::Of(UINT message) const {
    std::vector<Seen> out;
    for (const Seen& s : seen)
        if (s.message == message)
            out.push_back(s);
    return out;
}

void RunScriptOn(HWND hwnd) {
    SetTimer(hwnd, kScriptTimer, kScriptTickMs, &ScriptTick);
}

void StopScript(HWND hwnd) {
    KillTimer(hwnd, kScriptTimer);
    Recorder::Instance().script.clear();
}

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsRecorded(message))
        Recorder::Instance().seen.push_back(Seen{message, wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* RecordingClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &RecordingProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = "SkinMenuOwner";
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    return "SkinMenuOwner";
}

HMENU BuildMenu(const std::vector<std::string>& entries, bool popup) {
    std::vector<HMENU> stack{popup ? CreatePopupMenu() : CreateMenu()};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        if (entry == ">") {
            std::stringstream parts(entries[++i]);
            std::string text, id, flags;
            std::getline(parts, text, '|');
            std::getline(parts, id, '|');
            std::getline(parts, flags, '|');
            HMENU sub = CreatePopupMenu();
            AppendMenuA(stack.back(), MF_POPUP | (flags.empty() ? 0 : std::stoul(flags)),
                        reinterpret_cast<UINT_PTR>(sub), text.c_str());
            stack.push_back(sub);
            continue;
        }
        if (entry == "<") {
            stack.pop_back();
            continue;
        }
        if (entry == "-") {
            AppendMenuA(stack.back(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::stringstream parts(entry);
        std::string text, id, flags;
        std::getline(parts, text, '|');
        std::getline(parts, id, '|');
        std::getline(parts, flags, '|');
        AppendMenuA(stack.back(), MF_STRING | (flags.empty() ? 0 : std::stoul(flags)),
                    id.empty() ? 0 : std::stoul(id), text.c_str());
    }
    return stack.front();
}

std::vector<SkinPopupMenuWnd*> OpenPopups() {
    std::vector<SkinPopupMenuWnd*> chain;
    HWND any = FindWindowA(kGlazeworkPopupMenuClass, nullptr);
    auto* popup = any ? static_cast<SkinPopupMenuWnd*>(GetPropA(any, "this")) : nullptr;
    if (!popup)
        return chain;
    for (SkinPopupMenuWnd* p = popup->GetRootMenu(); p; p = p->ChildPopup())
        if (p->GetHwnd() && IsWindowVisible(p->GetHwnd()))
            chain.push_back(p);
    return chain;
}

RECT ItemOnScreen(const SkinPopupMenuWnd& popup, int index) {
    RECT r = popup.ItemRect(index);
    MapWindowPoints(popup.GetHwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Pump() {
    MSG message{};
    for (int round = 0; round < 3; ++round)
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
}

} // namespace menutest
