#include "dialog/message_box_buttons.h"

#include "win32/dialog.h"

#include <algorithm>

namespace lv::dialog {

std::vector<int> message_box_buttons(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return {IDOK};
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
        return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default:
        return {};
    }
}

int message_box_default(UINT type) {
    const std::vector<int> buttons = message_box_buttons(type);
    if (buttons.empty())
        return 0;
    const std::size_t index = (type & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}

int message_box_result_for(UINT type, int answer) {
    const std::vector<int> buttons = message_box_buttons(type);
    if (std::find(buttons.begin(), buttons.end(), answer) != buttons.end())
        return answer;
    if (buttons.size() == 1 && buttons.front() == IDOK && (answer == IDCANCEL || answer == IDCLOSE))
        return IDOK;
    return 0;
}

} // namespace lv::dialog
