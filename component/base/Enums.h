#pragma once
// The enumerations shared by the drawing, its shapes, its files and its host.
//
// How the enumerations are spelled
// --------------------------------
// * Every enumeration is an `enum class` declared in namespace MyCADEnums, where it is
//   registered with Qt's meta-object system (Q_ENUM_NS), and brought into the global
//   namespace by a using-declaration: code writes `TDrawTool`, `TUnits`, ...
// * Member order is the ordinal order, starting at 0. Ordinals are written to drawing
//   and library files: never reorder, insert or remove members. EnumOrdinal() and
//   EnumFromOrdinal() below convert to and from the stored number (the latter checks it).
// * Members whose names carry a type tag followed by a capitalised word (`SpLine`,
//   `dtDrawing`, `atSizing`, `ANone`, `dgBoth`, `gLine`, `gsNone`, `lldsHV`, `llsFree`,
//   `llStart`, `dLeft`, `tsLine`, `amCircle`, `asArc`, `vaTop`, `jhLeft`, `jvTop`,
//   `poPortrait`) are also global constants of their enumeration type, so they are
//   written unqualified anywhere, including in `case` labels.
// * Members with short or generic names stay scoped, because they would clash with
//   other identifiers (`m`, `mm`, `inch`, `pixel`, `Center`, `Tiled`, `A4`, `Merge`,
//   `Import`, `FramePen`, `Mode0`...). These belong to THotMode, TUnits, TXYMode,
//   TPageStyle, TBkBitmapMode and TBlockLayerMode. Write them qualified
//   (`TUnits::mm`, `TPageStyle::A4`) or open the enumeration in a function or class
//   scope with `using enum TUnits;` and then write `mm`.
// * Do not write `using enum` at namespace scope for an enumeration that has global
//   constants: the enumerators would collide with those constants.
// * In a Q_PROPERTY, spell the type with its namespace (`MyCADEnums::TUnits`), so
//   that moc records it as an enumeration and QMetaProperty::enumerator() finds it.
//   MetaEnumOf() finds the enumeration of any registered type whatever the spelling.
#include "mycad_export.h"
#include <QMetaEnum>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <type_traits>

