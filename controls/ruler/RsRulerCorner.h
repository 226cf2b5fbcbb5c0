#pragma once
// TRsRulerCorner: the square where a horizontal and a vertical ruler meet. It continues
// the two rulers' scale bands into the corner and shows the unit's abbreviation; its
// hint is the unit's full name.
#include "mycad_export.h"
#include "controls/ruler/RsBaseRuler.h"

class MYCAD_EXPORT TRsRulerCorner : public TRsBaseRuler {
    Q_OBJECT
    Q_PROPERTY(RsRulerEnums::TCornerPos Position READ Position WRITE SetPosition)

public:
    // 24 x 24 pixels, left-top, showing "cm" with the hint "centimeter".
    explicit TRsRulerCorner(QWidget* parent = nullptr);

    TCornerPos Position() const { return FPosition; }
    void SetPosition(TCornerPos value);
    // Stores the unit and takes its abbreviation and its name as the hint.
    void SetUnit(TRulerUnit value) override;
    // The abbreviation shown.
    QString UnitText() const { return FUnitText; }

protected:
    void Paint() override;

private:
    TCornerPos FPosition = cpLeftTop;
    QString FUnitText = RsRuler::Centi;
};
