// The parts of a Windows path as the saver splits them: a folder, a name, a title and an
// extension. Both '\' and '/' separate.
#pragma once

#include "mfc/mfc.h"

// Everything after the last separator (the whole path when there is none).
CString FileNamePart(const CString& path);
// Everything before the last separator, without it (empty when there is none).
CString FolderPart(const CString& path);
// The name without its last "." and what follows it.
CString TitlePart(const CString& name);
// "<folder>\<name>".
CString JoinPath(const CString& folder, const CString& name);
