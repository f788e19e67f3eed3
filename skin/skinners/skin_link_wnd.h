// Link controls over the skin: the control prints its text and links, and the printout is put
// over the static object's background (or the background under the control), keyed on the
// window colour the control was printed on.
#pragma once

#include "skin/core/static_skin.h"
#include "skin/skinners/skin_control_wnd.h"

class SkinLinkWnd : public SkinControlWnd {
public:
    explicit SkinLinkWnd(SkinWnd* owner) : SkinControlWnd(owner, kLink) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT PaintOverSkin(const StaticSkin& skin);
};
