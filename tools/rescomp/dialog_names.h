// The symbolic names a dialog file may use for styles and control ids.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rescomp {

std::optional<std::uint32_t> style_value(std::string_view name);
std::optional<std::uint16_t> control_id_value(std::string_view name);
// The atom of a predefined control class ("Button" 0x80 ... "ComboBox" 0x85), else 0.
std::uint16_t predefined_class_atom(std::string_view name);

} // namespace rescomp
