#include "saver/path_parts.h"

#include <algorithm>

namespace {

int LastSeparator(const CString& path) {
    return std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
}

} // namespace

CString FileNamePart(const CString& path) {
    return path.Mid(LastSeparator(path) + 1);
}

CString FolderPart(const CString& path) {
    const int slash = LastSeparator(path);
    return slash < 0 ? CString() : path.Left(slash);
}

CString TitlePart(const CString& name) {
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString JoinPath(const CString& folder, const CString& name) {
    CString path;
    path.Format("%s\\%s", folder.GetString(), name.GetString());
    return path;
}
