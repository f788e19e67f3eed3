#include "display/sdl_presenter.h"
#include "win32/window.h"

#include <SDL.h>

namespace lv::display {

int virtual_key_for_sdl(int code) {
    if (code >= SDLK_a && code <= SDLK_z)
        return 'A' + (code - SDLK_a);
    if (code >= SDLK_0 && code <= SDLK_9)
        return '0' + (code - SDLK_0);
    if (code >= SDLK_F1 && code <= SDLK_F12)
        return VK_F1 + (code - SDLK_F1);
    if (code >= SDLK_KP_1 && code <= SDLK_KP_9)
        return VK_NUMPAD1 + (code - SDLK_KP_1);
    switch (code) {
    case SDLK_KP_0:
        return VK_NUMPAD0;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_LSHIFT:
        return VK_LSHIFT;
    case SDLK_RSHIFT:
        return VK_RSHIFT;
    case SDLK_LCTRL:
        return VK_LCONTROL;
    case SDLK_RCTRL:
        return VK_RCONTROL;
    case SDLK_LALT:
        return VK_LMENU;
    case SDLK_RALT:
        return VK_RMENU;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_HOME:
        return VK_HOME;
    case SDLK_END:
        return VK_END;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_INSERT:
        return VK_INSERT;
    case SDLK_DELETE:
        return VK_DELETE;
    case SDLK_CAPSLOCK:
        return VK_CAPITAL;
    case SDLK_PAUSE:
        return VK_PAUSE;
    case SDLK_MINUS:
        return VK_OEM_MINUS;
    case SDLK_EQUALS:
        return VK_OEM_PLUS;
    case SDLK_COMMA:
        return VK_OEM_COMMA;
    case SDLK_PERIOD:
        return VK_OEM_PERIOD;
    case SDLK_SLASH:
        return VK_OEM_2;
    case SDLK_SEMICOLON:
        return VK_OEM_1;
    case SDLK_QUOTE:
        return VK_OEM_7;
    case SDLK_LEFTBRACKET:
        return VK_OEM_4;
    case SDLK_RIGHTBRACKET:
        return VK_OEM_6;
    case SDLK_BACKSLASH:
        return VK_OEM_5;
    case SDLK_BACKQUOTE:
        return VK_OEM_3;
    default:
        return 0;
    }
}

} // namespace lv::display
