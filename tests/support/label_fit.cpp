#include "tests/support/label_fit.h"

#include "controls/control_label.h"

namespace lvtest {
namespace {

SIZE SizeOf(const RECT& r) {
    return SIZE{r.right - r.left, r.bottom - r.top};
}

std::optional<ClippedLabel> Clipped(HDC dc, int id, const std::string& text, HFONT font,
                                    const RECT& area, UINT format) {
    HGDIOBJ old = SelectObject(dc, font);
    RECT needed = area;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &needed, format | DT_CALCRECT);
    SelectObject(dc, old);
    const SIZE need = SizeOf(needed), room = SizeOf(area);
    if (need.cx > room.cx || need.cy > room.cy)
        return ClippedLabel{id, text, need, room};
    return std::nullopt;
}

void Collect(HWND parent, HDC dc, std::vector<ClippedLabel>& out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        lv::controls::ControlLabel label;
        if (lv::controls::control_label(child, label)) {
            if (auto clipped = Clipped(dc, GetDlgCtrlID(child), label.text, label.font, label.area,
                                       label.format))
                out.push_back(*clipped);
        }
        Collect(child, dc, out);
    }
}

INT_PTR CALLBACK QuietDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

} // namespace

std::ostream& operator<<(std::ostream& out, const ClippedLabel& label) {
    return out << label.id << " \"" << label.text << "\" needs " << label.needed.cx << "x"
               << label.needed.cy << ", has " << label.room.cx << "x" << label.room.cy;
}

std::vector<ClippedLabel> ClippedLabels(HWND root) {
    std::vector<ClippedLabel> clipped;
    HDC dc = CreateCompatibleDC(nullptr);
    Collect(root, dc, clipped);
    DeleteDC(dc);
    return clipped;
}

std::optional<ClippedLabel> ClippedText(int id, const std::string& text, HFONT font,
                                        const RECT& room, UINT format) {
    HDC dc = CreateCompatibleDC(nullptr);
    auto clipped = Clipped(dc, id, text, font, room, format);
    DeleteDC(dc);
    return clipped;
}

std::vector<ClippedLabel> ClippedLabelsOfTemplate(int id, bool& created,
                                                  const std::vector<ShownText>& texts) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    // A child template needs a parent; a popup one does not mind having an owner.
    HWND host = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, module,
                                nullptr);
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCE(id), host, QuietDialog, 0);
    created = dialog != nullptr;
    std::vector<ClippedLabel> clipped;
    if (dialog) {
        for (const ShownText& shown : texts)
            SetDlgItemTextA(dialog, shown.id, shown.text.c_str());
        clipped = ClippedLabels(dialog);
        DestroyWindow(dialog);
    }
    DestroyWindow(host);
    return clipped;
}

} // namespace lvtest
