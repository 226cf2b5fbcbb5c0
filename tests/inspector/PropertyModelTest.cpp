// The property model over Qt's meta-object system: which properties a drawing and a
// rectangle list, in what order, their texts (booleans, enumerations, sets, colours,
// numbers, sub-objects), parsing of every kind and the refusals, and custom properties.
#include "InspectorTestSupport.h"

#include "component/shapes/MyRectangle.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TPropertyList> ListOf(QObject* root, QObject* instance)
{
    auto list = std::make_unique<TPropertyList>(nullptr, root, instance);
    list->Update();
    return list;
}

QString Text(TPropertyList& list, const QString& fullName)
{
    TProperty* p = list.FindFullName(fullName);
    return p ? p->GetStringValue() : QStringLiteral("<missing>");
}

QString Shown(TPropertyList& list, const QString& fullName)
{
    TProperty* p = list.FindFullName(fullName);
    return p ? p->DisplayValue() : QStringLiteral("<missing>");
}

void Set(TPropertyList& list, const QString& fullName, const QString& text)
{
    TProperty* p = list.FindFullName(fullName);
    ASSERT_NE(p, nullptr) << fullName.toStdString();
    p->SetStringValue(text);
}

bool Refused(TPropertyList& list, const QString& fullName, const QString& text)
{
    try {
        list.FindFullName(fullName)->SetStringValue(text);
    } catch (const EPropertyError& e) {
        return QString::fromUtf8(e.what()) == QStringLiteral("Invalid property value.");
    }
    return false;
}

} // namespace

TEST(PropertyModel, DrawingPropertiesInNameOrderWithTheirTexts)
{
    TInspectedDrawing d;
    auto list = ListOf(d.Cad.get(), d.Cad.get());
    const QStringList names = NamesOf(*list);
    // Only the drawing's own properties, none of QWidget's; sorted case-sensitively.
    EXPECT_EQ(names.mid(0, 11), (QStringList{"ArcMode", "ArrowAngle", "ArrowLength", "ArrowOffset", "ArrowStyle", "BkBitmap",
                                             "BkBitmapMode", "Brush", "ColorOfBackGround", "ColorOfHot", "CrossLine"}));
    EXPECT_LT(names.indexOf("LinkLineDrawStyle"), names.indexOf("LinklineAroundShape"));
    EXPECT_FALSE(names.contains("objectName"));
    EXPECT_FALSE(names.contains("geometry"));
    EXPECT_EQ(names.last(), "Zoom");
    EXPECT_EQ(Text(*list, "ArcMode"), "amCircle");
    EXPECT_EQ(Text(*list, "ArrowAngle"), "10");
    EXPECT_EQ(Text(*list, "ArrowLength"), "30");
    EXPECT_EQ(Text(*list, "ArrowStyle"), "ANone");
    EXPECT_EQ(Text(*list, "CrossLine"), "True");
    EXPECT_EQ(Text(*list, "LockBound"), "False");
    EXPECT_EQ(Text(*list, "ColorOfBackGround"), "clWhite");
    EXPECT_EQ(Text(*list, "ColorOfHot"), "clGray");
    EXPECT_EQ(Text(*list, "PageFootAlignment"), "taRightJustify");
    EXPECT_EQ(Text(*list, "PageHeight"), "297");
    EXPECT_EQ(Text(*list, "PageStyle"), "A4");
    EXPECT_EQ(Text(*list, "TheUNIT"), "mm");
    EXPECT_EQ(Text(*list, "Zoom"), "1");
    EXPECT_EQ(Text(*list, "Version"), "XP.i.4");
    EXPECT_EQ(Shown(*list, "Brush"), "(TBrush)");
    EXPECT_EQ(Shown(*list, "Font"), "(TFont)");
    EXPECT_EQ(Shown(*list, "GridOperation"), "(TGridObject)");
    EXPECT_EQ(Shown(*list, "UserData"), "(TUserData)");
    EXPECT_EQ(Shown(*list, "BkBitmap"), "(None)");
    EXPECT_EQ(Shown(*list, "LabelXY"), "");
    EXPECT_EQ(Text(*list, "GridOperation.GridColor"), "clSilver");
    EXPECT_EQ(Text(*list, "GridOperation.GridWidth"), "20");
    EXPECT_EQ(Text(*list, "GridOperation.GridType"), "gLine");
    TProperty* colour = list->FindFullName("ColorOfHot");
    EXPECT_EQ(colour->TypeName(), "TColor");
    EXPECT_EQ(colour->ValueKind(), TValueKind::vkColor);
    EXPECT_EQ(list->FindFullName("ArrowLength")->TypeName(), "Byte");
    EXPECT_EQ(list->FindFullName("PageWidth")->TypeName(), "Cardinal");
    EXPECT_EQ(list->FindFullName("CrossLine")->TypeName(), "Boolean");
}

