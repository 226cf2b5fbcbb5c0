#pragma once
// TMyLineLinkLine: a junction, a filled dot with one link point at its centre. Placed on
// a connector it splits the connector there, so that other connectors can start from it.
#include "shapes/MyLinkPoint.h"

class TMyLineLinkLine : public TMyLinkPoint {
    Q_OBJECT

public:
    explicit TMyLineLinkLine(TMyCAD* OwnerCAD) : TMyLinkPoint(OwnerCAD) {}
};
