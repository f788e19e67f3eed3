// The skin gallery's resources: its dialog, its strings and the ids of its controls.
#pragma once

namespace gallery {

constexpr int kGalleryDialog = 100;

// Strings.
constexpr int kListItemFormat = 110; // "Item %02d"
constexpr int kTreeColours = 111;
constexpr int kTreeRed = 112;
constexpr int kTreeGreen = 113;
constexpr int kTreeBlue = 114;
constexpr int kTreeShapes = 115;
constexpr int kTreeCircle = 116;
constexpr int kTreeSquare = 117;
constexpr int kColumnName = 120;
constexpr int kColumnSize = 121;
constexpr int kColumnKind = 122;
constexpr int kRowFormat = 123; // "File %02d"
constexpr int kRowKind = 124;
constexpr int kComboFirst = 130; // three items
constexpr int kRichText = 140;

// Controls.
constexpr int kPush = 1101;
constexpr int kPushDisabled = 1102;
constexpr int kCheck = 1103;
constexpr int kChecked = 1104;
constexpr int kThirdState = 1105;
constexpr int kCheckDisabled = 1106;
constexpr int kRadioOne = 1107;
constexpr int kRadioTwo = 1108;
constexpr int kRadioThree = 1109;
constexpr int kRadioDisabled = 1110;
constexpr int kStatic = 1111;
constexpr int kStaticDisabled = 1112;
constexpr int kButtonsGroup = 1113;
constexpr int kEdit = 1001;
constexpr int kEditReadOnly = 1002;
constexpr int kEditDisabled = 1003;
constexpr int kRichEdit = 1004;
constexpr int kListBox = 1201;
constexpr int kTree = 1202;
constexpr int kListView = 1203;
constexpr int kIpAddress = 1204;
constexpr int kDropList = 1301;
constexpr int kDropDown = 1302;
constexpr int kSimpleCombo = 1303;
constexpr int kComboDisabled = 1304;
constexpr int kTrackbar = 1401;
constexpr int kTrackbarBoth = 1402;
constexpr int kTrackbarVertical = 1403;
constexpr int kTrackbarDisabled = 1404;
constexpr int kSpinBuddy = 1405;
constexpr int kSpin = 1406;
constexpr int kSpinHorizontal = 1407;
constexpr int kProgress = 1501;
constexpr int kProgressSmooth = 1502;
constexpr int kProgressVertical = 1503;
constexpr int kScrollBar = 1601;
constexpr int kScrollBarDisabled = 1602;
constexpr int kScrollBarVertical = 1603;

// The window of drawn scroll bars and a playing animation, opened by its button.
constexpr int kScrollAnimButton = 1901;
constexpr int kScrollAnimDialog = 230;
constexpr int kScrollAnimClip = 231; // resource of type "AVI"
constexpr int kScrollAnimLine = 230; // string: "Line %02d"
constexpr int kScrollAnimText = 231; // string: the text that scrolls
constexpr int kScrollAnimList = 1911;
constexpr int kScrollAnimEdit = 1912;
constexpr int kScrollAnimate = 1913;
constexpr int kScrollAnimPlay = 1914;
constexpr int kScrollAnimStop = 1915;

} // namespace gallery
