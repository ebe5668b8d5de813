#include "imaging/JpegRows.h"

#include "imaging/LargeImage.h"

#include <QImageReader>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>

namespace {

// The decoder's errors jump back to the call that set the decoder up; warnings about damaged data
// end the decode as errors do. Only plain C data lives between the jump and its target.
struct JumpingErrors {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

[[noreturn]] void JumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JumpingErrors*>(info->err)->back, 1);
}

void NoMessage(j_common_ptr) {}

void OnWarning(j_common_ptr info, int level)
{
    if (level < 0) // damaged data: the rows would not be the file's
        JumpBack(info);
}

// Rows decoded between two reports to the caller.
constexpr int kRowsPerReport = 32;

struct Decoder {
    jpeg_decompress_struct info;
    JumpingErrors errors;
};

// Sets the decoder up on the bytes and reads the header; false when the bytes are no JPEG.
bool ReadHeader(Decoder& decoder, QByteArrayView bytes)
{
    decoder.info.err = jpeg_std_error(&decoder.errors.manager);
    decoder.errors.manager.error_exit = JumpBack;
    decoder.errors.manager.emit_message = OnWarning;
    decoder.errors.manager.output_message = NoMessage;
    if (setjmp(decoder.errors.back) != 0)
        return false;
    jpeg_create_decompress(&decoder.info);
    jpeg_mem_src(&decoder.info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    return jpeg_read_header(&decoder.info, TRUE) == JPEG_HEADER_OK;
}

// Decodes rows [top, bottom) into the picture; false on any error or warning. Decoder state only:
// the jump back from an error crosses no object with a destructor.
bool ReadRows(Decoder& decoder, int top, int bottom, QImage* picture, const RowsDecoded& onRows)
{
    jpeg_decompress_struct& info = decoder.info;
    if (setjmp(decoder.errors.back) != 0)
        return false;
    jpeg_start_decompress(&info);
    if (info.output_components != 4 || int(info.output_width) != picture->width())
        return false;
    if (top > 0 && jpeg_skip_scanlines(&info, JDIMENSION(top)) != JDIMENSION(top))
        return false;
    uchar* const bits = picture->bits();
    const qsizetype stride = picture->bytesPerLine();
    while (int(info.output_scanline) < bottom) {
        JSAMPROW row = bits + stride * (int(info.output_scanline) - top);
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            return false;
        const int done = int(info.output_scanline) - top;
        if (onRows && (done % kRowsPerReport == 0 || done == bottom - top))
            onRows(*picture, done);
    }
    return true;
}

} // namespace

QImage DecodeJpegRows(QByteArrayView bytes, int top, int bottom, const RowsDecoded& onRows)
{
    Decoder decoder{};
    QImage picture;
    if (ReadHeader(decoder, bytes)) {
        jpeg_decompress_struct& info = decoder.info;
        const bool plain = (info.jpeg_color_space == JCS_YCbCr && info.num_components == 3) ||
                           (info.jpeg_color_space == JCS_GRAYSCALE && info.num_components == 1);
        const int width = int(info.image_width);
        const int height = int(info.image_height);
        const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
        if (plain && !info.arith_code && 0 <= top && top < bottom && bottom <= height &&
            (limit <= 0 || qint64(width) * (bottom - top) * 4 <= limit)) {
            info.out_color_space = JCS_EXT_BGRA;
            picture = NewLargeImage(width, bottom - top, QImage::Format_ARGB32);
            if (!picture.isNull() && !ReadRows(decoder, top, bottom, &picture, onRows))
                picture = QImage();
        }
    }
    jpeg_destroy_decompress(&decoder.info);
    return picture;
}

QSize JpegDeclaredSize(QByteArrayView bytes)
{
    Decoder decoder{};
    QSize size;
    if (ReadHeader(decoder, bytes))
        size = QSize(int(decoder.info.image_width), int(decoder.info.image_height));
    jpeg_destroy_decompress(&decoder.info);
    return size;
}
