// The shared enumerations: ordinals (written to files), names through the meta-object
// system, and how members are spelled in code.
#include "component/base/Enums.h"

#include <QMetaProperty>
#include <QObject>
#include <gtest/gtest.h>

TEST(Enums, OrdinalsAreTheFileValues)
{
    EXPECT_EQ(EnumOrdinal(SpLinkLine), 0);
    EXPECT_EQ(EnumOrdinal(SpLine), 3);
    EXPECT_EQ(EnumOrdinal(SpEllipse), 9);
    EXPECT_EQ(EnumOrdinal(SpBLine), 21);
    EXPECT_EQ(EnumOrdinal(dtClose), 0);
    EXPECT_EQ(EnumOrdinal(dtRotating), 7);
    EXPECT_EQ(EnumOrdinal(dtBrowse), 11);
    EXPECT_EQ(EnumOrdinal(ADouble), 3);
    EXPECT_EQ(EnumOrdinal(TUnits::mm), 1);
    EXPECT_EQ(EnumOrdinal(TUnits::inch), 5);
    EXPECT_EQ(EnumOrdinal(TXYMode::Mode3), 3);
    EXPECT_EQ(EnumOrdinal(gNone), 2);
    EXPECT_EQ(EnumOrdinal(TPageStyle::A4), 4);
    EXPECT_EQ(EnumOrdinal(TPageStyle::B3), 6);
    EXPECT_EQ(EnumOrdinal(TPageStyle::CustomerPage), 9);
    EXPECT_EQ(EnumOrdinal(TBkBitmapMode::LeftTop), 3);
    EXPECT_EQ(EnumOrdinal(TBlockLayerMode::Import), 1);
    EXPECT_EQ(EnumOrdinal(gsLinearH), 9);
    EXPECT_EQ(EnumOrdinal(gsNone), 23);
    EXPECT_EQ(EnumOrdinal(dbottom), 1);
    EXPECT_EQ(EnumOrdinal(dNone), 4);
    EXPECT_EQ(EnumOrdinal(asSector), 2);
    EXPECT_EQ(EnumOrdinal(tsNone), 1);
    EXPECT_EQ(EnumOrdinal(jhCenter), 2);
    EXPECT_EQ(EnumOrdinal(poLandscape), 1);
}

TEST(Enums, MemberCounts)
{
    EXPECT_EQ(EnumCount<TDrawTool>(), 22);
    EXPECT_EQ(EnumCount<TActionTools>(), 12);
    EXPECT_EQ(EnumCount<TMyAction>(), 2);
    EXPECT_EQ(EnumCount<THotMode>(), 2);
    EXPECT_EQ(EnumCount<TArrowStyle>(), 4);
    EXPECT_EQ(EnumCount<TUnits>(), 6);
    EXPECT_EQ(EnumCount<TXYMode>(), 4);
    EXPECT_EQ(EnumCount<TDragMode>(), 3);
    EXPECT_EQ(EnumCount<TGridType>(), 3);
    EXPECT_EQ(EnumCount<TPageStyle>(), 10);
    EXPECT_EQ(EnumCount<TBkBitmapMode>(), 4);
    EXPECT_EQ(EnumCount<TBlockLayerMode>(), 2);
    EXPECT_EQ(EnumCount<TGradientStyle>(), 24);
    EXPECT_EQ(EnumCount<TLinkLineDrawStyle>(), 2);
    EXPECT_EQ(EnumCount<TLinkLineStyle>(), 3);
    EXPECT_EQ(EnumCount<TLinkLineEndPoint>(), 2);
    EXPECT_EQ(EnumCount<Tdirections>(), 5);
    EXPECT_EQ(EnumCount<TTickStyle>(), 2);
    EXPECT_EQ(EnumCount<TArcMode>(), 2);
    EXPECT_EQ(EnumCount<TArcStyle>(), 3);
    EXPECT_EQ(EnumCount<TVAlignment>(), 3);
    EXPECT_EQ(EnumCount<THJustification>(), 3);
    EXPECT_EQ(EnumCount<TVJustification>(), 3);
    EXPECT_EQ(EnumCount<TPageOrientation>(), 2);
}

