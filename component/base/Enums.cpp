#include "component/base/Enums.h"

#include <QMetaObject>

QMetaEnum MetaEnumOf(QMetaType Type)
{
    if (!Type.isValid() || !(Type.flags() & QMetaType::IsEnumeration))
        return QMetaEnum();
    // For a registered enumeration the meta type knows the meta-object that declares it
    // (here: namespace MyCADEnums); the enumerator is found there by its plain name.
    const QMetaObject* scope = Type.metaObject();
    if (!scope)
        return QMetaEnum();
    QByteArray name(Type.name());
    const qsizetype separator = name.lastIndexOf("::");
    if (separator >= 0)
        name = name.mid(separator + 2);
    const int index = scope->indexOfEnumerator(name.constData());
    return index >= 0 ? scope->enumerator(index) : QMetaEnum();
}
