#pragma once
// TMyCombine: a group placed from a shape library. It behaves as a group; connector
// routing walks around it.
#include "shapes/MyGroup.h"

class TMyCombine : public TMyGroup {
    Q_OBJECT

public:
    explicit TMyCombine(TMyCAD* OwnerCAD) : TMyGroup(OwnerCAD) {}
};
