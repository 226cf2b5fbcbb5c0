#include "DrawingTestSupport.h"

#include <algorithm>

::testing::AssertionResult DrawingInvariantsHold(const TMyCAD& cad)
{
    const int n = cad.GetShapesCount();
    auto valid = [n](long no) { return no >= 0 && no < n; };
    for (int i = 0; i < n; ++i) {
        const TMyShape* s = cad.GetShapeByNo(i);
        if (!s)
            return ::testing::AssertionFailure() << "no shape at " << i;
        if (s->ShapeNo() != i)
            return ::testing::AssertionFailure() << "shape at " << i << " has number " << s->ShapeNo();
        if (s->ParentNo() != -1 && !valid(s->ParentNo()))
            return ::testing::AssertionFailure() << "shape " << i << " names parent " << s->ParentNo();
        for (uint32_t c : s->ChildNos())
            if (!valid(long(c)))
                return ::testing::AssertionFailure() << "shape " << i << " names member " << c;
        for (uint32_t c : s->LinkLineNos())
            if (!valid(long(c)))
                return ::testing::AssertionFailure() << "shape " << i << " names connector " << c;
        if (const auto* line = dynamic_cast<const TMyLinkLine*>(s)) {
            if (line->StartSpNo() != -1 && !valid(line->StartSpNo()))
                return ::testing::AssertionFailure() << "connector " << i << " starts at " << line->StartSpNo();
            if (line->EndSpNo() != -1 && !valid(line->EndSpNo()))
                return ::testing::AssertionFailure() << "connector " << i << " ends at " << line->EndSpNo();
        }
    }
    // Connector relations are kept on both sides: an attached end is listed by its shape,
    // and a listed connector has an end on the shape that lists it.
    for (int i = 0; i < n; ++i) {
        const auto* line = dynamic_cast<const TMyLinkLine*>(cad.GetShapeByNo(i));
        if (!line)
            continue;
        for (int end : {line->StartSpNo(), line->EndSpNo()}) {
            if (end < 0)
                continue;
            const TMyShapeNo& list = cad.GetShapeByNo(end)->LinkLineNos();
            if (std::find(list.begin(), list.end(), uint32_t(i)) == list.end())
                return ::testing::AssertionFailure() << "connector " << i << " is attached to " << end
                                                     << ", which does not list it";
        }
    }
    for (int i = 0; i < n; ++i) {
        const TMyShapeNo& list = cad.GetShapeByNo(i)->LinkLineNos();
        for (size_t k = 0; k < list.size(); ++k) {
            const auto* line = dynamic_cast<const TMyLinkLine*>(cad.GetShapeByNo(int(list[k])));
            if (!line || (line->StartSpNo() != i && line->EndSpNo() != i))
                return ::testing::AssertionFailure() << "shape " << i << " lists " << list[k]
                                                     << ", which has no end on it";
            if (std::count(list.begin(), list.end(), list[k]) > 1)
                return ::testing::AssertionFailure() << "shape " << i << " lists " << list[k] << " twice";
        }
    }
    return ::testing::AssertionSuccess();
}

TMyShape* AddRect(TMyCAD& cad, float x1, float y1, float x2, float y2, const QString& name)
{
    const int id = cad.AddShapeByCode(&cad, SpRectangle, QString(),
                                      {TMyPoint(x1, y1), TMyPoint(x2, y1), TMyPoint(x2, y2), TMyPoint(x1, y2)}, 0, name);
    return cad.GetShapeByID(id);
}
