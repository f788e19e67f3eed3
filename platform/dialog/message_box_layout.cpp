#include "dialog/message_box_layout.h"

#include "dialog/dialog_units.h"
#include "dialog/message_box_buttons.h"
#include "dialog/user_language_texts.h"
#include "win32/controls.h"

#include <algorithm>

namespace lv::dialog {
namespace {

constexpr const char* kFace = "Tahoma";
constexpr int kPoints = 8;
// In dialog units.
constexpr int kMargin = 7;
constexpr int kIconSize = 21; // about 32 pixels
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 6;

} // namespace

namespace {

struct MessageBoxTexts {
    const char* ok;
    const char* cancel;
    const char* abort;
    const char* retry;
    const char* ignore;
    const char* yes;
    const char* no;
    const char* try_again;
    const char* continue_;
    const char* help;
    const char* error_caption;
};

constexpr TextsByLanguage<MessageBoxTexts> kTexts{
    {"OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&Yes", "&No", "&Try Again", "&Continue",
     "Help", "Error"},
    {"OK", "キャンセル", "中止(&A)", "再試行(&R)", "無視(&I)", "はい(&Y)", "いいえ(&N)",
     "再実行(&T)", "続行(&C)", "ヘルプ", "エラー"},
    {"확인", "취소", "중단(&A)", "다시 시도(&R)", "무시(&I)", "예(&Y)", "아니요(&N)",
     "다시 시도(&T)", "계속(&C)", "도움말", "오류"},
};

} // namespace

const char* message_box_label(int result) {
    const MessageBoxTexts& t = in_user_language(kTexts);
    switch (result) {
    case IDOK:
        return t.ok;
    case IDCANCEL:
        return t.cancel;
    case IDABORT:
        return t.abort;
    case IDRETRY:
        return t.retry;
    case IDIGNORE:
        return t.ignore;
    case IDYES:
        return t.yes;
    case IDNO:
        return t.no;
    case IDTRYAGAIN:
        return t.try_again;
    case IDCONTINUE:
        return t.continue_;
    case IDHELP:
        return t.help;
    default:
        return "";
    }
}

const char* message_box_default_caption() {
    return in_user_language(kTexts).error_caption;
}

DialogTemplate message_box_template(const std::string& text, const std::string& caption,
                                    UINT type) {
    HFONT font = create_dialog_font(kFace, kPoints);
    const SIZE units = font_base_units(font);
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const SIZE pixels =
        measure_text(font, text, screen_width * 3 / 5, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    if (font)
        DeleteObject(font);
    const SIZE text_units = pixels_to_dialog_units(pixels, units);
    const int text_cx = text_units.cx + 1;
    const int text_cy = text_units.cy;

    const bool has_icon = (type & MB_ICONMASK) != 0;
    const int text_x = kMargin + (has_icon ? kIconSize + kMargin : 0);
    const int body_cy = std::max(text_cy, has_icon ? kIconSize : 0);
    const std::vector<int> buttons = message_box_buttons(type);
    const int buttons_cx =
        static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;

    DialogTemplate t;
    t.style =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_NOIDLEMSG;
    t.ex_style = (type & MB_TOPMOST) ? WS_EX_TOPMOST : 0;
    t.caption = caption;
    t.font = kFace;
    t.point_size = kPoints;
    t.cx = static_cast<short>(std::max(text_x + text_cx + kMargin, buttons_cx + 2 * kMargin));
    t.cy = static_cast<short>(kMargin + body_cy + kMargin + kButtonHeight + kMargin);

    if (has_icon)
        t.items.push_back(dialog_item("Static", "", kMessageBoxIconId, SS_OWNERDRAW, kMargin,
                                      kMargin, kIconSize, kIconSize));
    const int text_y = kMargin + (body_cy - text_cy) / 2;
    t.items.push_back(dialog_item("Static", text, kMessageBoxTextId, SS_LEFT | SS_NOPREFIX, text_x,
                                  text_y, text_cx, text_cy));
    const int default_result = message_box_default(type);
    int x = (t.cx - buttons_cx) / 2;
    const int y = t.cy - kMargin - kButtonHeight;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const DWORD style = WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                            (buttons[i] == default_result ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        t.items.push_back(dialog_item("Button", message_box_label(buttons[i]),
                                      static_cast<WORD>(buttons[i]), style, x, y, kButtonWidth,
                                      kButtonHeight));
        x += kButtonWidth + kButtonGap;
    }
    return t;
}

} // namespace lv::dialog
