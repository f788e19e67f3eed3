// Which Windows the toolkit runs on, in the classes where the platforms differ for it.
#pragma once

enum GlazeworkOsClass : int {
    kOsClassWin32s = 0,
    kOsClassOtherNt = 1,
    kOsClass95 = 2,
    kOsClass98 = 3,
    kOsClassMe = 4,
    kOsClassNt4 = 5,
    kOsClass2000 = 6,
    kOsClassXp = 7,
};

int GlazeworkGetOsClass();

// Classes outside the 9x range take the NT family's roads.
inline bool GlazeworkIsNtClass(int osClass) {
    return osClass < 0 || osClass > kOsClass98;
}
