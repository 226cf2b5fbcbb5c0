#include "Pen.h"

#include "GraphicsSerial.h"

TPen::TPen() : FSerial(NextGraphicsSerial()) {}

void TPen::Changed()
{
    FSerial = NextGraphicsSerial();
    if (OnChange)
        OnChange();
}

void TPen::SetColor(TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    Changed();
}

void TPen::SetMode(TPenMode value)
{
    if (FMode == value)
        return;
    FMode = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value)
{
    if (FStyle == value)
        return;
    FStyle = value;
    Changed();
}

void TPen::SetWidth(int value)
{
    if (value < 0)
        value = 0;
    if (FWidth == value)
        return;
    FWidth = value;
    Changed();
}

void TPen::Assign(const TPen& source)
{
    if (&source != this) {
        FColor = source.FColor;
        FMode = source.FMode;
        FStyle = source.FStyle;
        FWidth = source.FWidth;
    }
    Changed();
}
