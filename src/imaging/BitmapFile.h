#pragma once
// Uncompressed 24-bit BMP files.
#include <QImage>
#include <QString>

// Writes the picture as a bottom-up 24-bit BMP (54-byte headers, 4-byte row stride).
bool SaveBitmapFile(const QString& path, const QImage& bitmap);
// Writes leftPath and rightPath side by side as one 24-bit BMP. Pictures of different heights are refused.
bool JoinBitmapFiles(const QString& leftPath, const QString& rightPath, const QString& outPath);
