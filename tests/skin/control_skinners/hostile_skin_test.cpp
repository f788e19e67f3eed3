// Controls painted from a skin whose rectangles and margins hold the extremes a 32-bit field
// can: every control of the dialog paints, and the combo box keeps its look inside its window.
#include "skin/core/combo_box_skin.h"
#include "skin/core/skin_data.h"
#include "tests/skin/control_skinners/control_skinners_fixture.h"

#include <cstdint>

namespace {

using namespace lvtest;

class HostileSkin : public ControlDialog {};

void SetGrid(SkinNineGridRef& grid, std::int32_t value) {
    grid.leftMargin = grid.topMargin = grid.rightMargin = grid.bottomMargin = value;
    grid.source.top = value;
    grid.source.right = value;
}

TEST_F(HostileSkin, ExtremeValuesInTheComboBoxPaintWithoutOverflow) {
    for (std::int32_t value : {INT32_MIN, INT32_MAX, std::int32_t{0x10000000}, -1}) {
        Open(true, [value](SkinData& skin) {
            auto* combo = dynamic_cast<ComboBoxSkin*>(skin.FindElement("ComboBox"));
            ASSERT_NE(combo, nullptr);
            SetGrid(combo->background, value);
            for (SkinNineGridRef& thumb : combo->thumbs)
                SetGrid(thumb, value);
        });
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        EXPECT_NE(AtCentreLeft(kCombo, 4), CLR_INVALID) << value;
        TearDown();
        dialog = nullptr;
        started = false;
    }
}

} // namespace
