#include "tools/skinbuilder/default_skin.h"
#include "tools/skinbuilder/default_skin_layout.h"

namespace default_skin {

using namespace layout;

namespace {

constexpr int kFrameRadius = 5;

void DrawFrameDesign(Canvas& c, int top, bool active) {
    const RECT whole{0, top, kFrameWidth, top + kFrameHeight};
    const COLORREF face = active ? kFace : kInactiveFace;
    c.Fill(whole, face);
    const RECT caption{0, top, kFrameWidth, top + kCaptionHeight};
    if (active)
        c.VerticalGradient(caption, RGB(248, 249, 250), RGB(232, 235, 239));
    else
        c.VerticalGradient(caption, RGB(251, 251, 252), RGB(243, 244, 246));
    c.Fill({1, top + kCaptionHeight - 1, kFrameWidth - 1, top + kCaptionHeight},
           active ? kAccent : kBorderSoft);
    // The client edge: a soft line inside the side and bottom borders, round the client
    // area in the dialogs' own colour.
    const int clientBottom = top + kFrameHeight - 12;
    c.Fill({10, top + kCaptionHeight, kFrameWidth - 10, clientBottom}, kClient);
    c.Fill({9, top + kCaptionHeight, 10, clientBottom + 1}, kBorderSoft);
    c.Fill({kFrameWidth - 10, top + kCaptionHeight, kFrameWidth - 9, clientBottom + 1},
           kBorderSoft);
    c.Fill({9, clientBottom, kFrameWidth - 9, clientBottom + 1}, kBorderSoft);
    c.RoundedFrame(whole, kFrameRadius, active ? kBorder : kBorderSoft, true, true);
}

void DrawGlyph(Canvas& c, const RECT& cell, int glyph, COLORREF ink, COLORREF paper) {
    const int x = cell.left;
    const int y = cell.top;
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
        c.Fill({x + 4, y + 7, x + 11, y + 14}, paper);
        c.Frame({x + 4, y + 7, x + 11, y + 14}, ink);
        break;
    case GlyphMinimize:
        c.Fill({x + 5, y + 11, x + 13, y + 13}, ink);
        break;
    }
}

// Buttons at rest are only their glyph over the caption (the key colour around it); hover
// and press give them a rounded plate, and the hot plate is the button's hit region.
void DrawCaptionButtons(Canvas& c) {
    for (int glyph = 0; glyph < kGlyphCount; ++glyph) {
        for (int state = 0; state < kButtonStateCount; ++state) {
            const RECT cell = ButtonCell(glyph, state);
            COLORREF paper = Canvas::kKey;
            COLORREF ink = state == StateDisabled ? kMutedText : kText;
            if (state == StateHot || state == StatePressed) {
                paper = state == StateHot ? kAccentSoft : kAccent;
                c.Fill(cell, paper);
                c.RoundedFrame(cell, 3, state == StateHot ? kAccentLine : kAccent, true, true);
                if (state == StatePressed)
                    ink = kWhite;
            }
            DrawGlyph(c, cell, glyph, ink, paper);
        }
    }
}

void DrawMenuDesign(Canvas& c) {
    const RECT whole{0, kMenuTop, kMenuWidth, kMenuTop + kMenuHeight};
    c.Fill(whole, kWhite);
    c.RoundedFrame(whole, 3, kBorder, true, true);

    c.Fill(kMenuActiveItem, kAccentSoft);
    c.RoundedFrame(kMenuActiveItem, 2, kAccentLine, true, true);

    c.Fill(kMenuSeparator, kWhite);
    const int middle = (kMenuSeparator.top + kMenuSeparator.bottom) / 2;
    c.Fill({kMenuSeparator.left, middle, kMenuSeparator.right, middle + 1}, kBorderSoft);

    const RECT& arrow = kMenuSubmenuArrow;
    for (int i = 0; i < 4; ++i)
        c.Fill({arrow.left + 2 + i, arrow.top + i, arrow.left + 3 + i, arrow.bottom - i}, kText);

    const RECT& check = kMenuCheck;
    for (int d = 0; d < 2; ++d) {
        c.Line(check.left + 2, check.top + 6 + d, check.left + 4, check.top + 8 + d, kAccent);
        c.Line(check.left + 4, check.top + 8 + d, check.left + 9, check.top + 3 + d, kAccent);
    }
}

void DrawTick(Canvas& c, const RECT& box, COLORREF ink) {
    for (int d = 0; d < 2; ++d) {
        c.Line(box.left + 3, box.top + 6 + d, box.left + 5, box.top + 8 + d, ink);
        c.Line(box.left + 5, box.top + 8 + d, box.left + 9, box.top + 4 + d, ink);
    }
}

void DrawCheckBoxes(Canvas& c) {
    enum { Normal, Selected, Disabled, GrayedNormal, GrayedSelected, HotNormal, HotSelected };
    for (int state = 0; state < kCheckStateCount; ++state) {
        const RECT box = CheckBoxCell(state);
        COLORREF fill = kWhite;
        COLORREF edge = kBorder;
        bool tick = false;
        COLORREF ink = kWhite;
        switch (state) {
        case Selected:
            fill = edge = kAccent;
            tick = true;
            break;
        case Disabled:
            fill = kFace;
            edge = kBorderSoft;
            break;
        case GrayedNormal:
            fill = kFace;
            break;
        case GrayedSelected:
            fill = edge = kMutedText;
            tick = true;
            break;
        case HotNormal:
            fill = kAccentSoft;
            edge = kAccent;
            break;
        case HotSelected:
            fill = edge = RGB(84, 140, 212);
            tick = true;
            break;
        default:
            break;
        }
        c.Fill(box, fill);
        c.RoundedFrame(box, 2, edge, true, true);
        if (tick)
            DrawTick(c, box, ink);
        if (state == GrayedNormal)
            c.Fill({box.left + 4, box.top + 4, box.right - 4, box.bottom - 4}, kMutedText);
    }
}

} // namespace

Canvas DrawWindowsArtwork() {
    Canvas c(kWindowsWidth, kWindowsHeight);
    DrawFrameDesign(c, kActiveFrameTop, true);
    DrawFrameDesign(c, kInactiveFrameTop, false);
    DrawCaptionButtons(c);
    DrawMenuDesign(c);
    return c;
}

Canvas DrawButtonArtwork() {
    Canvas c(kButtonsWidth, kButtonsHeight);
    DrawCheckBoxes(c);

    // The edit's border and the progress bar's track are drawn without the key: their round
    // corners take the dialogs' colour.
    c.Fill(kEditBorder, kWhite);
    c.RoundedFrame(kEditBorder, 2, RGB(170, 175, 182), true, true);
    c.Ground(kEditBorder, Mix(RGB(170, 175, 182), kClient, 50));

    c.RoundedFrame(kGroupFrame, kGroupMargin, kBorderSoft, true, true);

    c.Fill(kProgressTrack, RGB(232, 234, 238));
    c.RoundedFrame(kProgressTrack, 3, RGB(190, 195, 202), true, true);
    c.Ground(kProgressTrack, kClient);

    c.VerticalGradient(kProgressFill, RGB(92, 146, 214), kAccent);
    c.RoundCorners(kProgressFill, 3, true, true);
    return c;
}

} // namespace default_skin
