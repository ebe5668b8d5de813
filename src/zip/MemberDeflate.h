#pragma once
// How a member's bytes are compressed for the archives the package builder writes, split into
// pieces that worker threads can do side by side. The pieces depend only on the member's size, so
// the compressed bytes are the same whatever the number of threads.
//
// A member is one piece, deflated whole with libdeflate, unless it is at least kSplitMemberBytes
// long: then it is cut into kSplitBlockBytes blocks that libdeflate deflates independently; every
// block but the last is then left open and ended on a byte boundary (as a sync flush ends it), so
// that the blocks joined are one DEFLATE stream.
//
// The split costs a pass that finds where each block's stream ends and loses the matches across
// block edges (about 0.3 % on a photograph's strip); on two cores a 9 MB strip is still deflated
// in little more than half the time.
#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

inline constexpr qsizetype kSplitMemberBytes = qsizetype(1) << 20;
inline constexpr qsizetype kSplitBlockBytes = qsizetype(1) << 20;

// Number of pieces a member of the given size is deflated in (1 below kSplitMemberBytes).
int DeflatePieceCount(qsizetype size);
// Piece `piece` of content's raw DEFLATE stream; the pieces joined in order are the whole stream.
// False when the compressor fails or memory runs out.
bool DeflatePiece(QByteArrayView content, int piece, QByteArray* out);
// General-purpose flag bits 1-2 of a deflated member: the compression level used.
uint16_t DeflateLevelFlags();
// CRC-32 of the bytes, as the archive records it.
uint32_t MemberCrc(QByteArrayView content);
