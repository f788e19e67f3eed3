// "SysAnimate32": opens an AVI clip from a file or an "AVI" resource and plays a range of its
// frames on a timer, over the parent's static-control background.
#include "win32/animate.h"
#include "controls/control_support.h"
#include "controls/paint_message.h"
#include "controls/system_classes.h"
#include "media/avi_clip.h"
#include "media/clip_file.h"
#include "media/video_libraries.h"
#include "win32/resources.h"

#include <algorithm>

namespace lv::controls {
namespace {

constexpr UINT_PTR kFrameTimer = 1;

struct AnimateState {
    std::shared_ptr<const media::AviClip> clip;
    std::unique_ptr<media::AviFrameDecoder> decoder;
    UINT interval = 0; // milliseconds a frame
    int first = 0;
    int last = 0;
    int current = 0;
    int repeat = -1; // passes to play; -1 for ever
    int passes = 0;
    bool playing = false;
};

// Milliseconds a frame stays, from the stream's rate and scale; 0 when they give no rate.
UINT frame_interval(const media::AviStreamHeader& stream) {
    if (stream.rate == 0 || stream.scale == 0)
        return 0;
    const std::uint64_t ms = std::uint64_t{1000} * stream.scale / stream.rate;
    return static_cast<UINT>(std::clamp<std::uint64_t>(ms, 1, 60000));
}

std::vector<std::uint8_t> resource_clip(HWND hwnd, HINSTANCE module, LPCSTR name) {
    if (!module)
        module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    HRSRC found = FindResourceA(module, name, "AVI");
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
    const DWORD size = SizeofResource(module, found);
    return data ? std::vector<std::uint8_t>(data, data + size) : std::vector<std::uint8_t>{};
}

void stop(HWND hwnd, AnimateState& s) {
    if (!s.playing)
        return;
    KillTimer(hwnd, kFrameTimer);
    s.playing = false;
    notify_parent(hwnd, ACN_STOP);
}

void close_clip(HWND hwnd, AnimateState& s) {
    stop(hwnd, s);
    s.decoder.reset();
    s.clip.reset();
    InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT play(HWND hwnd, AnimateState& s, int repeat, int first, int last) {
    if (!s.clip)
        return FALSE;
    const int count = static_cast<int>(s.clip->frame_count());
    if (last == 0xFFFF || last == -1)
        last = count - 1;
    if (first < 0 || first > last || last >= count)
        return FALSE;
    KillTimer(hwnd, kFrameTimer);
    s.first = first;
    s.last = last;
    s.current = first;
    s.repeat = repeat;
    s.passes = 0;
    InvalidateRect(hwnd, nullptr, TRUE);
    if (repeat == 0)
        return TRUE; // shows the first frame only
    SetTimer(hwnd, kFrameTimer, s.interval, nullptr);
    if (!s.playing) {
        s.playing = true;
        notify_parent(hwnd, ACN_START);
    }
    return TRUE;
}

LRESULT open(HWND hwnd, AnimateState& s, HINSTANCE module, LPCSTR name) {
    close_clip(hwnd, s);
    if (!name)
        return TRUE;
    std::vector<std::uint8_t> bytes;
    if (IS_INTRESOURCE(name) || !media::read_clip_file(name, bytes))
        bytes = resource_clip(hwnd, module, name);
    std::shared_ptr<const media::AviClip> clip = media::AviClip::parse(std::move(bytes));
    // A clip without a frame rate cannot be timed, and one we cannot decode cannot be shown.
    if (!clip || frame_interval(clip->stream()) == 0 || !clip->format().decodable() ||
        clip->frame_count() == 0)
        return FALSE;
    s.interval = frame_interval(clip->stream());
    s.decoder = std::make_unique<media::AviFrameDecoder>(clip);
    s.clip = std::move(clip);
    s.current = 0;
    const DWORD style = style_of(hwnd);
    if (!(style & ACS_CENTER))
        SetWindowPos(hwnd, nullptr, 0, 0, s.clip->format().width,
                     static_cast<int>(s.clip->format().rows()),
                     SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (style & ACS_AUTOPLAY)
        play(hwnd, s, -1, 0, -1);
    return TRUE;
}

void next_frame(HWND hwnd, AnimateState& s) {
    if (s.current < s.last) {
        ++s.current;
    } else if (s.repeat != -1 && ++s.passes >= s.repeat) {
        stop(hwnd, s); // the last frame stays
        return;
    } else {
        s.current = s.first;
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

void paint(HWND hwnd, HDC dc, AnimateState& s) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, parent_brush(hwnd, dc, WM_CTLCOLORSTATIC));
    if (!s.decoder)
        return;
    const std::uint8_t* dib = s.decoder->decode(static_cast<std::uint32_t>(s.current));
    if (!dib)
        return;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib);
    const int width = s.clip->format().width;
    const int height = static_cast<int>(s.clip->format().rows());
    int x = 0, y = 0;
    if (style_of(hwnd) & ACS_CENTER) {
        x = (client.right - width) / 2;
        y = (client.bottom - height) / 2;
    }
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP picture = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(memory, picture);
    SetDIBitsToDevice(memory, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), dib + s.decoder->bits_offset(), info,
                      DIB_RGB_COLORS);
    if (style_of(hwnd) & ACS_TRANSPARENT)
        TransparentBlt(dc, x, y, width, height, memory, 0, 0, width, height,
                       GetPixel(memory, 0, 0));
    else
        BitBlt(dc, x, y, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
}

LRESULT CALLBACK animate_proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        create_state<AnimateState>(hwnd);
    AnimateState* s = state_of<AnimateState>(hwnd);
    if (!s)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        KillTimer(hwnd, kFrameTimer);
        destroy_state<AnimateState>(hwnd);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_DESTROY:
        stop(hwnd, *s);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return paint_message(hwnd, reinterpret_cast<HDC>(wParam),
                             [&](HDC dc) { paint(hwnd, dc, *s); });
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kFrameTimer && s->playing)
            next_frame(hwnd, *s);
        return 0;
    case ACM_OPENA:
        return open(hwnd, *s, reinterpret_cast<HINSTANCE>(wParam),
                    reinterpret_cast<LPCSTR>(lParam));
    case ACM_PLAY:
        return play(hwnd, *s, static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam));
    case ACM_STOP:
        stop(hwnd, *s);
        return TRUE;
    case ACM_ISPLAYING:
        return s->playing;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

void register_animate_class() {
    media::register_video_libraries();
    register_system_class(ANIMATE_CLASSA, animate_proc, 0, nullptr);
}

} // namespace lv::controls
