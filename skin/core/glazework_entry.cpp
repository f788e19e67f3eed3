#include "skin/core/glazework.h"

// The window hooks and skinners are not part of this build yet: the toolkit does not start,
// and programs run with the platform's own drawing (as they do when a skin fails to load).

int GlazeworkStartup(HINSTANCE, const char*, DWORD, DWORD) { return 0; }

int GlazeworkLoadSkinResource(HINSTANCE, const char*, const char*) { return 0; }

int GlazeworkSetDialogSkinName(const char*) { return 1; }

int GlazeworkClearDialogSkinName() { return 1; }

void GlazeworkShutdown() {}
