#include "EditingSupport.h"

#include <algorithm>

namespace {
bool Lists(const TMyShapeNo& list, int no)
{
    return std::find(list.begin(), list.end(), uint32_t(no)) != list.end();
}

QString Numbers(const TMyShapeNo& list)
{
    QStringList parts;
    for (uint32_t n : list)
        parts << QString::number(n);
    return QStringLiteral("[") + parts.join(QLatin1Char(',')) + QStringLiteral("]");
}
} // namespace

::testing::AssertionResult RelationsConsistent(const TMyCAD& cad)
{
    for (int i = 0; i < cad.GetShapesCount(); ++i) {
        const TMyShape* s = cad.GetShapeByNo(i);
        if (const TMyShape* parent = cad.GetShapeByNo(s->ParentNo()); parent && !Lists(parent->ChildNos(), i))
            return ::testing::AssertionFailure() << "group " << s->ParentNo() << " does not list member " << i;
        for (uint32_t c : s->ChildNos())
            if (const TMyShape* child = cad.GetShapeByNo(int(c)); child && child->ParentNo() != i)
                return ::testing::AssertionFailure() << "member " << c << " does not name group " << i;
        for (uint32_t c : s->LinkLineNos()) {
            const auto* line = dynamic_cast<const TMyLinkLine*>(cad.GetShapeByNo(int(c)));
            if (!line)
                return ::testing::AssertionFailure() << "shape " << i << " lists " << c << ", not a connector";
            if (line->StartSpNo() != i && line->EndSpNo() != i)
                return ::testing::AssertionFailure() << "connector " << c << " has no end on " << i;
        }
        if (const auto* line = dynamic_cast<const TMyLinkLine*>(s)) {
            for (int end : {line->StartSpNo(), line->EndSpNo()})
                if (const TMyShape* at = cad.GetShapeByNo(end); at && !Lists(at->LinkLineNos(), i))
                    return ::testing::AssertionFailure() << "shape " << end << " does not list connector " << i;
        }
    }
    return ::testing::AssertionSuccess();
}

TMyLinkLine* Connect(TMyCAD& cad, TMyShape* A, TMyShape* B)
{
    auto* line = static_cast<TMyLinkLine*>(cad.CreateAddShapeByName(QStringLiteral("TMyLinkLine"), nullptr));
    const int no = line->ShapeNo();
    line->PointsRef() = {A ? A->GetCenterPoint() : TMyPoint(), B ? B->GetCenterPoint() : TMyPoint()};
    if (A) {
        line->SetStartSpNo(A->ShapeNo());
        line->SetStartSpPtId(0);
        A->LinkLineNos().push_back(uint32_t(no));
    }
    if (B) {
        line->SetEndSpNo(B->ShapeNo());
        line->SetEndSpPtId(0);
        B->LinkLineNos().push_back(uint32_t(no));
    }
    return line;
}

TMyShape* AddJunction(TMyCAD& cad, int x, int y)
{
    const int id = cad.AddShapeByCode(&cad, SpLineLinkLine, QString(), {TMyPoint(float(x), float(y))}, 0,
                                      QStringLiteral("J"));
    return cad.GetShapeByID(id);
}

QStringList Describe(const TMyCAD& cad)
{
    QStringList out;
    for (int i = 0; i < cad.GetShapesCount(); ++i) {
        const TMyShape* s = cad.GetShapeByNo(i);
        QString text = QStringLiteral("%1#%2 p=%3 c=%4 l=%5")
                           .arg(s->Name())
                           .arg(s->GetShapeId())
                           .arg(s->ParentNo())
                           .arg(Numbers(s->ChildNos()), Numbers(s->LinkLineNos()));
        if (const auto* line = dynamic_cast<const TMyLinkLine*>(s))
            text += QStringLiteral(" s=%1/%2 e=%3/%4")
                        .arg(line->StartSpNo())
                        .arg(line->StartSpPtId())
                        .arg(line->EndSpNo())
                        .arg(line->EndSpPtId());
        out << text;
    }
    return out;
}

QStringList Names(const TMyCAD& cad)
{
    QStringList out;
    for (int i = 0; i < cad.GetShapesCount(); ++i)
        out << cad.GetShapeByNo(i)->Name();
    return out;
}

QStringList History(const TMyCAD& cad)
{
    QStringList out;
    const TUndoList& undo = cad.UndoList();
    for (int i = 0; i < undo.RecordCount(); ++i) {
        const TSavedShape& r = undo.Record(i);
        out << QStringLiteral("%1:%2:%3").arg(r.ActionNo).arg(r.ActionName, r.ShapeName);
    }
    return out;
}
