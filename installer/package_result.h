// What the package operations answer, and what the extraction tells its callback.
#pragma once

enum class PackageResult : int {
    OpenFailed = 1000,  // the package file cannot be opened
    NotAPackage = 1001, // marker or version missing or different, or a trailer that does not fit
    Success = 1002,
    NoEntries = 1004,    // the trailer announces no entries
    OutputFailed = 1005, // one or more entries could not be written
    ReopenFailed = 1006, // the package file cannot be opened again for extraction
};

// Codes of an ExtractCallback call; the pointer is the PackageEntry for the first two and an
// int holding the percentage for the third.
enum ExtractCallbackCode : int {
    kExtractEntryStarting = 1000,
    kExtractEntryDone = 1001,
    kExtractProgress = 1002,
};

// (code, pointer, user data); the returned value is ignored.
using ExtractCallback = int (*)(int code, void* data, void* userData);