TEST(Enums, NamesAreListedInOrdinalOrder)
{
    EXPECT_EQ(EnumNames<TUnits>(), (QStringList{"pixel", "mm", "cm", "dm", "m", "inch"}));
    EXPECT_EQ(EnumNames<Tdirections>(), (QStringList{"dLeft", "dbottom", "dRight", "dTop", "dNone"}));
    EXPECT_EQ(EnumNames<TPageStyle>(),
              (QStringList{"A0", "A1", "A2", "A3", "A4", "A5", "B3", "B4", "B5", "CustomerPage"}));
    const QStringList tools = EnumNames<TDrawTool>();
    ASSERT_EQ(tools.size(), 22);
    EXPECT_EQ(tools.first(), "SpLinkLine");
    EXPECT_EQ(tools[16], "SpPolylinePolygonPointRemoving");
    EXPECT_EQ(tools.last(), "SpBLine");
    EXPECT_EQ(MetaEnum<TGradientStyle>().name(), QByteArray("TGradientStyle"));
}

// Every member of every enumeration survives name -> member and ordinal -> member.
template <typename E>
class EnumRoundTrip : public testing::Test {};
using AllEnums = testing::Types<TDrawTool, TActionTools, TMyAction, THotMode, TArrowStyle, TUnits, TXYMode,
                                TDragMode, TGridType, TPageStyle, TBkBitmapMode, TBlockLayerMode, TGradientStyle,
                                TLinkLineDrawStyle, TLinkLineStyle, TLinkLineEndPoint, Tdirections, TTickStyle,
                                TArcMode, TArcStyle, TVAlignment, THJustification, TVJustification,
                                TPageOrientation>;
TYPED_TEST_SUITE(EnumRoundTrip, AllEnums);

TYPED_TEST(EnumRoundTrip, NamesAndOrdinals)
{
    using E = TypeParam;
    const int32_t count = EnumCount<E>();
    ASSERT_GT(count, 1);
    for (int32_t i = 0; i < count; ++i) {
        const std::optional<E> byOrdinal = EnumFromOrdinal<E>(i);
        ASSERT_TRUE(byOrdinal.has_value());
        EXPECT_EQ(EnumOrdinal(*byOrdinal), i);
        const QString name = EnumToName(*byOrdinal);
        EXPECT_FALSE(name.isEmpty());
        EXPECT_EQ(EnumFromName<E>(name), byOrdinal) << name.toStdString();
    }
    EXPECT_FALSE(EnumFromOrdinal<E>(-1).has_value());
    EXPECT_FALSE(EnumFromOrdinal<E>(count).has_value());
    EXPECT_FALSE(EnumFromOrdinal<E>(int64_t(1) << 40).has_value());
    EXPECT_TRUE(EnumToName(static_cast<E>(count)).isEmpty());
}

TEST(Enums, ParsingIsExact)
{
    EXPECT_EQ(EnumFromName<TDrawTool>("SpLine"), SpLine);
    EXPECT_EQ(EnumFromName<TUnits>("inch"), TUnits::inch);
    EXPECT_FALSE(EnumFromName<TDrawTool>("spline").has_value());
    EXPECT_FALSE(EnumFromName<TDrawTool>(" SpLine").has_value());
    EXPECT_FALSE(EnumFromName<TDrawTool>("").has_value());
    EXPECT_FALSE(EnumFromName<TUnits>("SpLine").has_value()); // a member of another enumeration
    EXPECT_FALSE(EnumFromName<TUnits>(QString::fromUtf8("m\xc3\xa9")).has_value());
    EXPECT_EQ(EnumToName(TUnits::m), "m");
    EXPECT_EQ(EnumToName(gsButterfly), "gsButterfly");
}

