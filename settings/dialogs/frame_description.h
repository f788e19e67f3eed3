// The frame descriptions of the frame folder: ".ini" files with the sections "Info", "Skin"
// and "Make", each naming a frame picture beside it.
#pragma once

#include "saver/theme_globals.h"

// What the frame list shows of a description.
struct FrameListEntry {
    CString title;
    int direction = 0;
    int format = 0; // 0: the picture is the BMP file of the description's name, else the PNG file
    int type = 0;
    int stretchMode = 0;
    CString picturePath;
    CString iniPath;
};

// Whether a found file is a description: its name ends in ".ini", in any case.
bool IsFrameDescription(const CString& name);
// The listing of the description found at `path` (its extension written ".ini").
FrameListEntry ReadFrameListing(const CString& path);
// Reads everything the theme keeps of the frame into `frame` (the picture path included).
// False, leaving `frame` as it was, when the description or its picture is missing or a size in
// it is not two numbers.
bool ReadFrameSettings(const FrameListEntry& entry, FrameSettingsValues& frame);
