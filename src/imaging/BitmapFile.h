#pragma once
// Uncompressed 24-bit BMP files.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// Size of the file and info headers before the rows.
inline constexpr int kBitmapHeadersSize = 54;
// Bytes per row of a 24-bit BMP: 3 per pixel, padded to a multiple of 4.
qint64 Stride24(qint64 width);
// A zero-filled 24-bit BMP of width x height with both headers written (rows bottom-up, after
// kBitmapHeadersSize bytes, Stride24 apart); null when its sizes do not fit the 32-bit header
// fields or memory cannot be had.
QByteArray NewBitmap24(int width, int height);
// Writes width pixels of B, G, R, A bytes as a 24-bit row's B, G, R bytes.
void PutBitmapRow(char* out, const uchar* pixels, int width);
// Writes the picture as a bottom-up 24-bit BMP (54-byte headers, 4-byte row stride).
bool SaveBitmapFile(const QString& path, const QImage& bitmap);
// The pictures side by side, left to right, as the bytes of one 24-bit BMP file (alpha is not
// written); empty when they are not all of one height or the result cannot be had.
QByteArray JoinBitmaps(const QList<QImage>& pictures);
// Writes leftPath and rightPath side by side as one 24-bit BMP. Pictures of different heights are refused.
bool JoinBitmapFiles(const QString& leftPath, const QString& rightPath, const QString& outPath);
