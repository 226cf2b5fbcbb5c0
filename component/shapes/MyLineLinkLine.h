#pragma once
// TMyLineLinkLine: a junction, a filled dot with one link point at its centre. Placed on
// a connector it splits the connector there, so that other connectors can start from it.
#include "mycad_export.h"
#include "component/shapes/MyLinkPoint.h"

class MYCAD_EXPORT TMyLineLinkLine : public TMyLinkPoint {
    Q_OBJECT

public:
    explicit TMyLineLinkLine(TMyCAD* OwnerCAD) : TMyLinkPoint(OwnerCAD) {}
};
