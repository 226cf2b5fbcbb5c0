#pragma once
// TMyCombine: a group placed from a shape library. It behaves as a group; connector
// routing walks around it.
#include "mycad_export.h"
#include "component/shapes/MyGroup.h"

class MYCAD_EXPORT TMyCombine : public TMyGroup {
    Q_OBJECT

public:
    explicit TMyCombine(TMyCAD* OwnerCAD) : TMyGroup(OwnerCAD) {}
};
