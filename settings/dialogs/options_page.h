// The settings dialog's options page: the four per-user values (mute, mouse exit, order,
// interval) that OK stores in the profile.
#pragma once

#include "mfc/mfc.h"

class COptionsPage : public CDialog {
public:
    static constexpr UINT kTemplateId = 156;
    enum : int {
        kSequentialId = 1000, // the first of the three order radio buttons
        kMuteId = 1026,
        kDisableMouseExitId = 1027,
        kIntervalId = 1029,
        kIntervalSpinId = 1030,
    };
    static constexpr int kMinInterval = 1;
    static constexpr int kMaxInterval = 30;

    COptionsPage();
    ~COptionsPage() override = default;

    int Mute() const { return m_nMute; }
    int DisableMouseExit() const { return m_nDisableMouseExit; }
    int Order() const { return m_nOrder; }
    int Interval() const { return m_nInterval; }

    // Puts the caret into the interval, all of it selected, after a failed validation.
    void FocusInterval();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void LoadSettings();

    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnChange(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    int m_nMute = 0;
    int m_nInterval = 0;
    int m_nOrder = -1;
    int m_nDisableMouseExit = 0;
};
