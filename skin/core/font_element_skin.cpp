#include "skin/core/font_element_skin.h"

void FontElementSkin::VisitFields(SkinFieldVisitor& v) {
    FrameChildSkin::VisitFields(v);
    skin_fields::Font(v, font, "font");
    skin_fields::Bytes(v, blocks[0], "block1");
    skin_fields::Bytes(v, blocks[1], "block2");
    skin_fields::Bytes(v, blocks[2], "block3");
    skin_fields::Color(v, color1Own, "color1");
    skin_fields::NineGrid(v, nineGrid1, "ninegrid1");
    skin_fields::Bytes(v, blocks[3], "block4");
    skin_fields::Color(v, color2Own, "color2");
    skin_fields::NineGrid(v, nineGrid2, "ninegrid2");
    if (v.Minor() >= 2) {
        for (auto& image : stateImages)
            skin_fields::ImageRef(v, image, "stateimage");
    }
    if (v.Minor() >= 3)
        skin_fields::NineGrid(v, nineGrid3, "ninegrid3");
}
