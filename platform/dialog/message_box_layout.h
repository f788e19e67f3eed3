// The dialog template of a message box: icon, wrapped text and the buttons of its type.
#pragma once

#include "dialog/dialog_template.h"

namespace lv::dialog {

constexpr WORD kMessageBoxIconId = 0x0014;
constexpr WORD kMessageBoxTextId = 0xFFFF;

// The label of a button result ("OK", "&No", ...), in the user's language.
const char* message_box_label(int result);
// The caption of a box that is given none ("Error"), in the user's language.
const char* message_box_default_caption();
// A template for the box; its font is the message font.
DialogTemplate message_box_template(const std::string& text, const std::string& caption, UINT type);

} // namespace lv::dialog
