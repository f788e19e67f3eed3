#include "saver/music_player.h"

// A preview still playing when its dialog ends would otherwise go on with no way to stop it.
CMusicPlayer::~CMusicPlayer() {
    if (deviceId != 0)
        Close();
}

void CMusicPlayer::Open(LPCTSTR path) {
    // A device still open here would play on with nobody left to stop it.
    if (deviceId != 0)
        Close();
    openParms.dwCallback = 0;
    openParms.wDeviceID = 0;
    openParms.lpstrDeviceType = "MPEGVideo";
    openParms.lpstrElementName = path;
    mciSendCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                   reinterpret_cast<DWORD_PTR>(&openParms));
    deviceId = openParms.wDeviceID;
    lengthMs = QueryStatus(MCI_STATUS_LENGTH);
}

BOOL CMusicPlayer::Play() {
    playParms.dwCallback = reinterpret_cast<DWORD_PTR>(m_hWnd);
    mciSendCommand(deviceId, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&playParms));
    return TRUE;
}

BOOL CMusicPlayer::Close() {
    MCI_GENERIC_PARMS parms{};
    mciSendCommand(deviceId, MCI_CLOSE, 0, reinterpret_cast<DWORD_PTR>(&parms));
    // MCI hands a closed device's id out again: the player must not reach that next device.
    deviceId = 0;
    return TRUE;
}

int CMusicPlayer::GetMode() {
    return QueryStatus(MCI_STATUS_MODE);
}

int CMusicPlayer::GetPosition() {
    return QueryStatus(MCI_STATUS_POSITION);
}

int CMusicPlayer::GetLength() {
    return QueryStatus(MCI_STATUS_LENGTH);
}

int CMusicPlayer::QueryStatus(DWORD item) {
    MCI_STATUS_PARMS status{};
    status.dwItem = item;
    mciSendCommand(deviceId, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status));
    return static_cast<int>(status.dwReturn);
}
