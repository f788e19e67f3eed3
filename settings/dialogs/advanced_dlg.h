// The base of the advanced dialogs: the OK, Cancel and Apply buttons they share. OK and Cancel
// close the dialog and change nothing; Apply is each dialog's own.
#pragma once

#include "mfc/mfc.h"
#include "settings/controls/image_button.h"

class CAdvancedDlg : public CDialog {
public:
    enum : int { kOkId = 1013, kCancelId = 1014, kApplyId = 1015 };

protected:
    CAdvancedDlg(UINT templateId, CWnd* parent);

    // Binds the three buttons.
    void DoDataExchange(CDataExchange* dx) override;
    // Gives the three buttons their bitmaps; the dialogs call it from OnInitDialog.
    void SetButtonTrioBitmaps();

    // The face and labels of every advanced dialog are the saver's shared brush.
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnDialogOk();
    afx_msg void OnDialogCancel();
    // Runs OnApply; when it leaves the theme file unwritten, the theme globals it changed are
    // put back as they were.
    afx_msg void OnApplyClicked();
    // Writes the dialog's values into the theme, rewrites the theme file and ends the dialog.
    virtual void OnApply() = 0;
    // Rewrites the theme file behind "Please Wait..."; ends the dialog with OK when the new file
    // is in place, else with Cancel.
    void RewriteThemeAndClose();
    DECLARE_MESSAGE_MAP()

    CImageButton m_ok;
    CImageButton m_cancel;
    CImageButton m_apply;

private:
    bool m_rewritten = false;
};
