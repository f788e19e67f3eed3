// The readers and writers of the JPEG-2000 family, one pair per format, over a PxFile. Each
// reader starts at the file's position, checks every size and count against what the stream
// holds before it allocates, and fails with its reason in `error`.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "imagelib/px_jas_picture.h"

enum class PxJasCodec { none, jp2, jpc, pgx, pnm, ras };

// The codec a file's first bytes announce (at least 12 bytes are looked at when present).
PxJasCodec PxJasSniff(std::span<const BYTE> head);

struct PxJasWriteOptions {
    // Compressed size as a fraction of the raw size (JP2/JPC only); 0 is lossless.
    double rate = 0.0;
};

bool PxJasReadOpenJpeg(PxFile* file, PxJasCodec codec, PxJasPicture& picture, std::string& error);
bool PxJasWriteOpenJpeg(PxFile* file, PxJasCodec codec, const PxJasPicture& picture,
                        const PxJasWriteOptions& options, std::string& error);

bool PxJasReadPnm(PxFile* file, PxJasPicture& picture, std::string& error);
bool PxJasWritePnm(PxFile* file, const PxJasPicture& picture, std::string& error);

bool PxJasReadPgx(PxFile* file, PxJasPicture& picture, std::string& error);
bool PxJasWritePgx(PxFile* file, const PxJasPicture& picture, std::string& error);

bool PxJasReadRas(PxFile* file, PxJasPicture& picture, std::string& error);
bool PxJasWriteRas(PxFile* file, const PxJasPicture& picture, std::string& error);

// Bytes from the file's position to its end; -1 when the file has no size.
long long PxJasBytesLeft(PxFile* file);
// True when width x height x components stays within the family's sample limit and every
// plane's raw bytes (bytesPerSample each) can come from what the stream holds.
bool PxJasSizeFits(std::uint64_t width, std::uint64_t height, std::uint64_t components,
                   std::uint64_t bytesNeeded, long long bytesLeft);
