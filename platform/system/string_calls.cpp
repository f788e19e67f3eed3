#include "win32/system.h"

#include <cctype>

LPSTR lstrcpynA(LPSTR destination, LPCSTR source, int max_count) {
    if (!destination || !source || max_count <= 0)
        return nullptr;
    int i = 0;
    for (; i < max_count - 1 && source[i] != '\0'; ++i)
        destination[i] = source[i];
    destination[i] = '\0';
    return destination;
}

int lstrcmpiA(LPCSTR first, LPCSTR second) {
    if (!first || !second)
        return first ? 1 : (second ? -1 : 0);
    for (;; ++first, ++second) {
        const int a = std::tolower(static_cast<unsigned char>(*first));
        const int b = std::tolower(static_cast<unsigned char>(*second));
        if (a != b || a == 0)
            return a - b;
    }
}
