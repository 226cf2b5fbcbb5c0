// Feeds arbitrary bytes to the drawing reader and checks what a load must guarantee: a
// refused stream leaves the open drawing as it was; an accepted one gives a drawing whose
// shape numbers are the positions and whose relations name shapes of the drawing, which
// saves, and whose saved bytes load again. Seeds: tests/data/drawings.
#include "CAD.h"
#include "persistence/DrawingStream.h"

#include <QApplication>
#include <QBuffer>
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

bool Consistent(const TMyCAD& cad)
{
    const int n = cad.GetShapesCount();
    auto valid = [n](int64_t no) { return no >= 0 && no < n; };
    for (int i = 0; i < n; ++i) {
        const TMyShape* s = cad.GetShapeByNo(i);
        if (!s || s->ShapeNo() != i || (s->ParentNo() != -1 && !valid(s->ParentNo())))
            return false;
        for (uint32_t c : s->ChildNos())
            if (!valid(c))
                return false;
        for (uint32_t c : s->LinkLineNos())
            if (!valid(c))
                return false;
        if (const auto* link = qobject_cast<const TMyLinkLine*>(s))
            for (int end : {link->StartSpNo(), link->EndSpNo()})
                if (end != -1 && !valid(end))
                    return false;
    }
    return true;
}

QByteArray Save(const TMyCAD& cad)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!cad.SaveToStream(buffer))
        abort();
    return bytes;
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
    // A drawing with one shape, user data and a zoom, to be replaced by the input.
    TMyCAD cad;
    TMyShape* s = cad.CreateAddShapeByName(QStringLiteral("TMyRectangle"), nullptr);
    s->PointsRef() = {TMyPoint(1, 2), TMyPoint(30, 2), TMyPoint(30, 40), TMyPoint(1, 40)};
    cad.UserData()->AddKeyandValue(QStringLiteral("k"), QStringLiteral("v"));
    cad.SetZoom(2);
    const QByteArray before = Save(cad);

    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    if (!cad.LoadFromStream(buffer)) {
        if (Save(cad) != before || cad.Loading() || cad.Zoom() != 2)
            abort(); // a refused stream changed the open drawing
        return 0;
    }
    if (!Consistent(cad) || cad.Zoom() != 1)
        abort();
    QByteArray saved = Save(cad);
    QBuffer savedBuffer(&saved);
    savedBuffer.open(QIODevice::ReadOnly);
    TMyCAD again;
    if (!again.LoadFromStream(savedBuffer) || again.GetShapesCount() != cad.GetShapesCount())
        abort(); // what the writer writes must read
    return 0;
}
