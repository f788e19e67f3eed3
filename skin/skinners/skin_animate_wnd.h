// Animation controls played by the toolkit: the skinner answers the control's open, play and
// stop messages itself, reads the clip through AviPlayer and draws each frame on a playback
// thread of its own over the skin's background (or, for transparent controls, over the
// parent's skin).
//
// Threads: the UI thread starts and ends the playback thread and changes the frame numbers,
// the repeat count and the clip only while no playback thread runs. The playback thread never
// changes the control's state: when its passes are done it posts a message and ends, and the
// UI thread finishes the stop. Waiting for the thread keeps serving sent messages, since the
// thread asks the parent for its background by sending.
#pragma once

#include "skin/core/animate_skin.h"
#include "skin/skinners/avi_player.h"
#include "skin/skinners/skin_control_wnd.h"

#include <mutex>

class SkinAnimateWnd : public SkinControlWnd {
public:
    explicit SkinAnimateWnd(SkinWnd* owner);
    ~SkinAnimateWnd() override;

    LONG_PTR Attach(HWND hwnd) override;
    int Detach() override;
    SkinObject* ApplySkin(SkinObject* object) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ACM_OPENA: a file path, or an "AVI" resource by name or id of `module` (none: the
    // control's); a null name closes the clip. 1 when opened, 0 when not.
    LRESULT Open(HINSTANCE module, LPCSTR name);
    // ACM_PLAY: `repeat` passes (-1 for ever) over frames from..to (to -1: up to the end).
    LRESULT Play(int repeat, int from, int to);
    // ACM_STOP: ends the playback thread and tells the parent; 1 also when nothing played.
    LRESULT Stop();
    bool IsPlaying() const { return m_playing; }

private:
    static DWORD CALLBACK AnimateThreadProc(LPVOID parameter);
    void StartThread(bool notify);
    // Ends a running playback thread and forgets it; false when none ran.
    bool EndThread();
    // One step on: true when the last pass is done.
    bool Advance(int& passes);
    // The frame over the control's background into a DC of the client's size.
    void ComposeFrame(HDC target, const RECT& client, short frame);
    // The frame composed off screen, then copied into the control's DC in one piece.
    void ShowFrame(HDC dc, short frame);
    void DrawCurrentFrame();
    BOOL OpenFromResource(HINSTANCE module, LPCSTR name, const char* fallbackName);
    void AfterOpen();
    LRESULT OnNcPaint(WPARAM region, LPARAM lParam);
    void OnPaint() override;
    void Notify(WORD code) const;
    void Close();

    int m_controlId = 0;
    HANDLE m_thread = nullptr;
    HANDLE m_stopEvent = nullptr;
    bool m_playing = false;
    // Which thread the playback-ended message belongs to, so that a late one is ignored.
    unsigned m_generation = 0;
    int m_repeat = -1;
    int m_from = 0;
    int m_to = -1; // -1: up to the clip's end
    int m_current = 0;
    // The frame on the screen, for repaints; with the player, guarded by m_drawLock.
    short m_shown = -1;
    std::mutex m_drawLock;
    AviPlayer m_player;
    DWORD m_style = 0;
};
