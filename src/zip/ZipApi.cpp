// The handle-based operations: each checks the handle's kind, then hands over to the archive's
// writer or reader state.
#include "Zip.h"
#include "ZipHandle.h"
#include "ZipReader.h"
#include "ZipWriter.h"

ZipHandle::~ZipHandle() = default;

namespace {

uint32_t CheckHandle(ZipHandle* handle, int kind)
{
    if (!handle)
        return ZIP_ARGS;
    if (handle->kind != kind)
        return ZIP_WRONGHANDLE;
    if ((kind == ZIP_KIND_WRITER && !handle->writer) || (kind == ZIP_KIND_READER && !handle->reader))
        return ZIP_NOTINITED;
    return ZIP_OK;
}

} // namespace

ZipHandle* ZipCreate(const QString& archivePath)
{
    std::unique_ptr<ZipWriter> writer = ZipWriter::Create(archivePath);
    if (!writer)
        return nullptr;
    auto* handle = new ZipHandle;
    handle->kind = ZIP_KIND_WRITER;
    handle->writer = std::move(writer);
    return handle;
}

uint32_t ZipAddFile(ZipHandle* handle, const QString& entryName, const QString& sourcePath)
{
    if (const uint32_t checked = CheckHandle(handle, ZIP_KIND_WRITER); checked != ZIP_OK)
        return checked;
    return handle->writer->AddFile(entryName, sourcePath);
}

uint32_t ZipClose(ZipHandle* handle)
{
    if (const uint32_t checked = CheckHandle(handle, ZIP_KIND_WRITER); checked != ZIP_OK)
        return checked;
    const uint32_t result = handle->writer->Close();
    delete handle;
    return result;
}

ZipHandle* UnzipOpen(const QString& archivePath, uint32_t* why)
{
    std::unique_ptr<ZipReader> reader = ZipReader::Open(archivePath, why);
    if (!reader)
        return nullptr;
    auto* handle = new ZipHandle;
    handle->kind = ZIP_KIND_READER;
    handle->reader = std::move(reader);
    return handle;
}

uint32_t UnzipGetItem(ZipHandle* handle, int index, ZipItem* out)
{
    if (const uint32_t checked = CheckHandle(handle, ZIP_KIND_READER); checked != ZIP_OK)
        return checked;
    if (!out)
        return ZIP_ARGS;
    return handle->reader->GetItem(index, out);
}

uint32_t UnzipItemToFile(ZipHandle* handle, int index, const QString& target)
{
    if (const uint32_t checked = CheckHandle(handle, ZIP_KIND_READER); checked != ZIP_OK)
        return checked;
    return handle->reader->ItemToFile(index, target);
}

uint32_t UnzipClose(ZipHandle* handle)
{
    if (const uint32_t checked = CheckHandle(handle, ZIP_KIND_READER); checked != ZIP_OK)
        return checked;
    delete handle;
    return ZIP_OK;
}
