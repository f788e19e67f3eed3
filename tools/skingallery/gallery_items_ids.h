// The item-control window of the gallery: its dialog, strings and controls, and the button of
// the gallery's dialog that opens it.
#pragma once

namespace gallery {

constexpr int kItemsDialog = 200;
constexpr int kItemsButton = 1701; // on the gallery's dialog

// Strings.
constexpr int kTabGeneral = 210;
constexpr int kTabDetails = 211;
constexpr int kTabNotes = 212;
constexpr int kHeaderName = 213;
constexpr int kHeaderSize = 214;
constexpr int kHeaderKind = 215;
constexpr int kStatusReady = 216;
constexpr int kStatusCount = 217;
constexpr int kStatusSkin = 218;
constexpr int kBandTools = 219;

// Controls: the tab with the controls of its three pages, then the others.
constexpr int kItemsTab = 2001;
constexpr int kPageLabel = 2002;
constexpr int kPageApply = 2003;
constexpr int kPageCheck = 2004;
constexpr int kPageNameLabel = 2005;
constexpr int kPageName = 2006;
constexpr int kPageNotes = 2007;
constexpr int kItemsHeader = 2010;
constexpr int kItemsLink = 2011;
constexpr int kItemsStatus = 2012;
constexpr int kItemsRebar = 2013;
constexpr int kItemsToolbar = 2014;

// The toolbar's commands.
constexpr int kToolNew = 2101;
constexpr int kToolOpen = 2102;
constexpr int kToolSave = 2103;
constexpr int kToolCut = 2104;
constexpr int kToolBold = 2105;
constexpr int kToolMore = 2106;

} // namespace gallery
