// Feeds arbitrary bytes to the shape-library manager and checks what a host relies on:
// any input of ten bytes or more loads; walking, reading, previewing and placing entries
// end without a crash and leave a consistent drawing; an upgrade keeps the entries; a
// saved library loads and saves to the same bytes; a rename and its reverse restore the
// bytes. Seeds: tests/data/libraries.
#include "component/CAD.h"

#include <QApplication>
#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace {

// Messages go nowhere.
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
            if (!valid(c) || cad.GetShapeByNo(int(c))->ParentNo() != i)
                return false;
        if (!s->LinkLineNos().empty())
            return false; // nothing placed from a library is attached to anything
    }
    return true;
}

bool Load(TLibManager& lib, const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return lib.LoadFromStream(buffer);
}

QByteArray Save(TLibManager& lib)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!lib.SaveToStream(buffer))
        abort();
    return bytes;
}

// The shape count of every entry the walk reaches, -1 for one that does not read.
std::vector<int> ReadAll(TLibManager& lib)
{
    std::vector<int> counts;
    TLibSpan name, size;
    QString text;
    int32_t s = 0;
    for (int64_t at = 10; lib.ReadCmbShapeName(at, text, &name) && lib.ReadCmbShapeSize(name.Next, s, &size) && s >= 0;
         at = size.Next + s) {
        TArrMyPoint points;
        TUserData data;
        TLibShapes shapes;
        int w = 0, h = 0;
        if (!lib.GetCmbShapeAt(at, points, data, shapes, w, h, false)) {
            counts.push_back(-1);
            continue;
        }
        for (const auto& shape : shapes)
            if (!shape || shape->OwnerCAD() != lib.Drawing())
                abort();
        counts.push_back(int(shapes.size()));
    }
    return counts;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: the fonts and caches that drawing creates after it are static
    // objects of Qt that would go before it at exit, and its clean-up would reach them.
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
    static TSilentUI ui;
    SetUIServices(&ui);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TLibManager lib;
    TMyCAD cad;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (Load(lib, bytes) != (size >= 10))
        abort();
    if (size < 10)
        return 0;
    const int count = lib.GetcmbShapesCount();
    if (count > int(size / 17) || lib.GetCmbShapesNameByID(count) != QString())
        abort();
    const std::vector<int> before = ReadAll(lib);
    if (int(before.size()) < count)
        abort(); // the walk by fields reaches at least the entries the manager counts

    for (int i = 0; i < std::min(count, 3); ++i) {
        const QString name = lib.GetCmbShapesNameByID(i);
        TBitmap picture;
        if (lib.GetCmbShapeImage(name, 32, picture, clGray) && (picture.Width() != 32 || picture.Height() != 32))
            abort();
        cad.DeleteAllShapes();
        cad.AddUserDefineShapefromLib(&lib, name, 200, 150);
        if (!Consistent(cad))
            abort();
    }

    // A rename and its reverse give back the bytes.
    if (count > 0) {
        const QByteArray original = lib.Bytes();
        const QString first = lib.GetCmbShapesNameByID(0);
        if (!lib.RenameCmbShapeName(first, QStringLiteral("fuzz")) || !lib.RenameCmbShapeName(QStringLiteral("fuzz"), first)
            || lib.Bytes() != original)
            abort();
    }

    // An upgrade keeps every entry and what it holds.
    const std::optional<LibraryFormat::TLibGenerationInfo> generation = lib.Generation();
    if (generation && !LibraryFormat::IsCurrent(generation->Generation) && lib.UpgradeToCurrent()) {
        if (lib.GetcmbShapesCount() != count)
            abort();
        const std::vector<int> after = ReadAll(lib);
        for (int i = 0; i < count; ++i)
            if (after[size_t(i)] != before[size_t(i)])
                abort();
    }

    // What is saved loads, and saves to the same bytes again.
    const QByteArray saved = Save(lib);
    if (!Load(lib, saved) || lib.GetcmbShapesCount() != count || Save(lib) != saved)
        abort();
    return 0;
}
