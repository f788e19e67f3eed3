// The common base of everything a skin describes: the base record's fields, a tree of
// child objects and a property bag that finds fields by name.
#pragma once

#include "skin/core/skin_bound_image.h"
#include "skin/core/skin_fields.h"
#include "skin/core/skin_property.h"
#include "skin/core/skin_refs.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

class MemStream;
class SkinData;

class SkinObject {
public:
    static constexpr std::size_t kNameSize = 51;
    static constexpr std::size_t kTextSize = 51;
    static constexpr COLORREF kKeyColor = 0xFF00FF;
    static constexpr RECT kDefaultRect{0, 0, 60, 30};

    using ChildMap = std::map<std::string, std::unique_ptr<SkinObject>>;
    using PropertyMap = std::map<std::string, std::unique_ptr<SkinProperty>>;

    explicit SkinObject(std::uint32_t typeId);
    virtual ~SkinObject();
    SkinObject(const SkinObject&) = delete;
    SkinObject& operator=(const SkinObject&) = delete;

    virtual COLORREF DefaultKeyColor() const { return kKeyColor; }
    virtual void ReleaseResources();
    virtual void Bind(SkinData& skin);
    // The record with its leading type id, in the newest form.
    virtual void Write(MemStream& stream);
    // The record after its type id, as the current SkinFormatVersion lays it out.
    virtual void Read(MemStream& stream);
    // The kind of the property of that name (upper-cased first), 0 when absent.
    virtual std::uint32_t GetPropertyKind(std::string_view name) const;

    // Every stored field in file order, base class first.
    virtual void VisitFields(SkinFieldVisitor& v);

    std::uint32_t GetType() const { return m_typeId; }
    std::string_view GetName() const { return TextOf(name); }
    void SetName(std::string_view value) { SetText(name, value); }

    // 1, or 0 when a child of that NAME exists already (the new child is then discarded).
    int AddChild(std::unique_ptr<SkinObject> child);
    SkinObject* FindChild(std::string_view childName) const;
    const ChildMap& Children() const { return m_children; }

    void AddProperty(SkinPropertyKind kind, std::string_view propertyName,
                     std::string_view defaultText, void* storage, std::uint32_t size);
    const SkinProperty* FindProperty(std::string_view propertyName) const;
    const PropertyMap& Properties() const { return m_properties; }

    void BindImageRef(SkinData& skin, const SkinImageRef& ref, SkinBoundImage& out);

    template <typename T>
    void AddProperty(SkinPropertyKind kind, std::string_view propertyName, T& storage) {
        AddProperty(kind, propertyName, "", &storage, sizeof(T));
    }

    COLORREF color1;
    COLORREF color2;
    COLORREF color3 = 0x0000FF;
    RECT rect = kDefaultRect;
    std::uint32_t autoPlace = 0;
    FixedText<kTextSize> text{};
    std::uint32_t value = 0;
    FixedText<kNameSize> name{};

protected:
    void VisitBaseFields(SkinFieldVisitor& v);

private:
    ChildMap m_children;
    PropertyMap m_properties;
    std::uint32_t m_typeId;
};
