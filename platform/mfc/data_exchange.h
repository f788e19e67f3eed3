// Dialog data exchange: DoDataExchange moves values between members and controls in either
// direction; a failed validation tells the user, keeps the focus on the control and ends the
// exchange (UpdateData returns FALSE).
#pragma once

#include "mfc/cstring.h"
#include "mfc/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    // The control with this id, remembered as the one a later validation speaks of.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Puts the focus back on the last control and ends the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

// What Fail throws; UpdateData catches it.
class CUserException {};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Check(CDataExchange* dx, int id, int& value);
// `id` is the first radio button of its group; the value is the index of the checked one
// (-1 for none).
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
