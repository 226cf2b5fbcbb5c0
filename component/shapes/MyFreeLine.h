#pragma once
// TMyFreeLine: a free-hand line recorded from the mouse movements; handled as a whole
// (one frame hot, box hit test) rather than point by point.
#include "mycad_export.h"
#include "component/shapes/MyPolyLine.h"

class MYCAD_EXPORT TMyFreeLine : public TMyPolyLine {
    Q_OBJECT

public:
    explicit TMyFreeLine(TMyCAD* OwnerCAD) : TMyPolyLine(OwnerCAD) {}
};