namespace MyCADEnums {
Q_NAMESPACE_EXPORT(MYCAD_EXPORT)

// The tool chosen by the user.
enum class TDrawTool {
    SpLinkLine, SpSelecting, SpRotateSelecting, SpLine, SpRuleLine, SpPolyLine,
    SpRectangle, SpLinkPoint, SpLineLinkLine, SpEllipse, SpText, SpImage, SpPolygon,
    SpPolyBezier, SpElliArc, SpClose, SpPolylinePolygonPointRemoving,
    SpPolylinePolygonPointAdding, SpDragWhole, SpBrowse, SpFreeLine, SpBLine
};
Q_ENUM_NS(TDrawTool)

// The interaction state of a drawing.
enum class TActionTools {
    dtClose, dtDrawing, dtSelecting, dtRotateSelecting, dtResizing, dtDragging,
    dtDraggingTextoutPoint, dtRotating, dtPolylinePolygonPointRemoving,
    dtPolylinePolygonPointAdding, dtDragWhole, dtBrowse
};
Q_ENUM_NS(TActionTools)

// Rotating or sizing; offered to hosts.
enum class TMyAction { atRotating, atSizing };
Q_ENUM_NS(TMyAction)

// Offered to hosts.
enum class THotMode { FramePen, SolidBrush };
Q_ENUM_NS(THotMode)

// Arrow heads at the ends of a line.
enum class TArrowStyle { ANone, ALeft, ARight, ADouble };
Q_ENUM_NS(TArrowStyle)

// Unit in which measured lengths are reported.
enum class TUnits { pixel, mm, cm, dm, m, inch };
Q_ENUM_NS(TUnits)

// Origin of the coordinates exchanged with the host: top left, bottom left,
// bottom right, top right.
enum class TXYMode { Mode0, Mode1, Mode2, Mode3 };
Q_ENUM_NS(TXYMode)

// Axes along which a drag may move shapes.
enum class TDragMode { dgHorz, dgVert, dgBoth };
Q_ENUM_NS(TDragMode)

// Grid of dots, of lines, or none.
enum class TGridType { gPixel, gLine, gNone };
Q_ENUM_NS(TGridType)

// Page sizes; CustomerPage keeps the page width and height as set.
enum class TPageStyle { A0, A1, A2, A3, A4, A5, B3, B4, B5, CustomerPage };
Q_ENUM_NS(TPageStyle)

// Placement of the background picture.
enum class TBkBitmapMode { Tiled, Stretch, Center, LeftTop };
Q_ENUM_NS(TBkBitmapMode)

// Layer handling when a drawing file is added as a block.
enum class TBlockLayerMode { Merge, Import };
Q_ENUM_NS(TBlockLayerMode)

// Fill gradient of a shape; gsNone (23) means no gradient.
enum class TGradientStyle {
    gsRadialC, gsRadialT, gsRadialB, gsRadialL, gsRadialR, gsRadialTL, gsRadialTR,
    gsRadialBL, gsRadialBR, gsLinearH, gsLinearV, gsReflectedH, gsReflectedV,
    gsDiagonalLF, gsDiagonalLB, gsDiagonalRF, gsDiagonalRB, gsArrowL, gsArrowR,
    gsArrowU, gsArrowD, gsDiamond, gsButterfly, gsNone
};
Q_ENUM_NS(TGradientStyle)

// Connector drawn with horizontal and vertical segments, or freely.
enum class TLinkLineDrawStyle { lldsHV, lldsFree };
Q_ENUM_NS(TLinkLineDrawStyle)

// How automatic connector routes are laid: the stepping walk, or a search around the
// combined shapes for the fewest bends.
enum class TLinkLineRouter { lrStandard, lrAvoidObstacles };
Q_ENUM_NS(TLinkLineRouter)

// Segment style of a connector; offered to hosts.
enum class TLinkLineStyle { llsFree, llsHorz, llsVert };
Q_ENUM_NS(TLinkLineStyle)

// Which end of a connector.
enum class TLinkLineEndPoint { llStart, llEnd };
Q_ENUM_NS(TLinkLineEndPoint)

// Direction of a move of the connector router.
enum class Tdirections { dLeft, dbottom, dRight, dTop, dNone };
Q_ENUM_NS(Tdirections)

// End ticks of a rule line.
enum class TTickStyle { tsLine, tsNone };
Q_ENUM_NS(TTickStyle)

// Construction of an elliptic arc.
enum class TArcMode { amCircle, amEllipse };
Q_ENUM_NS(TArcMode)

// Outline of an elliptic arc.
enum class TArcStyle { asArc, asChord, asSector };
Q_ENUM_NS(TArcStyle)

// Vertical alignment of a text shape.
enum class TVAlignment { vaTop, vaMiddle, vaBottom };
Q_ENUM_NS(TVAlignment)

// Offered to hosts.
enum class THJustification { jhLeft, jhRight, jhCenter };
Q_ENUM_NS(THJustification)

// Offered to hosts.
enum class TVJustification { jvTop, jvBottom, jvCenter };
Q_ENUM_NS(TVJustification)

// Orientation of the printed page.
enum class TPageOrientation { poPortrait, poLandscape };
Q_ENUM_NS(TPageOrientation)

} // namespace MyCADEnums

using MyCADEnums::TActionTools;
using MyCADEnums::TArcMode;
using MyCADEnums::TArcStyle;
using MyCADEnums::TArrowStyle;
using MyCADEnums::TBkBitmapMode;
using MyCADEnums::TBlockLayerMode;
using MyCADEnums::Tdirections;
using MyCADEnums::TDragMode;
using MyCADEnums::TDrawTool;
using MyCADEnums::TGradientStyle;
using MyCADEnums::TGridType;
using MyCADEnums::THJustification;
using MyCADEnums::THotMode;
using MyCADEnums::TLinkLineDrawStyle;
using MyCADEnums::TLinkLineRouter;
using MyCADEnums::TLinkLineEndPoint;
using MyCADEnums::TLinkLineStyle;
using MyCADEnums::TMyAction;
using MyCADEnums::TPageOrientation;
using MyCADEnums::TPageStyle;
using MyCADEnums::TTickStyle;
using MyCADEnums::TUnits;
using MyCADEnums::TVAlignment;
using MyCADEnums::TVJustification;
using MyCADEnums::TXYMode;

