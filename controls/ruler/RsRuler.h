#pragma once
// TRsRuler: a horizontal or vertical scale beside a drawing, with ticks and numeric
// labels in a chosen unit at the host's zoom (Scale, percent) and scroll offset (Offset,
// in the ruler's unit), and a hair line that marks the mouse position.
//
// The hair line is drawn in not-xor into the ruler's picture: SetHairLinePos draws it
// again at the old position (which erases it exactly) and then at the new one, without a
// paint pass. A paint pass forgets it (HairLinePos becomes -1).
#include "mycad_export.h"
#include "controls/ruler/RsBaseRuler.h"

#include <vector>

// A tick: its pixel position along the ruler and its length.
struct MYCAD_EXPORT TRulerTick {
    int Pos = 0;
    int Length = 0;
    friend bool operator==(const TRulerTick&, const TRulerTick&) = default;
};

// A label: the pixel position along the ruler it is centred on, and its text.
struct MYCAD_EXPORT TRulerLabel {
    int Pos = 0;
    QString Text;
    friend bool operator==(const TRulerLabel&, const TRulerLabel&) = default;
};

class MYCAD_EXPORT TRsRuler : public TRsBaseRuler {
    Q_OBJECT
    Q_PROPERTY(RsRulerEnums::TRulerDir Direction READ Direction WRITE SetDirection)
    Q_PROPERTY(RsRulerEnums::TRulerScaleDir ScaleDir READ ScaleDir WRITE SetScaleDir)
    Q_PROPERTY(int Scale READ Scale WRITE SetScale)
    Q_PROPERTY(double Offset READ Offset WRITE SetOffset)
    Q_PROPERTY(bool HairLine READ HairLine WRITE SetHairLine)
    Q_PROPERTY(int HairLinePos READ HairLinePos WRITE SetHairLinePos)
    Q_PROPERTY(RsRulerEnums::THairLineStyle HairLineStyle READ HairLineStyle WRITE SetHairLineStyle)
    Q_PROPERTY(bool ShowMinus READ ShowMinus WRITE SetShowMinus)
    Q_PROPERTY(int MyLongTick READ MyLongTick WRITE setMyLongTick)
    Q_PROPERTY(int MyShortTick READ MyShortTick WRITE setMyShortTick)

public:
    // 200 x 33 pixels, along the top.
    explicit TRsRuler(QWidget* parent = nullptr);

    TRulerDir Direction() const { return FDirection; }
    // Turning between horizontal and vertical swaps width and height (not while loading).
    void SetDirection(TRulerDir value);
    TRulerScaleDir ScaleDir() const { return FScaleDir; }
    void SetScaleDir(TRulerScaleDir value);
    // Percent; values not greater than 0 are ignored.
    int Scale() const { return FScale; }
    void SetScale(int value);
    double Offset() const { return FOffset; }
    void SetOffset(double value);
    bool HairLine() const { return FHairLine; }
    void SetHairLine(bool value);
    // Pixel position along the ruler; -1 when not shown.
    int HairLinePos() const { return FHairLinePos; }
    void SetHairLinePos(int value);
    THairLineStyle HairLineStyle() const { return FHairLineStyle; }
    void SetHairLineStyle(THairLineStyle value);
    bool ShowMinus() const { return FShowMinus; }
    void SetShowMinus(bool value);
    // Every how many tick steps a long tick (and, every second one, a label) falls;
    // values below 1 are ignored.
    int MyLongTick() const { return FMyLongTick; }
    void setMyLongTick(int value);
    // Every how many tick steps a short tick falls; values below 1 are ignored.
    int MyShortTick() const { return FMyShortTick; }
    void setMyShortTick(int value);

    // Converts the offset into the new unit, stores the unit and repaints.
    void SetUnit(TRulerUnit value) override;
    // A pixel position along the ruler as a value in the ruler's unit.
    double Pos2Unit(int APos) const;
    // Offset expressed in another unit.
    double ConvertOffset(TRulerUnit ANewUnit) const;

    // The label step and the pixel advance of one step (after CalcAdvance).
    double Multiplier() const { return FMultiplier; }
    double Advance() const { return FAdvance; }
    void CalcAdvance();
    // The ticks and labels of the scale at the current settings (CalcAdvance first).
    std::vector<TRulerTick> Ticks() const;
    std::vector<TRulerLabel> Labels() const;
    // The text of a label value: at most two decimals, no trailing zeros.
    static QString FormatLabel(double value);
    // The length along the ruler: width when horizontal, height when vertical.
    int RulerLength() const { return IsHorizontal() ? width() : height(); }
    bool IsHorizontal() const { return FDirection == rdTop || FDirection == rdBottom; }

protected:
    void Paint() override;
    void PaintScaleTics();
    void PaintScaleLabels();
    void DrawHairLine();

public:
    // The rectangle the hair line covers at its position (after a paint pass).
    TRect HairLineRect() const;
    // The text height of "0" in the upright font, measured at the last paint pass.
    int ScaleTextHeight() const { return FDigitHeight; }

private:
    int DigitHeight();

    TRulerDir FDirection = rdTop;
    TRulerScaleDir FScaleDir = rsdNormal;
    int FScale = 100;
    double FOffset = 0;
    bool FHairLine = false;
    int FHairLinePos = -1;
    THairLineStyle FHairLineStyle = hlsLine;
    bool FShowMinus = true;
    int FMyLongTick = 5;
    int FMyShortTick = 1;
    double FMultiplier = 1.0;
    double FAdvance = 0;
    int FDigitHeight = 0; // measured at each paint pass
};
