#pragma once
// The grid settings of a drawing: spacing in screen pixels, colour, pen size, type.
// The setters only store; the host repaints.
#include "mycad_export.h"
#include "component/base/Enums.h"
#include "platform/Color.h"

#include <QObject>
#include <cstdint>

class MYCAD_EXPORT TGridObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(TColor GridColor READ GridColor WRITE SetGridColor)
    Q_PROPERTY(double GridHeight READ GridHeight WRITE SetGridHeight)
    Q_PROPERTY(uint8_t GridPenSize READ GridPenSize WRITE SetGridPenSize)
    Q_PROPERTY(bool GridShow READ GridShow WRITE SetGridShow)
    Q_PROPERTY(MyCADEnums::TGridType GridType READ GridType WRITE SetGridType)
    Q_PROPERTY(double GridWidth READ GridWidth WRITE SetGridWidth)
public:
    explicit TGridObject(QObject* parent = nullptr) : QObject(parent) {}

    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor v) { FGridColor = v; }
    double GridHeight() const { return FGridHeight; }
    void SetGridHeight(double v) { FGridHeight = v; }
    uint8_t GridPenSize() const { return FGridPenSize; }
    void SetGridPenSize(uint8_t v) { FGridPenSize = v; }
    bool GridShow() const { return FGridShow; }
    void SetGridShow(bool v) { FGridShow = v; }
    TGridType GridType() const { return FGridType; }
    void SetGridType(TGridType v) { FGridType = v; }
    double GridWidth() const { return FGridWidth; }
    void SetGridWidth(double v) { FGridWidth = v; }

    // Copies the six grid values.
    void Assign(const TGridObject& Source);

private:
    TColor FGridColor = clSilver;
    double FGridHeight = 20.0;
    uint8_t FGridPenSize = 1;
    bool FGridShow = true;
    TGridType FGridType = TGridType::gLine;
    double FGridWidth = 20.0;
};
