// Feeds arbitrary bytes to the DXF group reader and to the import in both modes (the
// sections and entities as written, and with the further entities switched on) and
// checks what an import must guarantee: a refused file leaves the open drawing as it was
// and sets ReadFailed; an accepted one gives a drawing whose shape numbers are the
// positions, whose points are finite, and which exports as DXF that imports again.
// Seeds: tests/data/dxf.
#include "component/CAD.h"
#include "component/dxf/DXFExport.h"
#include "component/dxf/DXFImport.h"
#include "component/dxf/DXFRead.h"

#include <QApplication>
#include <QBuffer>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// Messages (the missing-layer one) go nowhere.
class TSilentUI : public TUIServices {
public:
    void ShowMessage(const QString&) override {}
    int MessageDlg(const QString&, TMsgDlgType, TMsgDlgButtons) override { return mrCancel; }
    bool OpenFileDialog(QString&, const QString&, const QString&) override { return false; }
    bool SaveFileDialog(QString&, const QString&, const QString&) override { return false; }
    bool EditStrings(QStringList&, const QString&) override { return false; }
    bool ChooseColor(TColor&) override { return false; }
    void ClipCursor(const QRect*) override {}
};

QByteArray Saved(const TMyCAD& cad)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!cad.SaveToStream(buffer))
        abort();
    return bytes;
}

QByteArray Exported(const TMyCAD& cad)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TDXFExport writer(cad, buffer);
    if (!writer.Write())
        abort();
    return bytes;
}

bool Consistent(const TMyCAD& cad)
{
    for (int i = 0; i < cad.GetShapesCount(); ++i) {
        const TMyShape* s = cad.GetShapeByNo(i);
        if (!s || s->ShapeNo() != i || s->ParentNo() != -1 || cad.GetLayerNoById(s->LayerId()) < 0)
            return false;
        for (const TMyPoint& p : s->Points())
            if (!std::isfinite(p.X) || !std::isfinite(p.Y))
                return false;
    }
    return true;
}

// Walks every group and section of the data; the walk must end.
void WalkGroups(const QByteArray& bytes)
{
    TDXFRead reader(bytes);
    TGroupTable table;
    int guard = 0;
    while (reader.Section() != scUnknow && ++guard < 1000) {
        while (reader.HasGroup() && !reader.IsGroup(0, "ENDSEC")) {
            table.Clear();
            if (reader.ReadAnEntry(0, table) < 0)
                break;
            if (reader.GroupCode() != 0 && reader.HasGroup())
                reader.ConsumeGroup();
        }
        reader.NextSection();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    static TSilentUI ui;
    SetUIServices(&ui);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    WalkGroups(bytes);
    for (bool extended : {false, true}) {
        // A drawing with one shape on a layer of its own, to be added to by the input.
        TMyCAD cad;
        cad.resize(400, 300);
        TMyShape* s = cad.CreateAddShapeByName(QStringLiteral("TMyRectangle"), nullptr);
        s->PointsRef() = {TMyPoint(1, 2), TMyPoint(30, 2), TMyPoint(30, 40), TMyPoint(1, 40)};
        const QByteArray before = Saved(cad);
        const int layers = cad.GetLayersCount();

        TDXF2DImport import(bytes, &cad);
        import.SetExtendedEntities(extended);
        import.SetMaxInsertedEntities(20000);
        const bool accepted = import.ReadDXF();
        if (accepted == import.ReadFailed())
            abort(); // the result and the flag disagree
        if (!accepted) {
            if (Saved(cad) != before || cad.GetLayersCount() != layers)
                abort(); // a refused file changed the open drawing
            continue;
        }
        if (!Consistent(cad))
            abort();
        // What the export writes reads again, as a whole file.
        TMyCAD again;
        TDXF2DImport reimport(Exported(cad), &again);
        if (!reimport.ReadDXF())
            abort();
    }
    return 0;
}
