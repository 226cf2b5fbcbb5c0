// Feeds arbitrary bytes to the drawing reader and checks what a load must guarantee: a
// refused stream leaves the open drawing as it was; an accepted one gives a drawing whose
// shape numbers are the positions and whose relations name shapes of the drawing, which
// saves, and whose saved bytes load again. Seeds: tests/data/drawings.
#include "component/CAD.h"
#include "component/persistence/DrawingStream.h"

#include <QApplication>
#include <QBuffer>
#include <algorithm>
#include <cstdint>
#include <cstring>
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

// A sequential read-only device over the input (no size, no seeking), delivering a few
// bytes at a time.
class TPipe : public QIODevice {
public:
    explicit TPipe(const QByteArray& data) : m_data(data) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::min<qint64>({maxSize, 13, m_data.size() - m_pos});
        if (n <= 0)
            return -1;
        memcpy(data, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    const QByteArray& m_data;
    qint64 m_pos = 0;
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
    const bool accepted = cad.LoadFromStream(buffer);
    // Into new drawings, read from memory and through a pipe, the same bytes give the same
    // answer and the same drawing.
    TMyCAD fromMemory, piped;
    QBuffer again(&bytes);
    again.open(QIODevice::ReadOnly);
    TPipe pipe(bytes);
    const bool memoryAccepted = fromMemory.LoadFromStream(again);
    if (memoryAccepted != accepted || piped.LoadFromStream(pipe) != accepted
        || (accepted && Save(piped) != Save(fromMemory)))
        abort();
    if (!accepted) {
        if (Save(cad) != before || cad.Loading() || cad.Zoom() != 2)
            abort(); // a refused stream changed the open drawing
        return 0;
    }
    if (!Consistent(cad) || cad.Zoom() != 1)
        abort();
    QByteArray saved = Save(cad);
    QBuffer savedBuffer(&saved);
    savedBuffer.open(QIODevice::ReadOnly);
    TMyCAD reread;
    if (!reread.LoadFromStream(savedBuffer) || reread.GetShapesCount() != cad.GetShapesCount())
        abort(); // what the writer writes must read
    return 0;
}
