#include "scroll_bar_test_skin.h"

#include "skin/core/scroll_bar_skin.h"
#include "skin/core/skin_info.h"
#include "tests/support/skin_builder.h"
#include "tools/artkit/bmp24_writer.h"
#include "tools/skinbuilder/skin_file_writer.h"

namespace sbtest {
namespace {

constexpr char kImage[] = "bars.bmp";
constexpr int kCell = 16;

RECT Cell(int state, int piece) {
    return {piece * kCell, state * kCell, (piece + 1) * kCell, (state + 1) * kCell};
}

SkinImageRef Image(const RECT& source) {
    SkinImageRef ref;
    SetText(ref.imageName, kImage);
    ref.source = source;
    ref.drawMode = 2;
    return ref;
}

SkinNineGridRef Grid(const RECT& source, int margin) {
    SkinNineGridRef grid;
    SetText(grid.imageName, kImage);
    grid.source = source;
    grid.leftMargin = grid.rightMargin = grid.topMargin = grid.bottomMargin = margin;
    grid.gridMode = 2;
    return grid;
}

} // namespace

std::unique_ptr<SkinData> LoadScrollBarTestSkin() {
    Canvas art(5 * kCell, 4 * kCell, Canvas::kKey);
    auto bar = std::make_unique<ScrollBarSkin>();
    bar->SetName("ScrollBar");
    for (int state = 0; state < 4; ++state) {
        const PieceColors& c = kStateColors[state];
        const COLORREF colors[4] = {c.arrow1, c.arrow2, c.track, c.thumb};
        for (int piece = 0; piece < 4; ++piece)
            art.Fill(Cell(state, piece), colors[piece]);
        const RECT arrow1 = Cell(state, 0);
        art.Fill({arrow1.left, arrow1.top, arrow1.left + kMarkerWidth, arrow1.bottom}, kMarker);
        auto& set = bar->states[state];
        set.arrow1 = Image(Cell(state, 0));
        set.arrow2 = Image(Cell(state, 1));
        set.track = Grid(Cell(state, 2), 0);
        if (state != ScrollBarSkin::Highlighted)
            set.thumb = Grid(Cell(state, 3), 0);
    }
    art.Fill(Cell(0, 4), kGripper);
    bar->gripper = Image(Cell(0, 4));

    auto info = std::make_unique<SkinInfo>();
    info->SetName("Application");
    auto image = std::make_unique<SkinImage>();
    image->SetName(kImage);
    image->format = SkinImage::kFormatBmp;
    image->encoded = EncodeBmp24(art);

    SkinFileWriter writer;
    writer.AddObject(std::move(info));
    writer.AddObject(std::move(bar));
    writer.AddImage(std::move(image));
    auto skin = std::make_unique<SkinData>();
    if (lvtest::LoadContainer(*skin, writer.ContainerBytes()) != 1)
        return nullptr;
    return skin;
}

} // namespace sbtest
