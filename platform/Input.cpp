#include "Input.h"

#include <map>

namespace {
std::map<TCursor, QCursor>& Registry()
{
    static std::map<TCursor, QCursor> registry;
    return registry;
}
} // namespace

void RegisterCursor(TCursor Id, const QCursor& Cursor)
{
    Registry()[Id] = Cursor;
}

void UnregisterCursor(TCursor Id)
{
    Registry().erase(Id);
}

bool IsCursorRegistered(TCursor Id)
{
    return Registry().count(Id) != 0;
}

QCursor ToQtCursor(TCursor c)
{
    const auto it = Registry().find(c);
    return it != Registry().end() ? it->second : QCursor(ToQtCursorShape(c));
}

Qt::CursorShape ToQtCursorShape(TCursor c)
{
    switch (c) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return c > 0 ? Qt::PointingHandCursor : Qt::ArrowCursor;
    }
}

TMouseButton FromQtButton(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
    }
}

TShiftState FromQtModifiers(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons, bool doubleClick)
{
    TShiftState s = 0;
    if (mods & Qt::ShiftModifier) s |= ssShift;
    if (mods & Qt::AltModifier) s |= ssAlt;
    if (mods & Qt::ControlModifier) s |= ssCtrl;
    if (buttons & Qt::LeftButton) s |= ssLeft;
    if (buttons & Qt::RightButton) s |= ssRight;
    if (buttons & Qt::MiddleButton) s |= ssMiddle;
    if (doubleClick) s |= ssDouble;
    return s;
}
