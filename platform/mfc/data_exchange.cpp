#include "mfc/data_exchange.h"

#include "dialog/user_language_texts.h"
#include "mfc/winapp.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// The control's text; kept in the exchange's own buffer size (no limit beyond the text).
CString text_of(HWND control) {
    CString text;
    CWnd::FromHandle(control)->GetWindowText(text);
    return text;
}

// A whole decimal integer with optional sign and surrounding blanks, as the library reads it.
bool parse_int(const CString& text, int& value) {
    const char* begin = text.GetString();
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    value = static_cast<int>(parsed);
    return true;
}

struct DataExchangeTexts {
    const char* integer;
    const char* integer_between; // the least and the greatest value, in this order
};

constexpr lv::dialog::TextsByLanguage<DataExchangeTexts> kTexts{
    {"Please enter an integer.", "Please enter an integer between %d and %d."},
    {"整数を入力してください。", "%d から %d までの整数を入力してください。"},
    {"정수를 입력하십시오.", "%d에서 %d 사이의 정수를 입력하십시오."},
};

const DataExchangeTexts& texts() {
    return lv::dialog::in_user_language(kTexts);
}

[[noreturn]] void fail_with_message(CDataExchange* dx, const CString& message) {
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    dx->Fail();
}

bool is_radio(HWND control) {
    return (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

} // namespace

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

HWND CDataExchange::PrepareCtrl(int id) {
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (control == nullptr)
        throw CUserException();
    m_hWndLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    HWND control = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_hWndLastControl != nullptr) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd != nullptr)
        return;
    HWND hwnd = dx->PrepareCtrl(id);
    if (!control.SubclassWindow(hwnd))
        throw CUserException();
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = -1;
    // The radio buttons of the group, counted in order; other controls in the group (a button
    // beside each choice) are passed over.
    int index = 0;
    for (HWND member = control; member != nullptr; member = ::GetWindow(member, GW_HWNDNEXT)) {
        if (member != control && (::GetWindowLongA(member, GWL_STYLE) & WS_GROUP))
            break;
        if (!is_radio(member))
            continue;
        if (dx->m_bSaveAndValidate) {
            if (::SendMessageA(member, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageA(member, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareEditCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        CString text;
        text.Format("%d", value);
        ::SetWindowTextA(control, text);
        return;
    }
    if (!parse_int(text_of(control), value))
        fail_with_message(dx, texts().integer);
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND control = dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = text_of(control);
    else
        ::SetWindowTextA(control, value);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue))
        return;
    CString message;
    message.Format(texts().integer_between, minValue, maxValue);
    fail_with_message(dx, message);
}
