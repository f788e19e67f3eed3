// The video libraries: reading AVI clips ("avifil32.dll") and drawing their frames
// ("msvfw32.dll"). Both are built-in modules, so LoadLibrary and GetProcAddress find these
// functions by name as well.
#pragma once

#include "win32/gdi.h"

struct IAVIFile;
struct IAVIStream;
struct IGetFrame;
using PAVIFILE = IAVIFile*;
using PAVISTREAM = IAVIStream*;
using PGETFRAME = IGetFrame*;
LV_DECLARE_HANDLE(HDRAWDIB);

struct CLSID;
using LPCLSID = const CLSID*;

// The file's summary (108 bytes on the platform); dwRate / dwScale is the video's frame rate.
struct AVIFILEINFOA {
    DWORD dwMaxBytesPerSec;
    DWORD dwFlags;
    DWORD dwCaps;
    DWORD dwStreams;
    DWORD dwSuggestedBufferSize;
    DWORD dwWidth;
    DWORD dwHeight;
    DWORD dwScale;
    DWORD dwRate;
    DWORD dwLength;
    DWORD dwEditCount;
    char szFileType[64];
};
using LPAVIFILEINFOA = AVIFILEINFOA*;
static_assert(sizeof(AVIFILEINFOA) == 108);

constexpr DWORD streamtypeVIDEO = 0x73646976; // 'vids'
constexpr DWORD AVIFILECAPS_CANREAD = 0x0001;

constexpr HRESULT AVIERR_OK = 0;
constexpr HRESULT AVIERR_UNSUPPORTED = static_cast<HRESULT>(0x80044065u);
constexpr HRESULT AVIERR_BADFORMAT = static_cast<HRESULT>(0x80044066u);
constexpr HRESULT AVIERR_MEMORY = static_cast<HRESULT>(0x80044067u);
constexpr HRESULT AVIERR_BADFLAGS = static_cast<HRESULT>(0x80044069u);
constexpr HRESULT AVIERR_BADPARAM = static_cast<HRESULT>(0x8004406Au);
constexpr HRESULT AVIERR_BADSIZE = static_cast<HRESULT>(0x8004406Bu);
constexpr HRESULT AVIERR_BADHANDLE = static_cast<HRESULT>(0x8004406Cu);
constexpr HRESULT AVIERR_FILEREAD = static_cast<HRESULT>(0x8004406Du);
constexpr HRESULT AVIERR_FILEOPEN = static_cast<HRESULT>(0x8004406Fu);
constexpr HRESULT AVIERR_NODATA = static_cast<HRESULT>(0x80044073u);
constexpr HRESULT AVIERR_BUFFERTOOSMALL = static_cast<HRESULT>(0x80044074u);

void AVIFileInit();
void AVIFileExit();
// Reads the whole clip (OF_READ only); a file that is no AVI with a video stream fails.
HRESULT AVIFileOpenA(PAVIFILE* file, LPCSTR path, UINT mode, LPCLSID handler);
HRESULT AVIFileInfoA(PAVIFILE file, LPAVIFILEINFOA info, LONG size);
// Only video streams are kept: any other type finds no stream.
HRESULT AVIFileGetStream(PAVIFILE file, PAVISTREAM* stream, DWORD type, LONG index);
ULONG AVIFileRelease(PAVIFILE file);
ULONG AVIStreamRelease(PAVISTREAM stream);
// Copies the stream's format block (BITMAPINFOHEADER and colours); with a null buffer only
// its size is told. A buffer too small gets what fits.
HRESULT AVIStreamReadFormat(PAVISTREAM stream, LONG position, LPVOID format, LONG* size);
LONG AVIStreamStart(PAVISTREAM stream);
LONG AVIStreamLength(PAVISTREAM stream);
// `wanted` must be null (or AVIGETFRAMEF_BESTDISPLAYFMT): frames come in the clip's own depth
// (RLE8 as 8 bits). NULL for a stream whose frames cannot be decoded.
PGETFRAME AVIStreamGetFrameOpen(PAVISTREAM stream, LPBITMAPINFOHEADER wanted);
// A packed DIB valid until the next call on the same object; NULL outside the stream.
LPVOID AVIStreamGetFrame(PGETFRAME frames, LONG position);
HRESULT AVIStreamGetFrameClose(PGETFRAME frames);
constexpr UINT_PTR AVIGETFRAMEF_BESTDISPLAYFMT = 1;

HDRAWDIB DrawDibOpen();
BOOL DrawDibClose(HDRAWDIB context);
// A width or height of -1 takes the picture's; `bits` null means they follow the header and
// its colours.
BOOL DrawDibDraw(HDRAWDIB context, HDC dc, int x, int y, int width, int height,
                 LPBITMAPINFOHEADER header, LPVOID bits, int src_x, int src_y, int src_width,
                 int src_height, UINT flags);
