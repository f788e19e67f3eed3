// The settings dialog's advanced page: five buttons that open the advanced dialogs when the
// theme's author allows it.
#pragma once

#include "mfc/mfc.h"
#include "settings/controls/image_button.h"

class CAdvancedPage : public CDialog {
public:
    static constexpr UINT kTemplateId = 138;
    enum : int {
        kBackgroundColorId = 1008,
        kBackgroundMusicId = 1009,
        kTransitionId = 1010,
        kFrameId = 1011,
        kMediaId = 1012,
    };
    // Where the authoring tool keeps the frames the frame dialog offers.
    static constexpr char kAuthoringToolKey[] =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Glimmerwright2_is1";
    static constexpr char kInstallLocationValue[] = "InstallLocation";

    CAdvancedPage();
    ~CAdvancedPage() override = default;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnBackgroundColor();
    afx_msg void OnBackgroundMusic();
    afx_msg void OnTransition();
    afx_msg void OnFrame();
    afx_msg void OnMedia();
    DECLARE_MESSAGE_MAP()

private:
    // True when the permission is given; else says so with `refusalId` and returns false.
    bool Allowed(int permission, UINT refusalId) const;

    CImageButton m_transition;
    CImageButton m_frame;
    CImageButton m_media;
    CImageButton m_backgroundMusic;
    CImageButton m_backgroundColor;
};
