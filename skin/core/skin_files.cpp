#include "skin/core/skin_files.h"

#include <cstdio>

BOOL GlazeworkWriteResourceToFile(const char* path, HMODULE module, const char* resourceName,
                                  const char* resourceType) {
    HRSRC found = FindResourceA(module, resourceName, resourceType);
    if (!found)
        return FALSE;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded)
        return FALSE;
    const void* bytes = LockResource(loaded);
    const DWORD size = SizeofResource(module, found);
    FILE* file = lv_fopen(path, "w+b");
    if (!file)
        return FALSE;
    const bool written = size == 0 || std::fwrite(bytes, 1, size, file) == size;
    const bool closed = std::fclose(file) == 0;
    return written && closed ? TRUE : FALSE;
}

std::string GlazeworkMakeTempFileName(const char* fallbackName, const char* fallbackFolder,
                                      const char* extension) {
    char folder[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        lstrcpynA(folder, fallbackFolder ? fallbackFolder : "", MAX_PATH);
    std::string name;
    char unique[MAX_PATH] = {};
    const bool reserved = GetTempFileNameA(folder, "QX", 0, unique) != 0;
    if (reserved) {
        name = unique;
    } else {
        name = folder;
        if (!name.empty() && name.back() != '\\')
            name += '\\';
        name += fallbackName ? fallbackName : "";
    }
    if (extension) {
        // The name with its own extension is the one used; the reserving file would stay.
        if (reserved)
            DeleteFileA(unique);
        name += '.';
        name += extension;
    }
    if (name.size() >= MAX_PATH)
        return {};
    return name;
}
