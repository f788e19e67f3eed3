// The picture and music lists as the media and music dialogs last applied them. Each Apply
// replaces a list's whole content; a list that no dialog has filled is empty, and the theme
// writer then keeps the theme's own pictures or tracks.
#pragma once

#include "mfc/mfc.h"

struct MediaListEntry {
    CString name;          // file name without folder (field of 260)
    CString folder;        // folder that holds the file, no trailing backslash (260)
    CString thumbnailPath; // (260)
    int reservedA = 0;     // carried, not used
    int reservedB = 0;     // carried, not used
    CString caption;       // caption stored with the picture (260)
    // The place of the picture in the theme file when the theme holds it already: its bytes
    // are taken from there, whatever became of the file it was once added from. -1: a file
    // not yet in the theme, read from folder and name.
    int themePicture = -1;
};

struct MusicListEntry {
    CString name;   // file name without folder (260)
    CString folder; // folder that holds the file, no trailing backslash (260)
    int size = 0;   // the file's length when it was listed
};

extern CArray<MediaListEntry, const MediaListEntry&> MediaList;
extern CArray<MusicListEntry, const MusicListEntry&> MusicList;

// Empties both lists, as before any dialog ran.
void ResetMediaLists();
