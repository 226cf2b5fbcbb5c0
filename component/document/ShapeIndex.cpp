#include "component/document/ShapeIndex.h"

#include "component/shapes/MyShape.h"

void TShapeIndex::Rebuild(const TOwnedShapes& Shapes)
{
    FRanges.clear();
    FRanges.reserve(Shapes.size());
    for (size_t i = 0; i < Shapes.size(); ++i) {
        const int id = Shapes[i]->GetShapeId();
        auto [it, inserted] = FRanges.try_emplace(id, Range{int(i), int(i)});
        if (!inserted)
            it->second.Last = int(i);
    }
    FValid = true;
}

const TShapeIndex::Range* TShapeIndex::Find(const TOwnedShapes& Shapes, int Id)
{
    if (!FValid)
        Rebuild(Shapes);
    const auto it = FRanges.find(Id);
    return it == FRanges.end() ? nullptr : &it->second;
}

int TShapeIndex::FirstPositionOf(const TOwnedShapes& Shapes, int Id)
{
    const Range* r = Find(Shapes, Id);
    return r ? r->First : -1;
}

int TShapeIndex::LastPositionOf(const TOwnedShapes& Shapes, int Id)
{
    const Range* r = Find(Shapes, Id);
    return r ? r->Last : -1;
}

int TShapeIndex::FirstPositionOfName(const TOwnedShapes& Shapes, const QString& Name)
{
    if (!FNamesValid) {
        FNames.clear();
        FNames.reserve(qsizetype(Shapes.size()));
        for (size_t i = 0; i < Shapes.size(); ++i) {
            const QString name = Shapes[i]->Name();
            if (!FNames.contains(name)) // the first shape with a name wins
                FNames.insert(name, int(i));
        }
        FNamesValid = true;
    }
    return FNames.value(Name, -1);
}
