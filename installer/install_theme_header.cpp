#include "installer/install_theme_header.h"

#include "mfc/mfc.h"
#include "saver/theme_format.h"

#include <vector>

namespace {

// Reads exactly `count` bytes more, or fails.
bool ReadExactly(CFile& file, std::vector<std::uint8_t>& into, std::size_t count) {
    std::size_t start = into.size();
    into.resize(start + count);
    UINT got = file.Read(into.data() + start, static_cast<UINT>(count));
    return got == count;
}

bool ReadBlocks(CFile& file, InstallThemeHeader& out) {
    std::vector<std::uint8_t> bytes;
    if (!ReadExactly(file, bytes, kThemeHeaderSize + kThemeInfoBlockSize))
        return false;
    lv::ByteReader r(bytes);
    ThemeHeader header;
    ThemeInfoBlock info;
    if (!ReadThemeHeader(r, header) || header.magic != kThemeMagic || !ReadThemeInfoBlock(r, info))
        return false;

    // The about text's length comes from the file: it must fit in what the file still holds
    // before the overlay block.
    const ULONGLONG length = file.GetLength();
    const ULONGLONG fixed = kThemeHeaderSize + kThemeInfoBlockSize + kThemeOverlayBlockSize;
    if (info.aboutTextLength < 0 || length < fixed ||
        static_cast<ULONGLONG>(info.aboutTextLength) > length - fixed)
        return false;
    std::vector<std::uint8_t> about;
    if (!ReadExactly(file, about, static_cast<std::size_t>(info.aboutTextLength)))
        return false;

    std::vector<std::uint8_t> overlayBytes;
    if (!ReadExactly(file, overlayBytes, kThemeOverlayBlockSize))
        return false;
    lv::ByteReader overlayReader(overlayBytes);
    ThemeOverlayBlock overlay;
    if (!ReadThemeOverlayBlock(overlayReader, overlay))
        return false;

    CString title(header.title.c_str());
    title.Trim();
    out.title = static_cast<LPCTSTR>(title);
    out.adFlag = info.adFlag;
    out.welcomeRtf.assign(about.begin(), about.end());
    out.primaryAdBase = overlay.primaryAdBase;
    return true;
}

} // namespace

bool ReadInstallThemeHeader(const std::string& datPath, InstallThemeHeader& out) {
    CFile file;
    if (!file.Open(datPath.c_str(), CFile::modeRead | CFile::shareDenyNone))
        return false;
    InstallThemeHeader read;
    bool ok = false;
    try {
        ok = ReadBlocks(file, read);
    } catch (CFileException* e) {
        e->Delete();
        ok = false;
    }
    file.Close();
    if (ok)
        out = std::move(read);
    return ok;
}
