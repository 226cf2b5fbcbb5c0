// The property model: building properties and lists, types and children. The texts of
// values are in PropValues.cpp.
#include "inspector/PropList.h"

#include <QMetaObject>
#include <QWidget>

#include <algorithm>
#include <limits>

EPropertyError::EPropertyError() : std::runtime_error("Invalid property value.")
{
}

QString InvalidPropertyValueText()
{
    return QStringLiteral("Invalid property value.");
}

std::vector<QMetaProperty> PublishedProperties(const QMetaObject* Class)
{
    std::vector<QMetaProperty> props;
    if (!Class)
        return props;
    // Leave out what Qt's own classes declare (QObject's objectName, QWidget's geometry...).
    int offset = 0;
    for (const QMetaObject* c = Class; c; c = c->superClass()) {
        if (c->className()[0] == 'Q') {
            offset = c->propertyCount();
            break;
        }
    }
    for (int i = offset; i < Class->propertyCount(); ++i) {
        const QMetaProperty p = Class->property(i);
        if (p.isDesignable())
            props.push_back(p);
    }
    return props;
}

// ---- TProperty ------------------------------------------------------------------------

TProperty::TProperty(TPropertyList* Owner, QObject* Root, QObject* Instance, const QMetaProperty& Meta, TProperty* Parent)
    : FOwner(Owner), FRoot(Root), FInstance(Instance), FParent(Parent), FMeta(Meta), FHasMeta(true),
      FName(QString::fromLatin1(Meta.name())), FMetaType(Meta.metaType())
{
    Classify();
}

TProperty::TProperty(TPropertyList* Owner, QObject* Root, QObject* Instance, const TCustomPropertyEntry& Custom)
    : FOwner(Owner), FRoot(Root), FInstance(Instance), FCustom(Custom), FName(Custom.Name), FMetaType(Custom.ValueType)
{
    Classify();
}

TProperty::TProperty(TPropertyList* Owner, QObject* Root, QObject* Instance, TProperty* SetOwner, const QString& Name, qint64 Bit)
    : FOwner(Owner), FRoot(Root), FInstance(Instance), FParent(SetOwner), FSetBit(Bit), FName(Name), FMetaType(QMetaType::fromType<bool>())
{
    Classify();
}

TProperty::~TProperty() = default;

QString TProperty::ClassNameOf(const QMetaType& Type)
{
    if (const QMetaObject* mo = Type.metaObject())
        return QString::fromLatin1(mo->className());
    QString name = QString::fromLatin1(Type.name());
    name.remove(QLatin1Char('*'));
    return name.mid(name.lastIndexOf(QLatin1Char(':')) + 1).trimmed();
}

