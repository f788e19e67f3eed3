#include "tests/support/frame_test_skin.h"

#include "skin/core/caption_button_skin.h"
#include "skin/core/frame_skin.h"
#include "skin/core/frame_text_skin.h"
#include "skin/core/skin_info.h"
#include "tests/support/skin_builder.h"
#include "tools/artkit/bmp24_writer.h"
#include "tools/skinbuilder/skin_file_writer.h"

namespace lvtest {
namespace {

constexpr char kImage[] = "frame.bmp";
constexpr int kDesignWidth = 276;
constexpr int kDesignHeight = 160;
constexpr int kInactiveTop = kDesignHeight;
constexpr int kButtonTop = 2 * kDesignHeight;
constexpr int kButtonSize = 18;

constexpr COLORREF kActiveParts[9] = {
    RGB(180, 40, 40),  RGB(40, 180, 40),  RGB(40, 40, 180), RGB(180, 180, 40),  RGB(40, 180, 180),
    RGB(120, 60, 160), RGB(200, 120, 40), RGB(90, 90, 90),  RGB(160, 100, 120),
};

SkinImageRef Part(const RECT& source, std::uint32_t mode) {
    SkinImageRef ref;
    SetText(ref.imageName, kImage);
    ref.source = source;
    ref.drawMode = mode;
    return ref;
}

RECT Offset(RECT r, int dy) {
    OffsetRect(&r, 0, dy);
    return r;
}

RECT ButtonCell(int state) {
    const int x = state * kButtonSize;
    return {x, kButtonTop, x + kButtonSize, kButtonTop + kButtonSize};
}

Canvas Artwork(const FrameSkin& frame) {
    Canvas c(kDesignWidth, kButtonTop + kButtonSize, Canvas::kKey);
    for (int i = 0; i < 9; ++i) {
        c.Fill(frame.partRects[i], FramePartColor(i, true));
        c.Fill(Offset(frame.partRects[i], kInactiveTop), FramePartColor(i, false));
    }
    for (int top : {0, kInactiveTop})
        c.Fill({0, top, kFrameCornerCut, top + kFrameCornerCut}, Canvas::kKey);
    const COLORREF looks[] = {kCloseNormal, kCloseHot, kClosePressed, kCloseDisabled};
    for (int state = 0; state < 4; ++state) {
        const RECT cell = ButtonCell(state);
        c.Fill(cell, looks[state]);
        c.Fill({cell.left, cell.top, cell.left + kButtonCornerCut, cell.top + kButtonCornerCut},
               Canvas::kKey);
    }
    return c;
}

std::unique_ptr<CaptionButtonSkin> CloseButton() {
    auto button = std::make_unique<CaptionButtonSkin>();
    button->SetName("TestClose");
    button->rect = kCloseButtonDesign;
    button->anchorMode = 4;
    button->buttonKind = CaptionButtonSkin::Close;
    button->image = Part(ButtonCell(0), 0);
    button->stateImages = {Part(ButtonCell(1), 0), Part(ButtonCell(2), 0), Part(ButtonCell(3), 0)};
    return button;
}

std::unique_ptr<FrameTextSkin> TitleElement() {
    auto title = std::make_unique<FrameTextSkin>();
    title->SetName("TestTitle");
    title->rect = {90, 0, 170, 30};
    title->textKind = FrameTextSkin::kOwnerText;
    title->anchors = {1, 1, 1, 0, 0};
    title->regionMode = 2;
    title->effect.SetTextColor(kTitleColor);
    title->font = SkinFontSlot::Make("DejaVu Sans", -12, 700);
    return title;
}

} // namespace

COLORREF FramePartColor(int part, bool active) {
    const COLORREF c = kActiveParts[part];
    if (active)
        return c;
    return RGB(GetRValue(c) / 2 + 20, GetGValue(c) / 2 + 20, GetBValue(c) / 2 + 20);
}

std::vector<std::uint8_t> FrameTestSkinContainer(const FrameSkinOptions& options) {
    auto info = std::make_unique<SkinInfo>();
    info->SetName("Application");
    info->color3 = Canvas::kKey;
    info->useTransparentColor = options.transparent ? 1 : 0;

    auto frame = std::make_unique<FrameSkin>();
    frame->SetName(options.frameName);
    for (int i = 0; i < 9; ++i) {
        const std::uint32_t mode = i == 4 ? options.centreMode : 2;
        frame->partImages[i] = Part(frame->partRects[i], mode);
        frame->partImages[9 + i] = Part(Offset(frame->partRects[i], kInactiveTop), mode);
    }
    frame->frameColor1 = RGB(1, 1, 1);
    frame->frameColor2 = RGB(2, 2, 2);
    frame->frameColor3 = RGB(3, 3, 3);
    frame->font = SkinFontSlot::Make("DejaVu Sans", -12, 700);
    frame->font.color = kTitleColor;
    frame->AddChild(CloseButton());
    if (options.titleElement)
        frame->AddChild(TitleElement());

    auto image = std::make_unique<SkinImage>();
    image->SetName(kImage);
    image->format = SkinImage::kFormatBmp;
    image->encoded = EncodeBmp24(Artwork(*frame));

    SkinFileWriter writer;
    writer.AddObject(std::move(info));
    writer.AddObject(std::move(frame));
    writer.AddImage(std::move(image));
    return writer.ContainerBytes();
}

std::unique_ptr<SkinData> LoadFrameTestSkin(const FrameSkinOptions& options) {
    auto skin = std::make_unique<SkinData>();
    if (LoadContainer(*skin, FrameTestSkinContainer(options)) != 1)
        return nullptr;
    return skin;
}

} // namespace lvtest
