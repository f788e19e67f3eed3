// Creating and removing the work folder.
#pragma once

// 1 when the folder was created; 0 when that failed (anything already standing at the path,
// a link included) or the path is empty.
int MakeFolder(const char* path);

// Deletes a file or a whole folder tree silently: no confirmation, no progress, no recycle
// bin. A link is removed, never followed. 1 on success, else 0; a path with a wildcard in it
// deletes nothing and gives 0.
int DeleteFolderTree(const char* path);
