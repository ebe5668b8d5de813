#pragma once
// The archive handle behind the opaque ZipHandle: a kind tag and the state of one archive.
#include "Zip.h"

#include <memory>

class ZipReader;
class ZipWriter;

struct ZipHandle {
    int kind = 0; // ZIP_KIND_WRITER or ZIP_KIND_READER
    std::unique_ptr<ZipWriter> writer;
    std::unique_ptr<ZipReader> reader;
    ~ZipHandle();
};
