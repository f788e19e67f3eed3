#include "skin/skinners/skin_animate_wnd.h"

#include "skin/core/skin_blit.h"
#include "skin/core/skin_draw.h"
#include "skin/core/skin_files.h"
#include "skin/core/skin_mem_dc.h"
#include "skin/skinners/skin_bordered_wnd.h"

namespace {

// Posted by the playback thread to its control when the last pass is done (wParam: the
// thread's generation).
UINT PlaybackEndedMessage() {
    static const UINT message = RegisterWindowMessageA("GlazeworkAnimatePlaybackEnded");
    return message;
}

// Where the clip goes in the client along one axis: centred when smaller, its middle shown
// when larger.
struct Span {
    int target = 0;
    int source = 0;
    int length = 0;
};

Span Place(int clip, int client, bool centre) {
    if (!centre)
        return Span{0, 0, clip};
    if (clip < client)
        return Span{(client - clip) / 2, 0, clip};
    return Span{0, (clip - client) / 2, client};
}

} // namespace

SkinAnimateWnd::SkinAnimateWnd(SkinWnd* owner)
    : SkinControlWnd(owner, kAnimate), m_stopEvent(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

SkinAnimateWnd::~SkinAnimateWnd() {
    EndThread();
    if (m_stopEvent)
        CloseHandle(m_stopEvent);
}

LONG_PTR SkinAnimateWnd::Attach(HWND hwnd) {
    // Without the video libraries (or an event to stop by) the control keeps its own playing.
    if (!m_player.IsAvailable() || !m_stopEvent)
        return 0;
    m_style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    m_controlId = static_cast<int>(GetWindowLongA(hwnd, GWL_ID));
    return SkinControlWnd::Attach(hwnd);
}

int SkinAnimateWnd::Detach() {
    Stop();
    Close();
    return SkinControlWnd::Detach();
}

SkinObject* SkinAnimateWnd::ApplySkin(SkinObject* object) {
    // The playback thread draws with the object: it pauses while the object changes.
    const bool resume = EndThread();
    SkinObject* previous = SkinControlWnd::ApplySkin(object);
    if (resume)
        StartThread(false);
    return previous;
}

LRESULT SkinAnimateWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PlaybackEndedMessage() && message != 0) {
        // A message of a thread that was stopped meanwhile is late and ignored.
        if (m_thread && static_cast<unsigned>(wParam) == m_generation)
            Stop();
        return 0;
    }
    switch (message) {
    case WM_DESTROY:
        Stop();
        Close();
        return SkinControlWnd::WindowProc(message, wParam, lParam);
    case WM_ERASEBKGND:
        PaintParentBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_NCPAINT:
        return OnNcPaint(wParam, lParam);
    case WM_UPDATEUISTATE:
        return 0;
    case ACM_OPENA:
        return Open(reinterpret_cast<HINSTANCE>(wParam), reinterpret_cast<LPCSTR>(lParam));
    case ACM_PLAY:
        return Play(static_cast<int>(wParam), static_cast<short>(LOWORD(lParam)),
                    static_cast<short>(HIWORD(lParam)));
    case ACM_STOP:
        return Stop();
    case ACM_ISPLAYING:
        return m_playing ? TRUE : FALSE;
    default:
        return SkinWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT SkinAnimateWnd::Open(HINSTANCE module, LPCSTR name) {
    if (!module)
        module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(GetHwnd(), GWLP_HINSTANCE));
    // The clip playing ends before another is opened: the thread draws from the player.
    Stop();
    Close();
    if (!name)
        return 1;
    BOOL opened = FALSE;
    if (IS_INTRESOURCE(name))
        opened = OpenFromResource(module, name, "QX$$TEMP.AVI");
    else
        opened = m_player.Open(name) || OpenFromResource(module, name, "QX$$TEMP");
    if (!opened)
        return 0;
    AfterOpen();
    return 1;
}

BOOL SkinAnimateWnd::OpenFromResource(HINSTANCE module, LPCSTR name, const char* fallbackName) {
    const std::string path = GlazeworkMakeTempFileName(fallbackName, "C:", "AVI");
    if (path.empty())
        return FALSE;
    BOOL opened = FALSE;
    if (GlazeworkWriteResourceToFile(path.c_str(), reinterpret_cast<HMODULE>(module), name, "AVI"))
        opened = m_player.Open(path.c_str());
    // The library holds the clip's bytes: the file goes whether it opened or not.
    DeleteFileA(path.c_str());
    return opened;
}

void SkinAnimateWnd::AfterOpen() {
    m_from = 0;
    m_to = -1;
    m_repeat = -1;
    m_current = 0;
    if (!(m_style & ACS_CENTER))
        SetWindowPos(GetHwnd(), nullptr, 0, 0, m_player.Width(), m_player.Height(),
                     SWP_NOZORDER | SWP_NOMOVE);
    InvalidateRect(GetHwnd(), nullptr, TRUE);
    if (m_style & ACS_AUTOPLAY)
        StartThread(true);
}

void SkinAnimateWnd::Close() {
    {
        std::lock_guard lock(m_drawLock);
        m_player.Close();
        m_shown = -1;
    }
    if (GetHwnd())
        InvalidateRect(GetHwnd(), nullptr, TRUE);
}

LRESULT SkinAnimateWnd::Play(int repeat, int from, int to) {
    Stop();
    if (!m_player.IsOpen())
        return 0;
    m_repeat = repeat;
    m_from = from;
    m_to = to;
    m_current = from;
    StartThread(true);
    return 1;
}

LRESULT SkinAnimateWnd::Stop() {
    if (!m_playing)
        return 1;
    m_playing = false;
    EndThread();
    Notify(ACN_STOP);
    return 1;
}

