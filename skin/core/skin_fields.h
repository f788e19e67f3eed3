// One description of every skin record: each class lists its stored fields once, in file
// order, to a visitor; reading, writing and printing a record are visitors. The revision
// that gates a field is the visitor's: the file's while reading, the newest while writing.
#pragma once

#include "skin/core/skin_refs.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class SkinObject;
class SkinProperty;

class SkinFieldVisitor {
public:
    virtual ~SkinFieldVisitor() = default;

    virtual bool Reading() const { return false; }
    virtual int Minor() const = 0;

    virtual void U8(std::uint8_t& value, std::string_view label) = 0;
    virtual void U32(std::uint32_t& value, std::string_view label) = 0;
    virtual void I32(std::int32_t& value, std::string_view label) = 0;
    // A fixed text field of `size` bytes, terminated inside its size.
    virtual void Text(char* text, std::size_t size, std::string_view label) = 0;
    // Bytes without structure (reserved blocks).
    virtual void Bytes(std::uint8_t* data, std::size_t size, std::string_view label) = 0;
    // `length` bytes whose u32 length the record stored before (a reader is given the
    // stored length; a writer writes the bytes that `data` holds).
    virtual void Blob(std::vector<std::uint8_t>& data, std::uint32_t length,
                      std::string_view label) = 0;
    // u32 child count, then each child as u32 type id and its record.
    virtual void Children(SkinObject& owner) = 0;
    // u32 entry count, then the custom entries.
    virtual void CustomEntries(std::vector<std::unique_ptr<SkinProperty>>& entries) = 0;

    // Groups the fields of one building block, for visitors that print.
    virtual void Enter(std::string_view /*label*/) {}
    virtual void Leave() {}
};

namespace skin_fields {

template <std::size_t N>
void Text(SkinFieldVisitor& v, FixedText<N>& text, std::string_view label) {
    v.Text(text.data(), N, label);
}

template <std::size_t N>
void Bytes(SkinFieldVisitor& v, std::array<std::uint8_t, N>& data, std::string_view label) {
    v.Bytes(data.data(), N, label);
}

inline void Color(SkinFieldVisitor& v, COLORREF& color, std::string_view label) {
    v.U32(color, label);
}

void Rect(SkinFieldVisitor& v, RECT& rect, std::string_view label);
void Font(SkinFieldVisitor& v, SkinFontSlot& slot, std::string_view label);
void ImageRef(SkinFieldVisitor& v, SkinImageRef& ref, std::string_view label);
void NineGrid(SkinFieldVisitor& v, SkinNineGridRef& ref, std::string_view label);
void TextEffect(SkinFieldVisitor& v, SkinTextEffect& effect, std::string_view label);

} // namespace skin_fields
