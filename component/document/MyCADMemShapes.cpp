// TMyCAD: the memory shapes, copies held outside the drawing for pasting, and their
// paste. Both pastes (the clipboard's and the block's) copy the memory shapes into the
// drawing in one pass: the relations among the copies are renumbered through a hash map
// from the memory shapes' numbers to the numbers the copies get, and every relation that
// leads outside the memory shapes, or that the shape at the other side does not return,
// becomes "none" (parent -1, member or connector entry dropped, connector end loose).
// All copies join the drawing before any event fires, so a handler that changes the
// shape list cannot make a later number point at the wrong shape.
#include "component/document/MyCAD.h"

#include "component/shapes/AllShapes.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

// The paste offset of the clipboard, in document units.
constexpr double kPasteOffset = 4;

using TNumberMap = std::unordered_map<int, int>;

// Drops every entry that names no memory shape from the shapes' connector lists and
// loosens connector ends on shapes outside them, in the memory shapes themselves (so
// later pastes find them cut already).
void CutOutsideRelations(const std::vector<std::unique_ptr<TMyShape>>& memory, const TNumberMap& map)
{
    auto inside = [&map](long no) { return no >= 0 && map.count(int(no)) > 0; };
    for (const auto& shape : memory) {
        if (shape->HasLinkShapes()) {
            TMyShapeNo& lines = shape->LinkLineNos();
            lines.erase(std::remove_if(lines.begin(), lines.end(), [&](uint32_t no) { return !inside(long(no)); }),
                        lines.end());
        }
        if (auto* line = qobject_cast<TMyLinkLine*>(shape.get())) {
            if (line->StartSpNo() >= 0 && !inside(line->StartSpNo()))
                line->RemoveSrcLink();
            if (line->EndSpNo() >= 0 && !inside(line->EndSpNo()))
                line->RemoveDestLink();
        }
    }
}

// Maps a shape's relations through the number map; what has no entry becomes none.
void MapRelations(TMyShape& shape, const TNumberMap& map)
{
    auto mapped = [&map](long no) {
        const auto it = no >= 0 ? map.find(int(no)) : map.end();
        return it == map.end() ? -1 : it->second;
    };
    auto mapList = [&](TMyShapeNo& list) {
        size_t out = 0;
        for (uint32_t entry : list) {
            const int m = mapped(long(entry));
            if (m >= 0)
                list[out++] = uint32_t(m);
        }
        list.resize(out);
    };
    // Any number that is not a shape of the copies (a damaged file can hold any negative
    // one) becomes none.
    shape.SetParentNo(shape.ParentNo() >= 0 ? mapped(shape.ParentNo()) : -1);
    if (shape.HasChildShapes())
        mapList(shape.ChildNos());
    if (shape.HasLinkShapes())
        mapList(shape.LinkLineNos());
    if (auto* line = qobject_cast<TMyLinkLine*>(&shape)) {
        const int start = mapped(line->StartSpNo());
        if (start >= 0)
            line->SetStartSpNo(start);
        else
            line->RemoveSrcLink();
        const int end = mapped(line->EndSpNo());
        if (end >= 0)
            line->SetEndSpNo(end);
        else
            line->RemoveDestLink();
    }
}

// Keeps only the relations both sides agree on, among copies numbered First, First + 1,
// ... in their order: a member is listed by its group and names it as its parent; a
// connector end lies on a shape that lists the connector, and a listed connector has an
// end on the shape that lists it (once).
void KeepMutualRelations(const std::vector<std::unique_ptr<TMyShape>>& copies, int first)
{
    const int count = int(copies.size());
    auto at = [&](long no) -> TMyShape* {
        return no >= first && no - first < count ? copies[size_t(no - first)].get() : nullptr;
    };
    auto lists = [](const TMyShapeNo& list, int no) {
        return std::find(list.begin(), list.end(), uint32_t(no)) != list.end();
    };
    for (int k = 0; k < count; ++k) {
        TMyShape& shape = *copies[size_t(k)];
        const int self = first + k;
        std::unordered_set<uint32_t> seen;
        if (shape.HasChildShapes()) {
            TMyShapeNo& members = shape.ChildNos();
            members.erase(std::remove_if(members.begin(), members.end(),
                                         [&](uint32_t no) {
                                             const TMyShape* member = at(long(no));
                                             return !member || member->ParentNo() != self || !seen.insert(no).second;
                                         }),
                          members.end());
        }
        seen.clear();
        if (shape.HasLinkShapes()) {
            TMyShapeNo& lines = shape.LinkLineNos();
            lines.erase(std::remove_if(lines.begin(), lines.end(),
                                       [&](uint32_t no) {
                                           const auto* line = qobject_cast<const TMyLinkLine*>(at(long(no)));
                                           return !line || (line->StartSpNo() != self && line->EndSpNo() != self)
                                                  || !seen.insert(no).second;
                                       }),
                        lines.end());
        }
    }
    for (int k = 0; k < count; ++k) {
        TMyShape& shape = *copies[size_t(k)];
        const int self = first + k;
        if (shape.ParentNo() >= 0) {
            const TMyShape* parent = at(shape.ParentNo());
            if (!parent || !lists(parent->ChildNos(), self))
                shape.SetParentNo(-1);
        }
        if (auto* line = qobject_cast<TMyLinkLine*>(&shape)) {
            const TMyShape* start = line->StartSpNo() >= 0 ? at(line->StartSpNo()) : nullptr;
            if (line->StartSpNo() >= 0 && (!start || !lists(start->LinkLineNos(), self)))
                line->RemoveSrcLink();
            const TMyShape* end = line->EndSpNo() >= 0 ? at(line->EndSpNo()) : nullptr;
            if (line->EndSpNo() >= 0 && (!end || !lists(end->LinkLineNos(), self)))
                line->RemoveDestLink();
        }
    }
}

} // namespace

