// Load and Save by file name.
#include <string>

#include "imagelib/px_image.h"

bool PxImage::Load(const char* fileName, DWORD format) {
    if (format >= PXIMAGE_FORMAT_BMP && format <= kPxMaxFormat) {
        PxStdioFile file;
        if (!file.Open(fileName, "rb"))
            return false;
        if (Decode(&file, format))
            return true;
    }
    // A wrong format number still loads when another class recognises the file; when none
    // does, the caller hears why the asked-for class failed.
    const std::string askedFailure = m_info.lastError;
    PxStdioFile file;
    if (!file.Open(fileName, "rb"))
        return false;
    const bool ok = Decode(&file, PXIMAGE_FORMAT_UNKNOWN);
    if (!ok && format != PXIMAGE_FORMAT_UNKNOWN)
        SetLastErrorText(askedFailure.c_str());
    return ok;
}

bool PxImage::Save(const char* fileName, DWORD format) {
    PxStdioFile file;
    if (!file.Open(fileName, "wb"))
        return false;
    bool ok = Encode(&file, format);
    // Data still buffered is written by the close, so its failure is a failed save.
    if (!file.Close() && ok) {
        SetLastErrorText("Can't write file");
        ok = false;
    }
    return ok;
}
