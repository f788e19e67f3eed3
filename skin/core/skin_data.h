// A loaded skin: its header, its objects, its images and its named entries.
#pragma once

#include "skin/core/mem_stream.h"
#include "skin/core/named_skin_entry.h"
#include "skin/core/skin_image.h"
#include "skin/core/skin_object.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

enum class SkinLoadStatus : std::uint32_t {
    Ok = 0,
    UnpackFailed = 5,
    HeaderTooShort = 6,
    BadHeader = 7,
};

class SkinData {
public:
    static constexpr std::size_t kHeaderSize = 188;
    static constexpr std::size_t kMagicLength = 19;
    static constexpr char kMagic[] = "GLAZEWORK_SKIN_FILE";
    static constexpr std::size_t kMajorOffset = 20;
    static constexpr std::size_t kMinorOffset = 21;
    static constexpr std::size_t kObjectCountOffset = 176;

    template <typename T> using NameMap = std::map<std::string, std::unique_ptr<T>>;

    SkinData() = default;
    virtual ~SkinData();
    SkinData(const SkinData&) = delete;
    SkinData& operator=(const SkinData&) = delete;

    // 1 when the container held a skin; else 0 with the status telling why.
    int Load(MemStream& container);
    void Clear();

    // The decoded picture of the image that the reference names; null when there is none.
    PxImage* FindImage(const SkinImageRef& ref);
    SkinImage* FindImageEntry(std::string_view imageName);
    SkinObject* FindElement(const char* elementName);
    SkinObject* FindElementByType(std::uint32_t typeId);

    void Lock() { m_lock.lock(); }
    void Unlock() { m_lock.unlock(); }

    SkinLoadStatus Status() const { return m_status; }
    const std::array<std::uint8_t, kHeaderSize>& Header() const { return m_header; }
    const NameMap<SkinObject>& Objects() const { return m_objects; }
    const NameMap<SkinImage>& Images() const { return m_images; }
    const NameMap<NamedSkinEntry>& NamedEntries() const { return m_namedEntries; }

private:
    SkinLoadStatus ReadSkinFile(MemStream& file);
    void ReadObjects(MemStream& file, std::uint32_t count);
    template <typename T> void ReadList(MemStream& file, NameMap<T>& map);
    void ClearMaps();

    SkinLoadStatus m_status = SkinLoadStatus::Ok;
    NameMap<SkinImage> m_images;
    NameMap<NamedSkinEntry> m_namedEntries;
    std::array<std::uint8_t, kHeaderSize> m_header{};
    NameMap<SkinObject> m_objects;
    std::recursive_mutex m_lock;
};
