#include "skin/skinners/skin_turn.h"

#include "imagelib/px_image.h"

bool DrawTurned(HDC dc, HBITMAP lying, Turn turn) {
    PxImage picture;
    const bool made = picture.CreateFromHBITMAP(lying);
    DeleteObject(lying);
    if (!made)
        return false;
    const bool turned = turn == Turn::Clockwise ? picture.RotateRight() : picture.RotateLeft();
    return turned && picture.Draw(dc, 0, 0);
}
