// libtiff on a PxFile: a client-opened TIFF handle whose reads, writes and seeks go to the
// stream (offsets count from where the stream stood when it was opened), and whose messages
// are kept instead of printed.
#pragma once

#include <string>

#include <tiffio.h>

#include "imagelib/px_file.h"

class PxTiffStream {
public:
    PxTiffStream() = default;
    ~PxTiffStream();
    PxTiffStream(const PxTiffStream&) = delete;
    PxTiffStream& operator=(const PxTiffStream&) = delete;

    // mode "r" reads, "a" writes (appending to a TIFF already there); null on failure.
    TIFF* Open(PxFile* file, const char* mode);
    // Closes the handle (writing what is pending); false when the last flush failed.
    bool Close();
    TIFF* Handle() const { return m_tiff; }
    // The last error libtiff reported on this handle.
    const std::string& LastMessage() const { return m_message; }

    PxFile* file = nullptr;
    LONG origin = 0;

private:
    TIFF* m_tiff = nullptr;
    bool m_writing = false;
    std::string m_message;
};
