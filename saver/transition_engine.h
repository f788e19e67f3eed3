// The slide show's transition engine: draws the new slide from a source DC onto the target DC
// with one of twenty timed effects, on a worker thread, while the UI thread keeps pumping.
#pragma once

#include "mfc/mfc.h"

#include <atomic>
#include <thread>

// Transition ids shared with the saver window and the transition dialog.
constexpr int kTransitionPlainCopy = 0;
constexpr int kTransitionFirstEffect = 1;
constexpr int kTransitionLastEffect = 20;
constexpr int kTransitionFade = 21; // run by the saver window itself

// One block transfer an effect made.
struct TransitionBlit {
    HDC target;
    int x;
    int y;
    int width;
    int height;
    HDC source;
    int srcX;
    int srcY;
};

// Watches what an effect draws and how long it waits (tests, benchmarks). Called on the thread
// that runs the effect.
class TransitionObserver {
public:
    virtual ~TransitionObserver() = default;
    virtual void OnBlit(const TransitionBlit& blit) {}
    virtual void OnDelay(int milliseconds) {}
};

// A CWnd for which no window is ever created.
class CTransitionEngine : public CWnd {
public:
    CTransitionEngine() = default;
    ~CTransitionEngine() override;
    CTransitionEngine(const CTransitionEngine&) = delete;
    CTransitionEngine& operator=(const CTransitionEngine&) = delete;

    void SetParams(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                   int height, int delayUnit, int step);

    // The worker's routine: runs the effect of `effectId`, clears `busy`, returns 0.
    static UINT TransitionThreadProc(LPVOID engine);

    // Runs the effect of `effectId` with the stored parameters on the calling thread; ids
    // outside 0..20 draw nothing.
    void RunEffect();

    // Waits more than `milliseconds` by the platform's tick count, serving the calling
    // thread's messages meanwhile and otherwise sleeping 1 ms at a time.
    void Delay(int milliseconds);

    // A BitBlt SRCCOPY that the observer sees.
    BOOL Blit(HDC target, int x, int y, int width, int height, HDC source, int srcX, int srcY);

    BOOL CopyAll(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                 int height, int delayUnit, int step);
    BOOL BlindsVertical(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                        int height, int delayUnit, int step);
    BOOL BlindsHorizontal(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                          int height, int delayUnit, int step);
    BOOL WipeRight(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                   int height, int delayUnit, int step);
    BOOL WipeLeft(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                  int height, int delayUnit, int step);
    BOOL DrippingPaint(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                       int height, int delayUnit, int step);
    BOOL RisingPaint(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                     int height, int delayUnit, int step);
    BOOL DrippingRightPaint(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                            int height, int delayUnit, int step);
    BOOL DrippingLeftPaint(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                           int height, int delayUnit, int step);
    BOOL Dissolve(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                  int height, int delayUnit, int step);
    BOOL SpiralIn(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                  int height, int delayUnit, int step);
    BOOL SlideRight(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                    int height, int delayUnit, int step);
    BOOL SlideLeft(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                   int height, int delayUnit, int step);
    BOOL SlideDown(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                   int height, int delayUnit, int step);
    BOOL SlideUp(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                 int height, int delayUnit, int step);
    BOOL ExpandBottomRight(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                           int height, int delayUnit, int step);
    BOOL ExpandTopRight(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                        int height, int delayUnit, int step);
    BOOL Outside(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                 int height, int delayUnit, int step);
    BOOL Inside(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width, int height,
                int delayUnit, int step);
    BOOL BothInside(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                    int height, int delayUnit, int step);
    BOOL BothOutside(HDC srcDC, int srcX, int srcY, HDC dstDC, int dstX, int dstY, int width,
                     int height, int delayUnit, int step);

    int effectId = 0;
    // Written by the UI thread before the worker starts and by the worker at its end, read by
    // the UI thread's pump meanwhile.
    std::atomic<int> busy{0};
    HDC srcDC = nullptr;
    int srcX = 0;
    int srcY = 0;
    HDC dstDC = nullptr;
    int dstX = 0;
    int dstY = 0;
    int width = 0;
    int height = 0;
    int delayUnit = 0;
    int step = 0;

    TransitionObserver* observer = nullptr;
};

// Sets `busy` and starts the worker on the engine; the UI thread pumps until `busy` is 0 and
// keeps the DCs alive until then. The worker wakes the calling thread's message queue when it
// has cleared `busy`, so that the pump can sleep while it waits. The thread joins when the
// returned object ends. When no thread can be started the effect runs on the calling thread
// before this returns.
std::jthread StartTransitionWorker(CTransitionEngine& engine);
