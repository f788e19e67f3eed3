// The skinning toolkit's public entry points. Every program starts the toolkit before its
// first window and shuts it down at the end; the callers do not test the results.
#pragma once

#include "win32/win32.h"

// The first call in the process sets the toolkit up; every call hooks the calling thread.
int GlazeworkStartup(HINSTANCE instance, const char* applicationName, DWORD reserved1,
                     DWORD reserved2);
// Loads a stored skin from a resource and makes it current; 0 leaves the current skin.
int GlazeworkLoadSkinResource(HINSTANCE instance, const char* resourceName,
                              const char* resourceType);
// Names the skin object of every new dialog (at most 49 characters are kept).
int GlazeworkSetDialogSkinName(const char* skinObjectName);
int GlazeworkClearDialogSkinName();
// Unhooks the calling thread; after the last thread, every skinner and the skin go. Without
// a start-up, or a second time, it does nothing.
void GlazeworkShutdown();

// The per-thread hooks: window creation and keys.
LRESULT CALLBACK GlazeworkCallWndProcHook(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GlazeworkKeyboardHookProc(int code, WPARAM virtualKey, LPARAM keyData);
// On Windows XP: takes the system button procedure that button skinners call on.
int GlazeworkProbeXpButton(HINSTANCE instance);
