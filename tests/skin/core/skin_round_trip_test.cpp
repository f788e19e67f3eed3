#include "tests/support/skin_builder.h"

#include "skin/core/custom_skin_object.h"
#include "skin/core/font_element_skin.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_object_factory.h"
#include "skin/core/skin_record_io.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Gives every stored field a value of its own, different from any default.
class FillVisitor final : public SkinFieldVisitor {
public:
    int Minor() const override { return SkinFormatRevision::kNewestMinor; }
    void U8(std::uint8_t& value, std::string_view) override {
        value = static_cast<std::uint8_t>(0x40 + (Next() % 100));
    }
    void U32(std::uint32_t& value, std::string_view) override { value = 0x5A000000u + Next(); }
    void I32(std::int32_t& value, std::string_view) override {
        value = -1000 - static_cast<std::int32_t>(Next());
    }
    void Text(char* text, std::size_t size, std::string_view) override {
        std::string value = "f" + std::to_string(Next());
        std::fill(text, text + size, '\0');
        value.copy(text, std::min(value.size(), size - 1));
    }
    void Bytes(std::uint8_t* data, std::size_t size, std::string_view) override {
        for (std::size_t i = 0; i < size; ++i)
            data[i] = static_cast<std::uint8_t>(0x80 + Next() % 100);
    }
    void Blob(std::vector<std::uint8_t>& data, std::uint32_t, std::string_view) override {
        data.assign(5 + Next() % 7, 0xB1);
    }
    void Children(SkinObject&) override {}
    void CustomEntries(std::vector<std::unique_ptr<SkinProperty>>& entries) override {
        entries.clear();
        for (int i = 0; i < 2; ++i) {
            auto entry = std::make_unique<SkinProperty>();
            entry->KindField() = 2 + i;
            SetText(entry->NameField(), "E" + std::to_string(Next()));
            SetText(entry->DefaultTextField(), "d" + std::to_string(Next()));
            entry->SetOwnedData(std::vector<std::uint8_t>(3 + i, 0xC4));
            if (i == 0)
                entry->TextField() = "t" + std::to_string(Next());
            entries.push_back(std::move(entry));
        }
    }

private:
    std::uint32_t Next() { return ++m_counter; }
    std::uint32_t m_counter = 0;
};

// Lists every stored field with its value.
class ListVisitor final : public SkinFieldVisitor {
public:
    int Minor() const override { return SkinFormatRevision::kNewestMinor; }
    void U8(std::uint8_t& value, std::string_view label) override { Add(label, value); }
    void U32(std::uint32_t& value, std::string_view label) override { Add(label, value); }
    void I32(std::int32_t& value, std::string_view label) override { Add(label, value); }
    void Text(char* text, std::size_t, std::string_view label) override {
        Add(label, std::string(text));
    }
    void Bytes(std::uint8_t* data, std::size_t size, std::string_view label) override {
        std::ostringstream s;
        for (std::size_t i = 0; i < size; ++i)
            s << int{data[i]} << ',';
        Add(label, s.str());
    }
    void Blob(std::vector<std::uint8_t>& data, std::uint32_t, std::string_view label) override {
        Add(label, data.size());
    }
    void Children(SkinObject& owner) override {
        for (const auto& [key, child] : owner.Children()) {
            Add("child", key);
            child->VisitFields(*this);
        }
    }
    void CustomEntries(std::vector<std::unique_ptr<SkinProperty>>& entries) override {
        for (const auto& e : entries) {
            Add("entry", std::string(e->Name()) + "|" + std::string(e->DefaultText()) + "|" +
                             std::to_string(e->Kind()) + "|" + std::to_string(e->Size()) + "|" +
                             e->OwnedText().value_or("<none>"));
        }
    }

    std::vector<std::string> fields;

private:
    template <typename T> void Add(std::string_view label, const T& value) {
        std::ostringstream s;
        s << label << '=' << value;
        fields.push_back(s.str());
    }
};

std::vector<std::string> Fields(SkinObject& object) {
    ListVisitor list;
    object.VisitFields(list);
    return list.fields;
}

std::unique_ptr<SkinObject> Make(std::uint32_t type) {
    if (type == SkinImage::kTypeId)
        return std::make_unique<SkinImage>();
    if (type == NamedSkinEntry::kTypeId)
        return std::make_unique<NamedSkinEntry>();
    if (type == FontElementSkin::kTypeId)
        return std::make_unique<FontElementSkin>();
    if (auto object = CreateSkinObject(type, SkinObjectPlace::TopLevel))
        return object;
    return CreateSkinObject(type, SkinObjectPlace::Child);
}

