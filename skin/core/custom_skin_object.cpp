#include "skin/core/custom_skin_object.h"

#include <algorithm>
#include <cctype>

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

CustomSkinObject::~CustomSkinObject() {
    ClearEntries();
}

std::uint32_t CustomSkinObject::GetPropertyKind(std::string_view entryName) const {
    const SkinProperty* entry = FindEntry(entryName);
    return entry ? entry->Kind() : 0;
}

const SkinProperty* CustomSkinObject::FindEntry(std::string_view entryName) const {
    for (const auto& entry : entries) {
        if (EqualIgnoringCase(entry->Name(), entryName))
            return entry.get();
    }
    return nullptr;
}

void CustomSkinObject::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    skin_fields::Text(v, customText, "text");
    v.CustomEntries(entries);
}
