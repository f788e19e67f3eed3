// The gallery frame's resources: its menus, strings and commands.
#pragma once

namespace gallery {

constexpr int kFrameMenu = 200;
constexpr int kPictureMenu = 201; // the context menu: its one popup

// Strings.
constexpr int kFrameTitle = 150;
constexpr int kPictureTitleFormat = 151; // "Picture %d"
constexpr int kAboutText = 152;

// Commands.
constexpr int kNewPicture = 2001;
constexpr int kControlsDialog = 2002;
constexpr int kSave = 2003; // grayed
constexpr int kExit = 2004;
constexpr int kRecentFirst = 2011; // three recent pictures
constexpr int kRecentLast = 2013;
constexpr int kShowGrid = 2101;
constexpr int kDarkBackground = 2102;
constexpr int kZoom = 2103;        // grayed
constexpr int kColourFirst = 2111; // three owner-drawn colour swatches
constexpr int kColourLast = 2113;
constexpr int kCascade = 2201;
constexpr int kTile = 2202;
constexpr int kArrangeIcons = 2203; // grayed
constexpr int kClosePicture = 2204;
constexpr int kAbout = 2301;
constexpr int kPaste = 2401; // grayed

// The MDI client and the first picture's id.
constexpr int kMdiClient = 3000;
constexpr int kFirstPicture = 3001;

} // namespace gallery
