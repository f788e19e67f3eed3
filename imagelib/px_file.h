// The byte stream every codec reads and writes: a stdio file or a growable memory block.
#pragma once

#include <cstddef>
#include <cstdio>

#include "win32/types.h"

class PxFile {
public:
    virtual ~PxFile();
    virtual bool Close() = 0;
    // Copies up to size x count bytes; returns the number of whole items read.
    virtual std::size_t Read(void* buffer, std::size_t size, std::size_t count) = 0;
    // Returns count on success, 0 on failure.
    virtual std::size_t Write(const void* buffer, std::size_t size, std::size_t count) = 0;
    // origin: 0 = SEEK_SET, 1 = SEEK_CUR, 2 = SEEK_END.
    virtual bool Seek(LONG offset, int origin) = 0;
    virtual LONG Tell() = 0;
    // Length of the stream in bytes; -1 when there is none.
    virtual LONG Size() = 0;
    virtual bool Flush() = 0;
    virtual bool Eof() = 0;
    virtual LONG Error() = 0;
    virtual bool PutC(BYTE c);
    // The next byte as 0..255, -1 at the end.
    virtual LONG GetC() = 0;
};

// Wraps a stdio handle. A handle given by the caller stays the caller's: it is never closed here.
class PxStdioFile : public PxFile {
public:
    explicit PxStdioFile(FILE* handle = nullptr);
    ~PxStdioFile() override;
    PxStdioFile(const PxStdioFile&) = delete;
    PxStdioFile& operator=(const PxStdioFile&) = delete;

    // Opens a Windows-style path; false when a handle is already attached or the open fails.
    bool Open(const char* path, const char* mode);
    FILE* GetHandle() const { return m_handle; }

    bool Close() override;
    std::size_t Read(void* buffer, std::size_t size, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;
    bool Seek(LONG offset, int origin) override;
    LONG Tell() override;
    LONG Size() override;
    bool Flush() override;
    bool Eof() override;
    LONG Error() override;
    bool PutC(BYTE c) override;
    LONG GetC() override;

private:
    FILE* m_handle = nullptr;
    bool m_ownsHandle = false;
};

// A seekable stream over a memory block that grows on writing. Over a caller's block the file
// only reads it: the first write copies the data into a block of its own. Blocks the file
// allocates come from std::malloc; a caller that detaches one frees it with std::free.
class PxMemoryFile : public PxFile {
public:
    explicit PxMemoryFile(BYTE* buffer = nullptr, DWORD size = 0);
    ~PxMemoryFile() override;
    PxMemoryFile(const PxMemoryFile&) = delete;
    PxMemoryFile& operator=(const PxMemoryFile&) = delete;

    // Starts an empty owned buffer; false when a buffer is already attached.
    bool Open();
    // Returns the buffer; with detach set the caller owns it from then on.
    BYTE* DetachBuffer(bool detach = true);
    DWORD Capacity() const { return m_capacity; }

    bool Close() override;
    std::size_t Read(void* buffer, std::size_t size, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;
    bool Seek(LONG offset, int origin) override;
    LONG Tell() override;
    LONG Size() override;
    bool Flush() override;
    bool Eof() override;
    LONG Error() override;
    bool PutC(BYTE c) override;
    LONG GetC() override;

private:
    bool Reserve(DWORD needed);

    BYTE* m_buffer = nullptr;
    DWORD m_size = 0;
    bool m_ownsBuffer = false;
    DWORD m_position = 0;
    DWORD m_capacity = 0;
};
