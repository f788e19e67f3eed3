#include "skin/skinners/avi_player.h"

template <class Function> void AviPlayer::Resolve(HMODULE module, const char* name, Function& out) {
    out =
        module
            ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
            : nullptr;
}

AviPlayer::AviPlayer() {
    m_avifil32 = LoadLibraryA("avifil32.dll");
    m_msvfw32 = LoadLibraryA("msvfw32.dll");
    Resolve(m_msvfw32, "DrawDibOpen", m_drawDibOpen);
    Resolve(m_msvfw32, "DrawDibClose", m_drawDibClose);
    Resolve(m_msvfw32, "DrawDibDraw", m_drawDibDraw);
    Resolve(m_avifil32, "AVIFileInit", m_fileInit);
    Resolve(m_avifil32, "AVIFileExit", m_fileExit);
    Resolve(m_avifil32, "AVIFileGetStream", m_getStream);
    Resolve(m_avifil32, "AVIStreamGetFrameOpen", m_getFrameOpen);
    Resolve(m_avifil32, "AVIStreamGetFrame", m_getFrame);
    Resolve(m_avifil32, "AVIStreamGetFrameClose", m_getFrameClose);
    Resolve(m_avifil32, "AVIStreamStart", m_streamStart);
    Resolve(m_avifil32, "AVIStreamRelease", m_streamRelease);
    Resolve(m_avifil32, "AVIFileRelease", m_fileRelease);
    Resolve(m_avifil32, "AVIStreamLength", m_streamLength);
    Resolve(m_avifil32, "AVIFileOpenA", m_fileOpen);
    Resolve(m_avifil32, "AVIFileInfoA", m_fileInfo);
    if (m_fileInit)
        m_fileInit();
}

AviPlayer::~AviPlayer() {
    Close();
    if (m_fileExit)
        m_fileExit();
    if (m_avifil32)
        FreeLibrary(m_avifil32);
    if (m_msvfw32)
        FreeLibrary(m_msvfw32);
}

bool AviPlayer::IsAvailable() const {
    return m_avifil32 && m_msvfw32;
}

BOOL AviPlayer::Open(const char* path) {
    Close();
    if (!m_fileOpen || !m_fileInfo || !m_getStream || !m_getFrameOpen || !path)
        return FALSE;
    if (m_fileOpen(&m_file, path, OF_READ, nullptr) != AVIERR_OK) {
        m_file = nullptr;
        return FALSE;
    }
    const bool opened = m_fileInfo(m_file, &m_info, sizeof m_info) == AVIERR_OK &&
                        m_getStream(m_file, &m_stream, streamtypeVIDEO, 0) == AVIERR_OK &&
                        m_stream &&
                        // A clip without a frame rate has no time between its frames.
                        m_info.dwRate != 0 && m_info.dwScale != 0 &&
                        (m_frames = m_getFrameOpen(m_stream, nullptr)) != nullptr;
    if (!opened) {
        Close();
        return FALSE;
    }
    if (m_drawDibOpen)
        m_drawDib = m_drawDibOpen();
    return TRUE;
}

void AviPlayer::Close() {
    if (m_frames && m_getFrameClose)
        m_getFrameClose(m_frames);
    m_frames = nullptr;
    if (m_drawDib && m_drawDibClose)
        m_drawDibClose(m_drawDib);
    m_drawDib = nullptr;
    if (m_stream && m_streamRelease)
        m_streamRelease(m_stream);
    m_stream = nullptr;
    if (m_file && m_fileRelease)
        m_fileRelease(m_file);
    m_file = nullptr;
    m_info = AVIFILEINFOA{};
}

LONG AviPlayer::FrameCount() const {
    return m_stream && m_streamLength ? m_streamLength(m_stream) : -1;
}

UINT AviPlayer::FrameRate() const {
    return m_info.dwScale ? m_info.dwRate / m_info.dwScale : 0;
}

UINT AviPlayer::FrameInterval() const {
    if (!m_file || m_info.dwRate == 0)
        return 0;
    // Milliseconds per frame from the exact ratio, so that a clip slower than one frame a
    // second still has an interval.
    const unsigned long long interval = 1000ull * m_info.dwScale / m_info.dwRate;
    return interval == 0 ? 1u
                         : static_cast<UINT>(interval < 0xFFFFFFFFull ? interval : 0xFFFFFFFFull);
}

BOOL AviPlayer::DrawFrame(HDC dc, LONG frame) {
    if (!m_file || !m_frames || !m_getFrame || !m_drawDib || !m_drawDibDraw)
        return FALSE;
    const LONG start = m_streamStart ? m_streamStart(m_stream) : 0;
    auto* picture = static_cast<LPBITMAPINFOHEADER>(m_getFrame(m_frames, start + frame));
    if (!picture)
        return FALSE;
    return m_drawDibDraw(m_drawDib, dc, 0, 0, Width(), Height(), picture, nullptr, 0, 0, -1, -1, 0);
}
