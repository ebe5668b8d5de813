#pragma once
// Finds where the blocks of a raw DEFLATE stream lie without inflating it: the walk decodes block
// headers and Huffman symbols only, skips extra bits and stored bytes, writes no output and keeps
// no window.
#include <QByteArrayView>

// Where a whole raw DEFLATE stream's last block (the one marked final) starts and where the
// stream ends, in bits from its start. False, without reading outside `stream`, when it is not a
// well-formed stream that inflates to exactly `size` bytes: an unknown block type, a stored
// length that does not match its complement, an oversubscribed or incomplete code, a length or
// distance symbol out of range, a distance before the start, or a stream cut short. Bytes after
// the end are not looked at.
bool MeasureDeflateStream(QByteArrayView stream, qsizetype size, qint64* lastBlockBit, qint64* endBit);
