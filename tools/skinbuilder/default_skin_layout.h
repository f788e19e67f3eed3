// Where each piece of the default skin's artwork sits in its image, shared by the drawing
// and by the objects that refer to it.
#pragma once

#include "win32/win32.h"

namespace default_skin::layout {

// windows.bmp
constexpr int kWindowsWidth = 288;
constexpr int kWindowsHeight = 510;
constexpr int kFrameWidth = 276;
constexpr int kFrameHeight = 160;
constexpr int kActiveFrameTop = 0;
constexpr int kInactiveFrameTop = 160;
constexpr int kCaptionHeight = 30;
constexpr int kButtonRowTop = 320;
constexpr int kButtonCell = 18;
enum Glyph { GlyphClose, GlyphMaximize, GlyphRestore, GlyphMinimize, kGlyphCount };
enum ButtonState { StateNormal, StateHot, StatePressed, StateDisabled, kButtonStateCount };
constexpr int kMenuTop = 338;
constexpr int kMenuWidth = 278;
constexpr int kMenuHeight = 152;
constexpr int kMenuBorder = 4;
constexpr RECT kMenuActiveItem{0, 490, 40, 510};
constexpr RECT kMenuSeparator{40, 490, 80, 497};
constexpr RECT kMenuSubmenuArrow{80, 490, 88, 498};
constexpr RECT kMenuCheck{90, 490, 102, 502};

constexpr RECT ButtonCell(int glyph, int state) {
    const int x = (glyph * kButtonStateCount + state) * kButtonCell;
    return {x, kButtonRowTop, x + kButtonCell, kButtonRowTop + kButtonCell};
}

// button.bmp
constexpr int kButtonsWidth = 120;
constexpr int kButtonsHeight = 40;
constexpr int kCheckBox = 13;
constexpr int kCheckStateCount = 7;
constexpr RECT CheckBoxCell(int state) {
    return {state * kCheckBox, 0, state * kCheckBox + kCheckBox, kCheckBox};
}
constexpr RECT kEditBorder{0, 16, 24, 40};
constexpr int kEditMargin = 2;
constexpr RECT kGroupFrame{24, 16, 48, 40};
constexpr int kGroupMargin = 4;
constexpr RECT kProgressTrack{48, 16, 72, 32};
constexpr RECT kProgressFill{72, 16, 96, 32};
constexpr int kProgressMargin = 3;

// The palette: soft neutral greys and one accent.
constexpr COLORREF kAccent = RGB(64, 120, 192);
constexpr COLORREF kAccentSoft = RGB(222, 232, 246);
constexpr COLORREF kAccentLine = RGB(170, 196, 232);
constexpr COLORREF kBorder = RGB(150, 156, 164);
constexpr COLORREF kBorderSoft = RGB(205, 209, 214);
constexpr COLORREF kFace = RGB(240, 241, 243);
constexpr COLORREF kInactiveFace = RGB(246, 247, 248);
constexpr COLORREF kWhite = RGB(252, 252, 253);
// The client area of frames and dialogs: the colour the programs' dialogs are drawn in.
constexpr COLORREF kClient = RGB(250, 250, 250);
constexpr COLORREF kText = RGB(40, 44, 52);
constexpr COLORREF kMutedText = RGB(140, 146, 156);

} // namespace default_skin::layout
