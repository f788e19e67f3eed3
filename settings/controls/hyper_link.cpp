#include "settings/controls/hyper_link.h"

#include <cstring>

COLORREF CHyperLink::s_crLinkColour = 0xFF0000;
COLORREF CHyperLink::s_crVisitedColour = 0x800080;
COLORREF CHyperLink::s_crActiveColour = 0x808000;
COLORREF CHyperLink::s_crHoverColour = 0x0000FF;
HCURSOR CHyperLink::s_hLinkCursor = nullptr;

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
ON_MESSAGE(WM_KILLFOCUS, OnKillFocus)
ON_WM_KEYDOWN()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

constexpr DWORD kRegistryTextSize = 260;

std::optional<CString> default_value(HKEY root, const CString& subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    char text[kRegistryTextSize + 1] = {};
    DWORD size = kRegistryTextSize;
    const LONG result =
        RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<LPBYTE>(text), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    text[std::min<DWORD>(size, kRegistryTextSize)] = '\0'; // stored texts need not end in NUL
    return CString(text);
}

bool safe_as_one_argument(const CString& target) {
    if (target.IsEmpty())
        return false;
    for (int i = 0; i < target.GetLength(); ++i) {
        const auto c = static_cast<unsigned char>(target[i]);
        if (c == '"' || c < 0x20)
            return false;
    }
    return true;
}

} // namespace

std::optional<LinkCommand> BuildLinkCommand(const CString& registeredCommand,
                                            const CString& target) {
    if (!safe_as_one_argument(target))
        return std::nullopt;
    CString command = registeredCommand;
    command.TrimLeft();
    CString program;
    CString rest;
    if (command.Left(1) == "\"") {
        const int close = command.Find('"', 1);
        if (close < 0)
            return std::nullopt;
        program = command.Mid(1, close - 1);
        rest = command.Mid(close + 1);
    } else {
        const int blank = command.Find(' ');
        program = blank < 0 ? command : command.Left(blank);
        rest = blank < 0 ? CString() : command.Mid(blank);
    }
    if (program.IsEmpty())
        return std::nullopt;
    int cut = rest.Find("\"%1\"");
    if (cut < 0)
        cut = rest.Find("%1");
    if (cut >= 0)
        rest = rest.Left(cut);
    rest.Trim();
    CString parameters = rest.IsEmpty() ? CString() : rest + " ";
    parameters += "\"" + target + "\"";
    return LinkCommand{program, parameters};
}

HINSTANCE CHyperLink::GotoURL(LPCTSTR target, int show) {
    HINSTANCE result = ShellExecuteA(nullptr, "open", target, nullptr, nullptr, show);
    if (reinterpret_cast<INT_PTR>(result) > 32)
        return result;
    const auto handler = default_value(HKEY_CLASSES_ROOT, ".htm");
    if (!handler)
        return result;
    const auto command = default_value(HKEY_CLASSES_ROOT, *handler + "\\shell\\open\\command");
    if (!command)
        return result;
    // The handler is started as a program with the target as one argument: no shell parses it.
    const auto link = BuildLinkCommand(*command, target ? target : "");
    if (!link)
        return result;
    return ShellExecuteA(nullptr, nullptr, link->program, link->parameters, nullptr, show);
}

CString CHyperLink::ReasonForCode(int code) {
    static constexpr struct {
        int code;
        const char* reason;
    } kReasons[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
             "being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    };
    for (const auto& reason : kReasons) {
        if (reason.code == code)
            return reason.reason;
    }
    CString unknown;
    unknown.Format("Unknown Error (%d) occurred.", code);
    return unknown;
}

void CHyperLink::FollowLink() {
    const auto result = reinterpret_cast<INT_PTR>(GotoURL(m_strURL, SW_SHOW));
    if (result > 32) {
        m_bVisited = true;
        Invalidate();
        return;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    const CString text = "Can't open link:\n\n" + ReasonForCode(static_cast<int>(result));
    ::MessageBoxA(m_hWnd, text, "Link", MB_OK | MB_ICONEXCLAMATION);
}

HBRUSH CHyperLink::CtlColor(CDC* dc, UINT) {
    COLORREF colour = m_bVisited ? s_crVisitedColour : s_crLinkColour;
    if (m_bOver && (m_uStyle & kHighlightOnHover))
        colour = s_crHoverColour;
    else if (m_bActive && !(m_uStyle & kNoActiveColour))
        colour = s_crActiveColour;
    dc->SetTextColor(colour);
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

LRESULT CHyperLink::OnNcHitTest(WPARAM, LPARAM) {
    return HTCLIENT;
}

void CHyperLink::OnMouseMove(UINT, CPoint point) {
    if (!m_bOver) {
        m_bOver = true;
        Invalidate();
        SetCapture();
        return;
    }
    RECT client{};
    GetClientRect(&client);
    if (!PtInRect(&client, point)) {
        m_bOver = false;
        ReleaseCapture();
        Invalidate();
    }
}

void CHyperLink::OnLButtonDown(UINT, CPoint) {
    if (m_uStyle & kFocusOnClick)
        SetFocus();
    if (m_uStyle & kFollowOnButtonDown)
        FollowLink();
    m_bActive = true;
}

void CHyperLink::OnLButtonUp(UINT, CPoint) {
    if (m_bActive && !(m_uStyle & kFollowOnButtonDown))
        FollowLink();
}

LRESULT CHyperLink::OnSetFocus(WPARAM, LPARAM) {
    m_bActive = true;
    Invalidate();
    return 0;
}

LRESULT CHyperLink::OnKillFocus(WPARAM, LPARAM) {
    m_bOver = false;
    m_bActive = false;
    Invalidate();
    return 0;
}

void CHyperLink::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_SPACE) {
        FollowLink();
        return;
    }
    Default();
}

BOOL CHyperLink::OnSetCursor(CWnd*, UINT, UINT) {
    if (s_hLinkCursor) {
        ::SetCursor(s_hLinkCursor);
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}
