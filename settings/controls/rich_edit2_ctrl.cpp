#include "settings/controls/rich_edit2_ctrl.h"

#include <algorithm>
#include <cstring>

namespace {

struct RichEdit20Holder {
    HMODULE handle = nullptr;
    ~RichEdit20Holder() {
        if (handle)
            FreeLibrary(handle);
    }
};

RichEdit20Holder& holder() {
    static RichEdit20Holder instance;
    return instance;
}

} // namespace

BOOL LoadRichEdit20() {
    if (!AfxInitRichEdit())
        return FALSE;
    auto& module = holder();
    if (!module.handle)
        module.handle = LoadLibraryA("RICHED20.DLL");
    return module.handle != nullptr;
}

// The module is held from construction, so that a dialog template naming the class can be made.
CRichEdit2Ctrl::CRichEdit2Ctrl() : m_hModule(LoadLibraryA("RICHED20.DLL")) {}

CRichEdit2Ctrl::~CRichEdit2Ctrl() {
    if (m_hModule)
        FreeLibrary(m_hModule);
}

BOOL CRichEdit2Ctrl::SetAutoURLDetect(BOOL on) {
    return SendMessage(EM_AUTOURLDETECT, on ? 1 : 0) == 0;
}

BOOL CRichEdit2Ctrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!LoadRichEdit20())
        return FALSE;
    return CWnd::Create(RICHEDIT_CLASSA, nullptr, style, rect, parent, id);
}

void CRichEdit2Ctrl::StreamInRtf(const CString& text) {
    CString remaining = text;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&remaining), 0, RtfStreamInCallback};
    StreamIn(SF_RTF, stream);
}

DWORD CALLBACK CRichEdit2Ctrl::RtfStreamInCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size,
                                                   LONG* transferred) {
    auto* remaining = reinterpret_cast<CString*>(cookie);
    const LONG length = remaining->GetLength();
    const LONG count = std::clamp<LONG>(length, 0, std::max<LONG>(size, 0));
    std::memcpy(buffer, static_cast<LPCSTR>(*remaining), static_cast<std::size_t>(count));
    *remaining = count < length ? remaining->Mid(count) : CString();
    *transferred = count;
    return 0;
}
