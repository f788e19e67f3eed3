#include "skin/core/skin_object_factory.h"

#include "skin/core/animate_skin.h"
#include "skin/core/bordered_control_skin.h"
#include "skin/core/button_skin.h"
#include "skin/core/caption_button_skin.h"
#include "skin/core/check_box_skin.h"
#include "skin/core/combo_box_skin.h"
#include "skin/core/custom_skin_object.h"
#include "skin/core/frame_skin.h"
#include "skin/core/frame_text_skin.h"
#include "skin/core/group_box_skin.h"
#include "skin/core/header_skin.h"
#include "skin/core/popup_menu_skin.h"
#include "skin/core/progress_skin.h"
#include "skin/core/rebar_skin.h"
#include "skin/core/scroll_bar_skin.h"
#include "skin/core/skin_info.h"
#include "skin/core/skin_object_types_2_39.h"
#include "skin/core/slider_skin.h"
#include "skin/core/spin_skin.h"
#include "skin/core/static_skin.h"
#include "skin/core/status_bar_skin.h"
#include "skin/core/tab_skin.h"
#include "skin/core/tool_bar_skin.h"

namespace {

bool InRange(std::uint32_t id, std::uint32_t first, std::uint32_t last) {
    return id >= first && id <= last;
}

std::unique_ptr<SkinObject> MakeObject(std::uint32_t typeId) {
    if (BorderedControlSkin::HandlesType(typeId))
        return std::make_unique<BorderedControlSkin>(typeId);
    switch (typeId) {
    case FrameSkin::kTypeId:
        return std::make_unique<FrameSkin>();
    case SkinObjectType2::kTypeId:
        return std::make_unique<SkinObjectType2>();
    case CaptionButtonSkin::kTypeId:
        return std::make_unique<CaptionButtonSkin>();
    case ButtonSkin::kTypeId:
        return std::make_unique<ButtonSkin>();
    case CheckBoxSkin::kTypeId:
        return std::make_unique<CheckBoxSkin>();
    case ComboBoxSkin::kTypeId:
        return std::make_unique<ComboBoxSkin>();
    case GroupBoxSkin::kTypeId:
        return std::make_unique<GroupBoxSkin>();
    case ProgressSkin::kTypeId:
        return std::make_unique<ProgressSkin>();
    case RadioSkin::kTypeId:
        return std::make_unique<RadioSkin>();
    case ScrollBarSkin::kTypeId:
        return std::make_unique<ScrollBarSkin>();
    case SliderSkin::kTypeId:
        return std::make_unique<SliderSkin>();
    case StaticSkin::kTypeId:
        return std::make_unique<StaticSkin>();
    case StatusBarSkin::kTypeId:
        return std::make_unique<StatusBarSkin>();
    case TabSkin::kTypeId:
        return std::make_unique<TabSkin>();
    case PopupMenuSkin::kTypeId:
        return std::make_unique<PopupMenuSkin>();
    case ToolBarSkin::kTypeId:
        return std::make_unique<ToolBarSkin>();
    case ControlBarSkin::kTypeId:
        return std::make_unique<ControlBarSkin>();
    case SkinInfo::kTypeId:
        return std::make_unique<SkinInfo>();
    case SpinSkin::kTypeId:
        return std::make_unique<SpinSkin>();
    case ReBarSkin::kTypeId:
        return std::make_unique<ReBarSkin>();
    case HeaderSkin::kTypeId:
        return std::make_unique<HeaderSkin>();
    case FrameTextSkin::kTypeId:
        return std::make_unique<FrameTextSkin>();
    case SkinObjectType39::kTypeId:
        return std::make_unique<SkinObjectType39>();
    case AnimateSkin::kTypeId:
        return std::make_unique<AnimateSkin>();
    case CustomSkinObject::kTypeId:
        return std::make_unique<CustomSkinObject>();
    default:
        return nullptr;
    }
}

} // namespace

bool IsAcceptedSkinType(std::uint32_t id, SkinObjectPlace place) {
    if (id == CustomSkinObject::kTypeId || InRange(id, 4, 17) || InRange(id, 23, 30))
        return true;
    if (place == SkinObjectPlace::TopLevel)
        return id == 1 || id == 2 || InRange(id, 36, 40);
    return id == 3 || InRange(id, 36, 38) || id == 40;
}

std::unique_ptr<SkinObject> CreateSkinObject(std::uint32_t typeId, SkinObjectPlace place) {
    if (!IsAcceptedSkinType(typeId, place))
        return nullptr;
    return MakeObject(typeId);
}
