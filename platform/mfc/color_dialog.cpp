#include "mfc/color_dialog.h"

#include <array>

namespace {

// White until someone picks custom colours; kept for the life of the program.
std::array<COLORREF, 16> g_custom_colours = [] {
    std::array<COLORREF, 16> colours{};
    colours.fill(RGB(255, 255, 255));
    return colours;
}();

} // namespace

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) : m_pParentWnd(parent) {
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = g_custom_colours.data();
    m_cc.Flags = flags | CC_RGBINIT;
    m_cc.rgbResult = initial;
}

COLORREF* CColorDialog::GetSavedCustomColors() {
    return g_custom_colours.data();
}

INT_PTR CColorDialog::DoModal() {
    m_cc.hwndOwner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : m_cc.hwndOwner;
    return ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}
