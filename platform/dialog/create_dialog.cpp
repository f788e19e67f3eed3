// CreateDialog*: the dialog window, its controls, the font, WM_INITDIALOG and the first focus.
#include "dialog/dialog_create.h"
#include "dialog/dialog_navigation.h"
#include "dialog/dialog_state.h"
#include "dialog/dialog_units.h"
#include "system/resources_registry.h"
#include "win32/controls.h"
#include "win32/errors.h"
#include "win32/resources.h"
#include "window/work_area.h"

namespace lv::controls {
void ensure_system_classes();
}

namespace lv::dialog {
namespace {

// Memory that is not a resource of ours is read as far as its template goes.
constexpr std::size_t kUnknownTemplateBound = 1u << 20;

struct Placement {
    int x, y, cx, cy;
};

Placement place_dialog(const DialogTemplate& t, SIZE units, HWND parent) {
    const RECT client = dialog_units_to_pixels(RECT{t.x, t.y, t.x + t.cx, t.y + t.cy}, units);
    RECT frame{0, 0, client.right - client.left, client.bottom - client.top};
    const DWORD style = t.style & ~DS_CONTROL;
    AdjustWindowRectEx(&frame, style, FALSE, t.ex_style);
    Placement p{client.left + frame.left, client.top + frame.top, frame.right - frame.left,
                frame.bottom - frame.top};
    if (t.style & WS_CHILD)
        return p;
    if (t.style & DS_CENTER) {
        RECT area{};
        if (parent && IsWindowVisible(parent) && !IsIconic(parent))
            GetWindowRect(parent, &area);
        else
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        p.x = area.left + (area.right - area.left - p.cx) / 2;
        p.y = area.top + (area.bottom - area.top - p.cy) / 2;
    } else if (parent && !(t.style & DS_ABSALIGN)) {
        POINT origin{0, 0};
        ClientToScreen(parent, &origin);
        p.x += origin.x;
        p.y += origin.y;
    }
    // A top-level dialog never opens with its caption or an edge off the work area.
    POINT kept = window::kept_on_work_area(RECT{p.x, p.y, p.x + p.cx, p.y + p.cy});
    p.x = kept.x;
    p.y = kept.y;
    return p;
}

HFONT font_for(const DialogTemplate& t, bool& owned) {
    owned = false;
    if (t.style & DS_SETFONT) {
        if (HFONT font = create_dialog_font(t.font.c_str(), t.point_size)) {
            owned = true;
            return font;
        }
    }
    return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

DWORD window_style_of(const DialogTemplate& t) {
    DWORD style = t.style & ~WS_VISIBLE;
    if (style & DS_CONTROL) {
        style &= ~(WS_CAPTION | WS_SYSMENU | WS_POPUP);
        style |= WS_CHILD;
    }
    return style;
}

DWORD window_ex_style_of(const DialogTemplate& t) {
    DWORD ex_style = t.ex_style;
    if (t.style & DS_CONTROL)
        ex_style |= WS_EX_CONTROLPARENT;
    if (t.style & DS_MODALFRAME)
        ex_style |= WS_EX_DLGMODALFRAME;
    return ex_style;
}

bool create_item(HWND dialog, HINSTANCE instance, const DialogItem& item,
                 const DialogState& state) {
    const std::string class_name = item_class_name(item.class_name);
    if (class_name.empty())
        return false;
    const RECT r = dialog_units_to_pixels(RECT{item.x, item.y, item.x + item.cx, item.y + item.cy},
                                          state.base_units);
    // An ordinal text names a resource (an icon or bitmap of a static); it reaches the control
    // as an integer name, as on the platform.
    LPCSTR text = item.text.ordinal ? MAKEINTRESOURCE(item.text.ordinal) : item.text.text.c_str();
    void* data =
        item.creation_data.empty() ? nullptr : const_cast<std::uint8_t*>(item.creation_data.data());
    HWND control = CreateWindowExA(
        item.ex_style | WS_EX_NOPARENTNOTIFY, class_name.c_str(), text, item.style | WS_CHILD,
        r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
        reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(item.id)), instance, data);
    if (!control)
        return false;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
    return true;
}

WORD first_default_button(HWND dialog) {
    for (HWND control : dialog_controls(dialog)) {
        if (dialog_code(control) & DLGC_DEFPUSHBUTTON)
            return static_cast<WORD>(GetDlgCtrlID(control));
    }
    return 0;
}

} // namespace

std::optional<DialogTemplate> template_from_resource(LPCSTR name) {
    HRSRC found = FindResourceA(nullptr, name, RT_DIALOG);
    if (!found)
        return std::nullopt;
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
    const DWORD size = SizeofResource(nullptr, found);
    if (!data)
        return std::nullopt;
    return parse_dialog_template(std::span<const std::uint8_t>(data, size));
}

std::optional<DialogTemplate> template_from_memory(LPCDLGTEMPLATEA memory) {
    if (!memory)
        return std::nullopt;
    const std::size_t size =
        lv::resources::registered_size_at(memory).value_or(kUnknownTemplateBound);
    return parse_dialog_template(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(memory), size));
}

HWND create_dialog(HINSTANCE instance, const DialogTemplate& t, HWND parent, DLGPROC proc,
                   LPARAM param, bool modal) {
    controls::ensure_system_classes();
    auto state = std::make_shared<DialogState>();
    state->modal = modal;
    state->font = font_for(t, state->owns_font);
    state->base_units = font_base_units(state->font);
    const Placement p = place_dialog(t, state->base_units, parent);
    const std::string class_name =
        t.class_name.empty() ? std::string(WC_DIALOG) : item_class_name(t.class_name);

    set_pending_dialog(PendingDialog{proc, state});
    HWND dialog = CreateWindowExA(window_ex_style_of(t), class_name.c_str(), t.caption.c_str(),
                                  window_style_of(t), p.x, p.y, p.cx, p.cy, parent, nullptr,
                                  instance, nullptr);
    const PendingDialog unclaimed = take_pending_dialog();
    if (!dialog)
        return nullptr;
    if (unclaimed.state) {
        // A class of the caller's that did not pass WM_NCCREATE on to DefDlgProc.
        SetWindowLongPtrA(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
        attach_dialog_state(dialog, unclaimed.state);
    }
    if (t.style & DS_SETFONT)
        SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
    for (const DialogItem& item : t.items) {
        if (!create_item(dialog, instance, item, *state) && !(t.style & DS_NOFAILCREATE)) {
            DestroyWindow(dialog);
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
    }
    state->default_id = first_default_button(dialog);

    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    const LRESULT wants_focus =
        SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param);
    if (!IsWindow(dialog))
        return nullptr;
    if (wants_focus && !state->ended) {
        first = GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (first)
            set_dialog_focus(dialog, first);
    }
    if (!modal && (t.style & WS_VISIBLE) && !state->ended)
        ShowWindow(dialog, SW_SHOWNORMAL);
    return dialog;
}

} // namespace lv::dialog

using namespace lv::dialog;

HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                DLGPROC proc, LPARAM initParam) {
    const auto t = template_from_memory(dialogTemplate);
    if (!t) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return create_dialog(instance, *t, parent, proc, initParam, false);
}

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc,
                        LPARAM initParam) {
    const auto t = template_from_resource(templateName);
    if (!t) {
        if (GetLastError() == 0)
            SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return create_dialog(instance, *t, parent, proc, initParam, false);
}
