// TranslateMessage: key-down messages become character messages for a US keyboard layout.
#include "window/dispatch.h"
#include "window/input_state.h"
#include "window/message_queue.h"

namespace {

struct ShiftedPair {
    int vk;
    char plain;
    char shifted;
};

constexpr ShiftedPair kPunctuation[] = {
    {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

// The character a key makes with the current modifiers; 0 when none.
int character_for(int vk) {
    bool shift = lv::window::key_down(VK_SHIFT);
    bool ctrl = lv::window::key_down(VK_CONTROL);
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl)
            return vk - 'A' + 1;
        bool upper = shift != lv::window::key_toggled(VK_CAPITAL);
        return upper ? vk : vk - 'A' + 'a';
    }
    if (ctrl)
        return 0;
    if (vk >= '0' && vk <= '9')
        return shift ? kShiftedDigits[vk - '0'] : vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return '0' + (vk - VK_NUMPAD0);
    switch (vk) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_BACK:
        return '\b';
    case VK_TAB:
        return '\t';
    case VK_ESCAPE:
        return 0x1B;
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    case VK_DECIMAL:
        return '.';
    case VK_DIVIDE:
        return '/';
    default:
        break;
    }
    for (const auto& p : kPunctuation)
        if (p.vk == vk)
            return shift ? p.shifted : p.plain;
    return 0;
}

} // namespace

using namespace lv::window;

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    int ch = character_for(static_cast<int>(msg->wParam));
    if (ch == 0)
        return FALSE;
    MSG out = *msg;
    out.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    out.wParam = static_cast<WPARAM>(static_cast<unsigned char>(ch));
    // The character comes next, before anything posted after the key.
    ThreadQueue& q = current_queue();
    {
        std::lock_guard lock(q.mutex);
        q.posted.push_front(PostedMessage{out, q.next_seq++});
        q.wake = true;
    }
    return TRUE;
}
