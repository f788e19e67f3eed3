#include "mfc/dialog.h"

#include "mfc/winapp.h"
#include "testing/answer_source.h"
#include "testing/window_input.h"
#include "window/thread_id.h"

#include <optional>

namespace {

thread_local HHOOK t_message_filter = nullptr;
thread_local int t_modal_depth = 0;

// The dialog procedure under every CDialog: only WM_INITDIALOG needs the object, the rest is
// the dialog manager's.
// A top-level dialog that its initialisation did not place is centred over its owner (or the
// work area), as the class library does for every dialog.
INT_PTR CALLBACK dialog_proc(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hwnd));
    if (!dialog)
        return TRUE;
    RECT before{};
    ::GetWindowRect(hwnd, &before);
    const BOOL result = dialog->OnInitDialog();
    RECT after{};
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE));
    if (::IsWindow(hwnd) && !(style & (WS_CHILD | DS_ABSALIGN)) && ::GetWindowRect(hwnd, &after) &&
        after.left == before.left && after.top == before.top)
        dialog->CenterWindow();
    return result;
}

// Messages of the modal loops (dialogs, message boxes) still pass the windows'
// PreTranslateMessage, as they do in the thread's own loop.
// A modeless dialog's own IsDialogMessage comes back through here: it is not filtered twice.
thread_local bool t_filtering = false;

LRESULT CALLBACK message_filter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && !t_filtering) {
        t_filtering = true;
        auto* msg = reinterpret_cast<MSG*>(lParam);
        CWinThread* thread = AfxGetThread();
        const bool taken = thread ? thread->PreTranslateMessage(msg) != FALSE
                                  : lv::mfc::walk_pre_translate(msg, nullptr) != FALSE;
        t_filtering = false;
        if (taken)
            return TRUE;
    }
    return ::CallNextHookEx(t_message_filter, code, wParam, lParam);
}

class MessageFilterScope {
public:
    MessageFilterScope() {
        if (t_modal_depth++ == 0)
            t_message_filter = ::SetWindowsHookExA(WH_MSGFILTER, &message_filter, nullptr,
                                                   lv::window::current_thread_id());
    }
    ~MessageFilterScope() {
        if (--t_modal_depth == 0 && t_message_filter != nullptr) {
            ::UnhookWindowsHookEx(t_message_filter);
            t_message_filter = nullptr;
        }
    }
    MessageFilterScope(const MessageFilterScope&) = delete;
    MessageFilterScope& operator=(const MessageFilterScope&) = delete;
};

// An answer that is only a result presses the control with that id, as a person would, so the
// dialog's own handlers run; IDOK and IDCANCEL without such a control arrive as the commands.
void answer_by_pressing(const lv::testing::ModalAnswer& plain) {
    const int id = plain.result;
    lv::testing::push_modal_answer({id, [id](HWND dialog) {
                                        HWND control = ::GetDlgItem(dialog, id);
                                        if (control && ::IsWindowVisible(control) &&
                                            ::IsWindowEnabled(control) &&
                                            lv::testing::click_window(control))
                                            return;
                                        if (control || id == IDOK || id == IDCANCEL) {
                                            ::PostMessageA(dialog, WM_COMMAND, MAKELONG(id, 0),
                                                           reinterpret_cast<LPARAM>(control));
                                            return;
                                        }
                                        ::EndDialog(dialog, id);
                                    }});
}

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCE(templateId)), m_pParentWnd(parent) {}

CDialog::CDialog(LPCTSTR templateName, CWnd* parent)
    : m_lpszTemplateName(templateName), m_pParentWnd(parent) {}

HWND CDialog::owner_window() const {
    if (m_pParentWnd != nullptr)
        return m_pParentWnd->m_hWnd;
    CWnd* main = AfxGetMainWnd();
    return main != nullptr && main != this ? main->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd != nullptr || m_lpszTemplateName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    // A dialog that cannot be made leaves the answer to the next modal.
    const bool can_be_made =
        ::FindResourceA(AfxGetResourceHandle(), m_lpszTemplateName, RT_DIALOG) != nullptr;
    if (auto answer = can_be_made ? lv::testing::take_modal_answer() : std::nullopt) {
        if (answer->driver)
            lv::testing::push_modal_answer(std::move(*answer));
        else
            answer_by_pressing(*answer);
    }
    m_modal = true;
    MessageFilterScope filter;
    INT_PTR result = -1;
    {
        lv::mfc::CreationHook hook(this);
        result = ::DialogBoxParamA(AfxGetResourceHandle(), m_lpszTemplateName, owner_window(),
                                   &dialog_proc, 0);
    }
    m_modal = false;
    Detach();
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    return Create(MAKEINTRESOURCE(templateId), parent);
}

BOOL CDialog::Create(LPCTSTR templateName, CWnd* parent) {
    if (m_hWnd != nullptr || templateName == nullptr)
        return FALSE;
    m_lpszTemplateName = templateName;
    if (parent != nullptr)
        m_pParentWnd = parent;
    HWND hwnd = nullptr;
    {
        lv::mfc::CreationHook hook(this);
        hwnd = ::CreateDialogParamA(AfxGetResourceHandle(), templateName, owner_window(),
                                    &dialog_proc, 0);
    }
    if (hwnd == nullptr) {
        Detach();
        return FALSE;
    }
    return m_hWnd == hwnd;
}

BOOL CDialog::OnInitDialog() {
    ExecuteDlgInit(m_lpszTemplateName);
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (m_modal || m_hWnd == nullptr)
        return FALSE;
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, msg);
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control != nullptr)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}

void CDialog::NextDlgCtrl() const {
    SendMessage(WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const {
    SendMessage(WM_NEXTDLGCTL, 1, 0);
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()