namespace {
// Tagged members are global constants and work as case labels; scoped ones are opened
// locally with using enum.
int Classify(TDrawTool tool)
{
    switch (tool) {
    case SpLine:
    case SpRuleLine:
        return 1;
    case SpRectangle:
        return 2;
    default:
        return 0;
    }
}

double MillimetresPerUnit(TUnits unit)
{
    using enum TUnits;
    switch (unit) {
    case pixel:
        return 0;
    case mm:
        return 1;
    case cm:
        return 10;
    case dm:
        return 100;
    case m:
        return 1000;
    case inch:
        return 25.4;
    }
    return -1;
}
} // namespace

TEST(Enums, SpellingInCode)
{
    EXPECT_EQ(Classify(SpRuleLine), 1);
    EXPECT_EQ(Classify(TDrawTool::SpRectangle), 2);
    EXPECT_EQ(Classify(SpBrowse), 0);
    EXPECT_EQ(MillimetresPerUnit(TUnits::m), 1000);
    EXPECT_EQ(MillimetresPerUnit(TUnits::inch), 25.4);
    static_assert(std::is_same_v<decltype(dtDrawing), const TActionTools>);
    EXPECT_EQ(GradientShiftMin, -100);
    EXPECT_EQ(GradientRotationMax, 100);
}

// A published object as the inspector sees it: one property spelled with the
// namespace, one without.
class EnumHolder : public QObject {
    Q_OBJECT
    Q_PROPERTY(MyCADEnums::TUnits TheUNIT READ TheUNIT WRITE SetTheUNIT)
    Q_PROPERTY(TDrawTool ShapeTool READ ShapeTool WRITE SetShapeTool)
public:
    TUnits TheUNIT() const { return FUnit; }
    void SetTheUNIT(TUnits v) { FUnit = v; }
    TDrawTool ShapeTool() const { return FTool; }
    void SetShapeTool(TDrawTool v) { FTool = v; }

private:
    TUnits FUnit = TUnits::mm;
    TDrawTool FTool = SpSelecting;
};

TEST(Enums, PropertiesExposeTheirEnumeration)
{
    EnumHolder holder;
    const QMetaObject* mo = holder.metaObject();
    const QMetaProperty unit = mo->property(mo->indexOfProperty("TheUNIT"));
    const QMetaProperty tool = mo->property(mo->indexOfProperty("ShapeTool"));
    ASSERT_TRUE(unit.isValid());
    ASSERT_TRUE(tool.isValid());
    EXPECT_TRUE(unit.isEnumType());
    EXPECT_EQ(QByteArray(unit.enumerator().name()), "TUnits");

    // MetaEnumOf finds the enumeration whichever way the property was spelled.
    const QMetaEnum unitEnum = MetaEnumOf(unit.metaType());
    const QMetaEnum toolEnum = MetaEnumOf(tool.metaType());
    ASSERT_TRUE(unitEnum.isValid());
    ASSERT_TRUE(toolEnum.isValid());
    EXPECT_EQ(QByteArray(toolEnum.name()), "TDrawTool");
    EXPECT_EQ(QByteArray(toolEnum.valueToKey(tool.read(&holder).toInt())), "SpSelecting");
    EXPECT_FALSE(MetaEnumOf(QMetaType::fromType<int>()).isValid());
    EXPECT_FALSE(MetaEnumOf(QMetaType()).isValid());

    // Write a member chosen by name, then read it back by name.
    EXPECT_TRUE(tool.write(&holder, toolEnum.keyToValue("SpPolygon")));
    EXPECT_EQ(holder.ShapeTool(), SpPolygon);
    EXPECT_TRUE(unit.write(&holder, unitEnum.keyToValue("inch")));
    EXPECT_EQ(holder.TheUNIT(), TUnits::inch);
    EXPECT_EQ(EnumToName(holder.TheUNIT()), "inch");
}

#include "EnumsTest.moc"
