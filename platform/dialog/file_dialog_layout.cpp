#include "dialog/file_dialog_layout.h"

#include "dialog/dialog_units.h"
#include "win32/commdlg.h"
#include "win32/controls.h"

#include <algorithm>
#include <initializer_list>

namespace lv::dialog {
namespace {

constexpr const char* kFace = "Tahoma";
constexpr int kPoints = 8;
// In dialog units.
constexpr int kWidth = 300;
constexpr int kMargin = 7;
constexpr int kGap = 4;
constexpr int kLabelHeight = 8;
constexpr int kButtonHeight = 14;
constexpr int kButtonWidth = 50;
constexpr int kUpWidth = 30;
constexpr int kButtonPadding = 10; // around a button's label
constexpr int kListTop = 26;
constexpr int kListHeight = 118;

// The widest of the labels, and their height, in dialog units.
SIZE labels_size(HFONT font, SIZE units, std::initializer_list<const char*> labels) {
    SIZE size{0, kLabelHeight};
    for (const char* label : labels) {
        const SIZE needed =
            pixels_to_dialog_units(measure_text(font, label, 10000, DT_SINGLELINE), units);
        size.cx = std::max(size.cx, needed.cx + 1);
        size.cy = std::max(size.cy, needed.cy);
    }
    return size;
}

} // namespace

DialogTemplate file_dialog_template(const FileDialogTexts& texts, bool save,
                                    const std::string& caption, bool at_owner, bool multiple) {
    HFONT font = create_dialog_font(kFace, kPoints);
    const SIZE units = font_base_units(font);
    const char* type_label = save ? texts.save_type : texts.open_type;
    const char* ok_label = save ? texts.save_button : texts.open_button;
    const SIZE label = labels_size(font, units, {texts.look_in, texts.file_name, type_label});
    const int button_cx =
        std::max(kButtonWidth,
                 labels_size(font, units, {ok_label, texts.cancel_button}).cx + kButtonPadding);
    const int up_cx =
        std::max(kUpWidth, labels_size(font, units, {texts.up_button}).cx + kButtonPadding);
    if (font)
        DeleteObject(font);

    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
              (at_owner ? 0 : DS_CENTER);
    t.caption = caption;
    t.font = kFace;
    t.point_size = kPoints;
    t.cx = kWidth;
    const int field_x = kMargin + label.cx + kGap;
    const int button_x = kWidth - kMargin - button_cx;
    const int field_cx = button_x - kGap - field_x;
    const int name_y = kListTop + kListHeight + 6;
    const int type_y = name_y + 18;
    t.cy = static_cast<short>(type_y + kButtonHeight + kMargin);

    auto label_at = [&](const char* text, int id, int y) {
        t.items.push_back(dialog_item("Static", text, static_cast<WORD>(id), SS_LEFT, kMargin,
                                      y + (12 - label.cy) / 2 + 1, label.cx, label.cy));
    };
    label_at(texts.look_in, kFileDialogFolderLabel, 7);
    t.items.push_back(dialog_item("ComboBox", "", kFileDialogFolderCombo,
                                  CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, field_x, 7,
                                  kWidth - kMargin - up_cx - kGap - field_x, 120));
    t.items.push_back(dialog_item("Button", texts.up_button, kFileDialogUp,
                                  BS_PUSHBUTTON | WS_TABSTOP, kWidth - kMargin - up_cx, 6, up_cx,
                                  kButtonHeight));
    t.items.push_back(dialog_item("ListBox", "", kFileDialogList,
                                  LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                                      LBS_NOINTEGRALHEIGHT | (multiple ? LBS_EXTENDEDSEL : 0) |
                                      WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                                  kMargin, kListTop, kWidth - 2 * kMargin, kListHeight));
    label_at(texts.file_name, kFileDialogNameLabel, name_y);
    t.items.push_back(dialog_item("Edit", "", kFileDialogName,
                                  ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, field_x, name_y,
                                  field_cx, 12));
    t.items.push_back(dialog_item("Button", ok_label, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, button_x,
                                  name_y - 1, button_cx, kButtonHeight));
    label_at(type_label, kFileDialogTypeLabel, type_y);
    t.items.push_back(dialog_item("ComboBox", "", kFileDialogTypeCombo,
                                  CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, field_x, type_y,
                                  field_cx, 90));
    t.items.push_back(dialog_item("Button", texts.cancel_button, IDCANCEL,
                                  BS_PUSHBUTTON | WS_TABSTOP, button_x, type_y - 1, button_cx,
                                  kButtonHeight));
    return t;
}

} // namespace lv::dialog
