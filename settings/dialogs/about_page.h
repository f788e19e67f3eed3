// The settings dialog's about page: the program's version and the theme's about text.
#pragma once

#include "mfc/mfc.h"
#include "settings/controls/rich_edit2_ctrl.h"

class CAboutPage : public CDialog {
public:
    static constexpr UINT kTemplateId = 157;
    enum : int { kAboutTextId = 1003, kVersionId = 1044 };
    // The program's own version, whatever the theme file's version says.
    static constexpr char kProgramVersion[] = "2.5.0";

    CAboutPage();
    ~CAboutPage() override = default;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    DECLARE_MESSAGE_MAP()

private:
    CString m_strVersion;
    CRichEdit2Ctrl m_aboutText;
};
