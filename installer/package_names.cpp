#include "installer/package_names.h"

#include "installer/package_entry.h"
#include "saver/theme_reader.h"

#include <string>

bool IsSafePackageName(std::string_view name) {
    return IsSafeThemeName(std::string(name));
}

bool IsSafePackageFolder(std::string_view folder) {
    if (folder == kPackageNoFolder || folder.empty())
        return true;
    std::size_t start = 0;
    while (start < folder.size()) {
        const std::size_t end = folder.find_first_of("\\/", start);
        const std::size_t stop = end == std::string_view::npos ? folder.size() : end;
        if (!IsSafePackageName(folder.substr(start, stop - start)))
            return false;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return true;
}
