// Damaged libraries: every truncation and every single-bit change of a small library, and
// a sample of them for larger ones, is refused or read, previewed, placed, upgraded and
// saved without a crash, a hang or a broken drawing.
#include "LibraryTestSupport.h"
#include "support/DrawingTestSupport.h"

#include <random>

namespace {

// Everything a host does with a library it opened.
void Exercise(TLibManager& lib, TMyCAD& cad, const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    if (!lib.LoadFromStream(buffer)) {
        ASSERT_LT(bytes.size(), 10);
        return;
    }
    const int count = lib.GetcmbShapesCount();
    ASSERT_LE(count, bytes.size() / 17); // an entry takes at least 17 bytes
    // Every entry the walk reaches, read by its position.
    TLibSpan name, size;
    QString text;
    int32_t s = 0;
    for (int64_t at = 10; lib.ReadCmbShapeName(at, text, &name) && lib.ReadCmbShapeSize(name.Next, s, &size);
         at = size.Next + s) {
        TArrMyPoint points;
        TUserData data;
        TLibShapes shapes;
        int w = 0, h = 0;
        lib.GetCmbShapeAt(at, points, data, shapes, w, h, true);
        if (s < 0)
            break;
    }
    for (int i = 0; i < std::min(count, 2); ++i) {
        const QString name = lib.GetCmbShapesNameByID(i);
        TBitmap picture;
        lib.GetCmbShapeImage(name, 16, picture, clGray);
        cad.DeleteAllShapes();
        cad.AddUserDefineShapefromLib(&lib, name, 100, 100);
        ASSERT_TRUE(DrawingInvariantsHold(cad)) << name.toStdString();
    }
    if (lib.UpgradeToCurrent()) {
        ASSERT_EQ(lib.GetcmbShapesCount(), count);
    }
    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(lib.SaveToStream(out));
    QBuffer again;
    again.setData(saved);
    again.open(QIODevice::ReadOnly);
    ASSERT_TRUE(lib.LoadFromStream(again));
    ASSERT_EQ(lib.GetcmbShapesCount(), count);
}

// Every truncation and bit change when the library is small, otherwise MaxCases of them
// spread over it.
void DamageAll(const QByteArray& good, int maxCases)
{
    TLibManager lib;
    TMyCAD cad;
    const qsizetype n = good.size();
    const bool every = n * 9 <= maxCases;
    std::mt19937 random{uint32_t(n)};
    const int cases = every ? int(n * 9) : maxCases;
    for (int k = 0; k < cases; ++k) {
        QByteArray damaged = good;
        qsizetype at = 0;
        int bit = -1;
        if (every) {
            at = k / 9;
            bit = k % 9 - 1; // -1: truncation
        } else {
            at = qsizetype(random() % uint32_t(n));
            bit = int(random() % 9) - 1;
        }
        if (bit < 0)
            damaged.truncate(at);
        else
            damaged[at] = char(damaged[at] ^ (1 << bit));
        SCOPED_TRACE(QStringLiteral("byte %1 bit %2").arg(at).arg(bit).toStdString());
        Exercise(lib, cad, damaged);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

} // namespace

TEST(LibraryDamage, EveryTruncationAndBitChangeOfASmallLibrary)
{
    TMyCAD cad;
    auto rect = MakeRect(cad, 0, 0, 40, 20);
    rect->SetCaption(QStringLiteral("cap"));
    auto point = MakeLinkPoint(cad, 40, 10);
    TUserData data;
    data.AddKeyandValue(QStringLiteral("k"), QStringLiteral("v"));
    TLibManager lib;
    ASSERT_TRUE(lib.AppendNewShape(QStringLiteral("box"), {rect.get(), point.get()}, data, 40, 20));
    ASSERT_LT(lib.Bytes().size(), 700);
    DamageAll(lib.Bytes(), 7000);
}

TEST(LibraryDamage, SampledDamageOfEveryGeneration)
{
    for (const auto& [name, bytes] : LibrarySeeds()) {
        SCOPED_TRACE(name.toStdString());
        DamageAll(bytes, 80);
        if (HasFatalFailure())
            return;
    }
}