void TProperty::Classify()
{
    const int id = FMetaType.id();
    const auto integer = [this, id](const char* typeName, qint64 min, qint64 max) {
        FKind = TTypeKind::tkInteger;
        FTypeName = QLatin1String(typeName);
        FMin = min;
        FMax = max;
        // The meta-object system keeps no typedef names: the name says what it holds.
        if (FName.contains(QLatin1String("Color")) && id == QMetaType::Int) {
            FValueKind = TValueKind::vkColor;
            FTypeName = QStringLiteral("TColor");
        } else if (FName.contains(QLatin1String("Cursor"))) {
            FValueKind = TValueKind::vkCursor;
            FTypeName = QStringLiteral("TCursor");
        } else if (FName.contains(QLatin1String("ShortCut"))) {
            FValueKind = TValueKind::vkShortCut;
            FTypeName = QStringLiteral("TShortCut");
        } else if (FName.contains(QLatin1String("Charset"))) {
            FValueKind = TValueKind::vkCharset;
            FTypeName = QStringLiteral("TFontCharset");
        }
    };
    if (IsEmulated() || id == QMetaType::Bool) {
        FKind = TTypeKind::tkEnumeration;
        FValueKind = TValueKind::vkBoolean;
        FTypeName = QStringLiteral("Boolean");
        FMin = 0;
        FMax = 1;
        return;
    }
    const QMetaType::TypeFlags flags = FMetaType.flags();
    if (const std::optional<QMetaEnum> e = MetaEnum()) {
        FKind = e->isFlag() ? TTypeKind::tkSet : TTypeKind::tkEnumeration;
        FTypeName = QString::fromLatin1(e->name());
        FMin = std::numeric_limits<qint64>::max();
        FMax = std::numeric_limits<qint64>::min();
        for (int i = 0; i < e->keyCount(); ++i) {
            FMin = std::min<qint64>(FMin, e->value(i));
            FMax = std::max<qint64>(FMax, e->value(i));
        }
        if (e->keyCount() == 0)
            FMin = FMax = 0;
        return;
    }
    switch (id) {
    case QMetaType::Int: integer("Integer", INT32_MIN, INT32_MAX); return;
    case QMetaType::UInt: integer("Cardinal", 0, UINT32_MAX); return;
    case QMetaType::Short: integer("SmallInt", INT16_MIN, INT16_MAX); return;
    case QMetaType::UShort: integer("Word", 0, UINT16_MAX); return;
    case QMetaType::UChar: integer("Byte", 0, UINT8_MAX); return;
    case QMetaType::SChar: integer("ShortInt", INT8_MIN, INT8_MAX); return;
    case QMetaType::Long:
    case QMetaType::LongLong:
        integer("Int64", INT64_MIN, INT64_MAX);
        FKind = TTypeKind::tkInt64;
        return;
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        integer("UInt64", 0, INT64_MAX);
        FKind = TTypeKind::tkInt64;
        return;
    case QMetaType::Char:
        FKind = TTypeKind::tkChar;
        FTypeName = QStringLiteral("Char");
        FMax = 255;
        return;
    case QMetaType::QChar:
        FKind = TTypeKind::tkWChar;
        FTypeName = QStringLiteral("WideChar");
        FMax = 0xFFFF;
        return;
    case QMetaType::Float:
        FKind = TTypeKind::tkFloat;
        FTypeName = QStringLiteral("Single");
        return;
    case QMetaType::Double:
        FKind = TTypeKind::tkFloat;
        FTypeName = QStringLiteral("Double");
        return;
    case QMetaType::QString:
        FKind = TTypeKind::tkLString;
        FTypeName = QStringLiteral("string");
        if (FName == QLatin1String("Name") && FParent && FParent->TypeName() == QLatin1String("TFont")) {
            FValueKind = TValueKind::vkFontName;
            FTypeName = QStringLiteral("TFontName");
        }
        return;
    case QMetaType::QByteArray:
        FKind = TTypeKind::tkString;
        FTypeName = QStringLiteral("AnsiString");
        return;
    case QMetaType::QStringList:
        FKind = TTypeKind::tkClass;
        FValueKind = TValueKind::vkStrings;
        FTypeName = QStringLiteral("TStrings");
        return;
    default: break;
    }
    if (flags.testFlag(QMetaType::PointerToGadget)) {
        FKind = TTypeKind::tkClass;
        FValueKind = TValueKind::vkGadget;
        FTypeName = ClassNameOf(FMetaType);
    } else if (flags.testFlag(QMetaType::PointerToQObject)) {
        FKind = TTypeKind::tkClass;
        const QMetaObject* mo = FMetaType.metaObject();
        FValueKind = mo && mo->inherits(&QWidget::staticMetaObject) ? TValueKind::vkComponent : TValueKind::vkObject;
        FTypeName = ClassNameOf(FMetaType);
    } else if (flags.testFlag(QMetaType::IsPointer)) {
        FKind = TTypeKind::tkClass;
        FTypeName = ClassNameOf(FMetaType);
        if (FTypeName == QLatin1String("TBitmap"))
            FValueKind = TValueKind::vkGraphic;
        else if (FTypeName == QLatin1String("TUserData"))
            FValueKind = TValueKind::vkUserData;
    } else {
        FTypeName = QString::fromLatin1(FMetaType.name());
    }
}

std::optional<QMetaEnum> TProperty::MetaEnum() const
{
    if (IsEmulated())
        return std::nullopt;
    if (FHasMeta) {
        if (FMeta.isEnumType() || FMeta.isFlagType())
            return FMeta.enumerator();
        return std::nullopt;
    }
    // A custom property: the enumeration registered with the type's meta-object.
    const QMetaObject* mo = FMetaType.metaObject();
    if (!mo || !FMetaType.flags().testFlag(QMetaType::IsEnumeration))
        return std::nullopt;
    QString name = QString::fromLatin1(FMetaType.name());
    const bool flag = name.startsWith(QLatin1String("QFlags<"));
    if (flag)
        name = name.mid(7, name.size() - 8);
    name = name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
    for (int i = 0; i < mo->enumeratorCount(); ++i) {
        const QMetaEnum e = mo->enumerator(i);
        if (QString::fromLatin1(flag ? e.enumName() : e.name()) == name && e.isFlag() == flag)
            return e;
    }
    return std::nullopt;
}

QString TProperty::FullName() const
{
    return FParent ? FParent->FullName() + QLatin1Char('.') + FName : FName;
}

int TProperty::Level() const
{
    return FParent ? FParent->Level() + 1 : 0;
}

bool TProperty::Readable() const
{
    if (IsEmulated())
        return FParent->Readable();
    if (FCustom)
        return bool(FCustom->Read);
    return FMeta.isReadable();
}

bool TProperty::Writable() const
{
    if (IsEmulated())
        return FParent->Writable();
    if (FCustom)
        return bool(FCustom->Write);
    return FMeta.isWritable();
}

std::vector<std::pair<QString, qint64>> TProperty::SetElements() const
{
    std::vector<std::pair<QString, qint64>> elements;
    if (FKind != TTypeKind::tkSet)
        return elements;
    if (const std::optional<QMetaEnum> e = MetaEnum()) {
        for (int i = 0; i < e->keyCount(); ++i) {
            const qint64 bit = qint64(uint32_t(e->value(i)));
            if (bit != 0 && (bit & (bit - 1)) == 0) // single elements, not combinations
                elements.emplace_back(QString::fromLatin1(e->key(i)), bit);
        }
    }
    return elements;
}

