#include "tools/skinbuilder/default_skin.h"

#include "tools/artkit/bmp24_writer.h"
#include "tools/skinbuilder/default_skin_layout.h"

#include "skin/core/bordered_control_skin.h"
#include "skin/core/caption_button_skin.h"
#include "skin/core/check_box_skin.h"
#include "skin/core/frame_skin.h"
#include "skin/core/group_box_skin.h"
#include "skin/core/popup_menu_skin.h"
#include "skin/core/progress_skin.h"
#include "skin/core/skin_info.h"
#include "skin/core/static_skin.h"

#include "util/le_bytes.h"

#include <cstring>

namespace default_skin {

using namespace layout;

namespace {

constexpr std::uint32_t kCopyClipped = 0;
constexpr std::uint32_t kStretchAll = 1;
constexpr std::uint32_t kStretchEdges = 5;

// Visibility rules of frame elements.
constexpr std::uint32_t kVisibleIconic = 1;
constexpr std::uint32_t kVisibleNotIconic = 2;
constexpr std::uint32_t kVisibleZoomed = 3;
constexpr std::uint32_t kVisibleNotZoomed = 4;
// Anchor modes of frame elements.
constexpr std::uint32_t kAnchorTopRight = 4;

SkinImageRef ImagePart(const char* image, const RECT& source, std::uint32_t mode) {
    SkinImageRef ref;
    SetText(ref.imageName, image);
    ref.source = source;
    ref.drawMode = mode;
    return ref;
}

SkinNineGridRef NineGrid(const char* image, const RECT& source, int margin, std::uint32_t mode) {
    SkinNineGridRef grid;
    SetText(grid.imageName, image);
    grid.source = source;
    grid.leftMargin = grid.topMargin = grid.rightMargin = grid.bottomMargin = margin;
    grid.gridMode = mode;
    return grid;
}

RECT Offset(RECT r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// The second u32 of a 16-byte block holds an item text colour.
void SetBlockColor(std::array<std::uint8_t, 16>& block, COLORREF color) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter(bytes).u32(color);
    std::memcpy(block.data() + 4, bytes.data(), 4);
}

SkinFontSlot UiFont(LONG weight, COLORREF color) {
    SkinFontSlot slot = DefaultFrameFont();
    std::memset(slot.font.lfFaceName, 0, sizeof slot.font.lfFaceName);
    std::strcpy(slot.font.lfFaceName, "Tahoma");
    slot.font.lfWeight = weight;
    slot.color = color;
    return slot;
}

SkinTextEffect PlainText(COLORREF color) {
    SkinTextEffect effect = SkinTextEffect::Default();
    effect.SetTextColor(color);
    return effect;
}

std::unique_ptr<CaptionButtonSkin> CaptionButton(const char* name, int glyph, std::uint32_t kind,
                                                 RECT place, std::uint32_t visibility) {
    auto button = std::make_unique<CaptionButtonSkin>();
    button->SetName(name);
    button->rect = place;
    button->anchorMode = kAnchorTopRight;
    button->buttonKind = kind;
    button->visibilityRule = visibility;
    button->image = ImagePart(kWindowsImage, ButtonCell(glyph, StateNormal), kCopyClipped);
    button->stateImages = {
        ImagePart(kWindowsImage, ButtonCell(glyph, StateHot), kCopyClipped),
        ImagePart(kWindowsImage, ButtonCell(glyph, StatePressed), kCopyClipped),
        ImagePart(kWindowsImage, ButtonCell(glyph, StateDisabled), kCopyClipped)};
    return button;
}

std::unique_ptr<CaptionButtonSkin> SystemIcon(const char* name) {
    auto icon = std::make_unique<CaptionButtonSkin>();
    icon->SetName(name);
    icon->rect = {8, 7, 24, 23};
    icon->buttonKind = CaptionButtonSkin::WindowIcon;
    return icon;
}

constexpr RECT ButtonSlot(int fromRight) {
    const int right = kFrameWidth - 8 - fromRight * (kButtonCell + 2);
    return {right - kButtonCell, 6, right, 6 + kButtonCell};
}

std::unique_ptr<FrameSkin> Frame(const char* name, bool withSizeButtons) {
    auto frame = std::make_unique<FrameSkin>();
    frame->SetName(name);
    for (int i = 0; i < NinePartFrameSkin::kPartCount; ++i) {
        const RECT part = frame->partRects[i];
        frame->partImages[i] =
            ImagePart(kWindowsImage, Offset(part, 0, kActiveFrameTop), kStretchAll);
        frame->partImages[NinePartFrameSkin::kPartCount + i] =
            ImagePart(kWindowsImage, Offset(part, 0, kInactiveFrameTop), kStretchAll);
    }
    frame->frameColor1 = kFace;
    frame->frameColor2 = kInactiveFace;
    frame->frameColor3 = kClient;
    frame->font = UiFont(700, kText);
    frame->effect = PlainText(kText);
    frame->fontElement.font = UiFont(400, kText);
    SetBlockColor(frame->fontElement.blocks[0], kText);
    SetBlockColor(frame->fontElement.blocks[1], kMutedText);
    SetBlockColor(frame->fontElement.blocks[2], kText);
    SetBlockColor(frame->fontElement.blocks[3], kWhite);
    frame->fontElement.color1Own = kFace;
    frame->fontElement.color2Own = kAccent;

    const bool dialog = !withSizeButtons;
    frame->AddChild(CaptionButton(dialog ? "DlgClose" : "Close", GlyphClose,
                                  CaptionButtonSkin::Close, ButtonSlot(0), 0));
    frame->AddChild(SystemIcon(dialog ? "DlgSyS" : "Sys"));
    if (dialog)
        return frame;
    frame->AddChild(CaptionButton("Max", GlyphMaximize, CaptionButtonSkin::MaximizeRestore,
                                  ButtonSlot(1), kVisibleNotZoomed));
    frame->AddChild(CaptionButton("MaxRestore", GlyphRestore, CaptionButtonSkin::MaximizeRestore,
                                  ButtonSlot(1), kVisibleZoomed));
    frame->AddChild(CaptionButton("Min", GlyphMinimize, CaptionButtonSkin::MinimizeRestore,
                                  ButtonSlot(2), kVisibleNotIconic));
    frame->AddChild(CaptionButton("MinRestore", GlyphRestore, CaptionButtonSkin::MinimizeRestore,
                                  ButtonSlot(2), kVisibleIconic));
    return frame;
}

std::unique_ptr<SkinInfo> Application() {
    auto info = std::make_unique<SkinInfo>();
    info->SetName("Application");
    info->color3 = Canvas::kKey;
    info->useTransparentColor = 1;
    SetText(info->author, "Lumivista");
    SetText(info->description, "Lumivista default skin");
    SetText(info->application, "Lumivista");
    return info;
}

std::unique_ptr<CheckBoxSkin> CheckBox() {
    auto box = std::make_unique<CheckBoxSkin>();
    box->SetName("CheckBox");
    box->font = UiFont(400, kText);
    box->transparent = 1;
    for (int s = 0; s < CheckBoxSkin::kStateCount; ++s) {
        box->states[s].box = ImagePart(kButtonImage, CheckBoxCell(s), kCopyClipped);
        box->states[s].effect = PlainText(s == CheckBoxSkin::Disabled ? kMutedText : kText);
    }
    return box;
}

std::unique_ptr<BorderedControlSkin> Bordered(const char* name, std::uint32_t type) {
    auto control = std::make_unique<BorderedControlSkin>(type);
    control->SetName(name);
    control->font = UiFont(400, kText);
    control->background = NineGrid(kButtonImage, kEditBorder, kEditMargin, kStretchEdges);
    control->color1 = kWhite;
    control->color2 = kText;
    control->color3 = kFace;
    return control;
}

std::unique_ptr<GroupBoxSkin> GroupBox() {
    auto group = std::make_unique<GroupBoxSkin>();
    group->SetName("GroupBox");
    group->font = UiFont(400, kText);
    group->background = NineGrid(kButtonImage, kGroupFrame, kGroupMargin, kStretchEdges);
    group->captionColor = kFace;
    group->effect = PlainText(kText);
    group->transparent = 1;
    return group;
}

std::unique_ptr<PopupMenuSkin> PopupMenu() {
    auto menu = std::make_unique<PopupMenuSkin>();
    menu->SetName("PopupMenu");
    for (int i = 0; i < NinePartFrameSkin::kPartCount; ++i)
        menu->partImages[i] =
            ImagePart(kWindowsImage, Offset(menu->partRects[i], 0, kMenuTop), kStretchAll);
    menu->frameColor1 = kWhite;
    menu->font = UiFont(400, kText);
    menu->effect = PlainText(kText);
    SetBlockColor(menu->itemBlocks[0], kText);
    SetBlockColor(menu->itemBlocks[1], kMutedText);
    SetBlockColor(menu->itemBlocks[2], kText);
    menu->itemActiveColor = kAccentSoft;
    menu->itemSeparatorColor = kBorderSoft;
    menu->itemSeparatorImage = NineGrid(kWindowsImage, kMenuSeparator, 2, kStretchAll);
    menu->itemActiveImage = NineGrid(kWindowsImage, kMenuActiveItem, 3, kStretchAll);
    menu->submenuImage = ImagePart(kWindowsImage, kMenuSubmenuArrow, kCopyClipped);
    menu->checkImage = ImagePart(kWindowsImage, kMenuCheck, kCopyClipped);
    return menu;
}

std::unique_ptr<ProgressSkin> ProgressBar() {
    auto progress = std::make_unique<ProgressSkin>();
    progress->SetName("ProgressBar");
    progress->font = UiFont(400, kText);
    progress->background = NineGrid(kButtonImage, kProgressTrack, kProgressMargin, kStretchEdges);
    progress->progressImage = NineGrid(kButtonImage, kProgressFill, kProgressMargin, kStretchEdges);
    progress->color1 = RGB(232, 234, 238);
    progress->color2 = kAccent;
    return progress;
}

std::unique_ptr<StaticSkin> Static() {
    auto text = std::make_unique<StaticSkin>();
    text->SetName("Static");
    text->font = UiFont(400, kText);
    text->transparent = 1;
    text->color1 = kFace;
    text->effect = PlainText(kText);
    return text;
}

std::unique_ptr<SkinImage> Image(const char* name, const Canvas& artwork) {
    auto image = std::make_unique<SkinImage>();
    image->SetName(name);
    image->format = SkinImage::kFormatBmp;
    image->encoded = EncodeBmp24(artwork);
    return image;
}

} // namespace

void AddObjects(SkinFileWriter& writer) {
    writer.AddObject(Application());
    writer.AddObject(CheckBox());
    writer.AddObject(Frame("Dialog", false));
    writer.AddObject(Bordered("Edit", BorderedControlSkin::kEdit));
    writer.AddObject(GroupBox());
    writer.AddObject(Frame("MainFrame", true));
    writer.AddObject(PopupMenu());
    writer.AddObject(ProgressBar());
    writer.AddObject(Bordered("RichEdit", BorderedControlSkin::kRichEdit));
    writer.AddObject(Static());
}

void AddImages(SkinFileWriter& writer) {
    writer.AddImage(Image(kButtonImage, DrawButtonArtwork()));
    writer.AddImage(Image(kWindowsImage, DrawWindowsArtwork()));
}

SkinFileWriter Build() {
    SkinFileWriter writer;
    writer.SetRevision(SkinFormatRevision::kMajor, SkinFormatRevision::kNewestMinor);
    AddObjects(writer);
    AddImages(writer);
    return writer;
}

} // namespace default_skin