// Gradient shift and rotation: integers from -100 to 100. The gradient fill always
// works with shift 0 and rotation 0; the types are offered to hosts.
using TGradientShift = int32_t;
using TGradientRotation = int32_t;
inline constexpr TGradientShift GradientShiftMin = -100;
inline constexpr TGradientShift GradientShiftMax = 100;
inline constexpr TGradientRotation GradientRotationMin = -100;
inline constexpr TGradientRotation GradientRotationMax = 100;

// ---- Global constants for the tagged members (see the top of this file) ----

inline constexpr TDrawTool SpLinkLine = TDrawTool::SpLinkLine;
inline constexpr TDrawTool SpSelecting = TDrawTool::SpSelecting;
inline constexpr TDrawTool SpRotateSelecting = TDrawTool::SpRotateSelecting;
inline constexpr TDrawTool SpLine = TDrawTool::SpLine;
inline constexpr TDrawTool SpRuleLine = TDrawTool::SpRuleLine;
inline constexpr TDrawTool SpPolyLine = TDrawTool::SpPolyLine;
inline constexpr TDrawTool SpRectangle = TDrawTool::SpRectangle;
inline constexpr TDrawTool SpLinkPoint = TDrawTool::SpLinkPoint;
inline constexpr TDrawTool SpLineLinkLine = TDrawTool::SpLineLinkLine;
inline constexpr TDrawTool SpEllipse = TDrawTool::SpEllipse;
inline constexpr TDrawTool SpText = TDrawTool::SpText;
inline constexpr TDrawTool SpImage = TDrawTool::SpImage;
inline constexpr TDrawTool SpPolygon = TDrawTool::SpPolygon;
inline constexpr TDrawTool SpPolyBezier = TDrawTool::SpPolyBezier;
inline constexpr TDrawTool SpElliArc = TDrawTool::SpElliArc;
inline constexpr TDrawTool SpClose = TDrawTool::SpClose;
inline constexpr TDrawTool SpPolylinePolygonPointRemoving = TDrawTool::SpPolylinePolygonPointRemoving;
inline constexpr TDrawTool SpPolylinePolygonPointAdding = TDrawTool::SpPolylinePolygonPointAdding;
inline constexpr TDrawTool SpDragWhole = TDrawTool::SpDragWhole;
inline constexpr TDrawTool SpBrowse = TDrawTool::SpBrowse;
inline constexpr TDrawTool SpFreeLine = TDrawTool::SpFreeLine;
inline constexpr TDrawTool SpBLine = TDrawTool::SpBLine;

inline constexpr TActionTools dtClose = TActionTools::dtClose;
inline constexpr TActionTools dtDrawing = TActionTools::dtDrawing;
inline constexpr TActionTools dtSelecting = TActionTools::dtSelecting;
inline constexpr TActionTools dtRotateSelecting = TActionTools::dtRotateSelecting;
inline constexpr TActionTools dtResizing = TActionTools::dtResizing;
inline constexpr TActionTools dtDragging = TActionTools::dtDragging;
inline constexpr TActionTools dtDraggingTextoutPoint = TActionTools::dtDraggingTextoutPoint;
inline constexpr TActionTools dtRotating = TActionTools::dtRotating;
inline constexpr TActionTools dtPolylinePolygonPointRemoving = TActionTools::dtPolylinePolygonPointRemoving;
inline constexpr TActionTools dtPolylinePolygonPointAdding = TActionTools::dtPolylinePolygonPointAdding;
inline constexpr TActionTools dtDragWhole = TActionTools::dtDragWhole;
inline constexpr TActionTools dtBrowse = TActionTools::dtBrowse;

