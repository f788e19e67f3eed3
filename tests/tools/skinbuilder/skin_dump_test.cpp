#include "tests/support/skin_builder.h"

#include "skin/core/skin_format_version.h"
#include "tools/skinbuilder/default_skin.h"
#include "tools/skinbuilder/skin_dump.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class SkinDump : public ::testing::Test {
protected:
    void TearDown() override { SkinFormatVersion.Reset(); }
};

TEST_F(SkinDump, PrintsTheHeaderObjectsFieldsPropertiesAndImages) {
    std::ostringstream out;
    ASSERT_EQ(DumpSkin(default_skin::Build().ContainerBytes(), out), 0);
    const std::string text = out.str();
    for (const char* expected : {
             "header: magic \"GLAZEWORK_SKIN_FILE\", version 1.11, 10 objects, 2 images, 0 named",
             "object \"MainFrame\" type 1\n", "  child = type 3 \"MaxRestore\"\n",
             "    NAME = \"MaxRestore\"\n", "object \"Application\" type 25\n",
             "  USETRANSPARENTCOLOR = 1 (0x1)\n", "  color3 = 16711935 (0xff00ff)\n",
             " ACTIVEFRAME.TOPLEFT(3)", " CAPTIONFONT(0)", "image \"windows.bmp\" type 18\n",
             "  format = 1 (0x1)\n",
             "  partimage.source.right = 30\n", // the caption corner: the icon and a gap
         }) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
}

TEST_F(SkinDump, ReportsTheLoadStatusOfADamagedSkin) {
    std::ostringstream out;
    std::vector<std::uint8_t> header = MakeSkinHeader(2, 11, 0);
    EXPECT_EQ(DumpSkin(lvtest::Pack(header), out), 7);
    EXPECT_EQ(out.str(), "load failed: status 7\n");
    std::ostringstream cut;
    EXPECT_EQ(DumpSkin(std::vector<std::uint8_t>{1, 0}, cut), 5);
}

} // namespace
