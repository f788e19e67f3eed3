// The dialog template reader on arbitrary bytes: no crash, no read past the end; whatever it
// accepts names a class for every item or an empty one.
#include "dialog/dialog_template.h"

#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto dialog =
        lv::dialog::parse_dialog_template(std::span<const std::uint8_t>(data, size));
    if (!dialog)
        return 0;
    for (const auto& item : dialog->items)
        (void)lv::dialog::item_class_name(item.class_name);
    return 0;
}
