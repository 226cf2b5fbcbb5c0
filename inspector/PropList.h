#pragma once
// The property model: TProperty reads and writes one published property of an object as
// text, lists its possible values and opens sets and sub-objects into child properties;
// TPropertyList holds the properties of one object (or of one sub-object) in order.
//
// The published properties are Qt's: the Q_PROPERTYs the object's classes declare (not
// those of Qt's own base classes), DESIGNABLE ones only. Objects are read and written
// through QMetaProperty::read/write; the pen, brush and font, which are gadgets, through
// readOnGadget/writeOnGadget on the gadget the owning property hands out. Enumerations
// (Q_ENUM) are shown by member name, Booleans as "False"/"True", sets (Q_FLAG) as
// "[fsBold,fsItalic]". Integer properties whose names say so are colours ("Color"),
// cursors ("Cursor"), charsets ("Charset") or shortcuts ("ShortCut"), shown by name.
//
// A property never holds on to what it shows: every read goes from the inspected
// object, kept through a QPointer, down the chain of owning properties, so a freed
// object reads as empty and ignores writes. Children are built when first asked for.
//
// SetStringValue raises EPropertyError ("Invalid property value.") for any text it
// cannot store, numbers outside their type's range included; an unchanged value is not
// written back.
#include "mycad_export.h"
#include "inspector/CustomProps.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

class TBitmap;
class TPropertyList;
class TUserData;

// The failure of SetStringValue.
class MYCAD_EXPORT EPropertyError : public std::runtime_error {
public:
    EPropertyError();
};
// "Invalid property value."
MYCAD_EXPORT QString InvalidPropertyValueText();

// The type kinds of the model.
enum class TTypeKind { tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod, tkWChar, tkLString, tkWString, tkInt64 };

// What a value stands for, beyond its kind.
enum class TValueKind {
    vkPlain,
    vkBoolean,   // an enumeration of False and True
    vkColor,     // colour-typed integer (TColor)
    vkCursor,    // cursor-typed integer
    vkCharset,   // charset-typed integer
    vkShortCut,  // shortcut-typed integer
    vkFontName,  // a font's face name
    vkComponent, // a reference to a control (component)
    vkGadget,    // a pen, brush or font: sub-properties through the gadget
    vkObject,    // an object that is no component: sub-properties
    vkGraphic,   // a picture (TBitmap)
    vkUserData,  // a key/value store (TUserData)
    vkStrings,   // a string list
};

class MYCAD_EXPORT TProperty {
public:
    // A published property of the instance (Parent null) or of the value of Parent.
    TProperty(TPropertyList* Owner, QObject* Root, QObject* Instance, const QMetaProperty& Meta, TProperty* Parent);
    // A registered custom property of the instance.
    TProperty(TPropertyList* Owner, QObject* Root, QObject* Instance, const TCustomPropertyEntry& Custom);
    // The emulated Boolean property of one element of the set property SetOwner.
    TProperty(TPropertyList* Owner, QObject* Root, QObject* Instance, TProperty* SetOwner, const QString& Name, qint64 Bit);
    ~TProperty();
    TProperty(const TProperty&) = delete;
    TProperty& operator=(const TProperty&) = delete;

    TPropertyList* Owner() const { return FOwner; }
    QObject* Root() const { return FRoot; }
    QObject* Instance() const { return FInstance; }
    // False once the inspected object is gone.
    bool Alive() const { return !FInstance.isNull(); }
    // The property this one is a part of (null at top level).
    TProperty* Parent() const { return FParent; }

    QString Name() const { return FName; }
    // The names from the top level down, joined with ".".
    QString FullName() const;
    int Level() const;
    TTypeKind Kind() const { return FKind; }
    TValueKind ValueKind() const { return FValueKind; }
    // "Integer", "Byte", "Boolean", "TColor", "TPenStyle", "TFont", ...
    QString TypeName() const { return FTypeName; }
    bool IsCustom() const { return FCustom.has_value(); }
    bool IsEmulated() const { return FSetBit != 0; }
    bool IsEvent() const { return FKind == TTypeKind::tkMethod; }
    bool Readable() const;
    bool Writable() const;
    // The type of the value (absent for emulated properties).
    QMetaType MetaType() const { return FMetaType; }
    // The smallest and largest ordinal of integer, char and enumeration types.
    qint64 MinValue() const { return FMin; }
    qint64 MaxValue() const { return FMax; }
    // The member names of an enumeration, or the element names of a set.
    QStringList EnumNames() const;
    // The elements of a set: name and bit, in the order of the enumeration.
    std::vector<std::pair<QString, qint64>> SetElements() const;
    // Whether another property (of another instance) has the same type.
    bool Compatible(const TProperty& Other) const;