bool TMyCAD::FillMemShapes(const TArrMyShape& Shapes)
{
    std::vector<std::unique_ptr<TMyShape>> copies;
    std::unordered_set<const TMyShape*> seen;
    bool complete = true;
    for (TMyShape* root : Shapes) {
        for (TMyShape* shape : ShapeTreeOf(root, false)) {
            if (!seen.insert(shape).second)
                continue; // a member selected beside its group is copied once
            std::unique_ptr<TMyShape> copy = CreateShapeByName(shape->ClassName(), this);
            if (!copy) {
                complete = false;
                continue;
            }
            copy->Assign(shape);
            copies.push_back(std::move(copy));
        }
    }
    FMemShapes = std::move(copies);
    return complete;
}

TArrMyShape TMyCAD::PasteMemShapes(bool AsBlock)
{
    RemoveAllWorkingShapes();
    const int m = int(FMemShapes.size());
    const int first = GetShapesCount();
    if (m == 0) {
        Invalidate();
        return {};
    }

    // The number map: a block keeps its order, the clipboard pastes the last memory shape
    // first. A number held by two memory shapes maps to the first.
    TNumberMap map;
    map.reserve(size_t(m));
    for (int k = 0; k < m; ++k)
        map.emplace(FMemShapes[size_t(k)]->ShapeNo(), first + (AsBlock ? k : m - 1 - k));
    CutOutsideRelations(FMemShapes, map);

    // Every copy is made and renumbered before the first joins the drawing.
    std::vector<std::unique_ptr<TMyShape>> copies;
    copies.reserve(size_t(m));
    for (int i = 0; i < m; ++i) {
        const TMyShape& source = *FMemShapes[size_t(AsBlock ? i : m - 1 - i)];
        std::unique_ptr<TMyShape> copy = CreateShapeByName(source.ClassName(), this);
        if (!copy) {
            Invalidate();
            return {};
        }
        copy->Assign(&source);
        if (!AsBlock)
            OffsetAllPoints(copy.get(), kPasteOffset, kPasteOffset);
        MapRelations(*copy, map);
        copies.push_back(std::move(copy));
    }
    KeepMutualRelations(copies, first);

    std::vector<int> ids;
    ids.reserve(size_t(m));
    for (auto& copy : copies) {
        const int id = FNextShapeId;
        copy->SetShapeId(id);
        copy->SetName(QStringLiteral("Shape%1").arg(id));
        copy->SetShapeNo(GetShapesCount());
        if (!AddShape(copy, AsBlock, false)) {
            // Only a drawing without layers refuses, and then already the first copy; the
            // copies added so far would name shapes that never came, so they go again.
            std::vector<char> doomed(size_t(GetShapesCount()), 0);
            std::fill(doomed.begin() + first, doomed.end(), char(1));
            RemoveShapes(doomed);
            Invalidate();
            return {};
        }
        ids.push_back(id);
    }

    if (!AsBlock) {
        for (int id : ids) {
            TMyShape* shape = GetShapeByID(id);
            if (shape) // a handler may have deleted it
                Fire(OnShapeAdded, shape, shape->ShapeNo() + 1);
        }
    }
    TArrMyShape roots;
    for (int id : ids) {
        TMyShape* shape = GetShapeByID(id);
        if (shape && !shape->HasParentShape())
            roots.push_back(shape);
    }
    if (!roots.empty())
        PushtoUndoRedoShapeList(roots, UndoActionName(TUndoAction::Add));
    SetWorkingShapes(roots);
    Invalidate();
    return roots;
}
