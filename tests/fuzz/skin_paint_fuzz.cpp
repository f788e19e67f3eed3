// Skins with hostile values, bound to a dialog that holds every control class the toolkit
// skins and painted headless. The input patches a skin the project's builder writes (the
// full skin, or the default one): after a byte that chooses the skin, every eight bytes are a
// u32 offset into the unpacked file and the u32 written there. The empty input paints the
// builder's skin as it is, so the builder's skins are the seeds.
#include "skin/core/glazework.h"
#include "skin/core/mem_stream.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_manager.h"
#include "tools/skinbuilder/default_skin.h"
#include "tools/skinbuilder/full_skin.h"

#include "util/le_bytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct Control {
    const char* className;
    DWORD style;
};

// Every class the toolkit's class table names, buttons in each of their kinds.
constexpr std::array<Control, 28> kControls{{
    {"Button", BS_PUSHBUTTON},
    {"Button", BS_DEFPUSHBUTTON},
    {"Button", BS_AUTOCHECKBOX},
    {"Button", BS_AUTO3STATE},
    {"Button", BS_AUTORADIOBUTTON},
    {"Button", BS_GROUPBOX},
    {"Static", SS_LEFT},
    {"Static", SS_ETCHEDHORZ},
    {"Edit", ES_LEFT | WS_BORDER},
    {"Edit", ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | WS_BORDER},
    {"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL},
    {"ComboBox", CBS_DROPDOWN},
    {"ListBox", LBS_NOTIFY | WS_VSCROLL | WS_BORDER},
    {"ScrollBar", SBS_HORZ},
    {"ScrollBar", SBS_VERT},
    {"msctls_progress32", 0},
    {"msctls_progress32", PBS_VERTICAL},
    {"msctls_trackbar32", TBS_AUTOTICKS},
    {"msctls_updown32", 0},
    {"SysTabControl32", 0},
    {"SysListView32", LVS_REPORT | WS_BORDER},
    {"SysTreeView32", TVS_HASLINES | WS_BORDER},
    {"SysIPAddress32", 0},
    {"SysHeader32", 0},
    {"msctls_statusbar32", 0},
    {"ToolbarWindow32", 0},
    {"ReBarWindow32", 0},
    {"SysAnimate32", 0},
}};

std::vector<std::uint8_t> g_fullSkin;
std::vector<std::uint8_t> g_defaultSkin;

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// An empty dialog with a caption and a system menu, 320 x 240 units.
std::vector<std::uint8_t> DialogTemplate() {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter w(bytes);
    w.u32(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME);
    w.u32(0);  // extended style
    w.u16(0);  // items
    w.u16(10); // x, y, cx, cy
    w.u16(10);
    w.u16(320);
    w.u16(240);
    w.u16(0); // no menu, the dialog class, no title
    w.u16(0);
    w.u16(0);
    w.zeros(4);
    return bytes;
}

void Pump() {
    MSG message{};
    for (int i = 0; i < 10000 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PaintDialog() {
    static const std::vector<std::uint8_t> dialogTemplate = DialogTemplate();
    HWND dialog = CreateDialogIndirectParamA(
        nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), nullptr, DialogProc, 0);
    if (!dialog)
        return;
    int id = 100;
    int y = 4;
    for (const Control& control : kControls) {
        HWND child =
            CreateWindowExA(0, control.className, "Text", WS_CHILD | WS_VISIBLE | control.style,
                            4 + (id % 2) * 150, y, 140, 22, dialog,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        if (child && std::strcmp(control.className, "ComboBox") == 0) {
            SendMessageA(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("One"));
            SendMessageA(child, CB_SETCURSEL, 0, 0);
        }
        if (child && std::strcmp(control.className, "ListBox") == 0)
            SendMessageA(child, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("One"));
        ++id;
        if (id % 2 == 0)
            y += 24;
    }
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    // A new size lays the frame out and builds its region again.
    SetWindowPos(dialog, nullptr, 0, 0, 500, 420, SWP_NOMOVE | SWP_NOZORDER);
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    DestroyWindow(dialog);
    Pump();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("LUMIVISTA_DISPLAY", "headless", 1);
    g_fullSkin = full_skin::Build().FileBytes();
    g_defaultSkin = default_skin::Build().FileBytes();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> file = size > 0 && (data[0] & 1) ? g_defaultSkin : g_fullSkin;
    for (std::size_t at = 1; at + 8 <= size; at += 8) {
        std::uint32_t offset = 0;
        std::memcpy(&offset, data + at, 4);
        offset %= static_cast<std::uint32_t>(file.size() - 3);
        std::memcpy(file.data() + offset, data + at + 4, 4);
    }
    const std::vector<std::uint8_t> container = PackSkinContainer(file);
    MemStream stream(container.data(), static_cast<std::uint32_t>(container.size()));
    auto skin = std::make_unique<SkinData>();
    const bool loaded = skin->Load(stream) == 1;
    SkinFormatVersion.Reset();
    if (!loaded)
        return 0;
    GlazeworkStartup(nullptr, "Fuzz", 0, 0);
    SkinManager::Instance().SetSkin(std::move(skin));
    GlazeworkSetDialogSkinName("Dialog");
    PaintDialog();
    GlazeworkShutdown();
    Pump();
    return 0;
}
