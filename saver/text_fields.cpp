#include "saver/text_fields.h"

CString FitTextBytes(const CString& text, int maxBytes) {
    if (text.GetLength() <= maxBytes)
        return text;
    int end = maxBytes < 0 ? 0 : maxBytes;
    // A UTF-8 continuation byte belongs to the character before it.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.Left(end);
}
