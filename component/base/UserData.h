#pragma once
// An ordered store of string key/value pairs that a host attaches to the drawing, to
// every shape and to every library entry.
#include "mycad_export.h"
#include <QMetaType>
#include <QString>
#include <vector>

struct MYCAD_EXPORT TUserDataRecord {
    QString Key;
    QString Value;
    friend bool operator==(const TUserDataRecord&, const TUserDataRecord&) = default;
};
using TArrUserDataRecord = std::vector<TUserDataRecord>;

class MYCAD_EXPORT TUserData {
public:
    TUserData() = default;

    // Appends the pair; false and no change when the key is already present.
    bool AddKeyandValue(const QString& Key, const QString& Value);
    // Sets the value of the first pair with the key; false when there is none.
    bool ChangeValueByKey(const QString& Key, const QString& Value);
    // The value of the first pair with the key; empty when there is none.
    QString GetValueByKey(const QString& Key) const;
    // The key of the pair at Index; empty outside 0 .. count - 1.
    QString GetKeyByNo(int Index) const;
    int GetCount() const { return int(FRecords.size()); }
    // Renames the first pair with OldKey, keeping value and place. Does not check that
    // NewKey is free: a store may then hold a key twice and lookups find the first.
    bool ReNameKey(const QString& OldKey, const QString& NewKey);
    // Removes the first pair with the key; later pairs move up one place.
    bool DeleteRecordByKey(const QString& Key);
    void ClearAll() { FRecords.clear(); }
    // Replaces the whole content by a copy of the records, in their order.
    void SetUserDataRecord(const TArrUserDataRecord& Records) { FRecords = Records; }
    const TArrUserDataRecord& Records() const { return FRecords; }
    void Assign(const TUserData& Source);

private:
    int IndexOfKey(const QString& Key) const;
    TArrUserDataRecord FRecords;
};

Q_DECLARE_OPAQUE_POINTER(TUserData*)
