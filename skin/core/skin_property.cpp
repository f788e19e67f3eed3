#include "skin/core/skin_property.h"

namespace {

// A name given by a constant keeps one byte of its field spare, as stored names do.
constexpr std::size_t kNameCharsFromConstant = SkinProperty::kNameSize - 2;
constexpr std::size_t kDefaultTextCharsKept = SkinProperty::kDefaultTextSize - 2;

} // namespace

SkinProperty::SkinProperty(SkinPropertyKind kind, std::string_view name,
                           std::string_view defaultText, void* storage, std::uint32_t size)
    : m_kind(static_cast<std::uint32_t>(kind)), m_size(size), m_data(storage) {
    SetText(m_name, name.substr(0, kNameCharsFromConstant));
    SetText(m_defaultText, defaultText.substr(0, kDefaultTextCharsKept));
}

int SkinProperty::SetStorage(void* storage, std::uint32_t size) {
    m_owned.clear();
    m_owned.shrink_to_fit();
    m_ownsData = false;
    m_data = storage;
    m_size = size;
    return 1;
}

void SkinProperty::SetOwnedData(std::vector<std::uint8_t> data) {
    m_owned = std::move(data);
    m_ownsData = true;
    m_size = static_cast<std::uint32_t>(m_owned.size());
    m_data = m_owned.empty() ? nullptr : m_owned.data();
}
