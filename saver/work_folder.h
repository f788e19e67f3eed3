// The work folder that receives a theme's embedded files. Each process has one of its own,
// "<program folder>\_qjv_<title>_work_<process id>", beside its mark "<folder>.lock" (see
// owner_mark.h): two processes of the saver never share one (the settings and the preview
// they start run side by side), and the folder of a process that has ended is removed by the
// next start.
#pragma once

#include "mfc/mfc.h"

// The work folder of this process for a theme title.
CString MakeWorkFolderPath(const char* programFolder, const char* title);

// Removes the work folders of the title whose processes have ended, however they ended.
void SweepEndedWorkFolders(const char* programFolder, const char* title);

// Makes `folder` afresh as this process's work folder and holds its mark. FALSE when it
// cannot be made.
BOOL MakeOwnWorkFolder(const CString& folder);

// Deletes `folder` when it stands, and lets go of its mark when it is this process's.
void RemoveWorkFolder(const CString& folder);
