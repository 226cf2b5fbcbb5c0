#pragma once
// The mixed drawing several benchmarks measure: n rectangles, lines and ellipses (every
// third of each) of 4 to 36 pixels, spread over an A4 page at zoom 1, the same items every
// run, as a drawing and as the Qt reference scene holding the same items.
#include "component/CAD.h"

#include <QGraphicsScene>
#include <QPen>

#include <map>
#include <memory>
#include <random>
#include <vector>

namespace bench {
constexpr int kPageWidth = 794;
constexpr int kPageHeight = 1123;

struct Item {
    int Kind; // 0 rectangle, 1 line, 2 ellipse
    float X, Y, W, H;
};

inline const std::vector<Item>& Items(int n)
{
    static std::map<int, std::vector<Item>> cache;
    auto& items = cache[n];
    if (items.empty()) {
        std::mt19937 random(11);
        std::uniform_real_distribution<float> x(0, kPageWidth - 40), y(0, kPageHeight - 40), size(4, 36);
        for (int i = 0; i < n; ++i)
            items.push_back({i % 3, x(random), y(random), size(random), size(random)});
    }
    return items;
}

// The items as shapes added by code (no undo records), filled with the given brush
// style, with nothing selected.
inline std::unique_ptr<TMyCAD> MixedDrawing(int n, TBrushStyle brush = bsSolid)
{
    auto cad = std::make_unique<TMyCAD>();
    cad->SetUndoRedoSize(0);
    cad->Brush()->SetStyle(brush);
    for (const Item& it : Items(n)) {
        const TArrMyPoint box = {TMyPoint(it.X, it.Y), TMyPoint(it.X + it.W, it.Y), TMyPoint(it.X + it.W, it.Y + it.H),
                                 TMyPoint(it.X, it.Y + it.H)};
        if (it.Kind == 0)
            cad->AddShapeByCode(cad.get(), SpRectangle, {}, box, 0, QStringLiteral("R"));
        else if (it.Kind == 1)
            cad->AddShapeByCode(cad.get(), SpLine, {}, {box[0], box[2]}, 0, QStringLiteral("L"));
        else
            cad->AddShapeByCode(cad.get(), SpEllipse, {}, box, 0, QStringLiteral("E"));
    }
    cad->RemoveAllWorkingShapes();
    return cad;
}

// The same items in a QGraphicsScene of the page's size, with the given index, on a white
// background, drawn with a black one-pixel pen.
inline std::unique_ptr<QGraphicsScene> MixedScene(int n, QGraphicsScene::ItemIndexMethod index)
{
    auto scene = std::make_unique<QGraphicsScene>(0, 0, kPageWidth, kPageHeight);
    scene->setItemIndexMethod(index);
    scene->setBackgroundBrush(Qt::white);
    const QPen pen(Qt::black, 1);
    for (const Item& it : Items(n)) {
        if (it.Kind == 0)
            scene->addRect(it.X, it.Y, it.W, it.H, pen);
        else if (it.Kind == 1)
            scene->addLine(it.X, it.Y, it.X + it.W, it.Y + it.H, pen);
        else
            scene->addEllipse(it.X, it.Y, it.W, it.H, pen);
    }
    return scene;
}
} // namespace bench
