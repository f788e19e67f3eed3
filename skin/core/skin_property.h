// A named field of a skin object: its kind, size and storage, for lookup by name. Custom
// entries own their data and text.
#pragma once

#include "skin/core/skin_refs.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class SkinPropertyKind : std::uint32_t {
    Font = 0,       // SkinFontSlot, 64 bytes
    String = 1,     // char array, the field's size
    Color = 2,      // COLORREF
    ImageRef = 3,   // SkinImageRef, 72 bytes
    NineGrid = 4,   // SkinNineGridRef, 88 bytes
    Boolean = 6,    // u32
    ControlId = 7,  // u32
    TextEffect = 9, // SkinTextEffect, 16 bytes
};

class SkinProperty {
public:
    static constexpr std::size_t kNameSize = 31;
    static constexpr std::size_t kDefaultTextSize = 51;

    SkinProperty() = default;
    // Points at storage that the caller owns; names are cut as the stored fields allow.
    SkinProperty(SkinPropertyKind kind, std::string_view name, std::string_view defaultText,
                 void* storage, std::uint32_t size);
    SkinProperty(const SkinProperty&) = delete;
    SkinProperty& operator=(const SkinProperty&) = delete;

    int SetStorage(void* storage, std::uint32_t size);
    void SetOwnedData(std::vector<std::uint8_t> data);

    std::uint32_t Kind() const { return m_kind; }
    std::uint32_t Size() const { return m_size; }
    void* Data() const { return m_data; }
    bool OwnsData() const { return m_ownsData; }
    const std::optional<std::string>& OwnedText() const { return m_text; }
    std::string_view Name() const { return TextOf(m_name); }
    std::string_view DefaultText() const { return TextOf(m_defaultText); }

    // The stored fields, for readers and writers of custom entries.
    std::uint32_t& KindField() { return m_kind; }
    FixedText<kNameSize>& NameField() { return m_name; }
    FixedText<kDefaultTextSize>& DefaultTextField() { return m_defaultText; }
    std::optional<std::string>& TextField() { return m_text; }
    const std::vector<std::uint8_t>& OwnedData() const { return m_owned; }

private:
    std::uint32_t m_kind = 0;
    std::uint32_t m_size = 0;
    void* m_data = nullptr;
    std::optional<std::string> m_text;
    FixedText<kNameSize> m_name{};
    FixedText<kDefaultTextSize> m_defaultText{};
    bool m_ownsData = false;
    std::vector<std::uint8_t> m_owned;
};
