// The rich edit class and the module that carries it.
#pragma once

namespace lv::controls {

// Registers "RICHED20.DLL" in the built-in module table and the class "RichEdit20A";
// safe to call any number of times.
void register_rich_edit();

} // namespace lv::controls
