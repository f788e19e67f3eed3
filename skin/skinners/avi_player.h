// Reads the frames of an AVI clip through the video libraries, loaded by name at run time,
// and draws them. One clip at a time: its decoder, drawing context and stream live from Open
// to Close.
#pragma once

#include "win32/win32.h"

class AviPlayer {
public:
    AviPlayer();
    virtual ~AviPlayer();
    AviPlayer(const AviPlayer&) = delete;
    AviPlayer& operator=(const AviPlayer&) = delete;

    // Both libraries were found.
    bool IsAvailable() const;
    // Opens a clip, closing the one before. A clip without a video stream, without decodable
    // frames or without a frame rate (rate or scale 0) is refused.
    BOOL Open(const char* path);
    // Releases the clip; a second call does nothing.
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    // Frames in the clip; -1 without one.
    LONG FrameCount() const;
    // Whole frames per second (rate / scale); 0 without a clip.
    UINT FrameRate() const;
    // Milliseconds from one frame to the next (at least 1); 0 without a clip.
    UINT FrameInterval() const;
    int Width() const { return static_cast<int>(m_info.dwWidth); }
    int Height() const { return static_cast<int>(m_info.dwHeight); }
    // Draws frame `frame` (counted from the stream's start) at (0, 0) in the clip's size.
    BOOL DrawFrame(HDC dc, LONG frame);

private:
    template <class Function> void Resolve(HMODULE module, const char* name, Function& out);

    HMODULE m_avifil32 = nullptr;
    HMODULE m_msvfw32 = nullptr;

    decltype(&DrawDibOpen) m_drawDibOpen = nullptr;
    decltype(&DrawDibClose) m_drawDibClose = nullptr;
    decltype(&DrawDibDraw) m_drawDibDraw = nullptr;
    decltype(&AVIFileInit) m_fileInit = nullptr;
    decltype(&AVIFileExit) m_fileExit = nullptr;
    decltype(&AVIFileGetStream) m_getStream = nullptr;
    decltype(&AVIStreamGetFrameOpen) m_getFrameOpen = nullptr;
    decltype(&AVIStreamGetFrame) m_getFrame = nullptr;
    decltype(&AVIStreamGetFrameClose) m_getFrameClose = nullptr;
    decltype(&AVIStreamStart) m_streamStart = nullptr;
    decltype(&AVIStreamRelease) m_streamRelease = nullptr;
    decltype(&AVIFileRelease) m_fileRelease = nullptr;
    decltype(&AVIStreamLength) m_streamLength = nullptr;
    decltype(&AVIFileOpenA) m_fileOpen = nullptr;
    decltype(&AVIFileInfoA) m_fileInfo = nullptr;

    PAVIFILE m_file = nullptr;
    PAVISTREAM m_stream = nullptr;
    PGETFRAME m_frames = nullptr;
    HDRAWDIB m_drawDib = nullptr;
    AVIFILEINFOA m_info{};
};
