#include "SvgStream.h"

#include "Screen.h"
#include "Stream.h"

#include <QSvgGenerator>

TSvgStream::TSvgStream(QIODevice& out, QSize size, const QString& title)
    : FOut(out), FSize(size.expandedTo(QSize(1, 1))), FTitle(title)
{
}

TSvgStream::~TSvgStream()
{
    if (FPainter && FPainter->isActive())
        FPainter->end();
}

QPainter* TSvgStream::NextPart()
{
    if (FFinished || !EndPart())
        return nullptr;
    FPartData.close();
    FPartData.setData(QByteArray());
    if (!FPartData.open(QIODevice::WriteOnly)) {
        FOk = false;
        return nullptr;
    }
    FGenerator = std::make_unique<QSvgGenerator>();
    FGenerator->setOutputDevice(&FPartData);
    FGenerator->setSize(FSize);
    FGenerator->setViewBox(QRect(QPoint(0, 0), FSize));
    FGenerator->setResolution(ScreenPixelsPerInch());
    FGenerator->setTitle(FTitle);
    FPainter = std::make_unique<QPainter>();
    if (!FPainter->begin(FGenerator.get())) {
        FOk = false;
        return nullptr;
    }
    return FPainter.get();
}

// The part's text: its header before the first group (written once, from the first
// part), then everything up to the closing of the svg element.
bool TSvgStream::EndPart()
{
    if (!FOk)
        return false;
    if (!FPainter)
        return true;
    FPainter->end();
    FPainter.reset();
    FGenerator.reset();
    const QByteArray& text = FPartData.data();
    const qsizetype defs = text.indexOf("<defs>");
    const qsizetype close = text.lastIndexOf("</svg>");
    if (defs < 0 || close < defs) {
        FOk = false;
        return false;
    }
    if (!FHeaderWritten) {
        FOk = WriteExact(FOut, text.constData(), defs);
        FHeaderWritten = true;
    }
    FOk = FOk && WriteExact(FOut, text.constData() + defs, close - defs);
    return FOk;
}

bool TSvgStream::Finish()
{
    if (FFinished)
        return FOk;
    if (!FPainter && !FHeaderWritten)
        NextPart(); // an empty picture is one empty part
    FFinished = true;
    if (!EndPart())
        return false;
    FOk = WriteExact(FOut, QByteArrayLiteral("</svg>\n"));
    return FOk;
}
