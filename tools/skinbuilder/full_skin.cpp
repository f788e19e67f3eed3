#include "tools/skinbuilder/full_skin.h"

#include "tools/skinbuilder/full_skin_layout.h"
#include "tools/skinbuilder/skin_parts.h"

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
#include "skin/core/named_skin_entry.h"
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

#include "util/le_bytes.h"

namespace full_skin {

using namespace layout;
using namespace skin_parts;

namespace {

// Visibility rules and anchor modes of frame elements.
constexpr std::uint32_t kVisibleIconic = 1;
constexpr std::uint32_t kVisibleNotIconic = 2;
constexpr std::uint32_t kVisibleZoomed = 3;
constexpr std::uint32_t kVisibleNotZoomed = 4;
constexpr std::uint32_t kAnchorTopRight = 4;
constexpr std::uint32_t kContextHelpCommand = 0xF180; // SC_CONTEXTHELP
constexpr std::uint32_t kRegionOr = 2;

// ---- frames and menus -------------------------------------------------------------------------

std::unique_ptr<CaptionButtonSkin> CaptionButton(const char* name, int glyph, std::uint32_t kind,
                                                 RECT place, std::uint32_t visibility) {
    auto button = std::make_unique<CaptionButtonSkin>();
    button->SetName(name);
    button->rect = place;
    button->anchorMode = kAnchorTopRight;
    button->buttonKind = kind;
    button->visibilityRule = visibility;
    button->image = ImagePart(kFrameImage, CaptionButtonCell(glyph, CaptionNormal), kCopyClipped);
    button->stateImages = {
        ImagePart(kFrameImage, CaptionButtonCell(glyph, CaptionHot), kCopyClipped),
        ImagePart(kFrameImage, CaptionButtonCell(glyph, CaptionPressed), kCopyClipped),
        ImagePart(kFrameImage, CaptionButtonCell(glyph, CaptionDisabled), kCopyClipped)};
    return button;
}

std::unique_ptr<CaptionButtonSkin> SystemIcon(const char* name) {
    auto icon = std::make_unique<CaptionButtonSkin>();
    icon->SetName(name);
    icon->rect = {8, 7, 24, 23};
    icon->buttonKind = CaptionButtonSkin::WindowIcon;
    return icon;
}

// A help button that stays down once pressed, sending the context-help command.
std::unique_ptr<CaptionButtonSkin> HelpButton(const char* name, RECT place) {
    auto help = CaptionButton(name, GlyphHelp, CaptionButtonSkin::Custom, place, 0);
    help->commandId = kContextHelpCommand;
    help->toggle = 1;
    SetText(help->secondText, "Help");
    return help;
}

std::unique_ptr<FrameTextSkin> Title() {
    auto title = std::make_unique<FrameTextSkin>();
    title->SetName("Title");
    title->rect = {30, kTitleTop, 180, kTitleTop + kFrameText.bottom - kFrameText.top};
    title->image = ImagePart(kFrameImage, kFrameText, kStretch);
    title->textKind = FrameTextSkin::kOwnerText;
    title->anchors = {1, 1, 1, 0, 0};
    title->regionMode = kRegionOr;
    title->font = UiFont(700, kLightText);
    title->effect = ShadowedText(kLightText, RGB(0, 0, 0));
    title->horizontalAlign = 1; // centred on its plate, clear of the plate's round ends
    title->verticalAlign = 1;
    return title;
}

constexpr RECT ButtonSlot(int fromRight) {
    const int right = kFrameWidth - 8 - fromRight * (kCaptionButton + 2);
    return {right - kCaptionButton, 6, right, 6 + kCaptionButton};
}

void FillFontElement(FontElementSkin& element) {
    element.font = UiFont(400, kText);
    SetBlockColor(element.blocks[0], kText);
    SetBlockColor(element.blocks[1], kMutedText);
    SetBlockColor(element.blocks[2], kText);
    SetBlockColor(element.blocks[3], kLightText);
    // Image 1 is the hot title's, image 2 the open title's, image 3 the bar's own.
    element.color1 = kFace;
    element.color1Own = kHot;
    element.color2Own = kPressed;
    element.nineGrid1 = NineGrid(kFrameImage, kMenuBarHot, 3, kStretchEdges);
    element.nineGrid2 = NineGrid(kFrameImage, kMenuBarOpen, 3, kStretchEdges);
    element.nineGrid3 = NineGrid(kFrameImage, kMenuBar, 2, kStretchEdges);
    for (int i = 0; i < 12; ++i)
        element.stateImages[static_cast<std::size_t>(i)] =
            ImagePart(kFrameImage, MenuBarButtonCell(i), kCopyClipped);
}

std::unique_ptr<FrameSkin> Frame(const char* name, bool dialog) {
    auto frame = std::make_unique<FrameSkin>();
    frame->SetName(name);
    for (int i = 0; i < NinePartFrameSkin::kPartCount; ++i) {
        const RECT part = frame->partRects[i];
        frame->partImages[i] =
            ImagePart(kFrameImage, Offset(part, 0, kActiveFrameTop), kStretchAll);
        frame->partImages[NinePartFrameSkin::kPartCount + i] =
            ImagePart(kFrameImage, Offset(part, 0, kInactiveFrameTop), kStretchAll);
    }
    frame->frameColor1 = kFace;
    frame->frameColor2 = kDisabled;
    frame->frameColor3 = kFace;
    frame->font = UiFont(700, kLightText);
    frame->effect = ShadowedText(kLightText, kPressed);
    FillFontElement(frame->fontElement);
    frame->mdiClientImage = ImagePart(kFrameImage, kMdiClient, kTile);

    frame->AddChild(CaptionButton(dialog ? "DlgClose" : "Close", GlyphClose,
                                  CaptionButtonSkin::Close, ButtonSlot(0), 0));
    frame->AddChild(SystemIcon(dialog ? "DlgSyS" : "Sys"));
    if (dialog) {
        frame->AddChild(HelpButton("DlgHelp", ButtonSlot(1)));
        frame->AddChild(CaptionButton("SysMenu", GlyphSystemMenu, CaptionButtonSkin::SystemMenu,
                                      ButtonSlot(2), 0));
        return frame;
    }
    frame->AddChild(CaptionButton("Max", GlyphMaximize, CaptionButtonSkin::MaximizeRestore,
                                  ButtonSlot(1), kVisibleNotZoomed));
    frame->AddChild(CaptionButton("MaxRestore", GlyphRestore, CaptionButtonSkin::MaximizeRestore,
                                  ButtonSlot(1), kVisibleZoomed));
    frame->AddChild(CaptionButton("Min", GlyphMinimize, CaptionButtonSkin::MinimizeRestore,
                                  ButtonSlot(2), kVisibleNotIconic));
    frame->AddChild(CaptionButton("MinRestore", GlyphRestore, CaptionButtonSkin::MinimizeRestore,
                                  ButtonSlot(2), kVisibleIconic));
    frame->AddChild(HelpButton("Help", ButtonSlot(3)));
    frame->AddChild(Title());
    return frame;
}

std::unique_ptr<PopupMenuSkin> PopupMenu() {
    auto menu = std::make_unique<PopupMenuSkin>();
    menu->SetName("PopupMenu");
    for (int i = 0; i < NinePartFrameSkin::kPartCount; ++i)
        menu->partImages[i] =
            ImagePart(kFrameImage, Offset(menu->partRects[i], 0, kMenuTop), kStretchAll);
    menu->frameColor1 = kWindow;
    menu->font = UiFont(400, kText);
    menu->effect = PlainText(kText);
    SetBlockColor(menu->itemBlocks[0], kText);
    SetBlockColor(menu->itemBlocks[1], kMutedText);
    SetBlockColor(menu->itemBlocks[2], kPressed);
    menu->itemActiveColor = kHot;
    menu->itemSeparatorColor = kEdge;
    menu->itemSeparatorImage = NineGrid(kFrameImage, kMenuSeparator, 2, kStretchAll);
    menu->itemActiveImage = NineGrid(kFrameImage, kMenuActiveItem, 3, kStretchAll);
    menu->submenuImage = ImagePart(kFrameImage, kMenuSubmenuArrow, kCopyClipped);
    menu->checkImage = ImagePart(kFrameImage, kMenuCheck, kCopyClipped);
    return menu;
}

// ---- the button family ------------------------------------------------------------------------

std::unique_ptr<ButtonSkin> PushButton() {
    auto button = std::make_unique<ButtonSkin>();
    button->SetName("Button");
    button->font = UiFont(400, kText);
    button->autoSkinFont = 1;
    const COLORREF text[ButtonSkin::kStateCount] = {kText, kLightText, kText,
                                                    kText, kText,      kMutedText};
    for (int s = 0; s < ButtonSkin::kStateCount; ++s) {
        button->states[s].image =
            NineGrid(kButtonsImage, PushButtonCell(s), kPushMargin, kStretchEdges);
        button->states[s].effect = PlainText(text[s]);
    }
    return button;
}

template <typename Box>
std::unique_ptr<Box> BoxButton(const char* name, RECT (*box)(int), RECT (*back)(int)) {
    auto button = std::make_unique<Box>();
    button->SetName(name);
    button->font = UiFont(400, kText);
    button->transparent = 0;
    for (int s = 0; s < CheckBoxSkin::kStateCount; ++s) {
        button->states[s].background = NineGrid(kButtonsImage, back(s), kBackMargin, kStretchEdges);
        button->states[s].box = ImagePart(kButtonsImage, box(s), kCopyClipped);
        const bool muted = s == CheckBoxSkin::Disabled || s == CheckBoxSkin::GrayedNormal ||
                           s == CheckBoxSkin::GrayedSelected;
        button->states[s].effect = PlainText(muted ? kMutedText : kText);
    }
    return button;
}

std::unique_ptr<GroupBoxSkin> GroupBox() {
    auto group = std::make_unique<GroupBoxSkin>();
    group->SetName("GroupBox");
    group->font = UiFont(700, kText);
    group->background = NineGrid(kControlsImage, kGroupFrame, kGroupMargin, kStretchEdges);
    group->captionImage =
        NineGrid(kControlsImage, kGroupCaption, kGroupCaptionMargin, kStretchEdges);
    group->captionColor = kRest;
    group->effect = PlainText(kText);
    group->transparent = 0;
    return group;
}

std::unique_ptr<StaticSkin> Static() {
    auto text = std::make_unique<StaticSkin>();
    text->SetName("Static");
    text->font = UiFont(400, kText);
    text->background = NineGrid(kControlsImage, kStaticBack, 2, kStretchEdges);
    text->transparent = 0;
    text->color1 = kFace;
    text->effect = PlainText(kText);
    return text;
}

// ---- bordered controls ------------------------------------------------------------------------

std::unique_ptr<BorderedControlSkin> BorderedControl(const char* name, std::uint32_t type,
                                                     int which) {
    auto control = std::make_unique<BorderedControlSkin>(type);
    control->SetName(name);
    control->font = UiFont(400, kText);
    control->background = NineGrid(kControlsImage, BorderCell(which), kBorderMargin, kStretchEdges);
    control->backgroundImage = ImagePart(kControlsImage, BackgroundCell(which), kTile);
    control->color1 = kWindow;
    control->color2 = kText;
    control->color3 = kDisabled;
    return control;
}

// ---- combo box, trackbar, up-down, progress bar, scroll bar ----------------------------------

std::unique_ptr<ComboBoxSkin> ComboBox() {
    auto combo = std::make_unique<ComboBoxSkin>();
    combo->SetName("ComboBox");
    combo->font = UiFont(400, kText);
    combo->background = NineGrid(kControlsImage, kComboFrame, kBorderMargin, kStretchEdges);
    for (int s = 0; s < ComboBoxSkin::kThumbCount; ++s)
        combo->thumbs[s] = NineGrid(kControlsImage, ComboThumbCell(s), 3, kStretchEdges);
    combo->color1 = kWindow;
    combo->color2 = kText;
    combo->focusColor = kFocused;
    combo->focusTextColor = kText;
    combo->disabledBackground = kDisabled;
    combo->disabledText = kMutedText;
    return combo;
}

std::unique_ptr<SliderSkin> Slider() {
    auto slider = std::make_unique<SliderSkin>();
    slider->SetName("Slider");
    slider->background = NineGrid(kControlsImage, kSliderBack, 2, kStretchEdges);
    slider->channel = NineGrid(kControlsImage, kSliderChannel, 2, kStretchEdges);
    slider->horizontalThumb = NineGrid(kControlsImage, kSliderThumbHorizontal, 3, kStretchEdges);
    slider->verticalThumb = NineGrid(kControlsImage, kSliderThumbVertical, 3, kStretchEdges);
    slider->transparent = 0;
    return slider;
}

std::unique_ptr<SpinSkin> Spin() {
    auto spin = std::make_unique<SpinSkin>();
    spin->SetName("Spin");
    for (int s = 0; s < SpinSkin::kStateCount; ++s) {
        spin->states[s].up = ImagePart(kControlsImage, SpinUpCell(s), kStretch);
        spin->states[s].down = ImagePart(kControlsImage, SpinDownCell(s), kStretch);
    }
    return spin;
}

std::unique_ptr<ProgressSkin> ProgressBar() {
    auto progress = std::make_unique<ProgressSkin>();
    progress->SetName("ProgressBar");
    progress->font = UiFont(400, kText);
    progress->background = NineGrid(kControlsImage, kProgressTrack, kProgressMargin, kStretchEdges);
    progress->progressImage =
        NineGrid(kControlsImage, kProgressFill, kProgressMargin, kStretchEdges);
    progress->color1 = kWindow;
    progress->color2 = kChecked;
    progress->usePercent = 1;
    return progress;
}

std::unique_ptr<ScrollBarSkin> ScrollBar() {
    auto bar = std::make_unique<ScrollBarSkin>();
    bar->SetName("ScrollBar");
    for (int s = 0; s < ScrollBarSkin::kStateCount; ++s) {
        auto& state = bar->states[s];
        state.arrow1 = ImagePart(kControlsImage, ScrollPieceCell(s, PieceArrow1), kCopyClipped);
        state.arrow2 = ImagePart(kControlsImage, ScrollPieceCell(s, PieceArrow2), kCopyClipped);
        state.track = NineGrid(kControlsImage, ScrollPieceCell(s, PieceTrack), 1, kStretchEdges);
        state.thumb = NineGrid(kControlsImage, ScrollPieceCell(s, PieceThumb), 4, kStretchEdges);
    }
    bar->gripper = ImagePart(kControlsImage, kGripper, kCopyClipped);
    return bar;
}

// ---- item controls ----------------------------------------------------------------------------

std::unique_ptr<TabSkin> Tab() {
    auto tab = std::make_unique<TabSkin>();
    tab->SetName("Tab");
    tab->font = UiFont(400, kText);
    tab->background = NineGrid(kItemsImage, kTabBackground, 2, kStretchEdges);
    tab->frame = NineGrid(kItemsImage, kTabFrame, 3, kStretchEdges);
    const COLORREF text[TabSkin::kStateCount] = {kText, kLightText, kMutedText, kText};
    for (int s = 0; s < TabSkin::kStateCount; ++s) {
        tab->states[s].image = NineGrid(kItemsImage, TabCell(s), kItemMargin, kStretchEdges);
        tab->states[s].effect = PlainText(text[s]);
    }
    tab->transparent = 0;
    return tab;
}

std::unique_ptr<HeaderSkin> Header() {
    auto header = std::make_unique<HeaderSkin>();
    header->SetName("Header");
    header->font = UiFont(700, kText);
    header->background = NineGrid(kItemsImage, kHeaderBackground, 2, kStretchEdges);
    header->itemImage = NineGrid(kItemsImage, kHeaderItem, 3, kStretchEdges);
    header->effect = PlainText(kText);
    return header;
}

std::unique_ptr<StatusBarSkin> StatusBar() {
    auto status = std::make_unique<StatusBarSkin>();
    status->SetName("StatusBar");
    status->font = UiFont(400, kText);
    status->background = NineGrid(kItemsImage, kStatusBack, 2, kStretchEdges);
    status->itemImage = NineGrid(kItemsImage, kStatusItem, 2, kStretchEdges);
    status->extraImage = ImagePart(kItemsImage, kStatusExtra, kCopyClipped);
    return status;
}

std::unique_ptr<ToolBarSkin> ToolBar() {
    auto tools = std::make_unique<ToolBarSkin>();
    tools->SetName("ToolBar");
    tools->font = UiFont(400, kText);
    tools->background = NineGrid(kItemsImage, kReBarBack, 2, kStretchEdges);
    for (int i = 0; i < 5; ++i)
        tools->images[static_cast<std::size_t>(i)] =
            NineGrid(kItemsImage, ToolBarCell(i), 3, kStretchEdges);
    return tools;
}

std::unique_ptr<ControlBarSkin> ControlBar() {
    auto bar = std::make_unique<ControlBarSkin>();
    bar->SetName("ControlBar");
    bar->background = NineGrid(kItemsImage, kControlBarBack, 2, kStretchEdges);
    return bar;
}

std::unique_ptr<ReBarSkin> ReBar() {
    auto rebar = std::make_unique<ReBarSkin>();
    rebar->SetName("ReBar");
    rebar->font = UiFont(400, kText);
    rebar->background = NineGrid(kItemsImage, kReBarBack, 3, kStretchEdges);
    rebar->bandImage = NineGrid(kItemsImage, kReBarBand, 3, kStretchEdges);
    SetBlockColor(rebar->bandBlock, kText);
    return rebar;
}

std::unique_ptr<AnimateSkin> Animate() {
    auto animate = std::make_unique<AnimateSkin>(); // named "AnimateCtrl32"
    animate->background = NineGrid(kControlsImage, kAnimateBorder, 3, kStretchEdges);
    animate->backgroundImage = ImagePart(kControlsImage, kAnimateBackground, kTile);
    return animate;
}

// ---- the rest ---------------------------------------------------------------------------------

std::unique_ptr<SkinInfo> Application() {
    auto info = std::make_unique<SkinInfo>();
    info->SetName("Application");
    info->color3 = Canvas::kKey;
    info->useTransparentColor = 1;
    SetText(info->author, "Lumivista");
    SetText(info->description, "Lumivista full skin: every object type");
    SetText(info->application, "Skin Gallery");
    return info;
}

std::unique_ptr<SkinProperty> Entry(SkinPropertyKind kind, const char* name,
                                    std::vector<std::uint8_t> data, const char* text) {
    auto entry = std::make_unique<SkinProperty>();
    entry->KindField() = static_cast<std::uint32_t>(kind);
    SetText(entry->NameField(), name);
    SetText(entry->DefaultTextField(), "");
    entry->SetOwnedData(std::move(data));
    if (text)
        entry->TextField() = text;
    return entry;
}

std::vector<std::uint8_t> U32Bytes(std::uint32_t value) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter(bytes).u32(value);
    return bytes;
}

std::unique_ptr<CustomSkinObject> Custom() {
    auto custom = std::make_unique<CustomSkinObject>();
    custom->SetName("Custom");
    custom->background = NineGrid(kItemsImage, kCustomBack, kItemMargin, kStretchEdges);
    SetText(custom->customText, "Gallery extras");
    custom->entries.push_back(Entry(SkinPropertyKind::Color, "ACCENT", U32Bytes(kAccent), nullptr));
    custom->entries.push_back(Entry(SkinPropertyKind::String, "MOTTO", {}, "Every state shows"));
    custom->entries.push_back(Entry(SkinPropertyKind::Boolean, "ANIMATED", U32Bytes(1), nullptr));
    return custom;
}

std::unique_ptr<SkinObjectType2> Type2() {
    auto object = std::make_unique<SkinObjectType2>();
    object->SetName("Type2");
    object->image = ImagePart(kFrameImage, kType2Image, kCopyClipped);
    return object;
}

std::unique_ptr<SkinObjectType39> Type39() {
    auto object = std::make_unique<SkinObjectType39>();
    object->SetName("Type39");
    object->image = ImagePart(kFrameImage, kType39Image, kCopyClipped);
    return object;
}

std::unique_ptr<NamedSkinEntry> Named(const char* name, const char* text) {
    auto entry = std::make_unique<NamedSkinEntry>();
    entry->SetName(name);
    SetText(entry->text, text);
    return entry;
}

} // namespace

