// A theme with every part filled in: about text, mark picture, second file, two pictures, two
// tracks and a frame, with settings that differ from the defaults. The tests of the theme
// writer and of the dialogs that rewrite the theme start from it.
#pragma once

#include "tools/themebuilder/theme_builder.h"

#include <string>
#include <string_view>

namespace lvtest {

inline std::vector<std::uint8_t> SpecBytes(std::string_view text) {
    return {text.begin(), text.end()};
}

inline lvtools::ThemeFrame OakFrame() {
    lvtools::ThemeFrame frame;
    frame.record.ver = "10";
    frame.record.title = "Oak";
    frame.record.direction = 1;
    frame.record.format = 1;
    frame.record.upleft = "20 21";
    frame.record.btright = "22 23";
    frame.record.type = 2;
    frame.record.stretch_mode = 1;
    frame.record.pic_drawpt = "5 6";
    frame.record.extraspace = "40 42";
    frame.record.pictureName = "oak.png";
    frame.data = SpecBytes("OAKFRAMEPNG");
    return frame;
}

inline lvtools::ThemeSpec FullThemeSpec(const std::string& title) {
    lvtools::ThemeSpec spec;
    spec.header.title = title;
    spec.info.adFlag = 1;
    spec.info.userId = "someone";
    spec.info.codedArea.fill(0x33);
    spec.aboutText = "{\\rtf1 About the theme}";
    spec.overlay.markPresent = 1;
    spec.overlay.markKind = 1;
    spec.overlay.markPictureName = "mark.png";
    spec.markPicture = SpecBytes("MARKBYTES");
    spec.overlay.secondFilePresent = 1;
    spec.overlay.secondFileName = "extra.bin";
    spec.secondFile = SpecBytes("SECOND");
    spec.overlay.adCounterStart = 12;
    spec.overlay.primaryAdBase = "http://primary.test";
    ThemeSettingsBlock& s = spec.settings;
    s.disableMouseMove = 1;
    s.captionPosition = 5;
    s.imageOrder = 2;
    s.imageTime = 9;
    s.reserved20 = 77;
    s.backgroundMode = 1;
    s.gradientKind = 3;
    s.solidColor = 0x00112233;
    s.captionFont = lvtools::MakeLogFont("Serif Face", -30, 700, true);
    s.transitionFlags[0] = 1;
    s.transitionFlags[3] = 2;
    s.transitionFlags[20] = 1;
    s.transitionFlags[21] = 1;
    s.reserved392 = 5;
    s.reserved400 = 6;
    spec.images = {{"a.jpg", "Alpha", SpecBytes("AAAA")},
                   {"b.png", "Beta", std::vector<std::uint8_t>(5000, 'b')}};
    spec.music = {{"one.wav", SpecBytes("RIFF-ONE")}, {"two.mid", SpecBytes("MThd-TWO-LONGER")}};
    spec.frame = OakFrame();
    return spec;
}

} // namespace lvtest