inline constexpr TMyAction atRotating = TMyAction::atRotating;
inline constexpr TMyAction atSizing = TMyAction::atSizing;

inline constexpr TArrowStyle ANone = TArrowStyle::ANone;
inline constexpr TArrowStyle ALeft = TArrowStyle::ALeft;
inline constexpr TArrowStyle ARight = TArrowStyle::ARight;
inline constexpr TArrowStyle ADouble = TArrowStyle::ADouble;

inline constexpr TDragMode dgHorz = TDragMode::dgHorz;
inline constexpr TDragMode dgVert = TDragMode::dgVert;
inline constexpr TDragMode dgBoth = TDragMode::dgBoth;

inline constexpr TGridType gPixel = TGridType::gPixel;
inline constexpr TGridType gLine = TGridType::gLine;
inline constexpr TGridType gNone = TGridType::gNone;

inline constexpr TGradientStyle gsRadialC = TGradientStyle::gsRadialC;
inline constexpr TGradientStyle gsRadialT = TGradientStyle::gsRadialT;
inline constexpr TGradientStyle gsRadialB = TGradientStyle::gsRadialB;
inline constexpr TGradientStyle gsRadialL = TGradientStyle::gsRadialL;
inline constexpr TGradientStyle gsRadialR = TGradientStyle::gsRadialR;
inline constexpr TGradientStyle gsRadialTL = TGradientStyle::gsRadialTL;
inline constexpr TGradientStyle gsRadialTR = TGradientStyle::gsRadialTR;
inline constexpr TGradientStyle gsRadialBL = TGradientStyle::gsRadialBL;
inline constexpr TGradientStyle gsRadialBR = TGradientStyle::gsRadialBR;
inline constexpr TGradientStyle gsLinearH = TGradientStyle::gsLinearH;
inline constexpr TGradientStyle gsLinearV = TGradientStyle::gsLinearV;
inline constexpr TGradientStyle gsReflectedH = TGradientStyle::gsReflectedH;
inline constexpr TGradientStyle gsReflectedV = TGradientStyle::gsReflectedV;
inline constexpr TGradientStyle gsDiagonalLF = TGradientStyle::gsDiagonalLF;
inline constexpr TGradientStyle gsDiagonalLB = TGradientStyle::gsDiagonalLB;
inline constexpr TGradientStyle gsDiagonalRF = TGradientStyle::gsDiagonalRF;
inline constexpr TGradientStyle gsDiagonalRB = TGradientStyle::gsDiagonalRB;
inline constexpr TGradientStyle gsArrowL = TGradientStyle::gsArrowL;
inline constexpr TGradientStyle gsArrowR = TGradientStyle::gsArrowR;
inline constexpr TGradientStyle gsArrowU = TGradientStyle::gsArrowU;
inline constexpr TGradientStyle gsArrowD = TGradientStyle::gsArrowD;
inline constexpr TGradientStyle gsDiamond = TGradientStyle::gsDiamond;
inline constexpr TGradientStyle gsButterfly = TGradientStyle::gsButterfly;
inline constexpr TGradientStyle gsNone = TGradientStyle::gsNone;

inline constexpr TLinkLineDrawStyle lldsHV = TLinkLineDrawStyle::lldsHV;
inline constexpr TLinkLineDrawStyle lldsFree = TLinkLineDrawStyle::lldsFree;
inline constexpr TLinkLineRouter lrStandard = TLinkLineRouter::lrStandard;
inline constexpr TLinkLineRouter lrAvoidObstacles = TLinkLineRouter::lrAvoidObstacles;

inline constexpr TLinkLineStyle llsFree = TLinkLineStyle::llsFree;
inline constexpr TLinkLineStyle llsHorz = TLinkLineStyle::llsHorz;
inline constexpr TLinkLineStyle llsVert = TLinkLineStyle::llsVert;

inline constexpr TLinkLineEndPoint llStart = TLinkLineEndPoint::llStart;
inline constexpr TLinkLineEndPoint llEnd = TLinkLineEndPoint::llEnd;

