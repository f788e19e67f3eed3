#include "saver/slide_show_rules.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kFadeEndTotal = 245;
constexpr int kMouseEndDistance = 6;
constexpr long long kLongestIntervalMs = 0x7FFFFFFF;

} // namespace

UINT SlideIntervalMs(int imageTime) {
    if (imageTime <= 0)
        return 1000;
    return static_cast<UINT>(
        std::min(static_cast<long long>(imageTime) * 1000, kLongestIntervalMs));
}

bool AdvanceFade(int& fadeStep, int& fadeTotal, BYTE& alpha) {
    if (fadeTotal > kFadeEndTotal) {
        fadeTotal = 0;
        return false;
    }
    fadeStep += 4;
    fadeTotal += fadeStep / 100;
    alpha = static_cast<BYTE>(std::min(fadeTotal + 10, 255));
    return true;
}

bool TrackHasEnded(int positionMs, int lengthMs) {
    int position = positionMs / 1000;
    int length = lengthMs / 1000;
    if (length == 0)
        return false;
    return static_cast<long long>(position) * 100 / length == 100;
}

bool ShouldPlayNextTrack(int trackIndex, int trackCount, bool loop) {
    return trackIndex + 1 != trackCount || loop;
}

int FollowingTrack(int trackIndex, int trackCount) {
    int next = trackIndex + 1;
    return next > trackCount - 1 ? 0 : next;
}

int NextTransitionId(int& counter, std::span<const int> enabled) {
    if (counter >= static_cast<int>(enabled.size()) || counter < 0)
        counter = 0;
    int id = enabled.empty() ? 0 : enabled[static_cast<size_t>(counter)] + 1;
    ++counter;
    return id;
}

bool MouseMoveRule::EndsSaver(POINT cursor, bool movementDisabled) {
    if (!m_haveFirst) {
        m_first = cursor;
        m_haveFirst = true;
        return false;
    }
    long long distance = std::llabs(static_cast<long long>(cursor.x) - m_first.x) +
                         std::llabs(static_cast<long long>(cursor.y) - m_first.y);
    return distance >= kMouseEndDistance && !movementDisabled;
}

POINT ClickNudgeTarget(POINT before, POINT afterNudge) {
    bool moved = afterNudge.x == before.x + 1 || afterNudge.y == before.y + 1;
    return moved ? POINT{before.x + 1, before.y - 1} : POINT{before.x - 1, before.y - 1};
}

BOOL VerifyScreenSaverPassword(HWND window) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT)
        return TRUE;
    using VerifyProc = BOOL (*)(HWND);
    HMODULE library = LoadLibraryA("PASSWORD.CPL");
    if (!library)
        return TRUE;
    // Through void*: the procedure's real type is known only to the caller.
    auto verify = reinterpret_cast<VerifyProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "VerifyScreenSavePwd")));
    BOOL allowed = verify ? verify(window) : TRUE;
    FreeLibrary(library);
    return allowed;
}

RECT SlideTargetRect(bool startedPreview, const RECT& windowRect) {
    if (startedPreview)
        return windowRect;
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}
