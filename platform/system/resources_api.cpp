#include "system/resources_registry.h"
#include "win32/errors.h"
#include "win32/resources.h"

#include <cstring>

namespace {

using lv::resources::DataEntry;

const DataEntry* entry_of(HRSRC handle) {
    const auto* entry = reinterpret_cast<const DataEntry*>(handle);
    if (entry == nullptr || !lv::resources::is_registered(entry)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return entry;
}

// Length of the longest prefix of text, at most limit bytes, that ends on a UTF-8
// character boundary.
std::size_t whole_characters(std::string_view text, std::size_t limit) {
    if (limit >= text.size())
        return text.size();
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

} // namespace

HRSRC FindResourceA(HMODULE, LPCSTR lpName, LPCSTR lpType) {
    const DataEntry* entry = lv::resources::find_data(lpName, lpType);
    return reinterpret_cast<HRSRC>(const_cast<DataEntry*>(entry));
}

HGLOBAL LoadResource(HMODULE, HRSRC hResInfo) {
    const DataEntry* entry = entry_of(hResInfo);
    if (!entry)
        return nullptr;
    return const_cast<unsigned char*>(entry->data);
}

DWORD SizeofResource(HMODULE, HRSRC hResInfo) {
    const DataEntry* entry = entry_of(hResInfo);
    if (!entry)
        return 0;
    return static_cast<DWORD>(entry->size);
}

LPVOID LockResource(HGLOBAL hResData) {
    return hResData;
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}

int LoadStringA(HINSTANCE, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
    if (lpBuffer == nullptr || cchBufferMax <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto text = lv::resources::find_string(uID);
    if (!text) {
        lpBuffer[0] = '\0';
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    const std::size_t length = whole_characters(*text, static_cast<std::size_t>(cchBufferMax) - 1);
    std::memcpy(lpBuffer, text->data(), length);
    lpBuffer[length] = '\0';
    return static_cast<int>(length);
}
