#pragma once
// A look at a PNG stream's chunk structure before a decoder sees it: a chunk that claims
// more bytes than the stream holds would make the decoder allocate that much first.
#include "mycad_export.h"

#include <QByteArray>

// Whether the bytes start with the PNG signature.
MYCAD_EXPORT bool IsPngStream(const QByteArray& Bytes);
// Whether every chunk up to IEND (or the end of the bytes) fits in the bytes; false for a
// stream that is not PNG.
MYCAD_EXPORT bool PngChunksFit(const QByteArray& Bytes);
