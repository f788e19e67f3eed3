#include "saver/text_fields.h"

CString FitTextField(const CString& text, int fieldSize) {
    const int room = fieldSize - 1;
    if (text.GetLength() <= room)
        return text;
    int end = room < 0 ? 0 : room;
    // A UTF-8 continuation byte belongs to the character before it.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.Left(end);
}
