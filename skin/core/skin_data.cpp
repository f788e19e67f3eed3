#include "skin/core/skin_data.h"

#include "skin/core/skin_format_version.h"
#include "skin/core/skin_object_factory.h"

#include "util/le_bytes.h"

#include <cstring>

namespace {

constexpr std::uint32_t kToolBarType = 23;
constexpr std::uint32_t kControlBarType = 24;

template <typename T>
void Store(std::map<std::string, std::unique_ptr<T>>& map, std::unique_ptr<T> object) {
    std::string key(object->GetName());
    map[std::move(key)] = std::move(object);
}

} // namespace

SkinData::~SkinData() {
    ClearMaps();
}

void SkinData::ClearMaps() {
    for (auto& [key, object] : m_objects)
        object->ReleaseResources();
    m_objects.clear();
    m_images.clear();
    m_namedEntries.clear();
}

void SkinData::Clear() {
    std::lock_guard guard(m_lock);
    ClearMaps();
    SkinFormatVersion.Reset();
}

int SkinData::Load(MemStream& container) {
    Clear();
    std::lock_guard guard(m_lock);
    MemStream file(nullptr, 0, MemStream::kGrowStep);
    if (!container.UnpackTo(file)) {
        m_status = SkinLoadStatus::UnpackFailed;
        return 0;
    }
    m_status = ReadSkinFile(file);
    if (m_status != SkinLoadStatus::Ok) {
        ClearMaps();
        return 0;
    }
    for (auto& [key, object] : m_objects)
        object->Bind(*this);
    return 1;
}

SkinLoadStatus SkinData::ReadSkinFile(MemStream& file) {
    file.Rewind();
    if (file.Read(m_header.data(), kHeaderSize) < kHeaderSize)
        return SkinLoadStatus::HeaderTooShort;
    if (std::strncmp(reinterpret_cast<const char*>(m_header.data()), kMagic, kMagicLength) != 0)
        return SkinLoadStatus::BadHeader;
    if (m_header[kMajorOffset] != SkinFormatRevision::kMajor)
        return SkinLoadStatus::BadHeader;
    SkinFormatVersion.major = m_header[kMajorOffset];
    SkinFormatVersion.minor = m_header[kMinorOffset];

    std::uint32_t objectCount = 0;
    lv::ByteReader(std::span(m_header).subspan(kObjectCountOffset, 4)).u32(objectCount);
    ReadObjects(file, objectCount);
    ReadList(file, m_images);
    ReadList(file, m_namedEntries);
    return SkinLoadStatus::Ok;
}

void SkinData::ReadObjects(MemStream& file, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count && file.Remaining() > 0; ++i) {
        std::unique_ptr<SkinObject> object =
            CreateSkinObject(ReadU32(file), SkinObjectPlace::TopLevel);
        if (!object)
            continue;
        object->Read(file);
        Store(m_objects, std::move(object));
    }
}

template <typename T> void SkinData::ReadList(MemStream& file, NameMap<T>& map) {
    const auto count = static_cast<std::int32_t>(ReadU32(file));
    for (std::int32_t i = 0; i < count && file.Remaining() > 0; ++i) {
        ReadU32(file);
        auto entry = std::make_unique<T>();
        entry->Read(file);
        Store(map, std::move(entry));
    }
}

SkinImage* SkinData::FindImageEntry(std::string_view imageName) {
    std::lock_guard guard(m_lock);
    auto it = m_images.find(std::string(imageName));
    return it == m_images.end() ? nullptr : it->second.get();
}

PxImage* SkinData::FindImage(const SkinImageRef& ref) {
    SkinImage* entry = FindImageEntry(TextOf(ref.imageName));
    return entry && entry->image.IsValid() ? &entry->image : nullptr;
}

SkinObject* SkinData::FindElement(const char* elementName) {
    if (!elementName)
        return nullptr;
    std::lock_guard guard(m_lock);
    const std::string key(elementName);
    if (auto it = m_objects.find(key); it != m_objects.end())
        return it->second.get();
    for (auto& [objectName, object] : m_objects) {
        if (SkinObject* child = object->FindChild(key))
            return child;
    }
    if (auto it = m_images.find(key); it != m_images.end())
        return it->second.get();
    if (auto it = m_namedEntries.find(key); it != m_namedEntries.end())
        return it->second.get();
    return nullptr;
}

SkinObject* SkinData::FindElementByType(std::uint32_t typeId) {
    std::lock_guard guard(m_lock);
    const std::uint32_t wanted = typeId == kControlBarType ? kToolBarType : typeId;
    for (auto& [key, object] : m_objects) {
        if (object->GetType() == wanted)
            return object.get();
    }
    return nullptr;
}
