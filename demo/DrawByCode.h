#pragma once
// The items of the demonstration's "Draw by Code" menu: each adds one shape to the
// drawing through the component's programming interface.
#include <QString>
#include <functional>
#include <vector>

class TMyCAD;

struct TDrawByCodeItem {
    QString Caption;
    std::function<void(TMyCAD&)> Run;
};

std::vector<TDrawByCodeItem> DrawByCodeItems();
