#include "saver/saver_wnd.h"

#include "saver/saver_messages.h"
#include "saver/slide_show_rules.h"
#include "saver/theme_globals.h"
#include "saver/work_folder.h"

#include <span>

namespace {

constexpr UINT kSaverClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS;
constexpr int kTransitionDelayUnit = 1;
constexpr int kTransitionStep = 20;
constexpr int kPausedMode = 529;
// The preview's still pictures, chosen by string 129.
constexpr UINT kStillPictureT = 169;
constexpr UINT kStillPictureB = 170;

// Shared by every saver window of the process, as the cursor is.
MouseMoveRule& FirstMousePosition() {
    static MouseMoveRule rule;
    return rule;
}

UINT SlideInterval() {
    return SlideIntervalMs(SaverSettings.imageTime);
}

} // namespace

void ForgetFirstMousePosition() {
    FirstMousePosition().Forget();
}

BEGIN_MESSAGE_MAP(CSaverWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_CLOSE()
ON_MESSAGE(WM_SAVER_FIRST_SLIDE, OnFirstSlide)
END_MESSAGE_MAP()

CSaverWnd::CSaverWnd() = default;

CSaverWnd::~CSaverWnd() {
    if (pictureBitmap)
        DeleteObject(pictureBitmap);
}

BOOL CSaverWnd::Create(HWND parent) {
    LPCTSTR className = AfxRegisterWndClass(kSaverClassStyle);
    DWORD style = WS_POPUP | WS_VISIBLE;
    DWORD exStyle = WS_EX_TOPMOST;
    RECT rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (parent) {
        if (!::GetClientRect(parent, &rect))
            return FALSE;
        style = WS_CHILD | WS_VISIBLE;
        exStyle = 0;
        isPreview = 1;
        LoadStillPicture();
    }
    windowRect = rect;
    return CreateEx(exStyle, className, "", style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, nullptr);
}

void CSaverWnd::LoadStillPicture() {
    const CString content = LoadSaverString(IDS_PREVIEW_STILL);
    const UINT id = content == "T" ? kStillPictureT : content == "B" ? kStillPictureB : 0;
    if (id == 0)
        return;
    HBITMAP still = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
    // Without its picture the preview runs the show rather than stay empty.
    if (!still)
        return;
    pictureBitmap = still;
    stillPreview = 1;
}

int CSaverWnd::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    m_deleteOnNcDestroy = true;
    if (!isPreview) {
        ShowCursor(FALSE);
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0);
    } else if (stillPreview) {
        return 0;
    }
    started = 1;
    ComposeNextSlide();
    if (SaverSettings.musicCount > 0)
        PlayMusic();
    SetTimer(kSlideTimer, SlideInterval());
    PostMessage(WM_SAVER_FIRST_SLIDE);
    return 0;
}

LRESULT CSaverWnd::OnFirstSlide(WPARAM, LPARAM) {
    UpdateWindow();
    SlideShown();
    return 0;
}

RECT CSaverWnd::TargetRect() const {
    return SlideTargetRect(started && isPreview, windowRect);
}

void CSaverWnd::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    if (!pictureMarker.IsEmpty() || stillPreview) {
        RECT target = TargetRect();
        int width = target.right - target.left;
        int height = target.bottom - target.top;
        if (m_transitionDC) {
            // The slide is selected into the worker's source DC until the transition ends.
            BitBlt(dc, target.left, target.top, width, height, m_transitionDC, 0, 0, SRCCOPY);
        } else {
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, pictureBitmap);
            BitBlt(dc, target.left, target.top, width, height, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
    }
    ::EndPaint(m_hWnd, &paint);
}

void CSaverWnd::ComposeNextSlide() {
    RECT canvasRect = TargetRect();
    LONG width = canvasRect.right - canvasRect.left;
    LONG height = canvasRect.bottom - canvasRect.top;
    // The canvas keeps its memory from slide to slide while the size stays.
    m_canvas.Create(width, height, 32, SaverSettings.framePresent == 1 ? 4 : 3);
    m_composer.pictureIndex = pictureIndex;
    m_composer.Compose(width, height, isPreview != 0, m_canvas);
    pictureIndex = m_composer.pictureIndex;
    if (!StoreSlide())
        return;
    pictureMarker = "test";
}

