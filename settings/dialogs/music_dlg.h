// The music dialog: the theme's tracks with their icons and sizes. The user adds MP3, WAV and
// MIDI files, deletes, moves and clears tracks, listens to the selected one and sets how the
// music plays; Apply makes the list the theme's music and rewrites the theme file.
#pragma once

#include "saver/music_player.h"
#include "settings/controls/icon_list_box.h"
#include "settings/dialogs/advanced_dlg.h"

class CMusicDlg : public CAdvancedDlg {
public:
    static constexpr UINT kTemplateId = 148;
    enum : int {
        kCounterId = 1047,
        kAddId = 1046,
        kDeleteId = 1032,
        kUpId = 1033,
        kDownId = 1034,
        kClearId = 1035,
        kPlayId = 1036,
        kStopId = 1037,
        kListId = 1038,
        kSelectedOneId = 1039,
        kWholeListId = 1040,
        kLoopId = 1023,
        kSoundOffId = 1041,
        kOrderId = 1048,
    };
    static constexpr int kIconSize = 32;
    static constexpr char kAddFilter[] =
        "All format(*.mp3,*.wav,*.mid)|*.mp3;*.wav;*.mid|MP3 File (*.mp3) |*.mp3|"
        "Wave File (*.wav) |*.wav|Midi File (*.mid) |*.mid|";

    explicit CMusicDlg(CWnd* parent = nullptr);
    ~CMusicDlg() override = default;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnApply() override;

    void InitControls();
    // Lists the file when it can be opened to take its size.
    bool AddMusicFile(const CString& path);
    // Lists a track with the icon of its kind.
    void AddListEntry(const CString& name, const CString& folder, int size);

    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnClear();
    afx_msg void OnPlay();
    afx_msg void OnStop();
    afx_msg void OnSelChange();
    DECLARE_MESSAGE_MAP()

private:
    int Selected() const;
    void RefreshCounter();
    // Closes the preview and forgets its track.
    void ForgetPreview();
    // The tracks the theme has now: those of the last Apply, else the theme file's own.
    void LoadThemeTracks();

    CIconListBox m_list;
    CImageButton m_down;
    CImageButton m_stop;
    CImageButton m_play;
    CImageButton m_up;
    CImageButton m_delete;
    CImageButton m_clear;
    CImageButton m_add;
    CComboBox m_order;
    int m_loop = 0;
    int m_soundOff = 0;
    int m_playMode = -1;
    CImageList m_icons;
    int m_iconCount = 0;
    CString m_previewPath;
    CMusicPlayer m_player;
};
