#pragma once
// A canvas drawing with every kind of figure the metafile recorder has a record for, on
// 200 x 170 pixels, and the recording of a drawing.
#include "component/CAD.h"
#include "platform/MetafileRecorder.h"

#include <QBuffer>
#include <functional>
#include <gtest/gtest.h>

inline void DrawEveryFigure(TCanvas& c)
{
    c.Pen().SetColor(clRed);
    c.MoveTo(10, 10);
    c.LineTo(100, 10);
    c.Brush().SetColor(clYellow);
    c.Rectangle(20, 20, 60, 50);
    c.Pen().SetWidth(3);
    c.Ellipse(70, 20, 120, 60);
    c.Pen().SetWidth(1);
    c.Arc(10, 70, 60, 120, 60, 95, 35, 70);
    c.Pie(70, 70, 120, 120, 120, 95, 95, 70);
    c.Chord(130, 70, 180, 120, 180, 95, 130, 95);
    c.PolyBezier({TPoint(10, 130), TPoint(40, 100), TPoint(70, 160), TPoint(100, 130)});
    c.Font().SetColor(clBlue);
    c.TextOut(130, 20, "Hello");
    TBitmap picture(8, 8);
    picture.Canvas().Brush().SetColor(clGreen);
    picture.Canvas().FillRect(TRect(0, 0, 4, 4));
    c.StretchDraw(TRect(130, 40, 160, 60), picture);
    const TRegion clip = TRegion::FromRect(TRect(0, 0, 50, 50));
    c.SelectClipRgn(&clip);
    c.Polygon({TPoint(0, 0), TPoint(100, 0), TPoint(50, 100)});
    c.SelectClipRgn(nullptr);
    c.Pen().SetMode(pmXor);
    c.MoveTo(0, 140);
    c.LineTo(190, 140);
}

// What a drawing records as a metafile of the given size.
inline QByteArray Record(TMetafileFormat format, QSize size, const std::function<void(TCanvas&)>& draw)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    TMetafileRecorder recorder(buffer, size, format);
    {
        TCanvas canvas(&recorder);
        draw(canvas);
    }
    EXPECT_TRUE(recorder.Finish());
    return buffer.data();
}
