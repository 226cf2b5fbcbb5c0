#pragma once
// A lookup of shapes by identifier over the drawing's shape list, rebuilt lazily after
// the list or an identifier changes. It answers the two questions the drawing asks:
// the first shape in list order with an identifier, and the last one.
#include "MyTypes.h"

#include <memory>
#include <unordered_map>
#include <vector>

using TOwnedShapes = std::vector<std::unique_ptr<TMyShape>>;

class TShapeIndex {
public:
    // Forgets everything; the next lookup rebuilds from the list.
    void Invalidate() { FValid = false; }
    // Positions in the list of the first and the last shape with the identifier, or
    // -1 when there is none.
    int FirstPositionOf(const TOwnedShapes& Shapes, int Id);
    int LastPositionOf(const TOwnedShapes& Shapes, int Id);

private:
    struct Range {
        int First;
        int Last;
    };
    void Rebuild(const TOwnedShapes& Shapes);
    const Range* Find(const TOwnedShapes& Shapes, int Id);

    std::unordered_map<int, Range> FRanges;
    bool FValid = false;
};
