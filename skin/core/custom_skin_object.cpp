#include "skin/core/custom_skin_object.h"

#include <string>

CustomSkinObject::~CustomSkinObject() {
    ClearEntries();
}

std::uint32_t CustomSkinObject::GetPropertyKind(std::string_view entryName) const {
    const SkinProperty* entry = FindEntry(entryName);
    return entry ? entry->Kind() : 0;
}

const SkinProperty* CustomSkinObject::FindEntry(std::string_view entryName) const {
    for (const auto& entry : entries) {
        if (lstrcmpiA(std::string(entry->Name()).c_str(), std::string(entryName).c_str()) == 0)
            return entry.get();
    }
    return nullptr;
}

void CustomSkinObject::VisitFields(SkinFieldVisitor& v) {
    ControlSkin::VisitFields(v);
    skin_fields::Text(v, customText, "text");
    v.CustomEntries(entries);
}
