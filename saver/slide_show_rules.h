// The slide show's fixed rules, apart from the window that applies them: timer intervals, the
// fade's alpha sequence, the end-of-track poll, the transition order and the input rules.
#pragma once

#include "win32/win32.h"

#include <span>

constexpr UINT_PTR kSlideTimer = 11;
constexpr UINT_PTR kFadeTimer = 12;
constexpr UINT_PTR kMusicTimer = 13;
constexpr UINT kFadeTickMs = 10;
constexpr UINT kMusicPollMs = 1000;

// Timer 11's interval for a picture time in seconds: 1 second for 0 (and for negative
// values); capped so that the product cannot overflow.
UINT SlideIntervalMs(int imageTime);

// One fade tick: true with the alpha to draw, or false when the fade is over (the total is
// then reset).
bool AdvanceFade(int& fadeStep, int& fadeTotal, BYTE& alpha);

// The poll's verdict on a playing track, from the player's position and length in ms.
bool TrackHasEnded(int positionMs, int lengthMs);
// Whether an ended track is followed by the next one (or the first again when looping).
bool ShouldPlayNextTrack(int trackIndex, int trackCount, bool loop);
// The track after `trackIndex`, back to 0 after the last.
int FollowingTrack(int trackIndex, int trackCount);

// The transition id for the slide at `counter` (wrapped to 0 at the end of the list), and
// advances the counter. Entries are list indices; no entries give id 0, the plain copy.
int NextTransitionId(int& counter, std::span<const int> enabled);

// The mouse-move ending rule: the first move only records where the cursor was.
class MouseMoveRule {
public:
    // True when the cursor at `cursor` has gone 6 pixels or more (|dx| + |dy|) from the first
    // position and movement is not disabled.
    bool EndsSaver(POINT cursor, bool movementDisabled);
    void Forget() { m_haveFirst = false; }

private:
    POINT m_first{};
    bool m_haveFirst = false;
};

// Where a mouse click sends the cursor from (x0, y0), after the first nudge to (x0 + 1,
// y0 + 1) left it at `afterNudge`.
POINT ClickNudgeTarget(POINT before, POINT afterNudge);

// TRUE when the screen-saver password allows ending: NT-family systems never ask; the
// others ask PASSWORD.CPL and pass when it cannot be asked.
BOOL VerifyScreenSaverPassword(HWND window);

// The window rectangle that painting and the fade cover: the preview's own rectangle once it
// runs, else the whole screen.
RECT SlideTargetRect(bool startedPreview, const RECT& windowRect);
