#pragma once
// Texts of DXF files as the drawing shows them: the bytes decoded (UTF-8 from AutoCAD 2007
// files on, Windows-1252 before), the "\U+XXXX" escapes and the "%%" control codes of
// single-line texts replaced by their characters, and MTEXT's formatting codes removed.
#include "mycad_export.h"

#include <QString>
#include <QStringList>
#include <string_view>

// The text of a group value: decoded, with "\U+XXXX" replaced.
MYCAD_EXPORT QString DecodeDxfString(std::string_view Bytes, bool Utf8);
// A TEXT value: DecodeDxfString, then "%%d" (degree), "%%p" (plus-minus), "%%c"
// (diameter), "%%%" (percent) and "%%nnn" (the character of that code) replaced and the
// underline, overline and strike-through toggles "%%u", "%%o", "%%k" removed.
MYCAD_EXPORT QString DecodeDxfText(std::string_view Bytes, bool Utf8);
// An MTEXT value (its 3 groups and its 1 group, joined): the lines it shows. Paragraph
// and column breaks ("\P", "\X", "\N", "^J") end lines; "\~" and "^I" are spaces;
// "\\", "\{" and "\}" are those characters; stacked fractions ("\S1/2;") read "1/2";
// every other formatting code and the braces of groups are removed.
MYCAD_EXPORT QStringList MTextLines(const QString& Text);
