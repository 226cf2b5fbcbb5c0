#include "component/render/GridObject.h"

void TGridObject::Assign(const TGridObject& Source)
{
    FGridColor = Source.FGridColor;
    FGridHeight = Source.FGridHeight;
    FGridPenSize = Source.FGridPenSize;
    FGridShow = Source.FGridShow;
    FGridType = Source.FGridType;
    FGridWidth = Source.FGridWidth;
}
