// Driving the settings dialogs as a person would, and reading back what they show: helpers of
// the dialog tests.
#pragma once

#include "win32/win32.h"

#include <string>
#include <vector>

namespace dlgdrive {

// The first control with this id among the window's descendants, depth first; null if none.
HWND FindControl(HWND root, int id);
// Delivers everything queued for this thread, through IsDialogMessage for `dialog`.
void Pump(HWND dialog);
// Clicks the middle of the control and lets its top-level window handle the input.
void Click(HWND control);
// Clicks a point relative to the control's window rectangle.
void ClickAt(HWND control, int x, int y);
// Clicks a button that opens a file dialog, in which a person then picks `path` (with the
// filter `filterIndex`, 0 for the one the dialog proposes).
void ClickAndPickFile(HWND button, const std::string& path, DWORD filterIndex = 0);
// Replaces an edit's text by typing: click into it, delete what is there, type `text`.
void TypeInto(HWND edit, const std::string& text);
// Moves the mouse pointer away from every dialog, so that no button shows its hover look.
void MovePointerAway();
std::string TextOf(HWND hwnd);

// Whether the control shows the bitmap resource `id` at its top-left corner, 1:1, judged at a
// few points near its corners, away from where a label would be drawn.
bool ShowsBitmap(HWND control, UINT id);
// Whether more than a few pixels inside the control differ from the one at its inner corner.
bool HasDrawing(HWND control);
// The labels of the window's controls (statics, group boxes, check boxes, radio and push
// buttons with text) whose text does not fit the room the control gives it in its own font,
// each as "<id> \"<text>\" needs <w> x <h>, has <w> x <h>".
std::vector<std::string> TextsThatDoNotFit(HWND window);
// Repaints the dialog and all its children now and writes it as a PNG file.
bool SaveScreenshot(HWND dialog, const std::string& path);

} // namespace dlgdrive
