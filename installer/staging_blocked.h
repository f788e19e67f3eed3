// The message that tells a person why the installer cannot unpack its files: a running
// installer's folder, or something no installer claimed, at the staging folder's name.
#pragma once

#include "installer/prepare_staging.h"
#include "mfc/mfc.h"

// Whether the preparation was refused for what stands at the folder's name.
bool IsStagingBlocked(PrepareResult result);
// The box's text, naming the path in the way; empty unless the preparation was blocked.
CString StagingBlockedText(const PreparedStaging& staging);
// Shows that text over `owner` with the caption "Error" and an OK button.
void ShowStagingBlocked(HWND owner, const PreparedStaging& staging);
