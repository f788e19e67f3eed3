// Where the settings dialog and its advanced dialogs put their controls on the screen: their
// templates in dialog units, turned into screen pixels from the dialog's window rectangle (the
// dialogs are unskinned when the theme has no skin).
#pragma once

#include "tests/support/dialog_on_screen.h"
#include "win32/win32.h"

namespace settings_layout {

constexpr DWORD kDialogStyle = lvtest::kModalDialogStyle;
// The settings dialog: where its pages sit, its tabs and OK.
constexpr POINT kPageOrigin{7, 32};
constexpr RECT kAdvancedTab{87, 9, 87 + 81, 9 + 22};
constexpr RECT kSettingsOk{167, 197, 167 + 60, 197 + 30};
constexpr RECT kSettingsCancel{227, 197, 227 + 60, 197 + 30};
// The options page.
constexpr RECT kMuteCheck{10, 12, 10 + 77, 12 + 10};
constexpr RECT kIntervalEdit{66, 104, 66 + 40, 104 + 12};
// The advanced page's five buttons.
constexpr RECT kBackColourButton{15, 0, 15 + 60, 20};
constexpr RECT kMusicButton{15, 30, 15 + 60, 30 + 20};
constexpr RECT kTransitionButton{15, 60, 15 + 60, 60 + 20};
constexpr RECT kFrameButton{15, 90, 15 + 60, 90 + 20};
constexpr RECT kMediaButton{15, 120, 15 + 60, 120 + 20};
// The background colour dialog.
constexpr RECT kColourButton{65, 12, 65 + 60, 12 + 20};
// The colour dialog: the third row's red cell and its yellow one,
// OK and Cancel.
constexpr RECT kColourDialogRedCell{4, 42, 4 + 14, 42 + 11};
constexpr RECT kColourDialogYellowCell{4 + 2 * 17, 42, 4 + 2 * 17 + 14, 42 + 11};
constexpr COLORREF kColourDialogRed = RGB(220, 30, 30);
constexpr RECT kColourDialogOk{118, 146, 118 + 48, 146 + 14};
constexpr RECT kColourDialogCancel{170, 146, 170 + 48, 146 + 14};
// The music dialog's add button.
constexpr RECT kMusicAdd{107, 9, 107 + 21, 9 + 21};
// The media dialog.
constexpr RECT kMediaList{0, 0, 279, 104};
constexpr RECT kMediaAdd{1, 105, 1 + 43, 105 + 18};
constexpr RECT kMediaDelete{48, 105, 48 + 43, 105 + 18};
constexpr RECT kMediaExport{236, 105, 236 + 43, 105 + 18};
// Cancel and Apply of the advanced dialogs.
constexpr RECT kAdvancedCancel{180, 142, 180 + 50, 142 + 20};
constexpr RECT kAdvancedApply{230, 142, 230 + 50, 142 + 20};

// The advanced page's dialogs: the button that opens each, its title, the name of its
// screenshot, and whether Escape closes it (the media dialog takes no Escape: it would lose the
// captions being typed).
struct AdvancedDialog {
    RECT button;
    const char* title;
    const char* shot;
    bool by_escape;
};
constexpr AdvancedDialog kBackColourDialog{kBackColourButton, "Background Color Advanced Setting",
                                           "back-colour", true};
constexpr AdvancedDialog kMusicDialog{kMusicButton, "Background Music Advanced Setting", "music",
                                      true};
constexpr AdvancedDialog kTransitionDialog{kTransitionButton, "Transition Advanced Setting",
                                           "transition", true};
constexpr AdvancedDialog kFrameDialog{kFrameButton, "Frmae Advanced Setting", "frame", true};
constexpr AdvancedDialog kMediaDialog{kMediaButton, "Media Advanced Setting", "media", false};

inline RECT OnScreen(const RECT& window, const RECT& units) {
    return lvtest::DialogControlOnScreen(window, units, kDialogStyle);
}

// A control of a page of the settings dialog.
inline RECT OnPage(const RECT& window, RECT units) {
    OffsetRect(&units, kPageOrigin.x, kPageOrigin.y);
    return OnScreen(window, units);
}

using lvtest::Centre;

} // namespace settings_layout