    // ---- Values -------------------------------------------------------------------------
    QVariant Value() const;
    void SetValue(const QVariant& Value);
    // The ordinal of integer, char, enumeration and set values.
    qint64 OrdValue() const;
    QString GetStringValue() const;
    void SetStringValue(const QString& Text);
    // The text shown in the inspector.
    QString DisplayValue() const;
    void ValuesList(QStringList& Values) const;

    // ---- Class values -------------------------------------------------------------------
    // The object or gadget the value points to (null when none or gone).
    void* ObjectPointer() const;
    QObject* ObjectValue() const;
    TBitmap* BitmapValue() const;
    TUserData* UserDataValue() const;
    // Whether the value is a component reference (which has no children).
    bool IsComponentReference() const { return FValueKind == TValueKind::vkComponent; }

    // ---- Children -----------------------------------------------------------------------
    // Sets and sub-objects have children; built at the first call.
    bool CanHaveChildren() const;
    bool HasChildren();
    TPropertyList* Children();

private:
    void Classify();
    // The object of the values of this property's children.
    void* ChildTarget() const;
    bool ChildTargetIsGadget() const;
    QVariant OrdinalVariant(qint64 Value) const;
    qint64 ParseOrdinal(const QString& Text) const;
    std::optional<QMetaEnum> MetaEnum() const;
    static QString ClassNameOf(const QMetaType& Type);

    TPropertyList* FOwner;
    QPointer<QObject> FRoot;
    QPointer<QObject> FInstance;
    TProperty* FParent = nullptr;
    QMetaProperty FMeta;
    bool FHasMeta = false;
    std::optional<TCustomPropertyEntry> FCustom;
    qint64 FSetBit = 0;
    QString FName;
    QString FTypeName;
    QMetaType FMetaType;
    TTypeKind FKind = TTypeKind::tkUnknown;
    TValueKind FValueKind = TValueKind::vkPlain;
    qint64 FMin = 0;
    qint64 FMax = 0;
    std::unique_ptr<TPropertyList> FChildren;
};

class MYCAD_EXPORT TPropertyList {
public:
    // Accepts a property into the list; the default takes every one.
    using TFilter = std::function<bool(TProperty* Prop)>;
    // Negative, zero or positive, as for sorting.
    using TCompare = std::function<int(TProperty* A, TProperty* B)>;

    // The properties of an instance (Owner null) or of the value of Owner.
    TPropertyList(TProperty* Owner, QObject* Root, QObject* Instance);
    ~TPropertyList();
    TPropertyList(const TPropertyList&) = delete;
    TPropertyList& operator=(const TPropertyList&) = delete;

    TProperty* Owner() const { return FOwner; }
    QObject* Root() const { return FRoot; }
    QObject* Instance() const { return FInstance; }
    int Level() const;

    // Rebuilds the list: every published property of the class (a registered custom
    // property of that name instead, at the top level), the class's other custom
    // properties, those Filter accepts, sorted by Compare (set elements keep their order).
    void Update();
    int Count() const { return int(FItems.size()); }
    TProperty* Items(int Index) const;
    // By name, any case.
    TProperty* FindProperty(const QString& Name) const;
    // By full name ("Font.Style.fsBold"), any case; children are built on the way.
    TProperty* FindFullName(const QString& FullName) const;

    // Given to the child lists as well.
    TFilter Filter;
    TCompare Compare;
    // Top-level order: by name, case-sensitive.
    static int CompareByName(TProperty* A, TProperty* B);

private:
    TProperty* FOwner;
    QPointer<QObject> FRoot;
    QPointer<QObject> FInstance;
    std::vector<std::unique_ptr<TProperty>> FItems;
};

// The published properties of a meta-object: those its own classes declare, below Qt's
// classes, DESIGNABLE ones only, in declaration order (base classes first).
MYCAD_EXPORT std::vector<QMetaProperty> PublishedProperties(const QMetaObject* Class);
