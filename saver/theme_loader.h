// Loads the theme data file: checks its whole structure, extracts every embedded file into
// the work folder and fills the theme globals. Nothing is loaded half-way.
#pragma once

#include "mfc/mfc.h"

// `programFolder` is the folder of the running program (the work folder is made in it).
// Shows the saver's messages itself; FALSE when the theme cannot be used.
BOOL LoadThemeFile(const char* path, const char* programFolder);

// The size of the file `name` as the last load extracted it into `folder`; false when that
// load did not write it there (another folder, or no load yet).
bool ExtractedFileSize(const CString& folder, const CString& name, ULONGLONG& size);
