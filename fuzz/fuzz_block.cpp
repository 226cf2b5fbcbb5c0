// Feeds arbitrary bytes to the block reader and checks what adding a block must
// guarantee: a refused block leaves the open drawing exactly as it was (its saved bytes,
// its memory shapes, its layers); an accepted one adds the block's shapes after the
// drawing's own with every relation naming a shape of the drawing, on both sides of each
// connector, and the drawing still saves. Seeds: tests/data/drawings.
#include "component/CAD.h"

#include <QApplication>
#include <QBuffer>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

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

// The pictures of Copy go nowhere.
class TSilentClipboard : public TClipboardServices {
public:
    bool SetContent(const TClipboardContent&) override { return true; }
    QImage Picture() const override { return QImage(); }
};

// Names the broken guarantee before stopping, so a saved input says what it breaks.
[[noreturn]] void Fail(const char* what)
{
    fprintf(stderr, "fuzz_block: %s\n", what);
    abort();
}

bool Listed(const TMyShapeNo& list, int no)
{
    return std::find(list.begin(), list.end(), uint32_t(no)) != list.end();
}

// The first relation that names no shape of the drawing, or nullptr when all do.
const char* Inconsistency(const TMyCAD& cad)
{
    const int n = cad.GetShapesCount();
    auto valid = [n](int64_t no) { return no >= 0 && no < n; };
    for (int i = 0; i < n; ++i) {
        const TMyShape* s = cad.GetShapeByNo(i);
        if (!s || s->ShapeNo() != i)
            return "a shape's number is not its place in the list";
        if (s->ParentNo() != -1 && !valid(s->ParentNo()))
            return "a parent names no shape";
        for (uint32_t c : s->ChildNos())
            if (!valid(c))
                return "a child names no shape";
        for (uint32_t c : s->LinkLineNos()) {
            const auto* line = valid(c) ? qobject_cast<const TMyLinkLine*>(cad.GetShapeByNo(int(c))) : nullptr;
            if (!line)
                return "a shape lists a connector that is not one";
            if (line->StartSpNo() != i && line->EndSpNo() != i)
                return "a shape lists a connector that is not attached to it";
        }
        if (const auto* line = qobject_cast<const TMyLinkLine*>(s)) {
            for (int end : {line->StartSpNo(), line->EndSpNo()})
                if (end != -1 && (!valid(end) || !Listed(cad.GetShapeByNo(end)->LinkLineNos(), i)))
                    return "a connector's end names a shape that does not list it";
        }
    }
    return nullptr;
}

QByteArray Save(const TMyCAD& cad)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!cad.SaveToStream(buffer))
        Fail("the drawing does not save");
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed, as Qt's static caches would go before it at exit.
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
    static TSilentUI ui;
    SetUIServices(&ui);
    static TSilentClipboard clipboard;
    SetClipboardServices(&clipboard);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMyCAD cad;
    cad.SetUndoRedoSize(5);
    const int own = cad.AddShapeByCode(&cad, SpRectangle, QString(),
                                       {TMyPoint(1, 1), TMyPoint(9, 1), TMyPoint(9, 9), TMyPoint(1, 9)}, 0,
                                       QStringLiteral("Own"));
    cad.SetWorkingShapes({cad.GetShapeByID(own)});
    cad.Copy();
    cad.NewLayer(QStringLiteral("Second"), true);
    const QByteArray before = Save(cad);
    const int layers = cad.GetLayersCount();

    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    const TBlockLayerMode mode = size % 2 ? TBlockLayerMode::Import : TBlockLayerMode::Merge;
    if (!cad.LoadFromStreamforBlock(stream, mode)) {
        if (Save(cad) != before)
            Fail("a refused block changed the drawing");
        if (cad.GetMemShapesCount() != 1 || cad.GetLayersCount() != layers)
            Fail("a refused block changed the memory shapes or the layers");
        return 0;
    }
    const int memory = cad.GetMemShapesCount();
    cad.PasteforBlock();
    if (cad.GetShapesCount() != 1 + memory)
        Fail("pasting the block did not add its shapes");
    if (const char* what = Inconsistency(cad))
        Fail(what);
    if (cad.GetShapeByNo(0)->GetShapeId() != own)
        Fail("the drawing's own shape moved");
    Save(cad);
    return 0;
}
