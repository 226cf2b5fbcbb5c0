#include "LibraryTestSupport.h"

// The hand-written record bytes of the drawing-file tests (base records, tails, the byte
// builder and the shape descriptions) are compiled into this area too.
#include "files/FilesTestSupport.cpp"

#include <QBuffer>

std::unique_ptr<TMyShape> MakeShape(TMyCAD& cad, const QString& className, const TArrMyPoint& points)
{
    std::unique_ptr<TMyShape> shape = cad.CreateShapeByName(className, &cad);
    shape->PointsRef() = points;
    shape->SetCenterPoint(shape->ComputeCenterPoint(4));
    return shape;
}

std::unique_ptr<TMyShape> MakeRect(TMyCAD& cad, float x1, float y1, float x2, float y2)
{
    return MakeShape(cad, QStringLiteral("TMyRectangle"),
                     {TMyPoint(x1, y1), TMyPoint(x2, y1), TMyPoint(x2, y2), TMyPoint(x1, y2)});
}

std::unique_ptr<TMyShape> MakeLinkPoint(TMyCAD& cad, float x, float y)
{
    return MakeShape(cad, QStringLiteral("TMyLinkPoint"),
                     {TMyPoint(x - 4, y - 4), TMyPoint(x + 4, y - 4), TMyPoint(x + 4, y + 4), TMyPoint(x - 4, y + 4)});
}

TArrMyShape Pointers(const std::vector<std::unique_ptr<TMyShape>>& shapes)
{
    TArrMyShape list;
    for (const auto& s : shapes)
        list.push_back(s.get());
    return list;
}

TFileGeneration RecordGenerationOf(const QByteArray& libTag)
{
    switch (libTag.back()) {
    case '3': return TFileGeneration::XP4;
    case '6': return TFileGeneration::XP6;
    case '7': return TFileGeneration::XP7;
    case '8': return TFileGeneration::XP8;
    case '9': return TFileGeneration::XP9;
    case 'a': return TFileGeneration::XPa;
    case 'e': return TFileGeneration::XPe;
    case 'h': return TFileGeneration::XPh;
    default: return TFileGeneration::XPi;
    }
}

QList<QByteArray> ReadableTags()
{
    return {"ZEDALIBX.3", "ZEDALIBX.6", "ZEDALIBX.7", "ZEDALIBX.8", "ZEDALIBX.9",
            "ZEDALIBX.a", "ZEDALIBX.e", "ZEDALIBX.h", "ZEDALIBX.i"};
}

QByteArray HandMadeEntry(const QByteArray& libTag, const QByteArray& name, int32_t w, int32_t h)
{
    const TFileGeneration g = RecordGenerationOf(libTag);
    TBytes content;
    content.I32(w).I32(h);
    if (g >= TFileGeneration::XP8)
        content.I32(2).Str("part").Str(name + "-1").Str("part").Str("repeated key");
    content.I32(8);
    int no = 0;
    auto shape = [&](const char* cls, std::vector<std::pair<double, double>> points, const QByteArray& tails) {
        TBaseSpec base;
        base.Name = "";
        base.Id = 30 + no;
        base.No = no++;
        base.Points = std::move(points);
        base.Gradient = 23; // gsNone: gradients are the drawing tests' subject
        content.Fixed(cls, 16).Raw(BaseRecord(g, base)).Raw(tails);
    };
    const std::vector<std::pair<double, double>> box = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    shape("TMyRectangle", box, {});
    shape("TMyRuleLine", {{0, 0.5}, {1, 0.5}}, LineTail() + TBytes().U8(1).U8(1).Str("UI").Data);
    QByteArray link = LineTail() + TBytes().I32(0).I32(1).I32(-1).I32(-1).Data;
    if (g >= TFileGeneration::XP5)
        link += TBytes().U8(1).Data;
    shape("TMyLinkLine", {{0.1, 0.2}, {0.6, 0.2}, {0.6, 0.9}}, link);
    shape("TMyElliArc", {{0.25, 0.25}, {0.75, 0.25}, {0.75, 0.75}}, TBytes().U8(1).U8(2).Data);
    shape("TMyText", {{0.2, 0.2}, {0.8, 0.2}, {0.8, 0.4}, {0.2, 0.4}}, TextTail(g));
    shape("TMyImage", {{0.5, 0.5}, {0.9, 0.5}, {0.9, 0.8}, {0.5, 0.8}}, ImageTail(g, BmpBytes(*SmallPicture())));
    shape("TMyLineLinkLine", {{0.3, 0.7}, {0.32, 0.7}, {0.32, 0.72}, {0.3, 0.72}}, TBytes().U8(9).Data);
    shape("TMyLinkPoint", {{0.45, -0.05}, {0.55, -0.05}, {0.55, 0.05}, {0.45, 0.05}}, TBytes().U8(8).Data);
    return TBytes().U8(uint8_t(name.size())).Raw(name).I32(int32_t(content.Data.size())).Raw(content.Data).Data;
}

