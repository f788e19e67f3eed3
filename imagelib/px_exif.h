// The JPEG marker-section reader and writer with its EXIF and comment parser: learns the
// resolution and camera data of a JPEG before decoding, and carries the EXIF section of a
// decoded file over into a newly encoded one.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class PxFile;

struct ExifInfo {
    char exifVersion[5];
    char cameraMake[32];
    char cameraModel[40];
    char dateTime[20];
    int height;
    int width;
    int orientation;
    int isColour;
    int process;
    int flashUsed;
    float focalLength;
    float exposureTime;
    float fNumber;
    float subjectDistance;
    float ccdWidth;
    float exposureBias;
    int lightSource;
    int meteringMode;
    int exposureProgram;
    int isoSpeed;
    int compressionLevel;
    float focalPlaneXRes;
    float focalPlaneYRes;
    float focalPlaneUnit;
    float xResolution;
    float yResolution;
    float resolutionUnit;
    float brightness;
    char comment[1000];
    const std::uint8_t* thumbnail; // into the EXIF section's data held by the reader
    unsigned thumbnailSize;
    bool isExif;
};

class JpegExifReader {
public:
    // Mode bits of ReadSections.
    static constexpr int kReadExif = 1;  // parse EXIF and comment sections
    static constexpr int kReadImage = 2; // keep the data after the start of scan

    static constexpr int kMaxSections = 20;
    static constexpr int kImageDataMarker = 0x123;

    // Marker section: the data starts with the two big-endian length bytes; the image-data
    // pseudo section holds the bytes after the start-of-scan section.
    struct Section {
        std::vector<std::uint8_t> data;
        int type = 0;
        unsigned size = 0;
    };

    // With a null block the reader makes and owns one of its own.
    explicit JpegExifReader(ExifInfo* info = nullptr);
    ~JpegExifReader();
    JpegExifReader(const JpegExifReader&) = delete;
    JpegExifReader& operator=(const JpegExifReader&) = delete;

    // True when the start-of-scan section was reached.
    bool ReadSections(PxFile* file, int mode);
    bool WriteSections(PxFile* file);
    // Frees every section but the first APP1 and the first comment.
    void KeepExifSections();

    // Parses an APP1 payload (the section without its length bytes) into the information
    // block. Writes into the payload (UserComment trimming).
    bool ProcessExif(std::span<std::uint8_t> payload);

    // Any section but the last with this marker type, or null.
    const Section* FindSection(int type) const;
    const std::vector<Section>& Sections() const { return m_sections; }

    ExifInfo& Info() { return *m_info; }
    const char* GetLastError() const { return m_lastError; }

private:
    class DirectoryParser;

    bool Fail(const char* text);
    void SetError(const char* text);
    void ProcessComment(std::span<const std::uint8_t> section);
    bool ReadImageData(PxFile* file);

    ExifInfo* m_info = nullptr;
    char m_lastError[256] = {};
    int m_widestDimension = 0;
    int m_byteOrder = 0; // 0 "II", 1 "MM"
    std::vector<Section> m_sections;
    bool m_ownsInfo = false;
};