inline constexpr Tdirections dLeft = Tdirections::dLeft;
inline constexpr Tdirections dbottom = Tdirections::dbottom;
inline constexpr Tdirections dRight = Tdirections::dRight;
inline constexpr Tdirections dTop = Tdirections::dTop;
inline constexpr Tdirections dNone = Tdirections::dNone;

inline constexpr TTickStyle tsLine = TTickStyle::tsLine;
inline constexpr TTickStyle tsNone = TTickStyle::tsNone;

inline constexpr TArcMode amCircle = TArcMode::amCircle;
inline constexpr TArcMode amEllipse = TArcMode::amEllipse;

inline constexpr TArcStyle asArc = TArcStyle::asArc;
inline constexpr TArcStyle asChord = TArcStyle::asChord;
inline constexpr TArcStyle asSector = TArcStyle::asSector;

inline constexpr TVAlignment vaTop = TVAlignment::vaTop;
inline constexpr TVAlignment vaMiddle = TVAlignment::vaMiddle;
inline constexpr TVAlignment vaBottom = TVAlignment::vaBottom;

inline constexpr THJustification jhLeft = THJustification::jhLeft;
inline constexpr THJustification jhRight = THJustification::jhRight;
inline constexpr THJustification jhCenter = THJustification::jhCenter;

inline constexpr TVJustification jvTop = TVJustification::jvTop;
inline constexpr TVJustification jvBottom = TVJustification::jvBottom;
inline constexpr TVJustification jvCenter = TVJustification::jvCenter;

inline constexpr TPageOrientation poPortrait = TPageOrientation::poPortrait;
inline constexpr TPageOrientation poLandscape = TPageOrientation::poLandscape;

// ---- Ordinals and names ----

// The ordinal of a member: the number written to files.
template <typename E>
constexpr int32_t EnumOrdinal(E Value)
{
    static_assert(std::is_enum_v<E>);
    return static_cast<int32_t>(Value);
}

// The meta-object description of a registered enumeration.
template <typename E>
QMetaEnum MetaEnum()
{
    return QMetaEnum::fromType<E>();
}

// The number of members of a registered enumeration.
template <typename E>
int32_t EnumCount()
{
    return QMetaEnum::fromType<E>().keyCount();
}

// The member with the given ordinal; none when Ordinal is not one of the members
// (so a reader can refuse a damaged file instead of storing an invalid value).
template <typename E>
std::optional<E> EnumFromOrdinal(int64_t Ordinal)
{
    if (Ordinal < 0 || Ordinal >= EnumCount<E>())
        return std::nullopt;
    return static_cast<E>(Ordinal);
}

// The member's name ("SpLine", "mm"); empty for a value that is not a member.
template <typename E>
QString EnumToName(E Value)
{
    const char* key = QMetaEnum::fromType<E>().valueToKey(EnumOrdinal(Value));
    return key ? QString::fromLatin1(key) : QString();
}

// The member with the given name, compared exactly (case-sensitive); none when no
// member has that name.
template <typename E>
std::optional<E> EnumFromName(const QString& Name)
{
    const QMetaEnum meta = QMetaEnum::fromType<E>();
    const QByteArray key = Name.toLatin1();
    for (int i = 0; i < meta.keyCount(); ++i) {
        if (key == meta.key(i))
            return static_cast<E>(meta.value(i));
    }
    return std::nullopt;
}

// All member names in ordinal order.
template <typename E>
QStringList EnumNames()
{
    const QMetaEnum meta = QMetaEnum::fromType<E>();
    QStringList names;
    names.reserve(meta.keyCount());
    for (int i = 0; i < meta.keyCount(); ++i)
        names.append(QString::fromLatin1(meta.key(i)));
    return names;
}

// The enumeration description of a meta type, for instance of a property; invalid
// (isValid() false) when the type is not a registered enumeration. Works whether or
// not the property declaration spelled the type with its namespace.
MYCAD_EXPORT QMetaEnum MetaEnumOf(QMetaType Type);
