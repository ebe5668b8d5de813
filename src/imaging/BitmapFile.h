#pragma once
// Uncompressed 24-bit BMP files.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// Writes the picture as a bottom-up 24-bit BMP (54-byte headers, 4-byte row stride).
bool SaveBitmapFile(const QString& path, const QImage& bitmap);
// The pictures side by side, left to right, as the bytes of one 24-bit BMP file (alpha is not
// written); empty when they are not all of one height or the result cannot be had.
QByteArray JoinBitmaps(const QList<QImage>& pictures);
// Writes leftPath and rightPath side by side as one 24-bit BMP. Pictures of different heights are refused.
bool JoinBitmapFiles(const QString& leftPath, const QString& rightPath, const QString& outPath);
