// The common controls made of items or frames that the skinning toolkit paints over: tab,
// header, rebar, toolbar, status bar, link and animation controls.
#pragma once

namespace lv::controls {

// Registers all of them (and the video libraries the animation control plays through).
void register_item_control_classes();

void register_animate_class();
void register_tab_class();
void register_header_class();
void register_rebar_class();
void register_toolbar_class();
void register_status_bar_class();
void register_link_class();

} // namespace lv::controls