void SkinAnimateWnd::StartThread(bool notify) {
    if (m_thread)
        return;
    // A stop that came after the thread had left on its own must not end the next one.
    ResetEvent(m_stopEvent);
    ++m_generation;
    m_thread = CreateThread(nullptr, 0, AnimateThreadProc, this, 0, nullptr);
    if (!m_thread)
        return;
    m_playing = true;
    if (notify)
        Notify(ACN_START);
}

bool SkinAnimateWnd::EndThread() {
    if (!m_thread)
        return false;
    SetEvent(m_stopEvent);
    // The thread may be sending to this thread (the parent's background) right now: the wait
    // serves sent messages, so it cannot block the end it waits for.
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjects(1, &m_thread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woke != WAIT_OBJECT_0 + 1)
            break;
        MSG pending;
        PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
    }
    CloseHandle(m_thread);
    m_thread = nullptr;
    ++m_generation;
    ResetEvent(m_stopEvent);
    return true;
}

DWORD CALLBACK SkinAnimateWnd::AnimateThreadProc(LPVOID parameter) {
    auto* self = static_cast<SkinAnimateWnd*>(parameter);
    const unsigned generation = self->m_generation;
    // From the exact rate and scale, at least a millisecond: a clip without a rate never opens.
    const DWORD interval = self->m_player.FrameInterval();
    int passes = 0;
    for (;;) {
        if (interval == 0 || WaitForSingleObject(self->m_stopEvent, interval) != WAIT_TIMEOUT)
            return 0;
        self->DrawCurrentFrame();
        if (self->Advance(passes)) {
            // The UI thread finishes the stop: the state is only ever changed there.
            PostMessageA(self->GetHwnd(), PlaybackEndedMessage(), generation, 0);
            return 0;
        }
    }
}

bool SkinAnimateWnd::Advance(int& passes) {
    ++m_current;
    LONG count = 0;
    {
        std::lock_guard lock(m_drawLock);
        count = m_player.FrameCount();
    }
    if ((m_to == -1 && m_current >= count) || (m_to != -1 && m_current > m_to)) {
        m_current = m_from;
        ++passes;
    }
    return m_repeat != -1 && passes >= m_repeat;
}

void SkinAnimateWnd::ShowFrame(HDC dc, short frame) {
    const RECT client = ClientRect();
    SkinMemDC composed(dc, client.right, client.bottom);
    ComposeFrame(composed.GetDC(), client, frame);
    BitBlt(dc, 0, 0, client.right, client.bottom, composed.GetDC(), 0, 0, SRCCOPY);
}

void SkinAnimateWnd::DrawCurrentFrame() {
    HWND hwnd = GetHwnd();
    HDC dc = GetDC(hwnd);
    if (!dc)
        return;
    ShowFrame(dc, static_cast<short>(m_current));
    ::ReleaseDC(hwnd, dc);
    std::lock_guard lock(m_drawLock);
    m_shown = static_cast<short>(m_current);
}

void SkinAnimateWnd::ComposeFrame(HDC target, const RECT& client, short frame) {
    const bool transparent = (m_style & ACS_TRANSPARENT) != 0;
    if (transparent) {
        PaintParentBackground(target);
    } else if (const auto* skin = dynamic_cast<const AnimateSkin*>(Object())) {
        GlazeworkDrawImagePart(target, client, skin->backgroundImage, skin->color1, TRUE);
    } else {
        FillRect(target, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    std::lock_guard lock(m_drawLock);
    const int width = m_player.Width(), height = m_player.Height();
    if (frame < 0 || width <= 0 || height <= 0)
        return;
    SkinMemDC picture(target, width, height);
    if (!m_player.DrawFrame(picture.GetDC(), frame))
        return;
    const bool centre = (m_style & ACS_CENTER) != 0;
    const Span x = Place(width, client.right, centre);
    const Span y = Place(height, client.bottom, centre);
    if (transparent)
        GlazeworkTransparentStretchBlt(target, x.target, y.target, x.length, y.length,
                                       picture.GetDC(), x.source, y.source, x.length, y.length,
                                       GetPixel(picture.GetDC(), 0, 0));
    else
        BitBlt(target, x.target, y.target, x.length, y.length, picture.GetDC(), x.source, y.source,
               SRCCOPY);
}

void SkinAnimateWnd::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(GetHwnd(), &paint);
    short frame = -1;
    {
        std::lock_guard lock(m_drawLock);
        // The frame last shown; a clip that has not played yet shows its first.
        frame = m_shown >= 0 ? m_shown : (m_player.IsOpen() ? 0 : -1);
    }
    ShowFrame(dc, frame);
    EndPaint(GetHwnd(), &paint);
}

LRESULT SkinAnimateWnd::OnNcPaint(WPARAM region, LPARAM lParam) {
    const auto* skin = dynamic_cast<const AnimateSkin*>(Object());
    if (!skin || GlazeworkIsNineGridEmpty(skin->background))
        return CallSaved(WM_NCPAINT, region, lParam);
    const SIZE edges = SkinBorderEdges(GetHwnd());
    if (edges.cx == 0 && edges.cy == 0)
        return CallSaved(WM_NCPAINT, region, lParam);
    HDC dc = GetWindowDC();
    const RECT size = GetWindowSizeRect();
    ExcludeClipRect(dc, edges.cx, edges.cy, size.right - edges.cx, size.bottom - edges.cy);
    GlazeworkDrawNineGridBorder(dc, size, skin->background, skin->color1, FALSE);
    ReleaseDC(dc);
    return 0;
}

void SkinAnimateWnd::Notify(WORD code) const {
    HWND hwnd = GetHwnd();
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(m_controlId, code),
                 reinterpret_cast<LPARAM>(hwnd));
}
