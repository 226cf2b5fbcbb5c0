#pragma once
// Vocabulary of the ruler controls: the unit abbreviations, the version text and the
// enumerations of direction, scale direction, unit, corner position and hair-line style.
// The enumerations are scoped, registered with Qt's meta-object system in the namespace
// RsRulerEnums (so a property inspector lists and parses their names) and brought into
// the global namespace with their members.
#include "mycad_export.h"

#include <QObject>
#include <QString>

namespace RsRulerEnums {
Q_NAMESPACE_EXPORT(MYCAD_EXPORT)

enum class TRulerDir { rdTop, rdLeft, rdRight, rdBottom };
Q_ENUM_NS(TRulerDir)

enum class TRulerScaleDir { rsdNormal, rsdReverse };
Q_ENUM_NS(TRulerScaleDir)

enum class TRulerUnit { ruKilo, ruMeter, ruCenti, ruMilli, ruInch, ruPixel, ruNone };
Q_ENUM_NS(TRulerUnit)

enum class TCornerPos { cpLeftTop, cpRightTop, cpLeftBottom, cpRightBottom };
Q_ENUM_NS(TCornerPos)

enum class THairLineStyle { hlsLine, hlsRect };
Q_ENUM_NS(THairLineStyle)

} // namespace RsRulerEnums

using RsRulerEnums::TCornerPos;
using RsRulerEnums::THairLineStyle;
using RsRulerEnums::TRulerDir;
using RsRulerEnums::TRulerScaleDir;
using RsRulerEnums::TRulerUnit;
using enum RsRulerEnums::TRulerDir;
using enum RsRulerEnums::TRulerScaleDir;
using enum RsRulerEnums::TRulerUnit;
using enum RsRulerEnums::TCornerPos;
using enum RsRulerEnums::THairLineStyle;

namespace RsRuler {
// The abbreviations shown for the units.
inline const QString Kilo = QStringLiteral("km");
inline const QString Meter = QStringLiteral("m");
inline const QString Centi = QStringLiteral("cm");
inline const QString Milli = QStringLiteral("mm");
inline const QString Inch = QStringLiteral("in");
inline const QString Pixel = QStringLiteral("px");
inline const QString None = QString();
// The default of every VersionInfo (with its trailing blank).
inline const QString cVer = QStringLiteral("rule component ");
} // namespace RsRuler
