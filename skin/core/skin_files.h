// Resources written out as files, and names for temporary files.
#pragma once

#include "win32/win32.h"

#include <string>

// The whole resource written to the path; FALSE when it is missing or the file cannot be
// written.
BOOL GlazeworkWriteResourceToFile(const char* path, HMODULE module, const char* resourceName,
                                  const char* resourceType);
// A fresh name in the temporary folder (or the fallback folder), or the fallback folder joined
// with the fallback name; with an extension, "." and the extension follow (and the empty file
// that reserved the name goes). Empty when the name would not fit MAX_PATH.
std::string GlazeworkMakeTempFileName(const char* fallbackName, const char* fallbackFolder,
                                      const char* extension);