void AddObjects(SkinFileWriter& writer) {
    writer.AddObject(Application());
    writer.AddObject(Frame("MainFrame", false));
    writer.AddObject(Frame("Dialog", true));
    writer.AddObject(PopupMenu());
    writer.AddObject(PushButton());
    writer.AddObject(BoxButton<CheckBoxSkin>("CheckBox", CheckBoxCell, CheckBackgroundCell));
    writer.AddObject(BoxButton<RadioSkin>("Radio", RadioCell, RadioBackgroundCell));
    writer.AddObject(GroupBox());
    writer.AddObject(Static());
    writer.AddObject(BorderedControl("Edit", BorderedControlSkin::kEdit, BorderEdit));
    writer.AddObject(BorderedControl("ListBox", BorderedControlSkin::kListBox, BorderListBox));
    writer.AddObject(BorderedControl("IPAddress", BorderedControlSkin::kIpAddress, BorderIp));
    writer.AddObject(BorderedControl("ListView", BorderedControlSkin::kListView, BorderListView));
    writer.AddObject(BorderedControl("TreeView", BorderedControlSkin::kTreeView, BorderTreeView));
    writer.AddObject(BorderedControl("RichEdit", BorderedControlSkin::kRichEdit, BorderRichEdit));
    writer.AddObject(ComboBox());
    writer.AddObject(Slider());
    writer.AddObject(Spin());
    writer.AddObject(ProgressBar());
    writer.AddObject(ScrollBar());
    writer.AddObject(Tab());
    writer.AddObject(Header());
    writer.AddObject(StatusBar());
    writer.AddObject(ToolBar());
    writer.AddObject(ControlBar());
    writer.AddObject(ReBar());
    writer.AddObject(Animate());
    writer.AddObject(Custom());
    writer.AddObject(Type2());
    writer.AddObject(Type39());
}

void AddImages(SkinFileWriter& writer) {
    writer.AddImage(Image(kFrameImage, DrawFrameArtwork()));
    writer.AddImage(Image(kButtonsImage, DrawButtonsArtwork()));
    writer.AddImage(Image(kControlsImage, DrawControlsArtwork()));
    writer.AddImage(Image(kItemsImage, DrawItemsArtwork()));
}

void AddNamedEntries(SkinFileWriter& writer) {
    writer.AddNamedEntry(Named("Gallery", "Skin Gallery"));
    writer.AddNamedEntry(Named("Revision", "1.11"));
}

SkinFileWriter Build() {
    SkinFileWriter writer;
    writer.SetRevision(SkinFormatRevision::kMajor, SkinFormatRevision::kNewestMinor);
    AddObjects(writer);
    AddImages(writer);
    AddNamedEntries(writer);
    return writer;
}

} // namespace full_skin
