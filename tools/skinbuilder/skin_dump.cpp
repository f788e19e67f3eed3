#include "tools/skinbuilder/skin_dump.h"

#include "skin/core/custom_skin_object.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_format_version.h"

#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

namespace {

class DumpVisitor final : public SkinFieldVisitor {
public:
    DumpVisitor(std::ostream& out, int indent) : m_out(out), m_indent(indent) {}

    int Minor() const override { return SkinFormatRevision::kNewestMinor; }

    void U8(std::uint8_t& value, std::string_view label) override {
        Line(label) << unsigned{value} << "\n";
    }
    void U32(std::uint32_t& value, std::string_view label) override {
        Line(label) << value << " (0x" << std::hex << value << std::dec << ")\n";
    }
    void I32(std::int32_t& value, std::string_view label) override { Line(label) << value << "\n"; }
    void Text(char* text, std::size_t size, std::string_view label) override {
        std::string_view shown(text, std::char_traits<char>::length(text));
        Line(label) << '"' << shown << "\"\n";
    }
    void Bytes(std::uint8_t* data, std::size_t size, std::string_view label) override {
        auto& line = Line(label);
        for (std::size_t i = 0; i < size; ++i)
            line << std::hex << std::setw(2) << std::setfill('0') << unsigned{data[i]};
        line << std::dec << std::setfill(' ') << "\n";
    }
    void Blob(std::vector<std::uint8_t>& data, std::uint32_t, std::string_view label) override {
        Line(label) << data.size() << " bytes\n";
    }
    void Children(SkinObject& owner) override {
        Line("children") << owner.Children().size() << "\n";
        for (const auto& [key, child] : owner.Children()) {
            Line("child") << "type " << child->GetType() << " \"" << key << "\"\n";
            DumpVisitor inner(m_out, m_indent + 2);
            child->VisitFields(inner);
        }
    }
    void CustomEntries(std::vector<std::unique_ptr<SkinProperty>>& entries) override {
        Line("entries") << entries.size() << "\n";
        for (const auto& entry : entries) {
            Line("entry") << "kind " << entry->Kind() << " \"" << entry->Name() << "\" "
                          << entry->OwnedData().size() << " data bytes, text \""
                          << entry->OwnedText().value_or("") << "\"\n";
        }
    }
    void Enter(std::string_view label) override { m_groups.emplace_back(label); }
    void Leave() override { m_groups.pop_back(); }

private:
    std::ostream& Line(std::string_view label) {
        m_out << std::string(m_indent, ' ');
        for (const auto& group : m_groups)
            m_out << group << '.';
        m_out << label << " = ";
        return m_out;
    }

    std::ostream& m_out;
    int m_indent;
    std::vector<std::string> m_groups;
};

void DumpHeader(const SkinData& skin, std::ostream& out) {
    const auto& header = skin.Header();
    out << "header: magic \""
        << std::string_view(reinterpret_cast<const char*>(header.data()), SkinData::kMagicLength)
        << "\", version " << unsigned{header[SkinData::kMajorOffset]} << "."
        << unsigned{header[SkinData::kMinorOffset]} << ", " << skin.Objects().size() << " objects, "
        << skin.Images().size() << " images, " << skin.NamedEntries().size() << " named entries\n";
}

void DumpProperties(const SkinObject& object, std::ostream& out) {
    out << "  properties:";
    for (const auto& [name, property] : object.Properties())
        out << ' ' << name << '(' << property->Kind() << ')';
    out << "\n";
}

template <typename Map> void DumpList(const char* title, const Map& map, std::ostream& out) {
    for (const auto& [name, object] : map) {
        out << title << " \"" << name << "\" type " << object->GetType() << "\n";
        DumpVisitor visitor(out, 2);
        object->VisitFields(visitor);
        DumpProperties(*object, out);
    }
}

} // namespace

int DumpSkin(std::span<const std::uint8_t> container, std::ostream& out) {
    MemStream stream(container.data(), static_cast<std::uint32_t>(container.size()));
    SkinData skin;
    if (!skin.Load(stream)) {
        out << "load failed: status " << static_cast<std::uint32_t>(skin.Status()) << "\n";
        return static_cast<int>(skin.Status());
    }
    DumpHeader(skin, out);
    DumpList("object", skin.Objects(), out);
    DumpList("image", skin.Images(), out);
    DumpList("entry", skin.NamedEntries(), out);
    return 0;
}
