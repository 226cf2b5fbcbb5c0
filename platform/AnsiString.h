#pragma once
// Text as the drawing files store it: bytes in the Windows-1252 code page ("ANSI").
// In memory text is a QString; these two functions convert at the edge of a file.
#include "mycad_export.h"
#include <QByteArray>
#include <QString>

// Encodes text as Windows-1252. Characters the code page has no byte for become '?'
// (a character outside the Basic Multilingual Plane becomes a single '?').
MYCAD_EXPORT QByteArray ToAnsi(const QString& text);
// Decodes Windows-1252 bytes. Every byte value maps to a character: the five bytes the
// code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters U+0081 ... U+009D, so that FromAnsi and ToAnsi round-trip every byte.
MYCAD_EXPORT QString FromAnsi(const QByteArray& bytes);
MYCAD_EXPORT QString FromAnsi(const char* data, qsizetype size);

// The character a single Windows-1252 byte stands for.
MYCAD_EXPORT char16_t AnsiToUnicode(unsigned char byte);
// The Windows-1252 byte of a character, or -1 when the code page has none.
MYCAD_EXPORT int UnicodeToAnsi(char16_t ch);
