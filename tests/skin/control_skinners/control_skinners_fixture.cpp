#include "tests/skin/control_skinners/control_skinners_fixture.h"

#include "skin/core/glazework.h"
#include "skin/core/mem_stream.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_manager.h"
#include "testing/screen_capture.h"
#include "testing/window_input.h"

#include <fstream>
#include <iterator>
#include <memory>

namespace lvtest {

std::vector<std::pair<int, int>> g_commands;
std::vector<int> g_scrolls;

namespace {
// The open dialog: its keys go through the dialog manager, as in a modal loop.
HWND g_dialog = nullptr;
} // namespace

namespace {

std::unique_ptr<SkinData> LoadFullSkin() {
    std::ifstream in(LV_FULL_SKIN_PATH, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    MemStream stream(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    auto skin = std::make_unique<SkinData>();
    const bool loaded = skin->Load(stream) == 1;
    SkinFormatVersion.Reset();
    return loaded ? std::move(skin) : nullptr;
}

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        g_commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
        g_scrolls.push_back(LOWORD(wParam));
        return TRUE;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        HBRUSH brush = CreateSolidBrush(kOwnerColor);
        FillRect(item->hDC, &item->rcItem, brush);
        DeleteObject(brush);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace

void Pump() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (g_dialog && IsWindow(g_dialog) && IsDialogMessageA(g_dialog, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HWND ControlDialog::Open(bool skinned) {
    g_commands.clear();
    if (skinned) {
        EXPECT_EQ(GlazeworkStartup(nullptr, "Test", 0, 0), 1);
        auto skin = LoadFullSkin();
        EXPECT_NE(skin, nullptr) << LV_FULL_SKIN_PATH;
        SkinManager::Instance().SetSkin(std::move(skin));
        GlazeworkSetDialogSkinName("Dialog");
        started = true;
    }
    dialog = CreateDialogParamA(nullptr, "CONTROLS", nullptr, DialogProc, 0);
    EXPECT_NE(dialog, nullptr);
    g_dialog = dialog;
    SetActiveWindow(dialog);
    lv::testing::mouse_move(1000, 760);
    Pump();
    g_commands.clear();
    g_scrolls.clear();
    return dialog;
}

void ControlDialog::TearDown() {
    if (dialog && IsWindow(dialog))
        DestroyWindow(dialog);
    g_dialog = nullptr;
    if (started)
        GlazeworkShutdown();
    Pump();
}

COLORREF ControlDialog::At(int id, int x, int y) const {
    return lv::testing::window_pixel(Item(id), x, y);
}

SIZE ControlDialog::SizeOf(int id) const {
    RECT r{};
    GetWindowRect(Item(id), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

COLORREF ControlDialog::AtCentreLeft(int id, int x) const {
    return At(id, x, SizeOf(id).cy / 2);
}

COLORREF SkinPixel(const char* image, int x, int y) {
    const SkinImage* entry = SkinManager::Instance().GetSkin()->FindImageEntry(image);
    if (!entry)
        return CLR_INVALID;
    const auto height = static_cast<LONG>(entry->image.GetHeight());
    return PxImage::RgbQuadToRgb(entry->image.GetPixelColor(x, height - 1 - y));
}

void ControlDialog::MoveOnto(int id, int x, int y) const {
    RECT r{};
    GetWindowRect(Item(id), &r);
    lv::testing::mouse_move(r.left + x, r.top + y);
    Pump();
}

} // namespace lvtest
