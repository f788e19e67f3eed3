// The full skin's artwork: every state of every piece in a colour of its own (see
// full_skin_layout.h), with a glyph where the state is more than a colour.
#include "tools/skinbuilder/full_skin.h"
#include "tools/skinbuilder/full_skin_layout.h"

namespace full_skin {

using namespace layout;

namespace {

RECT Inset(RECT r, int by) {
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

int CentreX(const RECT& r) {
    return (r.left + r.right) / 2;
}

int CentreY(const RECT& r) {
    return (r.top + r.bottom) / 2;
}

// A filled, rounded plate with an outline; its corners hold the key, for pieces the toolkit
// draws keyed.
void Plate(Canvas& c, const RECT& r, COLORREF fill, COLORREF edge, int radius) {
    c.Fill(r, fill);
    c.RoundCorners(r, radius, true, true);
    c.RoundedFrame(r, radius, edge, true, true);
}

// The same plate for a piece the toolkit draws without the key: its corners take the colour of
// what it lies on.
void PlateOn(Canvas& c, const RECT& r, COLORREF fill, COLORREF edge, int radius, COLORREF ground) {
    Plate(c, r, fill, edge, radius);
    c.Ground(r, ground);
}

enum class Direction { up, down, left, right };

// A solid triangle pointing its way, centred in `r`.
void Arrow(Canvas& c, const RECT& r, Direction way, COLORREF ink) {
    const int cx = CentreX(r), cy = CentreY(r);
    for (int i = 0; i < 4; ++i) {
        switch (way) {
        case Direction::up:
            c.Fill({cx - i, cy - 2 + i, cx + i + 1, cy - 1 + i}, ink);
            break;
        case Direction::down:
            c.Fill({cx - i, cy + 1 - i, cx + i + 1, cy + 2 - i}, ink);
            break;
        case Direction::left:
            c.Fill({cx - 2 + i, cy - i, cx - 1 + i, cy + i + 1}, ink);
            break;
        case Direction::right:
            c.Fill({cx + 1 - i, cy - i, cx + 2 - i, cy + i + 1}, ink);
            break;
        }
    }
}

void Tick(Canvas& c, const RECT& box, COLORREF ink) {
    for (int d = 0; d < 2; ++d) {
        c.Line(box.left + 3, box.top + 6 + d, box.left + 5, box.top + 8 + d, ink);
        c.Line(box.left + 5, box.top + 8 + d, box.left + 9, box.top + 4 + d, ink);
    }
}

COLORREF Darker(COLORREF colour) {
    return Mix(colour, RGB(0, 0, 0), 35);
}

// ---- frame.bmp --------------------------------------------------------------------------------

void DrawFrameDesign(Canvas& c, int top, bool active) {
    const RECT whole{0, top, kFrameWidth, top + kFrameHeight};
    c.Fill(whole, active ? kFace : kDisabled);
    const RECT caption{0, top, kFrameWidth, top + kCaptionHeight};
    if (active)
        c.VerticalGradient(caption, kCaptionTop, kCaptionBottom);
    else
        c.VerticalGradient(caption, RGB(190, 190, 196), RGB(160, 160, 168));
    const int clientBottom = top + kFrameHeight - 12;
    c.Fill({10, top + kCaptionHeight, kFrameWidth - 10, clientBottom}, kFace);
    // The client edge runs down the sides and along the bottom only: a line along the top would
    // lie in the centre part, which is repeated down a dialog's background.
    c.Fill({9, top + kCaptionHeight, 10, clientBottom + 1}, kEdge);
    c.Fill({kFrameWidth - 10, top + kCaptionHeight, kFrameWidth - 9, clientBottom + 1}, kEdge);
    c.Fill({9, clientBottom, kFrameWidth - 9, clientBottom + 1}, kEdge);
    c.RoundCorners(whole, 6, true, false);
    c.RoundedFrame(whole, 6, active ? kEdge : kMutedText, true, false);
}

void DrawCaptionGlyph(Canvas& c, const RECT& cell, int glyph, COLORREF ink) {
    const int x = cell.left, y = cell.top;
    switch (glyph) {
    case GlyphClose:
        for (int d = 0; d < 2; ++d) {
            c.Line(x + 5 + d, y + 5, x + 12, y + 12 - d, ink);
            c.Line(x + 12 - d, y + 5, x + 5, y + 12 - d, ink);
        }
        break;
    case GlyphMaximize:
        c.Frame({x + 5, y + 5, x + 13, y + 13}, ink);
        c.Fill({x + 5, y + 6, x + 13, y + 7}, ink);
        break;
    case GlyphRestore:
        c.Frame({x + 7, y + 4, x + 14, y + 11}, ink);
        c.Frame({x + 4, y + 7, x + 11, y + 14}, ink);
        break;
    case GlyphMinimize:
        c.Fill({x + 5, y + 11, x + 13, y + 13}, ink);
        break;
    case GlyphHelp:
        c.Frame({x + 6, y + 4, x + 12, y + 8}, ink);
        c.Fill({x + 9, y + 8, x + 11, y + 11}, ink);
        c.Fill({x + 9, y + 12, x + 11, y + 14}, ink);
        break;
    case GlyphSystemMenu: // three menu lines
        for (int line = 0; line < 3; ++line)
            c.Fill({x + 4, y + 5 + 3 * line, x + 14, y + 6 + 3 * line}, ink);
        break;
    }
}

void DrawCaptionButtons(Canvas& c) {
    const COLORREF plates[kCaptionStates] = {kRest, kHot, kPressed, kDisabled};
    for (int glyph = 0; glyph < kGlyphCount; ++glyph)
        for (int state = 0; state < kCaptionStates; ++state) {
            const RECT cell = CaptionButtonCell(glyph, state);
            Plate(c, cell, plates[state], Darker(plates[state]), 3);
            const COLORREF ink = state == CaptionDisabled  ? kMutedText
                                 : state == CaptionPressed ? kLightText
                                                           : kText;
            DrawCaptionGlyph(c, cell, glyph, ink);
        }
}

void DrawMenuDesign(Canvas& c) {
    const RECT whole{0, kMenuTop, kMenuWidth, kMenuTop + kMenuHeight};
    c.Fill(whole, kWindow);
    c.Frame(whole, kEdge);
    c.Frame(Inset(whole, 1), kRest);
    Plate(c, kMenuActiveItem, kHot, Darker(kHot), 2);
    c.Fill(kMenuSeparator, kWindow);
    c.Fill({kMenuSeparator.left, CentreY(kMenuSeparator), kMenuSeparator.right,
            CentreY(kMenuSeparator) + 1},
           kEdge);
    Arrow(c, kMenuSubmenuArrow, Direction::right, kText);
    Tick(c, kMenuCheck, kChecked);
}

void DrawMenuBarPieces(Canvas& c) {
    // The MDI client's tile is repeated both ways: an even ground with a sparse dot pattern
    // whose period divides the tile, so that no seam shows where tiles meet.
    c.Fill(kMdiClient, RGB(104, 114, 134));
    for (int y = kMdiClient.top; y < kMdiClient.bottom; y += 8)
        for (int x = kMdiClient.left + (y / 8 % 2) * 4; x < kMdiClient.right; x += 8)
            c.SetPixel(x, y, RGB(118, 128, 148));
    c.Fill(kMenuBar, kFace);
    c.Fill({kMenuBar.left, kMenuBar.bottom - 1, kMenuBar.right, kMenuBar.bottom}, kEdge);
    PlateOn(c, kMenuBarHot, kHot, Darker(kHot), 2, kFace);
    PlateOn(c, kMenuBarOpen, kPressed, Darker(kPressed), 2, kFace);
    // The bar takes its buttons in threes (normal, hot, pressed): minimise, restore, close, then
    // the child's icon.
    const COLORREF plates[3] = {kRest, kHot, kPressed};
    const int glyphs[3] = {GlyphMinimize, GlyphRestore, GlyphClose};
    for (int i = 0; i < 12; ++i) {
        const RECT cell = MenuBarButtonCell(i);
        const int state = i % 3, button = i / 3;
        PlateOn(c, cell, plates[state], Darker(plates[state]), 2, kFace);
        const COLORREF ink = state == 2 ? kLightText : kText;
        if (button < 3)
            DrawCaptionGlyph(c, {cell.left - 1, cell.top - 2, cell.right, cell.bottom},
                             glyphs[button], ink);
        else
            c.Fill({cell.left + 4, cell.top + 3, cell.right - 4, cell.bottom - 3}, kAccent);
    }
    // The title's plate lies on the caption, row for row.
    Plate(c, kFrameText, kTitlePlate, kTitlePlate, 3);
    for (int y = kFrameText.top; y < kFrameText.bottom; ++y)
        c.Ground({kFrameText.left, y, kFrameText.right, y + 1},
                 c.Pixel(kFrameWidth / 2, kActiveFrameTop + kTitleTop + y - kFrameText.top));
    PlateOn(c, kType2Image, kChecked, Darker(kChecked), 2, kFace);
    PlateOn(c, kType39Image, kDefault, Darker(kDefault), 2, kFace);
}

// ---- buttons.bmp ------------------------------------------------------------------------------

void DrawPushButtons(Canvas& c) {
    // NORMAL, PRESSED, DEFAULT, FOCUSED, HIGHLIGHTED, DISABLED
    const COLORREF fills[6] = {kRest, kPressed, kDefault, kFocused, kHot, kDisabled};
    for (int state = 0; state < 6; ++state) {
        const RECT cell = PushButtonCell(state);
        Plate(c, cell, fills[state], Darker(fills[state]), 4);
        if (state == 2) // the default button has a second ring
            c.RoundedFrame(Inset(cell, 1), 3, Darker(fills[state]), true, true);
        if (state == 3)
            c.RoundedFrame(Inset(cell, 2), 3, kAccent, true, true);
    }
}

// NORMAL, SELECTED, DISABLED, GRAYEDNORMAL, GRAYEDSELECTED, HIGHLIGHTEDNORMAL,
// HIGHLIGHTEDSELECTED
struct BoxLook {
    COLORREF fill;
    COLORREF edge;
    bool mark;
};
const BoxLook kBoxLooks[7] = {{kWindow, kEdge, false},           {kChecked, Darker(kChecked), true},
                              {kDisabled, kMutedText, false},    {kDisabled, kMutedText, false},
                              {kGrayed, kMutedText, true},       {kHot, Darker(kHot), false},
                              {kPressed, Darker(kPressed), true}};

void DrawCheckBoxes(Canvas& c) {
    for (int state = 0; state < 7; ++state) {
        const BoxLook look = kBoxLooks[state];
        const RECT box = CheckBoxCell(state);
        Plate(c, box, look.fill, look.edge, 2);
        if (look.mark)
            Tick(c, box, kLightText);
        if (state == 3) // indeterminate, unchecked and grey
            c.Fill(Inset(box, 4), kGrayed);
    }
}

void DrawRadios(Canvas& c) {
    for (int state = 0; state < 7; ++state) {
        const BoxLook look = kBoxLooks[state];
        const RECT box = RadioCell(state);
        Plate(c, box, look.fill, look.edge, 6);
        if (look.mark)
            Plate(c, Inset(box, 4), kLightText, kLightText, 2);
        if (state == 3) // grey, with a grey dot where the mark would be
            Plate(c, Inset(box, 5), kGrayed, kGrayed, 1);
    }
}

void DrawBoxBackgrounds(Canvas& c) {
    // A pale tint of each state's box behind the label.
    for (int state = 0; state < 7; ++state) {
        const COLORREF tint = Mix(kBoxLooks[state].fill, kFace, 75);
        for (const RECT& cell : {CheckBackgroundCell(state), RadioBackgroundCell(state)}) {
            c.Fill(cell, tint);
            c.Frame(cell, Mix(kBoxLooks[state].edge, kFace, 50));
        }
    }
}

// ---- controls.bmp -----------------------------------------------------------------------------

void DrawBorders(Canvas& c) {
    const COLORREF edges[kBorderedCount] = {kEditBorder,     kListBoxBorder,  kIpBorder,
                                            kListViewBorder, kTreeViewBorder, kRichEditBorder};
    for (int b = 0; b < kBorderedCount; ++b) {
        const RECT cell = BorderCell(b);
        c.Fill(cell, kWindow);
        c.Frame(cell, edges[b]);
        c.Frame(Inset(cell, 1), edges[b]);
        c.Frame(Inset(cell, 2), Mix(edges[b], kWindow, 60));
        // A pale pattern for under each control's own pixels: stripes in the border's colour.
        const RECT pattern = BackgroundCell(b);
        c.Fill(pattern, kWindow);
        for (int y = pattern.top; y < pattern.bottom; y += 8)
            c.Fill({pattern.left, y, pattern.right, y + 1}, Mix(edges[b], kWindow, 85));
    }
}

void DrawSmallControls(Canvas& c) {
    c.Fill(kGroupFrame, kFace);
    c.RoundedFrame(kGroupFrame, kGroupMargin, kEdge, true, true);
    c.RoundedFrame(Inset(kGroupFrame, 1), kGroupMargin - 1, kRest, true, true);
    PlateOn(c, kGroupCaption, kRest, kEdge, 4, kFace);

    PlateOn(c, kProgressTrack, kWindow, kEdge, 3, kFace);
    c.VerticalGradient(Inset(kProgressFill, 1), RGB(96, 200, 120), kChecked);
    c.RoundCorners(kProgressFill, 3, true, true);

    PlateOn(c, kStaticBack, Mix(kRest, kFace, 60), kRest, 2, kFace);
    c.Fill(kComboFrame, kWindow);
    c.Frame(kComboFrame, kEdge);
    c.Frame(Inset(kComboFrame, 1), kRest);
    c.Fill(kSliderBack, kFace);
    c.Frame(kSliderBack, Mix(kEdge, kFace, 70));

    c.Fill(kAnimateBackground, RGB(30, 34, 44));
    for (int x = kAnimateBackground.left; x < kAnimateBackground.right; x += 8)
        c.Fill({x, kAnimateBackground.top, x + 4, kAnimateBackground.top + 4}, kMutedText);
    c.Fill(kAnimateBorder, kFace);
    c.Frame(kAnimateBorder, kEdge);
    c.Frame(Inset(kAnimateBorder, 1), kAccent);
}

void DrawComboThumbs(Canvas& c) {
    const COLORREF plates[kComboThumbs] = {kRest, kPressed, kHot, kDisabled};
    for (int state = 0; state < kComboThumbs; ++state) {
        const RECT cell = ComboThumbCell(state);
        Plate(c, cell, plates[state], Darker(plates[state]), 2);
        Arrow(c, cell, Direction::down,
              state == ThumbPressed    ? kLightText
              : state == ThumbDisabled ? kMutedText
                                       : kText);
    }
}

void DrawSpins(Canvas& c) {
    const COLORREF plates[4] = {kRest, kHot, kPressed,
                                kDisabled}; // NORMAL, HOVER, PRESSED, DISABLED
    for (int state = 0; state < 4; ++state) {
        const COLORREF ink = state == 2 ? kLightText : state == 3 ? kMutedText : kText;
        const RECT up = SpinUpCell(state), down = SpinDownCell(state);
        PlateOn(c, up, plates[state], Darker(plates[state]), 2, kFace);
        PlateOn(c, down, plates[state], Darker(plates[state]), 2, kFace);
        Arrow(c, up, Direction::up, ink);
        Arrow(c, down, Direction::down, ink);
    }
}

void DrawSliderPieces(Canvas& c) {
    PlateOn(c, kSliderChannel, kWindow, kEdge, 2, kFace);
    Plate(c, kSliderThumbHorizontal, kRest, kEdge, 3);
    c.Fill({CentreX(kSliderThumbHorizontal), kSliderThumbHorizontal.top + 5,
            CentreX(kSliderThumbHorizontal) + 1, kSliderThumbHorizontal.bottom - 5},
           kEdge);
    Plate(c, kSliderThumbVertical, kRest, kEdge, 3);
    c.Fill({kSliderThumbVertical.left + 5, CentreY(kSliderThumbVertical),
            kSliderThumbVertical.right - 5, CentreY(kSliderThumbVertical) + 1},
           kEdge);
    c.Fill(kGripper, kFace);
    for (int d = 3; d < 14; d += 4)
        c.Line(kGripper.left + d, kGripper.bottom - 1, kGripper.right - 1, kGripper.top + d, kEdge);
}

// The drawn scroll bars draw arrows and thumbs without the key (the scroll-bar control keys
// only its thumb): their corners take the track's colour.
void DrawScrollPieces(Canvas& c) {
    const COLORREF plates[4] = {kRest, kPressed, kHot,
                                kDisabled}; // NORMAL, PRESSED, HIGHLIGHTED, DISABLED
    for (int state = 0; state < 4; ++state) {
        const COLORREF fill = plates[state];
        const COLORREF ink = state == 1 ? kLightText : state == 3 ? kMutedText : kText;
        const COLORREF trackFill = Mix(fill, kWindow, 70);
        const RECT first = ScrollPieceCell(state, PieceArrow1);
        const RECT second = ScrollPieceCell(state, PieceArrow2);
        PlateOn(c, first, fill, Darker(fill), 3, trackFill);
        PlateOn(c, second, fill, Darker(fill), 3, trackFill);
        Arrow(c, first, Direction::left, ink);
        Arrow(c, second, Direction::right, ink);
        const RECT track = ScrollPieceCell(state, PieceTrack);
        c.Fill(track, trackFill);
        c.Fill({track.left, track.top, track.right, track.top + 1}, Mix(fill, kEdge, 30));
        c.Fill({track.left, track.bottom - 1, track.right, track.bottom}, Mix(fill, kEdge, 30));
        PlateOn(c, ScrollPieceCell(state, PieceThumb), fill, Darker(fill), 3, trackFill);
    }
}

// ---- items.bmp --------------------------------------------------------------------------------

void DrawItemPieces(Canvas& c) {
    const COLORREF tabs[4] = {kRest, kPressed, kDisabled,
                              kHot}; // NORMAL, PRESSED, DISABLED, HOVERED
    for (int state = 0; state < 4; ++state) {
        const RECT cell = TabCell(state);
        c.Fill(cell, tabs[state]);
        c.RoundCorners(cell, 4, true, false);
        c.RoundedFrame(cell, 4, Darker(tabs[state]), true, false);
    }
    c.Fill(kTabFrame, kFace);
    c.Frame(kTabFrame, kEdge);
    c.Fill(kTabBackground, Mix(kRest, kFace, 80));

    PlateOn(c, kHeaderItem, kRest, kEdge, 2, Mix(kRest, kFace, 50));
    c.Fill(kHeaderBackground, Mix(kRest, kFace, 50));
    c.Fill(kStatusBack, kFace);
    c.Fill({kStatusBack.left, kStatusBack.top, kStatusBack.right, kStatusBack.top + 1}, kEdge);
    PlateOn(c, kStatusItem, kWindow, Mix(kEdge, kWindow, 40), 2, kFace);
    PlateOn(c, kStatusExtra, kAccent, Darker(kAccent), 3, kFace);
    // The toolbar's button images in its order (normal, pressed, hot, disabled), then a spare.
    const COLORREF tools[5] = {kRest, kPressed, kHot, kDisabled, kFace};
    for (int i = 0; i < 5; ++i)
        Plate(c, ToolBarCell(i), tools[i], Darker(tools[i]), 3);

    c.VerticalGradient(kReBarBack, kFace, kRest);
    PlateOn(c, kReBarBand, kWindow, kEdge, 3, Mix(kFace, kRest, 50));
    c.Fill(kControlBarBack, Mix(kDefault, kFace, 50));
    PlateOn(c, kCustomBack, kFocused, kAccent, 4, kFace);
}

} // namespace

Canvas DrawFrameArtwork() {
    Canvas c(kFrameImageWidth, kFrameImageHeight);
    DrawFrameDesign(c, kActiveFrameTop, true);
    DrawFrameDesign(c, kInactiveFrameTop, false);
    DrawCaptionButtons(c);
    DrawMenuDesign(c);
    DrawMenuBarPieces(c);
    return c;
}

Canvas DrawButtonsArtwork() {
    Canvas c(kButtonsWidth, kButtonsHeight);
    DrawPushButtons(c);
    DrawCheckBoxes(c);
    DrawRadios(c);
    DrawBoxBackgrounds(c);
    return c;
}

Canvas DrawControlsArtwork() {
    Canvas c(kControlsWidth, kControlsHeight);
    DrawBorders(c);
    DrawSmallControls(c);
    DrawComboThumbs(c);
    DrawSpins(c);
    DrawSliderPieces(c);
    DrawScrollPieces(c);
    return c;
}

Canvas DrawItemsArtwork() {
    Canvas c(kItemsWidth, kItemsHeight);
    DrawItemPieces(c);
    return c;
}

} // namespace full_skin
