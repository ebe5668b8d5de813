#pragma once
// Little-endian field access for ZIP records.
#include <QByteArray>
#include <cstdint>

inline void PutLE16(QByteArray& out, uint16_t value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

inline void PutLE32(QByteArray& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

inline uint16_t GetLE16(const unsigned char* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

inline uint32_t GetLE32(const unsigned char* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

inline constexpr uint32_t ZIP_SIG_LOCAL = 0x04034B50;
inline constexpr uint32_t ZIP_SIG_CENTRAL = 0x02014B50;
inline constexpr uint32_t ZIP_SIG_END = 0x06054B50;
inline constexpr int ZIP_LOCAL_HEADER_SIZE = 30;
inline constexpr int ZIP_CENTRAL_HEADER_SIZE = 46;
inline constexpr int ZIP_END_RECORD_SIZE = 22;
inline constexpr uint16_t ZIP_EXTRA_TIMESTAMP = 0x5455; // "UT"
inline constexpr int ZIP_CHUNK = 16384;
inline constexpr int ZIP_MAX_NAME_BYTES = 259;
