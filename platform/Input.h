#pragma once
// Mouse buttons, shift state and cursor identifiers of the drawing model, with their
// translation from Qt's input events.
#include "mycad_export.h"
#include <Qt>
#include <QCursor>
#include <cstdint>

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during a mouse event, as a bit set.
enum TShiftStateFlag : uint16_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TShiftState = uint16_t;

// Cursor identifiers (negative numbers of the standard cursors).
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Application cursors have positive identifiers. Number 1 is the one the connector tools
// show over a connector segment that a new connector end or junction would split.
constexpr TCursor crBreakLine = 1;

// The Qt cursor shape that shows a cursor identifier (an application cursor shows as a
// pointing hand).
MYCAD_EXPORT Qt::CursorShape ToQtCursorShape(TCursor c);
// The application's cursor registry: a cursor registered under an identifier (usually a
// positive one) is shown for it instead of the standard shape; unregistering gives the
// standard shape back.
MYCAD_EXPORT void RegisterCursor(TCursor Id, const QCursor& Cursor);
MYCAD_EXPORT void UnregisterCursor(TCursor Id);
MYCAD_EXPORT bool IsCursorRegistered(TCursor Id);
// The cursor that shows an identifier: the registered one, else the standard shape.
MYCAD_EXPORT QCursor ToQtCursor(TCursor c);
// The button and shift state of a Qt mouse event.
MYCAD_EXPORT TMouseButton FromQtButton(Qt::MouseButton b);
MYCAD_EXPORT TShiftState FromQtModifiers(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons, bool doubleClick = false);
