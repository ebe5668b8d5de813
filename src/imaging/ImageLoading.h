#pragma once
// Decoding pictures from files and built-in resources, and drawing decoded pictures.
#include <QImage>
#include <QString>
#include <functional>

class QIODevice;
class QPainter;

// Raises Qt's image allocation limit once, so that no picture is refused for its size.
void EnsureImageIo();
// Decodes a picture (any format Qt reads) into ARGB32, alpha kept and the recorded camera
// orientation applied; a null QImage when it cannot be decoded.
QImage DecodePicture(QIODevice* device);
// As DecodePicture, and refusing cut-off BMP and JPEG data, which the decoders would accept
// with the missing rows painted black or grey.
QImage DecodePictureBytes(const QByteArray& bytes);
QImage DecodePictureFile(const QString& path);
// The size DecodePictureFile gives (camera orientation applied), read from the file's header
// alone; an invalid size when the header cannot be read.
QSize PictureFileSize(const QString& path);
// The rows [top, bottom) of what DecodePictureFile gives, at full width. Of a baseline or
// progressive JPEG without a recorded orientation only these rows are decoded (the rows above
// are skipped); anything else is decoded whole. *firstRow gets the picture row of the result's
// first row (top, or 0 when the whole picture comes back). Null when it cannot be decoded.
// onRows, when given, may be told while the rows are decoded how many of the result's rows are
// final so far (see DecodeJpegRows), with the picture row of the result's first row; it is not
// told at all when the rows come some other way.
using BandDecoded = std::function<void(const QImage& rows, int firstRow, int decoded)>;
QImage DecodePictureRows(const QString& path, int top, int bottom, int* firstRow,
                         const BandDecoded& onRows = {});
QString BitmapResourcePath(int id); // ":/res/bitmap/<id>.bmp"
QString PngResourcePath(int id);    // ":/res/png/<id>.png"
// The path of a picture's rendition drawn at twice its size for screens of a device pixel ratio
// of 2: "@2x" before the extension (":/res/png/158.png" gives ":/res/png/158@2x.png").
QString TwiceSizePath(const QString& path);
// Decodes "PNG" resource id into target (ARGB32); false when missing or empty.
bool LoadPngResource(QImage& target, int id);
// Decodes the 2x rendition of "PNG" resource id into target (ARGB32, tagged with a device pixel
// ratio of 2); false, and target null, when there is none.
bool LoadPngResourceAt2x(QImage& target, int id);
// Draws the whole picture stretched into (x, y, width, height), source-over; with gamma 4.2 when asked.
void DrawPicture(QPainter& painter, const QImage& picture, int x, int y, int width, int height, bool gamma);

// True when every pixel of an ARGB32 or RGB32 picture has alpha 255 (false for other formats).
bool IsOpaque(const QImage& picture);

// A copy whose alpha bytes are all 255 (Format_RGB32): draws a picture as a plain bitmap
// copy would, ignoring its alpha (recoloured pictures carry alpha 0).
QImage Opaque(const QImage& picture);
