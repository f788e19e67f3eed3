// SHGetFileInfo: the icon, display name and type name of a file, from its kind.
#include "system/file_kind_icons.h"
#include "win32/errors.h"
#include "win32/files.h"
#include "win32/shell_info.h"
#include "win32/window.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr UINT kServedFlags =
    SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME;

template <std::size_t N> void copy_text(CHAR (&field)[N], const std::string& text) {
    const std::size_t count = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), count);
    field[count] = '\0';
}

std::string name_part(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && (trimmed.back() == '\\' || trimmed.back() == '/'))
        trimmed.pop_back();
    const auto slash = trimmed.find_last_of("\\/");
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

} // namespace

DWORD_PTR SHGetFileInfoA(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT infoSize,
                         UINT flags) {
    if (!path || (flags & ~kServedFlags) != 0 || (info && infoSize < sizeof(SHFILEINFOA))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!(flags & SHGFI_USEFILEATTRIBUTES)) {
        attributes = GetFileAttributesA(path);
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return 0;
    }
    if (!info)
        return 1;
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::string name = name_part(path);
    info->hIcon = nullptr;
    info->iIcon = 0;
    if (flags & SHGFI_DISPLAYNAME)
        copy_text(info->szDisplayName, name);
    if (flags & SHGFI_TYPENAME)
        copy_text(info->szTypeName, lv::system::type_name_of(name, folder));
    if (flags & SHGFI_ICON) {
        const auto kind = folder ? lv::system::FileKind::folder : lv::system::kind_of_name(name);
        const int side = GetSystemMetrics((flags & SHGFI_SMALLICON) ? SM_CXSMICON : SM_CXICON);
        info->hIcon = lv::system::make_kind_icon(kind, side);
        if (!info->hIcon)
            return 0;
        info->iIcon = static_cast<int>(kind);
    }
    return 1;
}