TEST(PropertyModel, RectanglePropertiesAndSubObjects)
{
    TInspectedDrawing d;
    auto list = ListOf(d.Cad.get(), d.Rect);
    EXPECT_EQ(NamesOf(*list), (QStringList{"Angle", "AssociateSideResizing", "Brush", "Caption", "CaptionShow", "ColorBegin",
                                           "ColorEnd", "Font", "GradientStyle", "Info", "IsFlipHorz", "IsFlipVert", "Locked",
                                           "LogHeight", "LogUse", "LogWidth", "MultiInfo", "MultiInfoAlignment", "Name", "Pen",
                                           "ResizeEnable", "ShowHorizontalSideHot", "ShowSideHot", "ShowVerticalSideHot", "Tag",
                                           "UserData", "Visible"}));
    EXPECT_EQ(Text(*list, "Name"), "R1");
    EXPECT_EQ(Text(*list, "Angle"), "0");
    EXPECT_EQ(Shown(*list, "MultiInfo"), "(TStrings)");
    TProperty* pen = list->FindProperty("Pen");
    ASSERT_TRUE(pen->HasChildren());
    EXPECT_EQ(NamesOf(*pen->Children()), (QStringList{"Color", "Mode", "Style", "Width"}));
    EXPECT_EQ(Text(*list, "Pen.Color"), "clBlack");
    EXPECT_EQ(Text(*list, "Pen.Mode"), "pmCopy");
    EXPECT_EQ(Text(*list, "Pen.Style"), "psSolid");
    EXPECT_EQ(Text(*list, "Pen.Width"), "1");
    EXPECT_EQ(list->FindFullName("Pen.Width")->FullName(), "Pen.Width");
    EXPECT_EQ(list->FindFullName("Pen.Width")->Level(), 1);
    // The brush's pattern bitmap is not published.
    EXPECT_EQ(NamesOf(*list->FindProperty("Brush")->Children()), (QStringList{"Color", "Style"}));
    TProperty* font = list->FindProperty("Font");
    EXPECT_EQ(NamesOf(*font->Children()),
              (QStringList{"Charset", "Color", "Height", "Name", "Orientation", "Pitch", "Quality", "Size", "Style"}));
    EXPECT_EQ(Text(*list, "Font.Charset"), "DEFAULT_CHARSET");
    EXPECT_EQ(Text(*list, "Font.Name"), "DejaVu Sans");
    EXPECT_EQ(list->FindFullName("Font.Name")->ValueKind(), TValueKind::vkFontName);
    EXPECT_EQ(Text(*list, "Font.Style"), "[]");
    // A set opens into one Boolean per element, in the elements' order.
    TProperty* style = list->FindFullName("Font.Style");
    EXPECT_EQ(NamesOf(*style->Children()), (QStringList{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
    EXPECT_EQ(Text(*list, "Font.Style.fsItalic"), "False");
    EXPECT_EQ(list->FindFullName("Font.Style.fsItalic")->Level(), 2);
}

TEST(PropertyModel, WritingEachKindReachesTheObject)
{
    TInspectedDrawing d;
    auto list = ListOf(d.Cad.get(), d.Rect);
    Set(*list, "Pen.Color", "clred");
    EXPECT_EQ(d.Rect->Pen()->Color(), clRed);
    Set(*list, "Pen.Color", "$00102030");
    EXPECT_EQ(d.Rect->Pen()->Color(), 0x102030);
    EXPECT_EQ(Text(*list, "Pen.Color"), "$00102030");
    Set(*list, "Pen.Style", "PSDASH");
    EXPECT_EQ(d.Rect->Pen()->Style(), psDash);
    Set(*list, "Pen.Width", "3");
    EXPECT_EQ(d.Rect->Pen()->Width(), 3);
    Set(*list, "Locked", "true");
    EXPECT_TRUE(d.Rect->Locked());
    Set(*list, "Locked", "False");
    Set(*list, "Caption", "Hello");
    EXPECT_EQ(d.Rect->Caption(), "Hello");
    Set(*list, "Font.Style", "[fsBold]");
    EXPECT_EQ(d.Rect->Font()->Style(), TFontStyles(fsBold));
    Set(*list, "Font.Style", "[fsItalic, fsUnderline]");
    EXPECT_EQ(d.Rect->Font()->Style(), fsItalic | fsUnderline);
    EXPECT_EQ(Text(*list, "Font.Style"), "[fsItalic,fsUnderline]");
    Set(*list, "Font.Style.fsBold", "True");
    EXPECT_EQ(d.Rect->Font()->Style(), fsBold | fsItalic | fsUnderline);
    EXPECT_EQ(Text(*list, "Font.Style.fsBold"), "True");
    Set(*list, "Font.Style", "[]"); // the empty set clears every element
    EXPECT_EQ(d.Rect->Font()->Style(), TFontStyles());
    Set(*list, "Font.Charset", "GREEK_CHARSET");
    EXPECT_EQ(d.Rect->Font()->Charset(), 161);
    Set(*list, "Angle", "0.25");
    EXPECT_FLOAT_EQ(d.Rect->Angle(), 0.25f);
    auto cadList = ListOf(d.Cad.get(), d.Cad.get());
    Set(*cadList, "GridOperation.GridWidth", "25.5");
    EXPECT_EQ(d.Cad->GridOperation()->GridWidth(), 25.5);
    Set(*cadList, "Ratio", "1E-3");
    EXPECT_EQ(d.Cad->Ratio(), 0.001);
    Set(*cadList, "PageHeadAlignment", "taLeftJustify");
    EXPECT_EQ(d.Cad->PageHeadAlignment(), taLeftJustify);
}

TEST(PropertyModel, RefusalsLeaveTheValue)
{
    TInspectedDrawing d;
    auto cad = ListOf(d.Cad.get(), d.Cad.get());
    auto rect = ListOf(d.Cad.get(), d.Rect);
    EXPECT_TRUE(Refused(*cad, "ArrowOffset", "300")); // a byte
    EXPECT_TRUE(Refused(*cad, "ArrowOffset", "-1"));
    EXPECT_EQ(d.Cad->ArrowOffset(), 0);
    EXPECT_TRUE(Refused(*cad, "PageWidth", "-1")); // unsigned
    EXPECT_TRUE(Refused(*cad, "PageWidth", "4294967296"));
    EXPECT_EQ(d.Cad->PageWidth(), 210u);
    EXPECT_TRUE(Refused(*cad, "ArrowAngle", "12x"));
    EXPECT_TRUE(Refused(*cad, "ArrowAngle", "2147483648"));
    EXPECT_TRUE(Refused(*cad, "ArcMode", "amNothing"));
    EXPECT_TRUE(Refused(*cad, "ArcMode", "1")); // names only
    EXPECT_TRUE(Refused(*cad, "CrossLine", "yes"));
    EXPECT_TRUE(Refused(*cad, "Zoom", "1,5"));
    EXPECT_TRUE(Refused(*cad, "Zoom", "inf"));
    EXPECT_TRUE(Refused(*rect, "Angle", "1e39")); // beyond a float
    EXPECT_TRUE(Refused(*rect, "Pen.Color", "clNothing"));
    EXPECT_TRUE(Refused(*rect, "Font.Style", "[fsBold,fsHeavy]"));
    EXPECT_TRUE(Refused(*rect, "Font.Charset", "300"));
    EXPECT_TRUE(Refused(*cad, "LabelXY", "NoSuchLabel"));
    EXPECT_TRUE(Refused(*rect, "Pen", "(TPen)")); // a sub-object is not typed in
    EXPECT_EQ(d.Cad->Zoom(), 1.0);
    EXPECT_EQ(d.Rect->Pen()->Color(), clBlack);
    Set(*cad, "ArrowOffset", "$FF");
    EXPECT_EQ(d.Cad->ArrowOffset(), 255);
    // Values the drawing's setters refuse are refused as well: the bits of -1 for an
    // angle, a zoom of 0 or below.
    EXPECT_TRUE(Refused(*cad, "ArrowAngle", "$FFFFFFFF"));
    EXPECT_EQ(d.Cad->ArrowAngle(), 10);
    EXPECT_TRUE(Refused(*cad, "Zoom", "0"));
    EXPECT_TRUE(Refused(*cad, "Zoom", "-2"));
    EXPECT_EQ(d.Cad->Zoom(), 1.0);
    Set(*cad, "Zoom", "1.5");
    EXPECT_EQ(d.Cad->Zoom(), 1.5);
}

TEST(PropertyModel, UnchangedTextsAreNotWrittenBack)
{
    TInspectedDrawing d;
    auto rect = ListOf(d.Cad.get(), d.Rect);
    d.Rect->SetAngle(0.1f);
    const float angle = d.Rect->Angle();
    int writes = 0;
    d.Rect->Pen()->OnChange = [&writes] { ++writes; };
    Set(*rect, "Pen.Color", Text(*rect, "Pen.Color"));
    Set(*rect, "Pen.Color", "clBlack");
    Set(*rect, "Pen.Width", "1");
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(Text(*rect, "Angle"), "0.1");
    Set(*rect, "Angle", Text(*rect, "Angle"));
    Set(*rect, "Angle", "0.10"); // the same float
    EXPECT_EQ(d.Rect->Angle(), angle);
    Set(*rect, "Pen.Width", "2");
    EXPECT_EQ(writes, 1);
}

TEST(PropertyModel, ComponentReferencesByName)
{
    TInspectedDrawing d;
    auto* label = new QLabel(d.Cad.get());
    label->setObjectName("StatusLabel");
    auto* other = new QWidget(d.Cad.get());
    other->setObjectName("NotALabel");
    auto cad = ListOf(d.Cad.get(), d.Cad.get());
    QStringList values;
    cad->FindProperty("LabelXY")->ValuesList(values);
    EXPECT_EQ(values, QStringList{"StatusLabel"});
    Set(*cad, "LabelXY", "StatusLabel");
    EXPECT_EQ(d.Cad->LabelXY(), label);
    EXPECT_EQ(Text(*cad, "LabelXY"), "StatusLabel");
    EXPECT_TRUE(Refused(*cad, "LabelXY", "NotALabel"));
    Set(*cad, "LabelXY", "");
    EXPECT_EQ(d.Cad->LabelXY(), nullptr);
}

TEST(PropertyModel, ValueListsByKind)
{
    TInspectedDrawing d;
    auto rect = ListOf(d.Cad.get(), d.Rect);
    QStringList values;
    rect->FindProperty("Locked")->ValuesList(values);
    EXPECT_EQ(values, (QStringList{"False", "True"}));
    rect->FindProperty("GradientStyle")->ValuesList(values);
    EXPECT_EQ(values.first(), "gsRadialC");
    EXPECT_EQ(values.last(), "gsNone");
    rect->FindFullName("Pen.Color")->ValuesList(values);
    EXPECT_EQ(values.first(), "clBlack");
    EXPECT_EQ(values[15], "clWhite");
    rect->FindFullName("Font.Name")->ValuesList(values);
    EXPECT_TRUE(values.contains("DejaVu Sans"));
    rect->FindFullName("Font.Charset")->ValuesList(values);
    EXPECT_EQ(values.first(), "ANSI_CHARSET");
    rect->FindProperty("Tag")->ValuesList(values);
    EXPECT_TRUE(values.isEmpty());
}

TEST(PropertyModel, FreedObjectsReadEmptyAndIgnoreWrites)
{
    TInspectedDrawing d;
    auto rect = ListOf(d.Cad.get(), d.Rect);
    TProperty* colour = rect->FindFullName("Pen.Color");
    TProperty* name = rect->FindProperty("Name");
    ASSERT_TRUE(d.Cad->DeleteShapeById(d.Rect->GetShapeId(), false));
    EXPECT_FALSE(colour->Alive());
    EXPECT_EQ(colour->GetStringValue(), "");
    EXPECT_EQ(name->DisplayValue(), "");
    EXPECT_NO_THROW(colour->SetStringValue("clRed"));
    EXPECT_FALSE(rect->FindProperty("Pen")->HasChildren());
}

TEST(PropertyModel, CustomPropertiesFromTheRegistry)
{
    TInspectedDrawing d;
    int stored = 7;
    TCustomPropertyEntry entry;
    entry.Class = &TMyShape::staticMetaObject;
    entry.Name = "Weight";
    entry.ValueType = QMetaType::fromType<int>();
    entry.Read = [&stored](QObject*) { return QVariant(stored); };
    entry.Write = [&stored](QObject*, const QVariant& v) { stored = v.toInt(); };
    entry.Inherited = true;
    ASSERT_TRUE(RegisterCustomProperty(entry));
    EXPECT_FALSE(RegisterCustomProperty(entry)); // one per class and name
    EXPECT_EQ(RegisteredProperty(&TMyRectangle::staticMetaObject, "weight"), RegisteredProperty(&TMyShape::staticMetaObject, "Weight"));
    auto rect = ListOf(d.Cad.get(), d.Rect);
    ASSERT_NE(rect->FindProperty("Weight"), nullptr);
    EXPECT_TRUE(rect->FindProperty("Weight")->IsCustom());
    EXPECT_EQ(Text(*rect, "Weight"), "7");
    Set(*rect, "Weight", "12");
    EXPECT_EQ(stored, 12);
    // A custom property of a published name takes its place.
    TCustomPropertyEntry tag = entry;
    tag.Name = "Tag";
    tag.Read = [](QObject*) { return QVariant(99); };
    tag.Inherited = false;
    ASSERT_TRUE(RegisterCustomProperty(tag));
    EXPECT_EQ(RegisteredProperty(&TMyRectangle::staticMetaObject, "Tag"), nullptr); // not inherited
    TCustomPropertyEntry rectTag = tag;
    rectTag.Class = &TMyRectangle::staticMetaObject;
    ASSERT_TRUE(RegisterCustomProperty(rectTag));
    rect->Update();
    EXPECT_EQ(Text(*rect, "Tag"), "99");
    EXPECT_EQ(NamesOf(*rect).count("Tag"), 1);
    EXPECT_TRUE(UnregisterCustomProperty(&TMyShape::staticMetaObject, "Weight"));
    EXPECT_TRUE(UnregisterCustomProperty(&TMyShape::staticMetaObject, "Tag"));
    EXPECT_TRUE(UnregisterCustomProperty(&TMyRectangle::staticMetaObject, "Tag"));
    EXPECT_FALSE(UnregisterCustomProperty(&TMyRectangle::staticMetaObject, "Tag"));
    rect->Update();
    EXPECT_EQ(rect->FindProperty("Weight"), nullptr);
    EXPECT_EQ(Text(*rect, "Tag"), "0");
}
