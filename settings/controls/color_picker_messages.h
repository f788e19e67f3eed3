// What the colour popup tells its button and the button its parent: wParam the colour; from the
// popup lParam 0, from the button its control id.
#pragma once

#include "mfc/mfc.h"

inline constexpr UINT kColourSelChange = WM_USER + 1001;    // hovered, or chosen and different
inline constexpr UINT kColourDropDown = WM_USER + 1002;     // the popup opened
inline constexpr UINT kColourCloseUp = WM_USER + 1003;      // the popup closed
inline constexpr UINT kColourSelEndOk = WM_USER + 1004;     // the choice ended with a colour
inline constexpr UINT kColourSelEndCancel = WM_USER + 1005; // the choice was cancelled

// A colour button holding this draws its default colour; GetColor returns the marker itself.
inline constexpr COLORREF kAutomaticColour = 0xFF000000;