bool CSaverWnd::StoreSlide() {
    if (!m_canvas.IsValid())
        return false;
    const LONG width = static_cast<LONG>(m_canvas.GetWidth());
    const LONG height = static_cast<LONG>(m_canvas.GetHeight());
    // The slide is kept in the screen's own format, so that transitions and fades copy it
    // without converting every pixel at every step; the bitmap serves the next slides too.
    if (!pictureBitmap || m_slideSize.cx != width || m_slideSize.cy != height) {
        HDC screen = ::GetDC(m_hWnd);
        HBITMAP slide = screen ? CreateCompatibleBitmap(screen, width, height) : nullptr;
        if (screen)
            ::ReleaseDC(m_hWnd, screen);
        if (!slide)
            slide = m_canvas.MakeBitmap(nullptr);
        if (!slide)
            return false;
        if (pictureBitmap)
            DeleteObject(pictureBitmap);
        pictureBitmap = slide;
        m_slideSize = SIZE{width, height};
    }
    const auto* info = static_cast<const BITMAPINFO*>(m_canvas.GetDIB());
    return SetDIBits(nullptr, pictureBitmap, 0, static_cast<UINT>(height), m_canvas.GetBits(), info,
                     DIB_RGB_COLORS) == height;
}

void CSaverWnd::OnTimer(UINT_PTR id) {
    switch (id) {
    case kSlideTimer:
        if (TransitionRunning())
            break;
        ComposeNextSlide();
        RunTransition(NextTransitionId(
            transitionCounter,
            std::span<const int>(EnabledTransitions.GetData(),
                                 static_cast<size_t>(EnabledTransitions.GetSize()))));
        if (m_deleteAfterTransition) {
            delete this;
            return;
        }
        break;
    case kFadeTimer:
        FadeTick();
        break;
    case kMusicTimer:
        PollMusic();
        break;
    default:
        break;
    }
    CWnd::OnTimer(id);
}

void CSaverWnd::FadeTick() {
    BYTE alpha = 0;
    if (!AdvanceFade(fadeStep, fadeTotal, alpha)) {
        KillTimer(kFadeTimer);
        SetTimer(kSlideTimer, SlideInterval());
        SlideShown();
        return;
    }
    KillTimer(kSlideTimer);
    fadeBlend.SourceConstantAlpha = alpha;
    RECT target = TargetRect();
    int width = target.right - target.left;
    int height = target.bottom - target.top;
    HDC windowDC = ::GetDC(m_hWnd);
    HDC memory = CreateCompatibleDC(windowDC);
    HGDIOBJ old = SelectObject(memory, pictureBitmap);
    AlphaBlend(windowDC, target.left, target.top, width, height, memory, 0, 0, width, height,
               fadeBlend);
    SelectObject(memory, old);
    DeleteDC(memory);
    ::ReleaseDC(m_hWnd, windowDC);
}

void CSaverWnd::PollMusic() {
    if (!TrackHasEnded(player.GetPosition(), player.GetLength()))
        return;
    if (ShouldPlayNextTrack(trackIndex, static_cast<int>(MusicNames.GetSize()),
                            SaverSettings.musicLoop != 0))
        NextTrack();
}

void CSaverWnd::RunTransition(int transitionId) {
    KillTimer(kSlideTimer);
    if (transitionId == kTransitionFade) {
        StartFade();
        SetTimer(kSlideTimer, SlideInterval());
        return;
    }
    HWND window = m_hWnd;
    HDC windowDC = ::GetDC(window);
    HDC memory = CreateCompatibleDC(windowDC);
    HGDIOBJ old = SelectObject(memory, pictureBitmap);
    engine.effectId = transitionId;
    engine.SetParams(memory, 0, 0, windowDC, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                     GetSystemMetrics(SM_CYSCREEN), kTransitionDelayUnit, kTransitionStep);
    m_transitionDC = memory;
    bool quitSeen = false;
    int quitCode = 0;
    {
        std::jthread worker = StartTransitionWorker(engine);
        MSG msg;
        while (engine.busy != 0) {
            if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                // Asleep until a message comes or the worker ends, instead of spinning a core.
                MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
                continue;
            }
            if (msg.message == WM_QUIT) {
                quitSeen = true;
                quitCode = static_cast<int>(msg.wParam);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            PreTranslateMessage(&msg);
        }
    }
    m_transitionDC = nullptr;
    SelectObject(memory, old);
    DeleteDC(memory);
    ::ReleaseDC(window, windowDC);
    if (quitSeen)
        PostQuitMessage(quitCode);
    if (m_deleteAfterTransition)
        return; // the window is gone; the caller deletes this object

    SetTimer(kSlideTimer, SlideInterval());
    SlideShown();
    if (m_closePending) {
        m_closePending = false;
        PostMessage(WM_CLOSE);
    }
}

