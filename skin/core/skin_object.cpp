#include "skin/core/skin_object.h"

#include "skin/core/mem_stream.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_record_io.h"
#include "skin/core/skin_system_colors.h"

#include <cctype>

namespace {

constexpr std::size_t kPropertyLookupChars = 99;

} // namespace

SkinObject::SkinObject(std::uint32_t typeId)
    : color1(SkinSystemColor(SkinSysColor::BtnFace)),
      color2(SkinSystemColor(SkinSysColor::WindowText)), m_typeId(typeId) {
    AddProperty(SkinPropertyKind::String, "NAME", name);
    AddProperty(SkinPropertyKind::Boolean, "AUTOPLACE", autoPlace);
}

SkinObject::~SkinObject() = default;

void SkinObject::ReleaseResources() {
    for (auto& [key, child] : m_children)
        child->ReleaseResources();
}

void SkinObject::Bind(SkinData& skin) {
    for (auto& [key, child] : m_children)
        child->Bind(skin);
}

void SkinObject::Write(MemStream& stream) {
    SkinRecordWriter writer(stream);
    writer.WriteObject(*this);
}

void SkinObject::Read(MemStream& stream) {
    SkinRecordReader reader(stream, SkinFormatVersion.minor);
    VisitFields(reader);
}

std::uint32_t SkinObject::GetPropertyKind(std::string_view propertyName) const {
    std::string upper(propertyName.substr(0, kPropertyLookupChars));
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const SkinProperty* property = FindProperty(upper);
    return property ? property->Kind() : 0;
}

void SkinObject::VisitFields(SkinFieldVisitor& v) {
    VisitBaseFields(v);
}

void SkinObject::VisitBaseFields(SkinFieldVisitor& v) {
    skin_fields::Text(v, name, "NAME");
    skin_fields::Color(v, color1, "color1");
    skin_fields::Color(v, color2, "color2");
    skin_fields::Color(v, color3, "color3");
    skin_fields::Text(v, text, "text");
    v.U32(value, "value");
    if (v.Minor() >= 8) {
        skin_fields::Rect(v, rect, "rect");
        v.U32(autoPlace, "AUTOPLACE");
    }
    v.Children(*this);
}

int SkinObject::AddChild(std::unique_ptr<SkinObject> child) {
    if (!child)
        return 0;
    std::string key(child->GetName());
    auto [it, inserted] = m_children.try_emplace(std::move(key), nullptr);
    if (!inserted)
        return 0;
    it->second = std::move(child);
    return 1;
}

SkinObject* SkinObject::FindChild(std::string_view childName) const {
    if (auto it = m_children.find(std::string(childName)); it != m_children.end())
        return it->second.get();
    for (const auto& [key, child] : m_children) {
        if (SkinObject* found = child->FindChild(childName))
            return found;
    }
    return nullptr;
}

void SkinObject::AddProperty(SkinPropertyKind kind, std::string_view propertyName,
                             std::string_view defaultText, void* storage, std::uint32_t size) {
    m_properties[std::string(propertyName)] =
        std::make_unique<SkinProperty>(kind, propertyName, defaultText, storage, size);
}

const SkinProperty* SkinObject::FindProperty(std::string_view propertyName) const {
    auto it = m_properties.find(std::string(propertyName));
    return it == m_properties.end() ? nullptr : it->second.get();
}
