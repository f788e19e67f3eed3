// Writes the bundled sample theme: make_sample_theme <output .dat> <theme title>
#include "tools/samplegen/pictures.h"
#include "tools/themebuilder/theme_builder.h"

#include <cstdio>
#include <fstream>

namespace {

constexpr char kAboutText[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 DejaVu Sans;}}{\\colortbl;\\red40\\green70\\blue130;}"
    "\\f0\\fs20{\\b\\cf1 Quiet Horizons}\\par "
    "Five still landscapes at the edge of the day, with a slow piano-like arpeggio.\\par "
    "Made for Lumivista as its sample theme.\\par}";

struct Picture {
    const char* name;
    const char* caption;
    int variant;
    bool png;
};

const Picture kPictures[] = {
    {"dusk_lake.jpg", "Dusk over the lake", 0, false},
    {"morning_valley.jpg", "Morning in the valley", 1, false},
    {"night_ridge.jpg", "Night on the ridge", 2, false},
    {"hazy_shore.png", "A hazy shore", 3, true},
    {"sunset_hills.jpg", "Sunset hills", 4, false},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_sample_theme <output .dat> <theme title>\n");
        return 2;
    }
    lvtools::ThemeSpec spec;
    spec.header.title = argv[2];
    spec.aboutText = kAboutText;
    spec.info.authorName = "Lumivista";

    ThemeSettingsBlock& s = spec.settings;
    s.captionPosition = 5;
    s.imageOrder = 0;
    s.imageTime = 6;
    s.imageSizing = 1;
    s.musicPlayMode = 1;
    s.musicLoop = 1;
    s.backgroundMode = 1;
    s.gradientKind = 0;
    s.solidColor = 0x00202020;
    s.gradientStartColor = 0x00402818;
    s.gradientEndColor = 0x00100806;
    s.captionFont = lvtools::MakeLogFont("DejaVu Sans", -28, 600);
    s.captionColor = 0x00F0F0F0;
    for (int i = 0; i < kTransitionListSize; ++i)
        s.transitionFlags[static_cast<std::size_t>(i)] = 1;

    for (const Picture& p : kPictures) {
        samplegen::RgbImage img = samplegen::DrawSampleLandscape(1600, 1000, p.variant);
        spec.images.push_back({p.name, p.caption,
                               p.png ? samplegen::EncodePng(img) : samplegen::EncodeJpeg(img, 90)});
    }
    spec.music.push_back({"evening_arpeggio.wav", samplegen::MakeWaveTrack(30, 22050)});

    lvtools::ThemeFrame frame;
    frame.record.ver = "10";
    frame.record.title = "Linen mat";
    frame.record.format = 1; // PNG
    for (std::string* piece :
         {&frame.record.upleft, &frame.record.upmid, &frame.record.upright, &frame.record.ctleft,
          &frame.record.ctright, &frame.record.btleft, &frame.record.btmid, &frame.record.btright})
        *piece = "32 32";
    frame.record.type = 0;
    frame.record.stretch_mode = 1;
    frame.record.pic_drawpt = "32 32";
    frame.record.extraspace = "64 64";
    frame.record.pictureName = "linen_frame.png";
    frame.data = samplegen::EncodePng(samplegen::DrawFrame(32));
    spec.frame = frame;

    lvtools::BuiltTheme built = lvtools::BuildTheme(spec);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(built.bytes.data()),
              static_cast<std::streamsize>(built.bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_sample_theme: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
