// libjpeg's source, destination and error managers over a PxFile.
#pragma once

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

class PxFile;

// One object serves as either the source or the destination manager of one libjpeg object.
struct JpegStreamManager {
    static constexpr std::size_t kBufferSize = 4096;

    // libjpeg sees only the first member; the link leads back to this object.
    struct SourceLink {
        jpeg_source_mgr mgr;
        JpegStreamManager* owner;
    };
    struct DestinationLink {
        jpeg_destination_mgr mgr;
        JpegStreamManager* owner;
    };

    SourceLink source{};
    DestinationLink destination{};
    PxFile* file = nullptr;
    std::vector<JOCTET> buffer;
    bool startOfFile = false;

    void InstallSource(j_decompress_ptr cinfo, PxFile* input);
    void InstallDestination(j_compress_ptr cinfo, PxFile* output);
};

// libjpeg's standard error manager whose fatal errors write the formatted message into
// `lastError` (256 characters) and jump back to `jump`.
struct JpegErrorManager {
    jpeg_error_mgr base{};
    std::jmp_buf jump;
    char* lastError = nullptr;

    jpeg_error_mgr* Install(char* errorText);
};

// Fails the libjpeg call in progress with our own text.
[[noreturn]] void JpegFail(j_common_ptr cinfo, const char* text);
