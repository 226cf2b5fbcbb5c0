// The group table, the general group writer and the group reader.
#include "DxfTestSupport.h"
#include "component/dxf/DXFRead.h"
#include "component/dxf/DXFWrite.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DxfGroupTable, IndicesKindsAndSparseClearing)
{
    EXPECT_EQ(TGroupTable::Size, 513);
    EXPECT_EQ(TGroupTable::IndexOf(0), 0);
    EXPECT_EQ(TGroupTable::IndexOf(255), 255);
    EXPECT_EQ(TGroupTable::IndexOf(1000), 256);
    EXPECT_EQ(TGroupTable::IndexOf(1256), 512);
    for (int code : {-1, 256, 999, 1257, 5000})
        EXPECT_EQ(TGroupTable::IndexOf(code), -1) << code;
    EXPECT_EQ(TGroupTable::CodeAt(512), 1256);
    EXPECT_EQ(GroupKindOf(8), TGroupKind::Text);
    EXPECT_EQ(GroupKindOf(1005), TGroupKind::Text);
    EXPECT_EQ(GroupKindOf(40), TGroupKind::Real);
    EXPECT_EQ(GroupKindOf(142), TGroupKind::Real);
    EXPECT_EQ(GroupKindOf(230), TGroupKind::Real);
    EXPECT_EQ(GroupKindOf(1041), TGroupKind::Real);
    EXPECT_EQ(GroupKindOf(70), TGroupKind::Integer);
    EXPECT_EQ(GroupKindOf(175), TGroupKind::Integer);
    EXPECT_EQ(GroupKindOf(1071), TGroupKind::Integer);
    EXPECT_EQ(GroupKindOf(90), TGroupKind::Text);

    TGroupTable t;
    t.SetReal(10, 2.5);
    t.SetInteger(70, 3);
    t.SetText(1, QStringLiteral("abc"));
    t.SetText(300, QStringLiteral("not stored"));
    EXPECT_EQ(t.UsedIndices().size(), 3u);
    EXPECT_EQ(t.Real(10), 2.5);
    EXPECT_EQ(t.Integer(70), 3);
    EXPECT_EQ(t.Real(70), 3);
    EXPECT_EQ(t.Text(1), "abc");
    EXPECT_FALSE(t.Has(300));
    EXPECT_EQ(t.Real(20, 7), 7);
    t.Clear();
    EXPECT_TRUE(t.UsedIndices().empty());
    for (int i = 0; i < TGroupTable::Size; ++i)
        EXPECT_EQ(t.ValueAt(i).Kind, TGroupKind::Empty);
}

TEST(DxfWrite, GroupFormatsSectionsAndEntries)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        TDXFWrite w(buffer);
        w.BeginSection(scEntities);
        w.WriteGroup(0, QStringLiteral("LINE"));
        w.WriteGroup(10, 1.5);
        w.WriteGroup(70, 3);
        w.WriteGroup(1, QString(300, u'x'));
        w.WriteGroup(1, QStringLiteral("a\r\nb"));
        w.WriteGroup(300, QStringLiteral("other"));
        w.WriteGroup(1010, 2);
        w.EndSection();
        w.BeginSection(scUnknow);
        TGroupTable t;
        t.SetText(0, QStringLiteral("POINT"));
        t.SetInteger(1070, 5);
        t.SetReal(20, -1);
        t.SetText(8, QStringLiteral("L"));
        w.WriteAnEntry(t);
        ASSERT_TRUE(w.Flush());
    }
    const QByteArray expected = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n 10\r\n1.500000\r\n 70\r\n     3\r\n"
                                "  1\r\n" + QByteArray(255, 'x') + "\r\n  1\r\na  b\r\n300\r\n\r\n1010\r\n2.000000\r\n"
                                "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n"
                                "  0\r\nPOINT\r\n  8\r\nL\r\n 20\r\n-1.000000\r\n1070\r\n     5\r\n";
    EXPECT_EQ(bytes, expected);
}

TEST(DxfWrite, FileCreateResetAndFailure)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("groups.dxf"));
    {
        TDXFWrite w(name);
        ASSERT_TRUE(w.IsOpen());
        w.WriteGroup(0, QStringLiteral("EOF"));
        ASSERT_TRUE(w.Reset());
        w.WriteGroup(0, QStringLiteral("SECTION"));
    }
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("  0\r\nSECTION\r\n"));
    TDXFWrite missing(dir.filePath(QStringLiteral("no/such/folder.dxf")));
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_TRUE(missing.Failed());
}

