// The skinning toolkit's public entry points. Every program starts the toolkit before its
// first window and shuts it down at the end; the callers do not test the results.
#pragma once

#include "win32/types.h"

int GlazeworkStartup(HINSTANCE instance, const char* applicationName, DWORD reserved1, DWORD reserved2);
int GlazeworkLoadSkinResource(HINSTANCE instance, const char* resourceName, const char* resourceType);
int GlazeworkSetDialogSkinName(const char* skinObjectName);
int GlazeworkClearDialogSkinName();
void GlazeworkShutdown();