class SkinRoundTrip : public ::testing::TestWithParam<std::uint32_t> {
protected:
    void TearDown() override { SkinFormatVersion.Reset(); }
};

TEST_P(SkinRoundTrip, EveryFieldComesBackAndTheRecordEndsWhereItWasWritten) {
    const std::uint32_t type = GetParam();
    std::unique_ptr<SkinObject> original = Make(type);
    ASSERT_NE(original, nullptr);
    const std::vector<std::string> defaults = Fields(*original);
    FillVisitor fill;
    original->VisitFields(fill);
    const std::vector<std::string> filledAlone = Fields(*original);
    if (type == CustomSkinObject::kTypeId) {
        EXPECT_EQ(filledAlone.size(), defaults.size() + 2);
    } else {
        ASSERT_EQ(filledAlone.size(), defaults.size());
        for (std::size_t i = 0; i < defaults.size(); ++i)
            if (defaults[i] != "elementtype=20") {
                EXPECT_NE(filledAlone[i], defaults[i])
                    << "field left at its default: " << defaults[i];
            }
    }
    auto child = std::make_unique<CustomSkinObject>();
    child->VisitFields(fill);
    child->SetName("Child");
    original->AddChild(std::move(child));
    const std::vector<std::string> filled = Fields(*original);
    ASSERT_EQ(filled.size(), filledAlone.size() + 1 + Fields(*original->FindChild("Child")).size());

    MemStream written;
    original->Write(written);
    written.Rewind();
    ASSERT_EQ(ReadU32(written), type);
    std::unique_ptr<SkinObject> copy = Make(type);
    SkinFormatVersion.minor = SkinFormatRevision::kNewestMinor;
    copy->Read(written);
    EXPECT_EQ(written.Position(), written.Length());
    EXPECT_EQ(Fields(*copy), filled);
    EXPECT_EQ(copy->GetType(), type);

    MemStream again;
    copy->Write(again);
    EXPECT_EQ(std::vector<std::uint8_t>(again.Data(), again.Data() + again.Length()),
              std::vector<std::uint8_t>(written.Data(), written.Data() + written.Length()));
}

INSTANTIATE_TEST_SUITE_P(EveryType, SkinRoundTrip,
                         ::testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16,
                                           17, 18, 19, 20, 23, 24, 25, 26, 27, 28, 29, 30, 36, 37,
                                           38, 39, 40, 100));

TEST(SkinRecordSizes, NewestRecordsHaveTheirStoredSizes) {
    struct Case {
        std::uint32_t type;
        std::size_t size;
    };
    const std::size_t base = 51 + 12 + 51 + 4 + 20 + 4;
    const std::size_t control = base + 64 + 88 + 12;
    const std::size_t child = base + 72 + 8 + 4 + 51;
    const std::size_t ninePart = base + 18 * 72 + 9 * 16 + 64 + 8 + 12 + 16;
    const std::size_t fontElement = child + 64 + 48 + 4 + 88 + 16 + 4 + 88 + 12 * 72 + 88;
    const Case cases[] = {
        {1, ninePart + 4 + fontElement + 4 + 72},
        {2, base + 72 + 32 + 1 + 8},
        {3, child + 3 * 72 + 8},
        {4, control + 6 * 120 + 50 + 8},
        {5, control + 7 * 192 + 50 + 4},
        {6, control + 4 * 88 + 16},
        {7, control + 72},
        {8, control + 88 + 4 + 16 + 4},
        {10, control + 88 + 12},
        {12, control + 4 * 320 + 72 + 20},
        {13, control + 88 + 20 + 88 + 4 + 88},
        {14, control + 4 + 16 + 51},
        {15, control + 88 + 72},
        {16, control + 4 * 120 + 88 + 4},
        {17, ninePart + 48 + 8 + 2 * 88 + 2 * 72},
        {23, control + 5 * 88},
        {24, control},
        {25, base + 5 * 51 + 4},
        {27, control + 4 * 144},
        {36, control + 88 + 16},
        {37, control + 16 + 88},
        {38, child + 4 + 20 + 4 + 64 + 16 + 51 + 8},
        {39, base + 16 + 72},
        {40, control + 72},
        {100, control + 51 + 4},
    };
    for (const Case& c : cases) {
        std::unique_ptr<SkinObject> object = Make(c.type);
        MemStream stream;
        object->Write(stream);
        EXPECT_EQ(stream.Length(), 4 + c.size) << "type " << c.type;
    }
}

} // namespace
