// Where each piece of the full skin's artwork sits in its images and which colour marks which
// state, shared by the drawing, by the objects that refer to it and by the tests that sample it.
#pragma once

#include "win32/win32.h"

namespace full_skin::layout {

// ---- The state colours: every state of every control has its own ------------------------------
constexpr COLORREF kRest = RGB(206, 222, 244);     // normal
constexpr COLORREF kHot = RGB(150, 214, 250);      // hovered, highlighted
constexpr COLORREF kPressed = RGB(36, 70, 140);    // pressed, selected by the mouse
constexpr COLORREF kDisabled = RGB(214, 214, 214); // disabled
constexpr COLORREF kFocused = RGB(252, 214, 168);  // has the focus
constexpr COLORREF kDefault = RGB(222, 204, 246);  // the default push button
constexpr COLORREF kChecked = RGB(52, 156, 84);    // checked, selected
constexpr COLORREF kGrayed = RGB(150, 150, 150);   // indeterminate
constexpr COLORREF kEdge = RGB(60, 80, 110);
constexpr COLORREF kFace = RGB(238, 240, 244);
constexpr COLORREF kText = RGB(24, 30, 42);
constexpr COLORREF kLightText = RGB(252, 252, 252);
constexpr COLORREF kMutedText = RGB(128, 128, 128);
constexpr COLORREF kAccent = RGB(214, 96, 32);
constexpr COLORREF kWindow = RGB(250, 252, 255);
// The active caption and the title's plate on it, dark enough for light text.
constexpr COLORREF kCaptionTop = RGB(56, 100, 180);
constexpr COLORREF kCaptionBottom = RGB(30, 60, 124);
constexpr COLORREF kTitlePlate = RGB(18, 36, 78);

// The border colour of each bordered control object, so that a border tells which object drew it.
constexpr COLORREF kEditBorder = RGB(40, 120, 200);
constexpr COLORREF kListBoxBorder = RGB(200, 60, 60);
constexpr COLORREF kIpBorder = RGB(150, 90, 30);
constexpr COLORREF kListViewBorder = RGB(30, 150, 130);
constexpr COLORREF kTreeViewBorder = RGB(110, 60, 170);
constexpr COLORREF kRichEditBorder = RGB(60, 140, 40);

// ---- frame.bmp --------------------------------------------------------------------------------
constexpr int kFrameImageWidth = 436;
constexpr int kFrameImageHeight = 510;
constexpr int kFrameWidth = 276;
constexpr int kFrameHeight = 160;
constexpr int kActiveFrameTop = 0;
constexpr int kInactiveFrameTop = 160;
constexpr int kCaptionHeight = 30;
constexpr int kCaptionButtonTop = 320;
constexpr int kCaptionButton = 18;
enum Glyph {
    GlyphClose,
    GlyphMaximize,
    GlyphRestore,
    GlyphMinimize,
    GlyphHelp,
    GlyphSystemMenu,
    kGlyphCount
};
enum CaptionState { CaptionNormal, CaptionHot, CaptionPressed, CaptionDisabled, kCaptionStates };
constexpr RECT CaptionButtonCell(int glyph, int state) {
    const int x = (glyph * kCaptionStates + state) * kCaptionButton;
    return {x, kCaptionButtonTop, x + kCaptionButton, kCaptionButtonTop + kCaptionButton};
}
constexpr int kMenuTop = 338;
constexpr int kMenuWidth = 278;
constexpr int kMenuHeight = 152;
constexpr RECT kMenuActiveItem{0, 490, 40, 510};
constexpr RECT kMenuSeparator{40, 490, 80, 497};
constexpr RECT kMenuSubmenuArrow{80, 490, 88, 498};
constexpr RECT kMenuCheck{90, 490, 102, 502};
constexpr RECT kMdiClient{280, 0, 312, 32};
constexpr RECT kMenuBar{280, 40, 320, 60};
constexpr RECT kMenuBarHot{280, 60, 320, 80};
constexpr RECT kMenuBarOpen{280, 80, 320, 100};
constexpr int kMenuBarButton = 16;
constexpr RECT MenuBarButtonCell(int index) { // 12: three rows of four
    const int x = 280 + (index % 4) * kMenuBarButton, y = 100 + (index / 4) * 14;
    return {x, y, x + kMenuBarButton, y + 14};
}
constexpr RECT kFrameText{280, 150, 340, 166};
constexpr int kTitleTop = 7; // where the title lies in the caption
constexpr RECT kType2Image{280, 170, 296, 186};
constexpr RECT kType39Image{300, 170, 316, 186};

// ---- buttons.bmp ------------------------------------------------------------------------------
constexpr int kButtonsWidth = 360;
constexpr int kButtonsHeight = 70;
constexpr int kPushWidth = 60;
constexpr int kPushHeight = 24;
constexpr int kPushMargin = 4;
constexpr RECT PushButtonCell(int state) { // ButtonSkin's six states
    return {state * kPushWidth, 0, state * kPushWidth + kPushWidth, kPushHeight};
}
constexpr int kBox = 13;
constexpr RECT CheckBoxCell(int state) { // CheckBoxSkin's seven states
    return {state * kBox, 30, state * kBox + kBox, 30 + kBox};
}
constexpr RECT RadioCell(int state) {
    return {100 + state * kBox, 30, 100 + state * kBox + kBox, 30 + kBox};
}
constexpr int kBackCell = 16;
constexpr int kBackMargin = 3;
constexpr RECT CheckBackgroundCell(int state) {
    return {state * kBackCell, 50, state * kBackCell + kBackCell, 50 + kBackCell};
}
constexpr RECT RadioBackgroundCell(int state) {
    return {120 + state * kBackCell, 50, 120 + state * kBackCell + kBackCell, 50 + kBackCell};
}

// ---- controls.bmp -----------------------------------------------------------------------------
constexpr int kControlsWidth = 320;
constexpr int kControlsHeight = 96;
constexpr int kBorderCell = 24;
constexpr int kBorderMargin = 3;
enum Bordered {
    BorderEdit,
    BorderListBox,
    BorderIp,
    BorderListView,
    BorderTreeView,
    BorderRichEdit,
    kBorderedCount
};
constexpr RECT BorderCell(int bordered) {
    return {bordered * kBorderCell, 0, bordered * kBorderCell + kBorderCell, kBorderCell};
}
constexpr RECT kGroupFrame{144, 0, 168, 24};
constexpr int kGroupMargin = 4;
constexpr RECT kGroupCaption{168, 0, 192, 18};
constexpr int kGroupCaptionMargin = 4;
constexpr RECT kProgressTrack{192, 0, 216, 16};
constexpr RECT kProgressFill{216, 0, 240, 16};
constexpr int kProgressMargin = 3;
constexpr RECT kStaticBack{240, 0, 264, 24};
constexpr RECT kComboFrame{264, 0, 288, 24};
constexpr RECT kSliderBack{288, 0, 312, 24};
constexpr int kPattern = 32;
constexpr RECT BackgroundCell(int bordered) { // tiled under a control's own pixels
    return {bordered * kPattern, 24, bordered * kPattern + kPattern, 24 + kPattern};
}
constexpr RECT kAnimateBackground{192, 24, 224, 56};
constexpr RECT kAnimateBorder{224, 24, 248, 48};
enum ComboThumb { ThumbNormal, ThumbPressed, ThumbHovered, ThumbDisabled, kComboThumbs };
constexpr RECT ComboThumbCell(int state) {
    return {state * 18, 56, state * 18 + 18, 76};
}
constexpr int kSpinWidth = 16;
constexpr int kSpinHalf = 10;
constexpr RECT SpinUpCell(int state) { // SpinSkin's NORMAL, HOVER, PRESSED, DISABLED
    return {80 + state * kSpinWidth, 56, 80 + state * kSpinWidth + kSpinWidth, 56 + kSpinHalf};
}
constexpr RECT SpinDownCell(int state) {
    return {80 + state * kSpinWidth, 66, 80 + state * kSpinWidth + kSpinWidth, 66 + kSpinHalf};
}
constexpr RECT kSliderChannel{150, 56, 174, 62};
constexpr RECT kSliderThumbHorizontal{180, 56, 192, 78};
constexpr RECT kSliderThumbVertical{196, 56, 218, 68};
constexpr RECT kGripper{224, 56, 240, 72};
constexpr int kScrollPiece = 16;
enum ScrollPiece { PieceArrow1, PieceArrow2, PieceTrack, PieceThumb, kScrollPieces };
constexpr RECT ScrollPieceCell(int state, int piece) { // ScrollBarSkin's four states
    const int x = (state * kScrollPieces + piece) * kScrollPiece;
    return {x, 80, x + kScrollPiece, 80 + kScrollPiece};
}

// ---- items.bmp --------------------------------------------------------------------------------
constexpr int kItemsWidth = 320;
constexpr int kItemsHeight = 68;
constexpr RECT TabCell(int state) { // TabSkin's NORMAL, PRESSED, DISABLED, HOVERED
    return {state * 60, 0, state * 60 + 60, 22};
}
constexpr RECT kTabFrame{240, 0, 264, 24};
constexpr RECT kTabBackground{264, 0, 288, 24};
constexpr RECT kHeaderItem{0, 24, 40, 44};
constexpr RECT kHeaderBackground{40, 24, 64, 44};
constexpr RECT kStatusBack{64, 24, 88, 44};
constexpr RECT kStatusItem{88, 24, 112, 44};
constexpr RECT kStatusExtra{112, 24, 128, 40};
constexpr RECT ToolBarCell(int index) { // normal, pressed, hot, disabled and a spare
    return {128 + index * 24, 24, 152 + index * 24, 44};
}
constexpr RECT kReBarBack{0, 44, 24, 68};
constexpr RECT kReBarBand{24, 44, 48, 68};
constexpr RECT kControlBarBack{48, 44, 72, 68};
constexpr RECT kCustomBack{72, 44, 96, 68};
constexpr int kItemMargin = 4;

} // namespace full_skin::layout
