#pragma once
// Rows of a JPEG decoded with libjpeg-turbo straight into a 32-bit picture: the rows above the
// wanted ones are skipped without their colours being computed, and the decoder writes the
// picture's bytes itself, so nothing is converted afterwards. The pixels are those Qt's decoder
// gives for the same file.
#include <QByteArrayView>
#include <QImage>
#include <functional>

// Rows [top, bottom) of a baseline or progressive JPEG in YCbCr or greyscale, as an opaque
// ARGB32 picture (bottom - top rows at the file's width). Null when the bytes are no such JPEG,
// when the decoder reports anything wrong with them, or when the rows are not in the picture:
// the caller then decodes them the general way. The file's recorded orientation is not applied.
// onRows, when given, is told on the decoding thread every few rows how many of the picture's
// rows are decoded: rows below that count are final and may be read (not written) meanwhile.
using RowsDecoded = std::function<void(const QImage& rows, int decoded)>;
QImage DecodeJpegRows(QByteArrayView bytes, int top, int bottom, const RowsDecoded& onRows = {});
// Width and height a JPEG declares, or an invalid size when its header cannot be read.
QSize JpegDeclaredSize(QByteArrayView bytes);