QStringList TProperty::EnumNames() const
{
    QStringList names;
    if (const std::optional<QMetaEnum> e = MetaEnum())
        for (int i = 0; i < e->keyCount(); ++i)
            names << QString::fromLatin1(e->key(i));
    return names;
}

bool TProperty::Compatible(const TProperty& Other) const
{
    return FKind == Other.FKind && FValueKind == Other.FValueKind && FTypeName == Other.FTypeName;
}

bool TProperty::CanHaveChildren() const
{
    return FKind == TTypeKind::tkSet || FValueKind == TValueKind::vkGadget || FValueKind == TValueKind::vkObject;
}

bool TProperty::HasChildren()
{
    if (!CanHaveChildren() || !Alive())
        return false;
    if (FKind != TTypeKind::tkSet && !ObjectPointer())
        return false;
    return Children()->Count() > 0;
}

TPropertyList* TProperty::Children()
{
    if (!FChildren) {
        FChildren = std::make_unique<TPropertyList>(this, FRoot, FInstance);
        if (FOwner) {
            FChildren->Filter = FOwner->Filter;
            FChildren->Compare = FOwner->Compare;
        }
        if (CanHaveChildren())
            FChildren->Update();
    }
    return FChildren.get();
}

bool TProperty::ChildTargetIsGadget() const
{
    return FValueKind == TValueKind::vkGadget;
}

void* TProperty::ChildTarget() const
{
    return ObjectPointer();
}

// ---- TPropertyList --------------------------------------------------------------------

TPropertyList::TPropertyList(TProperty* Owner, QObject* Root, QObject* Instance) : FOwner(Owner), FRoot(Root), FInstance(Instance)
{
}

TPropertyList::~TPropertyList() = default;

int TPropertyList::Level() const
{
    return FOwner ? FOwner->Level() + 1 : 0;
}

TProperty* TPropertyList::Items(int Index) const
{
    return Index >= 0 && Index < Count() ? FItems[size_t(Index)].get() : nullptr;
}

TProperty* TPropertyList::FindProperty(const QString& Name) const
{
    for (const std::unique_ptr<TProperty>& p : FItems)
        if (p->Name().compare(Name, Qt::CaseInsensitive) == 0)
            return p.get();
    return nullptr;
}

TProperty* TPropertyList::FindFullName(const QString& FullName) const
{
    const qsizetype dot = FullName.indexOf(QLatin1Char('.'));
    TProperty* p = FindProperty(dot < 0 ? FullName : FullName.left(dot));
    if (!p || dot < 0)
        return p;
    if (!p->CanHaveChildren())
        return nullptr;
    return p->Children()->FindFullName(FullName.mid(dot + 1));
}

int TPropertyList::CompareByName(TProperty* A, TProperty* B)
{
    return QString::compare(A->Name(), B->Name(), Qt::CaseSensitive);
}

void TPropertyList::Update()
{
    FItems.clear();
    QObject* instance = FInstance;
    if (!instance)
        return;
    const auto accept = [this](std::unique_ptr<TProperty> p) {
        if (!Filter || Filter(p.get()))
            FItems.push_back(std::move(p));
    };
    if (FOwner && FOwner->Kind() == TTypeKind::tkSet) {
        // One Boolean per element, in the elements' order.
        const std::vector<std::pair<QString, qint64>> elements = FOwner->SetElements();
        for (const auto& [name, bit] : elements)
            accept(std::make_unique<TProperty>(this, FRoot, instance, FOwner, name, bit));
        return;
    }
    if (!FOwner) {
        const QMetaObject* mo = instance->metaObject();
        for (const QMetaProperty& meta : PublishedProperties(mo)) {
            const QString name = QString::fromLatin1(meta.name());
            if (const TCustomPropertyEntry* custom = RegisteredProperty(mo, name))
                accept(std::make_unique<TProperty>(this, FRoot, instance, *custom));
            else
                accept(std::make_unique<TProperty>(this, FRoot, instance, meta, nullptr));
        }
        for (const TCustomPropertyEntry* custom : RegisteredProperties(mo))
            if (!FindProperty(custom->Name))
                accept(std::make_unique<TProperty>(this, FRoot, instance, *custom));
    } else {
        for (const QMetaProperty& meta : PublishedProperties(FOwner->MetaType().metaObject()))
            accept(std::make_unique<TProperty>(this, FRoot, instance, meta, FOwner));
    }
    const TCompare compare = Compare ? Compare : TCompare(&TPropertyList::CompareByName);
    std::stable_sort(FItems.begin(), FItems.end(),
                     [&compare](const std::unique_ptr<TProperty>& a, const std::unique_ptr<TProperty>& b) { return compare(a.get(), b.get()) < 0; });
}
