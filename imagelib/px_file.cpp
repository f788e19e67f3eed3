#include "imagelib/px_file.h"

PxFile::~PxFile() = default;

bool PxFile::PutC(BYTE c) {
    return Write(&c, 1, 1) == 1;
}