void CSaverWnd::StartFade() {
    KillTimer(kFadeTimer);
    fadeStep = 0;
    fadeTotal = 0;
    SetTimer(kFadeTimer, kFadeTickMs);
}

void CSaverWnd::SlideShown() {
    if (m_observation.SlideShown())
        PostMessage(WM_CLOSE);
}

BOOL CSaverWnd::PreTranslateMessage(MSG* msg) {
    if (isPreview)
        return CWnd::PreTranslateMessage(msg);
    switch (msg->message) {
    case WM_KEYDOWN:
        if (started && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN))
            PostMessage(WM_CLOSE);
        break;
    case WM_MOUSEMOVE: {
        POINT cursor{};
        GetCursorPos(&cursor);
        if (FirstMousePosition().EndsSaver(cursor, SaverSettings.disableMouseMove != 0))
            PostMessage(WM_CLOSE);
        return FALSE;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    // The class asks for double clicks, so a second press soon after the first arrives as one;
    // it is a press all the same and nudges the cursor like the others.
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        NudgeCursor();
        break;
    default:
        break;
    }
    return CWnd::PreTranslateMessage(msg);
}

void CSaverWnd::NudgeCursor() {
    POINT before{};
    GetCursorPos(&before);
    SetCursorPos(before.x + 1, before.y + 1);
    POINT after{};
    GetCursorPos(&after);
    POINT target = ClickNudgeTarget(before, after);
    SetCursorPos(target.x, target.y);
}

BOOL CSaverWnd::VerifyPassword(HWND window) {
    return VerifyScreenSaverPassword(window);
}

void CSaverWnd::OnClose() {
    if (TransitionRunning()) {
        // Destroying now would pull the DCs from under the worker.
        m_closePending = true;
        return;
    }
    if (!isPreview) {
        ShowCursor(TRUE);
        BOOL allowed = VerifyPassword(m_hWnd);
        ShowCursor(FALSE);
        if (!allowed)
            return;
    }
    StopMusic();
    CWnd::OnClose();
}

void CSaverWnd::OnDestroy() {
    KillTimer(kSlideTimer);
    KillTimer(kFadeTimer);
    KillTimer(kMusicTimer);
    ShowCursor(TRUE);
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    RemoveWorkFolder(WorkFolder);
    CWnd::OnDestroy();
}

void CSaverWnd::PostNcDestroy() {
    if (!m_deleteOnNcDestroy)
        return;
    // A preview whose parent goes away mid-transition: the transition's loop still runs on
    // this object and deletes it once the worker has finished.
    if (TransitionRunning()) {
        m_deleteAfterTransition = true;
        return;
    }
    delete this;
}

void CSaverWnd::PlayMusic() {
    if (MusicNames.GetSize() == 0)
        return;
    if (player.GetMode() == kPausedMode) {
        player.Play();
        return;
    }
    KillTimer(kMusicTimer);
    player.Close();
    if (trackIndex < 0 || trackIndex >= MusicNames.GetSize())
        trackIndex = 0;
    player.Open(WorkFolder + "\\" + MusicNames[trackIndex]);
    player.Play();
    SetTimer(kMusicTimer, kMusicPollMs);
}

void CSaverWnd::NextTrack() {
    trackIndex = FollowingTrack(trackIndex, static_cast<int>(MusicNames.GetSize()));
    PlayMusic();
}

void CSaverWnd::StopMusic() {
    KillTimer(kMusicTimer);
    player.Close();
}
