// TMyCAD: DXF export.
#include "component/document/MyCAD.h"

#include "component/dxf/DXFExport.h"
#include "platform/Stream.h"

namespace {

bool SaveDxf(const TMyCAD& CAD, const QString& FileName, bool TextAsOutlines)
{
    return SaveFileSafely(FileName, [&](QIODevice& file) {
        TDXFExport writer(CAD, file, TextAsOutlines);
        return writer.Write();
    });
}

} // namespace

bool TMyCAD::SaveToDxf(const QString& FileName) const
{
    return SaveDxf(*this, FileName, false);
}

bool TMyCAD::SaveToDxf1(const QString& FileName) const
{
    return SaveDxf(*this, FileName, true);
}
