// One MCI device playing one audio file: the saver's background music and the music dialog's
// preview. Nothing is reported back: a file that does not open leaves device id 0, and every
// query on it answers 0.
#pragma once

#include "mfc/mfc.h"

// A CWnd for which no window is created: MCI_NOTIFY goes to its null handle.
class CMusicPlayer : public CWnd {
public:
    CMusicPlayer() = default;
    ~CMusicPlayer() override;
    CMusicPlayer(const CMusicPlayer&) = delete;
    CMusicPlayer& operator=(const CMusicPlayer&) = delete;

    void Open(LPCTSTR path);
    BOOL Play();
    BOOL Close();
    int GetMode();
    int GetPosition();
    int GetLength();

    MCI_OPEN_PARMS openParms{};
    MCI_PLAY_PARMS playParms{};
    MCIDEVICEID deviceId = 0;
    int lengthMs = 0;

private:
    int QueryStatus(DWORD item);
};
