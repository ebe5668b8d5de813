#pragma once
// The stage size of a flash movie (SWF), read from the frame-size rectangle at the start of its
// body. Uncompressed ("FWS"), zlib ("CWS") and LZMA ("ZWS") movies are understood. Only the
// header is read: 8 bytes, then at most 1024 more, decompressed in one step.
#include <QByteArrayView>
#include <QString>

#include <cstdint>

class QIODevice;

struct SwfFrameSize {
    bool ok = false;
    int32_t width = 0; // pixels; both 0 whenever ok is false
    int32_t height = 0;
};

SwfFrameSize ReadSwfFrameSize(const QString& path);
// The same from a device opened for reading, positioned at the movie's first byte.
SwfFrameSize ReadSwfFrameSize(QIODevice& device);

// True when the bytes are a whole movie as its header describes it: the header's file length is
// the number of bytes for an uncompressed movie; a compressed one's data decompresses to exactly
// that length (less the 8 signature bytes) and ends with the bytes (an LZMA movie's compressed
// length, too, is that of its data). Movies longer than
// kMaxWholeSwfLength are refused.
inline constexpr uint32_t kMaxWholeSwfLength = 256u << 20;
bool IsWholeSwf(QByteArrayView file);

// The frame-size rectangle at the start of a decompressed body: twips turned into pixels
// (truncated toward zero). False when the body ends inside the rectangle or the rectangle
// is inverted.
SwfFrameSize SwfFrameSizeFromBody(QByteArrayView body);
