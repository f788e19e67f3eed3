#include "skin/core/skin_record_io.h"

#include "skin/core/mem_stream.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_object_factory.h"

#include "util/le_bytes.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// kind, name, default text, data length, text length: the least an entry takes.
constexpr std::uint32_t kMinCustomEntryBytes = 4 + 31 + 51 + 4 + 4;

std::int32_t AsCount(std::uint32_t stored) {
    return static_cast<std::int32_t>(stored);
}

} // namespace

bool SkinRecordReader::Take(void* destination, std::size_t size) {
    if (m_stream.Remaining() < size) {
        m_stream.Seek(0, 2);
        return false;
    }
    m_stream.Read(destination, static_cast<std::uint32_t>(size));
    return true;
}

void SkinRecordReader::U8(std::uint8_t& value, std::string_view) {
    Take(&value, 1);
}

void SkinRecordReader::U32(std::uint32_t& value, std::string_view) {
    std::array<std::uint8_t, 4> bytes;
    if (Take(bytes.data(), bytes.size()))
        lv::ByteReader(bytes).u32(value);
}

void SkinRecordReader::I32(std::int32_t& value, std::string_view) {
    std::array<std::uint8_t, 4> bytes;
    if (Take(bytes.data(), bytes.size()))
        lv::ByteReader(bytes).i32(value);
}

void SkinRecordReader::Text(char* text, std::size_t size, std::string_view) {
    if (size == 0 || !Take(text, size))
        return;
    text[size - 1] = '\0';
}

void SkinRecordReader::Bytes(std::uint8_t* data, std::size_t size, std::string_view) {
    Take(data, size);
}

void SkinRecordReader::Blob(std::vector<std::uint8_t>& data, std::uint32_t length,
                            std::string_view) {
    data.clear();
    if (length > m_stream.Remaining()) {
        m_stream.Seek(0, 2);
        return;
    }
    data.resize(length);
    if (length)
        m_stream.Read(data.data(), length);
}

void SkinRecordReader::Children(SkinObject& owner) {
    std::uint32_t stored = 0;
    U32(stored, "children");
    const std::int32_t count = AsCount(stored);
    for (std::int32_t i = 0; i < count && m_stream.Remaining() > 0; ++i) {
        std::unique_ptr<SkinObject> child =
            CreateSkinObject(ReadU32(m_stream), SkinObjectPlace::Child);
        if (!child)
            continue;
        if (m_depth >= kMaxChildDepth) {
            m_stream.Seek(0, 2);
            return;
        }
        ++m_depth;
        child->VisitFields(*this);
        --m_depth;
        owner.AddChild(std::move(child));
    }
}

void SkinRecordReader::CustomEntries(std::vector<std::unique_ptr<SkinProperty>>& entries) {
    entries.clear();
    std::uint32_t count = 0;
    U32(count, "entries");
    entries.reserve(std::min(count, m_stream.Remaining() / kMinCustomEntryBytes));
    for (std::uint32_t i = 0; i < count && m_stream.Remaining() > 0; ++i) {
        auto entry = std::make_unique<SkinProperty>();
        U32(entry->KindField(), "kind");
        skin_fields::Text(*this, entry->NameField(), "name");
        skin_fields::Text(*this, entry->DefaultTextField(), "default");
        std::uint32_t dataLength = 0;
        U32(dataLength, "length");
        std::vector<std::uint8_t> data;
        Blob(data, dataLength, "data");
        entry->SetOwnedData(std::move(data));
        std::uint32_t textLength = 0;
        U32(textLength, "textlength");
        std::vector<std::uint8_t> textBytes;
        Blob(textBytes, textLength, "text");
        if (!textBytes.empty()) {
            textBytes.back() = 0;
            entry->TextField() = std::string(reinterpret_cast<const char*>(textBytes.data()));
        }
        entries.push_back(std::move(entry));
    }
}

void SkinRecordWriter::WriteObject(SkinObject& object) {
    Put(object.GetType());
    object.VisitFields(*this);
}

int SkinRecordWriter::Minor() const {
    return SkinFormatRevision::kNewestMinor;
}

void SkinRecordWriter::Put(std::uint32_t value) {
    std::vector<std::uint8_t> bytes;
    lv::ByteWriter(bytes).u32(value);
    Put(bytes.data(), bytes.size());
}

void SkinRecordWriter::Put(const void* data, std::size_t size) {
    m_stream.Write(data, static_cast<std::uint32_t>(size));
}

void SkinRecordWriter::U8(std::uint8_t& value, std::string_view) {
    Put(&value, 1);
}
void SkinRecordWriter::U32(std::uint32_t& value, std::string_view) {
    Put(value);
}
void SkinRecordWriter::I32(std::int32_t& value, std::string_view) {
    Put(static_cast<std::uint32_t>(value));
}

void SkinRecordWriter::Text(char* text, std::size_t size, std::string_view) {
    if (size == 0)
        return;
    text[size - 1] = '\0';
    Put(text, size);
}

void SkinRecordWriter::Bytes(std::uint8_t* data, std::size_t size, std::string_view) {
    Put(data, size);
}

void SkinRecordWriter::Blob(std::vector<std::uint8_t>& data, std::uint32_t, std::string_view) {
    Put(data.data(), data.size());
}

void SkinRecordWriter::Children(SkinObject& owner) {
    Put(static_cast<std::uint32_t>(owner.Children().size()));
    for (const auto& [key, child] : owner.Children())
        child->Write(m_stream);
}

void SkinRecordWriter::CustomEntries(std::vector<std::unique_ptr<SkinProperty>>& entries) {
    Put(static_cast<std::uint32_t>(entries.size()));
    for (auto& entry : entries) {
        Put(entry->KindField());
        Text(entry->NameField().data(), SkinProperty::kNameSize, "name");
        Text(entry->DefaultTextField().data(), SkinProperty::kDefaultTextSize, "default");
        Put(static_cast<std::uint32_t>(entry->OwnedData().size()));
        Put(entry->OwnedData().data(), entry->OwnedData().size());
        const auto& entryText = entry->TextField();
        if (!entryText) {
            Put(std::uint32_t{0});
            continue;
        }
        Put(static_cast<std::uint32_t>(entryText->size() + 1));
        Put(entryText->c_str(), entryText->size() + 1);
    }
}
