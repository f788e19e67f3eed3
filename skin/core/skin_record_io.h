// The visitors that read a skin record from a stream and write it to one.
#pragma once

#include "skin/core/skin_fields.h"

#include <cstdint>

class MemStream;

// Reads fields as the given revision lays them out. A field that the stream holds only in
// part keeps its default; counts stop at the end of the stream.
class SkinRecordReader final : public SkinFieldVisitor {
public:
    // Deeper nesting than any skin needs is damage: the rest of the stream is then dropped.
    static constexpr int kMaxChildDepth = 16;

    SkinRecordReader(MemStream& stream, int minor) : m_stream(stream), m_minor(minor) {}

    bool Reading() const override { return true; }
    int Minor() const override { return m_minor; }

    void U8(std::uint8_t& value, std::string_view label) override;
    void U32(std::uint32_t& value, std::string_view label) override;
    void I32(std::int32_t& value, std::string_view label) override;
    void Text(char* text, std::size_t size, std::string_view label) override;
    void Bytes(std::uint8_t* data, std::size_t size, std::string_view label) override;
    void Blob(std::vector<std::uint8_t>& data, std::uint32_t length,
              std::string_view label) override;
    void Children(SkinObject& owner) override;
    void CustomEntries(std::vector<std::unique_ptr<SkinProperty>>& entries) override;

private:
    bool Take(void* destination, std::size_t size);

    MemStream& m_stream;
    int m_minor;
    int m_depth = 0;
};

// Writes the newest form of every record.
class SkinRecordWriter final : public SkinFieldVisitor {
public:
    explicit SkinRecordWriter(MemStream& stream) : m_stream(stream) {}

    // The object's type id, then its record.
    void WriteObject(SkinObject& object);

    int Minor() const override;

    void U8(std::uint8_t& value, std::string_view label) override;
    void U32(std::uint32_t& value, std::string_view label) override;
    void I32(std::int32_t& value, std::string_view label) override;
    void Text(char* text, std::size_t size, std::string_view label) override;
    void Bytes(std::uint8_t* data, std::size_t size, std::string_view label) override;
    void Blob(std::vector<std::uint8_t>& data, std::uint32_t length,
              std::string_view label) override;
    void Children(SkinObject& owner) override;
    void CustomEntries(std::vector<std::unique_ptr<SkinProperty>>& entries) override;

private:
    void Put(std::uint32_t value);
    void Put(const void* data, std::size_t size);

    MemStream& m_stream;
};
