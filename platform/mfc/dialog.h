// CDialog on the platform's dialog manager: the dialog window is attached as it is created and
// routed through its message map; what the map leaves goes to the dialog manager.
#pragma once

#include "mfc/wnd.h"

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(LPCTSTR templateName, CWnd* parent = nullptr);

    // Modal: disables the owner, runs until EndDialog; -1 when the dialog cannot be made.
    virtual INT_PTR DoModal();
    using CWnd::Create;
    // Modeless, for example a child page inside another dialog.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    virtual BOOL Create(LPCTSTR templateName, CWnd* parent = nullptr);

    // Fills the template's list and combo boxes with their first strings (its initialisation
    // data), then moves the members into the controls.
    virtual BOOL OnInitDialog();
    // The strings of the initialisation data of `templateName`; TRUE also when it has none,
    // FALSE when the data is damaged or names a control that does not exist.
    BOOL ExecuteDlgInit(LPCTSTR templateName);
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    // Modeless dialogs take their keyboard navigation here.
    BOOL PreTranslateMessage(MSG* msg) override;
    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;

    LPCTSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    HWND owner_window() const;
    bool m_modal = false;
};
