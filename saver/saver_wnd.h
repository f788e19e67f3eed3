// The slide show window: full screen and topmost, or a child of the preview window. Composes
// a slide on timer 11, shows it with the next enabled transition, fades on timer 12, polls the
// music on timer 13, and ends on the keyboard and mouse rules.
#pragma once

#include "mfc/mfc.h"
#include "saver/music_player.h"
#include "saver/slide_composer.h"
#include "saver/slide_observation.h"
#include "saver/transition_engine.h"

// Posted by creation so that the first slide counts as shown once it has been painted.
constexpr UINT WM_SAVER_FIRST_SLIDE = WM_APP + 104;

// The first mouse position is taken once per process; tests that run several shows start over.
void ForgetFirstMousePosition();

class CSaverWnd : public CWnd {
public:
    CSaverWnd();
    ~CSaverWnd() override;

    // A child filling `parent`'s client area (preview), or the full screen when null.
    BOOL Create(HWND parent);
    using CWnd::Create;

    void ComposeNextSlide();
    void RunTransition(int transitionId);
    void StartFade();
    void PlayMusic();
    void NextTrack();
    void StopMusic();
    static BOOL VerifyPassword(HWND window);

    BOOL PreTranslateMessage(MSG* msg) override;
    void PostNcDestroy() override;

    int stillPreview = 0;
    int isPreview = 0;
    int started = 0;
    int fadeStep = 0;
    int fadeTotal = 0;
    BLENDFUNCTION fadeBlend{AC_SRC_OVER, 0, 0, 0};
    HBITMAP pictureBitmap = nullptr;
    CString pictureMarker;
    CMusicPlayer player;
    RECT windowRect{};
    CTransitionEngine engine;
    int pictureIndex = 0;
    int transitionCounter = 0;
    int trackIndex = 0;

    // True while an engine transition draws; a close asked for meanwhile waits for its end.
    bool TransitionRunning() const { return m_transitionDC != nullptr; }
    const SlideObservation& Observation() const { return m_observation; }

protected:
    // String 129 "T" or "B": the preview shows still picture 169 or 170 instead of the show.
    void LoadStillPicture();
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnClose();
    afx_msg LRESULT OnFirstSlide(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    RECT TargetRect() const;
    void FadeTick();
    void PollMusic();
    void NudgeCursor();
    void SlideShown();

    // Copies the composed canvas into `pictureBitmap`, made anew only when the size changes.
    bool StoreSlide();

    SlideComposer m_composer;
    PxImage m_canvas;
    SIZE m_slideSize{0, 0};
    SlideObservation m_observation;
    HDC m_transitionDC = nullptr; // the memory DC holding the slide while the worker draws
    bool m_closePending = false;
    bool m_deleteOnNcDestroy = false;
    bool m_deleteAfterTransition = false; // destroyed while the worker still drew
};
