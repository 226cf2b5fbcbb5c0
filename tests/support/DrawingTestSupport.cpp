#include "DrawingTestSupport.h"

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
    return ::testing::AssertionSuccess();
}

TMyShape* AddRect(TMyCAD& cad, float x1, float y1, float x2, float y2, const QString& name)
{
    const int id = cad.AddShapeByCode(&cad, SpRectangle, QString(),
                                      {TMyPoint(x1, y1), TMyPoint(x2, y1), TMyPoint(x2, y2), TMyPoint(x1, y2)}, 0, name);
    return cad.GetShapeByID(id);
}
