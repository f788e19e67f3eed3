// The factory of the control skinners: a skinner for each control type the toolkit paints.
#include "skin/skinners/skin_animate_wnd.h"
#include "skin/skinners/skin_bordered_wnd.h"
#include "skin/skinners/skin_check_box_wnd.h"
#include "skin/skinners/skin_combo_box_wnd.h"
#include "skin/skinners/skin_control_bar_wnd.h"
#include "skin/skinners/skin_edit_wnd.h"
#include "skin/skinners/skin_group_box_wnd.h"
#include "skin/skinners/skin_header_wnd.h"
#include "skin/skinners/skin_link_wnd.h"
#include "skin/skinners/skin_progress_wnd.h"
#include "skin/skinners/skin_push_button_wnd.h"
#include "skin/skinners/skin_radio_wnd.h"
#include "skin/skinners/skin_rebar_wnd.h"
#include "skin/skinners/skin_scroll_bar_ctrl_wnd.h"
#include "skin/skinners/skin_slider_wnd.h"
#include "skin/skinners/skin_spin_wnd.h"
#include "skin/skinners/skin_static_wnd.h"
#include "skin/skinners/skin_status_bar_wnd.h"
#include "skin/skinners/skin_tab_wnd.h"
#include "skin/skinners/skin_tool_bar_wnd.h"

std::unique_ptr<SkinWnd> SkinWnd::CreateControlSkin(std::uint32_t type) {
    using T = SkinControlWnd;
    switch (type) {
    case T::kPushButton:
        return std::make_unique<SkinPushButtonWnd>(this);
    case T::kCheckBox:
        return std::make_unique<SkinCheckBoxWnd>(this);
    case T::kRadio:
        return std::make_unique<SkinRadioWnd>(this);
    case T::kGroupBox:
        return std::make_unique<SkinGroupBoxWnd>(this);
    case T::kStatic:
        return std::make_unique<SkinStaticWnd>(this);
    case T::kEdit:
    case T::kRichEdit:
        // A plain edit keeps its own object type; the rich edit has its own.
        return std::make_unique<SkinEditWnd>(this, type);
    case T::kListBox:
        return std::make_unique<SkinListBoxWnd>(this);
    case T::kIpAddress:
        return std::make_unique<SkinBorderedWnd>(this, type);
    case T::kTreeView:
        return std::make_unique<SkinTreeWnd>(this);
    case T::kListView:
        return std::make_unique<SkinListViewWnd>(this);
    case T::kComboBox:
        return std::make_unique<SkinComboBoxWnd>(this);
    case T::kTrackbar:
        return std::make_unique<SkinSliderWnd>(this);
    case T::kUpDown:
        return std::make_unique<SkinSpinWnd>(this);
    case T::kProgress:
        return std::make_unique<SkinProgressWnd>(this);
    case T::kScrollBar:
        return std::make_unique<SkinScrollBarCtrlWnd>(this);
    case T::kStatusBar:
        return std::make_unique<SkinStatusBarWnd>(this);
    case T::kTab:
        return std::make_unique<SkinTabWnd>(this);
    case T::kToolBar:
        return std::make_unique<SkinToolBarWnd>(this);
    case T::kControlBar:
        return std::make_unique<SkinControlBarWnd>(this);
    case T::kReBar:
        return std::make_unique<SkinReBarWnd>(this);
    case T::kHeader:
        return std::make_unique<SkinHeaderWnd>(this);
    case T::kLink:
        return std::make_unique<SkinLinkWnd>(this);
    case T::kAnimate:
        return std::make_unique<SkinAnimateWnd>(this);
    default:
        // Types whose skinners come later keep the platform's drawing.
        return nullptr;
    }
}