TEST(DxfRead, GroupsSectionsAndEntries)
{
    const QByteArray data = "999\nwritten by hand\n  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\n$EXTMIN\n 10\n 1,5 \n 20\n2.5\n"
                            "  9\n$EXTMAX\n 10\n nan\n 20\n4\n  0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
                            "0\nLINE\n5\n1F\n330\nignored\n-5\nignored too\n1256\nkept\n8\n  Walls  \n70\n  3 \n62\nx\n"
                            "0\nENDSEC\n0\nEOF\n";
    TDXFRead r(data);
    ASSERT_TRUE(r.IsOpen());
    EXPECT_EQ(r.Section(), scHeader);
    EXPECT_EQ(r.GroupCode(), 9);
    TGroupTable t;
    EXPECT_EQ(r.ReadAnEntry(9, t), 9);
    EXPECT_EQ(t.Text(9), "$EXTMIN");
    EXPECT_EQ(t.Real(10), 1.5);
    EXPECT_EQ(t.Real(20), 2.5);
    t.Clear();
    EXPECT_EQ(r.ReadAnEntry(9, t), 9);
    EXPECT_EQ(t.Real(10, -1), 0); // "nan" reads as 0
    EXPECT_EQ(t.Value(10).Kind, TGroupKind::Real);
    // At the section's end another code is asked for: 0 comes back, nothing is read.
    t.Clear();
    EXPECT_EQ(r.ReadAnEntry(9, t), 0);
    EXPECT_TRUE(r.IsGroup(0, "ENDSEC"));
    r.NextSection();
    EXPECT_EQ(r.Section(), scEntities);
    t.Clear();
    EXPECT_EQ(r.ReadAnEntry(0, t), 0);
    EXPECT_EQ(t.Text(0), "LINE");
    EXPECT_EQ(t.Text(5), "1F");
    EXPECT_EQ(t.Text(8), "Walls");
    EXPECT_EQ(t.Integer(70), 3);
    EXPECT_EQ(t.Integer(62, -1), 0); // no number: 0
    EXPECT_EQ(t.Text(1256), "kept");
    EXPECT_EQ(r.EntryGroups().size(), 6u); // 330 and -5 are not stored
    EXPECT_TRUE(r.IsGroup(0, "ENDSEC"));
    r.NextSection();
    EXPECT_EQ(r.Section(), scUnknow);
    EXPECT_EQ(r.StopReason(), TDXFRead::TStop::EndOfFile);
    EXPECT_FALSE(r.Failed());
    // Rewind starts over at the first section.
    r.Rewind();
    EXPECT_EQ(r.Section(), scHeader);
}

TEST(DxfRead, BadCodeLinesAndCutGroupsFail)
{
    TDXFRead bad(QByteArray("0\nSECTION\n2\nENTITIES\nzero\nLINE\n0\nEOF\n"));
    EXPECT_EQ(bad.Section(), scEntities);
    EXPECT_FALSE(bad.HasGroup());
    EXPECT_TRUE(bad.Failed());
    TDXFRead cut(QByteArray("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n"));
    TGroupTable t;
    cut.ReadAnEntry(0, t);
    EXPECT_TRUE(cut.Failed());
    TDXFRead empty{QByteArray()};
    EXPECT_EQ(empty.Section(), scUnknow);
    EXPECT_EQ(empty.StopReason(), TDXFRead::TStop::EndOfData);
    TDXFRead missing(QStringLiteral("/no/such/file.dxf"));
    EXPECT_FALSE(missing.IsOpen());
}

TEST(DxfRead, FileIsMappedAndBlocksAreReadInPlace)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("in.dxf"));
    const QByteArray data = "\xEF\xBB\xBF" + Dxf({"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "2", "B", "0", "LINE",
                                                  "10", "1", "0", "ENDBLK", "0", "ENDSEC", "0", "EOF"});
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.close();
    TDXFRead r(name);
    ASSERT_EQ(r.Section(), scBlocks);
    TGroupTable t;
    r.ReadAnEntry(0, t);
    const qint64 begin = r.GroupOffset();
    while (!r.IsGroup(0, "ENDBLK"))
        r.ConsumeGroup();
    TDXFRead block(r, begin, r.GroupOffset());
    t.Clear();
    EXPECT_EQ(block.ReadAnEntry(0, t), 0);
    EXPECT_EQ(t.Text(0), "LINE");
    EXPECT_EQ(t.Real(10), 1);
    EXPECT_FALSE(block.HasGroup());
    EXPECT_FALSE(block.Failed());
}