QByteArray HandMadeLibrary(const QByteArray& libTag)
{
    return libTag + HandMadeEntry(libTag, "first", 200, 100) + HandMadeEntry(libTag, "second", 64, 32)
           + HandMadeEntry(libTag, "first", 40, 40);
}

int32_t I32At(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<int32_t>(bytes.constData() + at);
}

float F32At(const QByteArray& bytes, qsizetype at)
{
    const uint32_t bits = qFromLittleEndian<uint32_t>(bytes.constData() + at);
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

void LoadLibrary(TLibManager& lib, const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ASSERT_TRUE(lib.LoadFromStream(buffer));
}

QString DescribeLibrary(TLibManager& lib)
{
    QStringList out;
    out << QString::fromLatin1(lib.Bytes().left(10));
    TLibSpan name, size;
    QString text;
    int32_t s = 0;
    for (int64_t at = 10; lib.ReadCmbShapeName(at, text, &name) && lib.ReadCmbShapeSize(name.Next, s, &size);
         at = size.Next + s) {
        TArrMyPoint points;
        TUserData data;
        TLibShapes shapes;
        int w = 0, h = 0;
        out << QStringLiteral("entry %1").arg(text);
        if (!lib.GetCmbShapeAt(at, points, data, shapes, w, h, true)) {
            out << QStringLiteral("unreadable");
            continue;
        }
        out << QStringLiteral("%1 x %2").arg(w).arg(h);
        for (const TMyPoint& p : points)
            out << QStringLiteral("link (%1,%2)").arg(double(p.X), 0, 'g', 9).arg(double(p.Y), 0, 'g', 9);
        for (const TUserDataRecord& r : data.Records())
            out << QStringLiteral("ud %1=%2").arg(r.Key, r.Value);
        for (const auto& shape : shapes)
            out << DescribeShape(*shape);
    }
    return out.join('\n');
}

std::vector<std::pair<QString, QByteArray>> LibrarySeeds()
{
    std::vector<std::pair<QString, QByteArray>> seeds;
    for (const QByteArray& tag : ReadableTags())
        seeds.emplace_back(QStringLiteral("x%1.lib").arg(QChar::fromLatin1(tag.back())), HandMadeLibrary(tag));
    seeds.emplace_back(QStringLiteral("empty.lib"), QByteArray("ZEDALIBX.i"));
    {
        TMyCAD cad;
        BuildEveryClassDrawing(cad);
        TArrMyShape shapes;
        for (int i = 0; i < cad.GetShapesCount(); ++i)
            shapes.push_back(cad.GetShapeByNo(i));
        TUserData data;
        data.AddKeyandValue(QStringLiteral("Category"), QStringLiteral("Every class"));
        TLibManager lib;
        lib.AppendNewShape(QStringLiteral("Every class"), shapes, data, 320, 240);
        auto rect = MakeRect(cad, 0, 0, 50, 20);
        auto point = MakeLinkPoint(cad, 25, 0);
        lib.AppendNewShape(QStringLiteral("Box"), {rect.get(), point.get()}, TUserData(), 50, 20);
        seeds.emplace_back(QStringLiteral("every_class.lib"), lib.Bytes());
        rect->SetCaption(QString(300, QLatin1Char('c')));
        lib.AppendNewShape(QStringLiteral("Long caption"), {rect.get()}, TUserData(), 50, 20);
        seeds.emplace_back(QStringLiteral("long_strings.lib"), lib.Bytes());
    }
    return seeds;
}
