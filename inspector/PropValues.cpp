// The property model: reading and writing values, their texts and their value lists.
#include "inspector/PropList.h"

#include "inspector/PropTexts.h"
#include "platform/Bitmap.h"

#include <QFontDatabase>
#include <QWidget>

#include <cfloat>
#include <cmath>

using namespace PropTexts;

namespace {

[[noreturn]] void Invalid()
{
    throw EPropertyError();
}

bool SameText(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

} // namespace

// ---- Raw values -----------------------------------------------------------------------

QVariant TProperty::Value() const
{
    if (IsEmulated())
        return QVariant((FParent->OrdValue() & FSetBit) == FSetBit);
    QObject* instance = FInstance;
    if (!instance)
        return QVariant();
    if (FCustom)
        return FCustom->Read ? FCustom->Read(instance) : QVariant();
    if (!FParent)
        return FMeta.read(instance);
    void* target = FParent->ChildTarget();
    if (!target)
        return QVariant();
    return FParent->ChildTargetIsGadget() ? FMeta.readOnGadget(target) : FMeta.read(static_cast<QObject*>(target));
}

void TProperty::SetValue(const QVariant& Value)
{
    QObject* instance = FInstance;
    if (!instance)
        return;
    if (IsEmulated()) {
        const qint64 ord = FParent->OrdValue();
        FParent->SetValue(FParent->OrdinalVariant(Value.toBool() ? ord | FSetBit : ord & ~FSetBit));
        return;
    }
    bool written = false;
    if (FCustom) {
        if (FCustom->Write) {
            FCustom->Write(instance, Value);
            written = true;
        }
    } else if (!FParent) {
        written = FMeta.write(instance, Value);
    } else if (void* target = FParent->ChildTarget()) {
        written = FParent->ChildTargetIsGadget() ? FMeta.writeOnGadget(target, Value)
                                                 : FMeta.write(static_cast<QObject*>(target), Value);
    }
    if (!written)
        Invalid();
}

qint64 TProperty::OrdValue() const
{
    const QVariant v = Value();
    if (!v.isValid())
        return 0;
    switch (v.metaType().id()) {
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    case QMetaType::QChar: return v.value<QChar>().unicode();
    case QMetaType::Char: return uchar(v.value<char>());
    default: break;
    }
    if (FKind == TTypeKind::tkSet)
        return qint64(uint32_t(v.toLongLong()));
    return v.toLongLong();
}

QVariant TProperty::OrdinalVariant(qint64 Value) const
{
    switch (FMetaType.id()) {
    case QMetaType::Bool: return QVariant(Value != 0);
    case QMetaType::QChar: return QVariant::fromValue(QChar(char16_t(Value)));
    case QMetaType::Char: return QVariant::fromValue(char(Value));
    default: break;
    }
    QVariant v(qlonglong{Value});
    if (FMetaType.isValid() && !v.convert(FMetaType))
        Invalid();
    return v;
}

// ---- Class values ---------------------------------------------------------------------

void* TProperty::ObjectPointer() const
{
    if (FKind != TTypeKind::tkClass || !FMetaType.flags().testFlag(QMetaType::IsPointer))
        return nullptr;
    const QVariant v = Value();
    if (!v.isValid() || v.metaType() != FMetaType)
        return nullptr;
    return *static_cast<void* const*>(v.constData());
}

QObject* TProperty::ObjectValue() const
{
    if (!FMetaType.flags().testFlag(QMetaType::PointerToQObject))
        return nullptr;
    return static_cast<QObject*>(ObjectPointer());
}

TBitmap* TProperty::BitmapValue() const
{
    return FValueKind == TValueKind::vkGraphic ? static_cast<TBitmap*>(ObjectPointer()) : nullptr;
}

TUserData* TProperty::UserDataValue() const
{
    return FValueKind == TValueKind::vkUserData ? static_cast<TUserData*>(ObjectPointer()) : nullptr;
}

// ---- Texts ----------------------------------------------------------------------------

QString TProperty::GetStringValue() const
{
    if (!Alive())
        return QString();
    switch (FKind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkInt64: {
        const qint64 ord = OrdValue();
        switch (FValueKind) {
        case TValueKind::vkColor: return ColorToString(TColor(ord));
        case TValueKind::vkCursor: return CursorToString(int(ord));
        case TValueKind::vkCharset: return CharsetToString(int(ord));
        case TValueKind::vkShortCut: return ShortCutToText(int(ord));
        default: break;
        }
        if (FMetaType.id() == QMetaType::ULongLong || FMetaType.id() == QMetaType::ULong)
            return QString::number(Value().toULongLong());
        return QString::number(ord);
    }
    case TTypeKind::tkChar:
    case TTypeKind::tkWChar: {
        const qint64 ord = OrdValue();
        return ord == 0 ? QString() : QString(QChar(char16_t(ord)));
    }
    case TTypeKind::tkEnumeration: {
        const qint64 ord = OrdValue();
        if (FValueKind == TValueKind::vkBoolean)
            return ord ? QStringLiteral("True") : QStringLiteral("False");
        if (const std::optional<QMetaEnum> e = MetaEnum())
            if (const char* key = e->valueToKey(int(ord)))
                return QString::fromLatin1(key);
        return QString::number(ord);
    }
    case TTypeKind::tkFloat:
        return FloatToText(Value().toDouble(), FMetaType.id() == QMetaType::Float);
    case TTypeKind::tkSet: {
        const qint64 ord = OrdValue();
        QStringList members;
        for (const auto& [name, bit] : SetElements())
            if ((ord & bit) == bit)
                members << name;
        return QLatin1Char('[') + members.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    case TTypeKind::tkClass:
        if (FValueKind == TValueKind::vkComponent) {
            const QObject* o = ObjectValue();
            return o ? o->objectName() : QString();
        }
        return QString();
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
    case TTypeKind::tkWString:
        return Value().toString();
    case TTypeKind::tkMethod:
        return QString();
    case TTypeKind::tkUnknown:
        break;
    }
    return Value().toString();
}

QString TProperty::DisplayValue() const
{
    if (FKind != TTypeKind::tkClass)
        return GetStringValue();
    if (!Alive())
        return QString();
    switch (FValueKind) {
    case TValueKind::vkComponent: return GetStringValue();
    case TValueKind::vkStrings: return QStringLiteral("(TStrings)");
    case TValueKind::vkGraphic: {
        const QVariant v = Value();
        if (!v.isValid())
            return QString();
        const TBitmap* b = BitmapValue();
        if (!b)
            return QString();
        return b->Empty() ? QStringLiteral("(None)") : QStringLiteral("(TBitmap)");
    }
    default: break;
    }
    return ObjectPointer() ? QLatin1Char('(') + FTypeName + QLatin1Char(')') : QString();
}

qint64 TProperty::ParseOrdinal(const QString& Text) const
{
    const QString t = Text.trimmed();
    std::optional<qint64> value;
    switch (FValueKind) {
    case TValueKind::vkColor:
        if (const std::optional<TColor> c = StringToColor(t))
            value = *c;
        break;
    case TValueKind::vkCursor:
        if (const std::optional<int> c = StringToCursor(t))
            value = *c;
        break;
    case TValueKind::vkCharset:
        if (const std::optional<int> c = StringToCharset(t))
            value = *c;
        break;
    case TValueKind::vkShortCut:
        if (const std::optional<int> c = TextToShortCut(t))
            value = *c;
        break;
    default:
        if (const std::optional<TParsedInteger> n = TextToInteger(t)) {
            if (!n->Hex) {
                value = n->Value;
            } else if (n->Bits <= uint64_t(FMax)) {
                value = qint64(n->Bits);
            } else if (FMin < 0) {
                // The bits of a negative number of the type's width (the sign bit is
                // set, as the bits exceed the largest value).
                const int width = FMin == INT64_MIN ? 64 : FMin == INT32_MIN ? 32 : FMin == INT16_MIN ? 16 : 8;
                if (width == 64)
                    value = qint64(n->Bits);
                else if (n->Bits < (uint64_t(1) << width))
                    value = qint64(n->Bits) - (qint64(1) << width);
            }
        }
        break;
    }
    if (!value || *value < FMin || *value > FMax)
        Invalid();
    return *value;
}

void TProperty::SetStringValue(const QString& Text)
{
    if (!Alive())
        return;
    if (!Writable() || FKind == TTypeKind::tkMethod || FKind == TTypeKind::tkUnknown)
        Invalid();
    if (Text == GetStringValue())
        return; // unchanged: nothing is written back
    QVariant value;
    switch (FKind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkInt64:
        if (FMetaType.id() == QMetaType::ULongLong || FMetaType.id() == QMetaType::ULong) {
            const std::optional<TParsedInteger> n = TextToInteger(Text);
            if (!n || (!n->Hex && n->Value < 0))
                Invalid();
            value = QVariant::fromValue(n->Hex ? qulonglong(n->Bits) : qulonglong(n->Value));
            if (!value.convert(FMetaType))
                Invalid();
        } else {
            value = OrdinalVariant(ParseOrdinal(Text));
        }
        break;
    case TTypeKind::tkChar:
    case TTypeKind::tkWChar: {
        const qint64 ord = Text.isEmpty() ? 0 : Text.at(0).unicode();
        if (ord > FMax)
            Invalid();
        value = OrdinalVariant(ord);
        break;
    }
    case TTypeKind::tkEnumeration: {
        const QString t = Text.trimmed();
        std::optional<qint64> ord;
        if (FValueKind == TValueKind::vkBoolean) {
            if (SameText(t, "True"))
                ord = 1;
            else if (SameText(t, "False"))
                ord = 0;
        } else if (const std::optional<QMetaEnum> e = MetaEnum()) {
            for (int i = 0; i < e->keyCount() && !ord; ++i)
                if (t.compare(QLatin1String(e->key(i)), Qt::CaseInsensitive) == 0)
                    ord = e->value(i);
        }
        if (!ord || *ord < FMin || *ord > FMax)
            Invalid();
        value = IsEmulated() ? QVariant(*ord != 0) : OrdinalVariant(*ord);
        break;
    }
    case TTypeKind::tkFloat: {
        const std::optional<double> v = TextToFloat(Text);
        if (!v)
            Invalid();
        if (FMetaType.id() == QMetaType::Float) {
            if (std::fabs(*v) > FLT_MAX)
                Invalid();
            value = QVariant(float(*v));
        } else {
            value = QVariant(*v);
        }
        break;
    }
    case TTypeKind::tkSet: {
        // "[a,b]" (brackets optional); "[]" is the empty set.
        QString t = Text.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')) && t.size() >= 2)
            t = t.mid(1, t.size() - 2);
        qint64 ord = 0;
        const std::vector<std::pair<QString, qint64>> elements = SetElements();
        for (const QString& part : t.split(QLatin1Char(','))) {
            const QString name = part.trimmed();
            if (name.isEmpty())
                continue;
            bool found = false;
            for (const auto& [element, bit] : elements) {
                if (name.compare(element, Qt::CaseInsensitive) == 0) {
                    ord |= bit;
                    found = true;
                    break;
                }
            }
            if (!found)
                Invalid();
        }
        value = OrdinalVariant(ord);
        break;
    }
    case TTypeKind::tkClass: {
        if (FValueKind != TValueKind::vkComponent)
            Invalid();
        const QString name = Text.trimmed();
        QObject* found = nullptr;
        if (!name.isEmpty()) {
            QObject* root = FRoot;
            const QMetaObject* wanted = FMetaType.metaObject();
            if (root)
                for (QObject* child : root->children())
                    if (child->objectName() == name && (!wanted || child->metaObject()->inherits(wanted)))
                        found = child;
            if (!found)
                Invalid();
        }
        value = QVariant(FMetaType, &found);
        break;
    }
    case TTypeKind::tkString:
        value = QVariant(Text.toLatin1());
        break;
    case TTypeKind::tkLString:
    case TTypeKind::tkWString:
        value = QVariant(Text);
        break;
    case TTypeKind::tkMethod:
    case TTypeKind::tkUnknown:
        Invalid();
    }
    const QVariant before = Value();
    if (value == before)
        return;
    SetValue(value);
    // A setter that kept the old value refused the new one (a zoom of 0, a colour the
    // drawing cannot take): the user is told instead of seeing the text silently undone.
    if (Alive() && Value() == before)
        Invalid();
}

void TProperty::ValuesList(QStringList& Values) const
{
    Values.clear();
    switch (FValueKind) {
    case TValueKind::vkColor: Values = ColorValueNames(); return;
    case TValueKind::vkCursor: Values = CursorValueNames(); return;
    case TValueKind::vkCharset: Values = CharsetValueNames(); return;
    case TValueKind::vkShortCut: Values = ShortCutValueNames(); return;
    case TValueKind::vkBoolean: Values = {QStringLiteral("False"), QStringLiteral("True")}; return;
    case TValueKind::vkFontName: Values = QFontDatabase::families(); return;
    case TValueKind::vkComponent: {
        const QObject* root = FRoot;
        const QMetaObject* wanted = FMetaType.metaObject();
        if (root)
            for (const QObject* child : root->children())
                if (!child->objectName().isEmpty() && (!wanted || child->metaObject()->inherits(wanted)))
                    Values << child->objectName();
        return;
    }
    default: break;
    }
    if (FKind == TTypeKind::tkEnumeration)
        Values = EnumNames();
}
