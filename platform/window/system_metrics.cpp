// Metrics, colours and parameters of the classic look.
#include "gdi/surface_dc.h"
#include "win32/errors.h"
#include "win32/gdi.h"
#include "win32/registry.h"
#include "win32/window.h"
#include "window/display_port.h"

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace {

constexpr int kColourCount = 31;

constexpr std::array<COLORREF, kColourCount> kClassicColours = {
    RGB(212, 208, 200), // COLOR_SCROLLBAR
    RGB(58, 110, 165),  // COLOR_BACKGROUND
    RGB(10, 36, 106),   // COLOR_ACTIVECAPTION
    RGB(128, 128, 128), // COLOR_INACTIVECAPTION
    RGB(212, 208, 200), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(0, 0, 0),       // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(255, 255, 255), // COLOR_CAPTIONTEXT
    RGB(212, 208, 200), // COLOR_ACTIVEBORDER
    RGB(212, 208, 200), // COLOR_INACTIVEBORDER
    RGB(128, 128, 128), // COLOR_APPWORKSPACE
    RGB(10, 36, 106),   // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(212, 208, 200), // COLOR_BTNFACE
    RGB(128, 128, 128), // COLOR_BTNSHADOW
    RGB(128, 128, 128), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(212, 208, 200), // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(64, 64, 64),    // COLOR_3DDKSHADOW
    RGB(212, 208, 200), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(181, 181, 181), // 25, unused
    RGB(0, 0, 128),     // COLOR_HOTLIGHT
    RGB(166, 202, 240), // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192), // COLOR_GRADIENTINACTIVECAPTION
    RGB(10, 36, 106),   // COLOR_MENUHILIGHT
    RGB(212, 208, 200), // COLOR_MENUBAR
};

struct Parameters {
    std::atomic<bool> saver_running{false};
    std::atomic<bool> saver_active{true};
    std::atomic<UINT> saver_timeout_s{600};
};

// SPIF_UPDATEINIFILE: the setting goes into the user's profile, where other programs find it.
BOOL store_in_profile(const char* name, const char* value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return FALSE;
    // The text alone, as the installer stores its strings: no terminating NUL in the data.
    const LONG result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                       static_cast<DWORD>(std::strlen(value)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

Parameters& parameters() {
    static auto* p = new Parameters;
    return *p;
}

LOGFONTA caption_font(bool bold) {
    LOGFONTA f{};
    f.lfHeight = -11;
    f.lfWeight = bold ? FW_BOLD : 400;
    f.lfCharSet = 1; // DEFAULT_CHARSET
    std::strncpy(f.lfFaceName, "Tahoma", LF_FACESIZE - 1);
    return f;
}

// Installed once so that the GDI's edges and frame controls use these colours.
const bool g_colour_source_installed = [] {
    lv::gdi::set_system_colour_source([](int index) -> COLORREF { return GetSysColor(index); });
    return true;
}();

} // namespace

int GetSystemMetrics(int index) {
    SIZE screen = lv::window::display_port::screen_size();
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED:
        return index == SM_CXMAXIMIZED ? screen.cx + 8 : screen.cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        return screen.cy;
    case SM_CYFULLSCREEN:
        return screen.cy - 19;
    case SM_CYMAXIMIZED:
        return screen.cy + 8;
    case SM_CXMAXTRACK:
        return screen.cx + 12;
    case SM_CYMAXTRACK:
        return screen.cy + 12;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 16;
    case SM_CYCAPTION:
    case SM_CYMENU:
    case SM_CYMENUSIZE:
        return 19;
    case SM_CXMENUSIZE:
        return 18;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 18;
    case SM_CYSMCAPTION:
        return 15;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE:
        return 14;
    case SM_CXMIN:
        return 112;
    case SM_CYMIN:
        return 27;
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMINTRACK:
        return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
        return 75;
    case SM_CXMINIMIZED:
        return 160;
    case SM_CYMINIMIZED:
        return 24;
    case SM_CXMINSPACING:
        return 160;
    case SM_CYMINSPACING:
        return 24;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT:
        return 1;
    case SM_CMOUSEBUTTONS:
        return 3;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
    case SM_SWAPBUTTON:
    case SM_DEBUG:
    case SM_CLEANBOOT:
    case SM_MENUDROPALIGNMENT:
    case SM_REMOTESESSION:
    case SM_CYKANJIWINDOW:
    case SM_SHOWSOUNDS:
        return 0;
    case SM_NETWORK:
        return 1;
    case SM_ARRANGE:
        return 8; // ARW_HIDE
    default:
        return 0;
    }
}

DWORD GetSysColor(int index) {
    if (index < 0 || index >= kColourCount)
        return 0;
    return kClassicColours[static_cast<size_t>(index)];
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= kColourCount)
        return nullptr;
    static std::mutex mutex;
    static std::array<HBRUSH, kColourCount> brushes{};
    std::lock_guard lock(mutex);
    auto& brush = brushes[static_cast<size_t>(index)];
    if (!brush)
        brush = CreateSolidBrush(GetSysColor(index));
    return brush;
}

BOOL SystemParametersInfoA(UINT action, UINT uiParam, PVOID pvParam, UINT winIni) {
    auto& p = parameters();
    switch (action) {
    case SPI_SETSCREENSAVERRUNNING: {
        bool previous = p.saver_running.exchange(uiParam != 0);
        if (pvParam)
            *static_cast<BOOL*>(pvParam) = previous ? TRUE : FALSE;
        return TRUE;
    }
    case SPI_GETSCREENSAVERRUNNING:
        if (!pvParam)
            break;
        *static_cast<BOOL*>(pvParam) = p.saver_running ? TRUE : FALSE;
        return TRUE;
    case SPI_SETSCREENSAVEACTIVE:
        p.saver_active = uiParam != 0;
        if (winIni & SPIF_UPDATEINIFILE)
            return store_in_profile("ScreenSaveActive", uiParam ? "1" : "0");
        return TRUE;
    case SPI_GETSCREENSAVEACTIVE:
        if (!pvParam)
            break;
        *static_cast<BOOL*>(pvParam) = p.saver_active ? TRUE : FALSE;
        return TRUE;
    case SPI_GETSCREENSAVETIMEOUT:
        if (!pvParam)
            break;
        *static_cast<int*>(pvParam) = static_cast<int>(p.saver_timeout_s.load());
        return TRUE;
    case SPI_SETSCREENSAVETIMEOUT:
        p.saver_timeout_s = uiParam;
        return TRUE;
    case SPI_GETWORKAREA: {
        if (!pvParam)
            break;
        *static_cast<RECT*>(pvParam) = lv::window::display_port::work_area();
        return TRUE;
    }
    case SPI_GETNONCLIENTMETRICS: {
        auto* m = static_cast<NONCLIENTMETRICSA*>(pvParam);
        if (!m || (m->cbSize != sizeof(NONCLIENTMETRICSA) && uiParam != sizeof(NONCLIENTMETRICSA)))
            break;
        *m = NONCLIENTMETRICSA{};
        m->cbSize = sizeof(NONCLIENTMETRICSA);
        m->iBorderWidth = 1;
        m->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
        m->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
        m->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
        m->iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
        m->lfCaptionFont = caption_font(true);
        m->iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
        m->iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
        m->lfSmCaptionFont = caption_font(true);
        m->iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
        m->iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
        m->lfMenuFont = caption_font(false);
        m->lfStatusFont = caption_font(false);
        m->lfMessageFont = caption_font(false);
        return TRUE;
    }
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
