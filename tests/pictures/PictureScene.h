#pragma once
// The drawing the picture tests export and print: an A4 page at zoom 1 with
//   a red line from (100, 100) to (300, 100) (a 200-unit line, one pixel wide),
//   a blue filled rectangle from (400, 200) to (600, 400), selected (hots shown),
//   a green filled rectangle (100, 500)-(200, 600) on a layer that is hidden,
//   a magenta filled rectangle (300, 500)-(400, 600) that is itself not Visible.
#include "component/CAD.h"
#include "support/DrawingTestSupport.h"

#include <memory>

struct PictureScene {
    std::unique_ptr<TMyCAD> Cad = std::make_unique<TMyCAD>();
    TMyShape* Line = nullptr;
    TMyShape* Blue = nullptr;
    TMyShape* Hidden = nullptr;
    TMyShape* Invisible = nullptr;
    int HiddenLayer = -1;
};

inline TMyShape* FilledRect(TMyCAD& cad, float x1, float y1, float x2, float y2, TColor color)
{
    TMyShape* s = AddRect(cad, x1, y1, x2, y2);
    s->Pen()->SetColor(color);
    s->Brush()->SetStyle(bsSolid);
    s->Brush()->SetColor(color);
    return s;
}

inline PictureScene MakePictureScene()
{
    PictureScene scene;
    TMyCAD& cad = *scene.Cad;
    cad.SetUndoRedoSize(0);
    const int id = cad.AddShapeByCode(&cad, SpLine, {}, {TMyPoint(100, 100), TMyPoint(300, 100)}, 0, "Line");
    scene.Line = cad.GetShapeByID(id);
    scene.Line->Pen()->SetColor(clRed);
    scene.Blue = FilledRect(cad, 400, 200, 600, 400, clBlue);
    scene.HiddenLayer = cad.NewLayer("Hidden", true);
    scene.Hidden = FilledRect(cad, 100, 500, 200, 600, clLime);
    cad.InVisibleLayerByID(scene.HiddenLayer);
    cad.SetCurrentLayerId(0);
    scene.Invisible = FilledRect(cad, 300, 500, 400, 600, clFuchsia);
    scene.Invisible->SetVisible(false);
    cad.SetWorkingShapes({scene.Blue});
    return scene;
}
