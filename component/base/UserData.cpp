#include "component/base/UserData.h"

int TUserData::IndexOfKey(const QString& Key) const
{
    for (size_t i = 0; i < FRecords.size(); ++i)
        if (FRecords[i].Key == Key)
            return int(i);
    return -1;
}

bool TUserData::AddKeyandValue(const QString& Key, const QString& Value)
{
    if (IndexOfKey(Key) >= 0)
        return false;
    FRecords.push_back({Key, Value});
    return true;
}

bool TUserData::ChangeValueByKey(const QString& Key, const QString& Value)
{
    const int i = IndexOfKey(Key);
    if (i < 0)
        return false;
    FRecords[size_t(i)].Value = Value;
    return true;
}

QString TUserData::GetValueByKey(const QString& Key) const
{
    const int i = IndexOfKey(Key);
    return i < 0 ? QString() : FRecords[size_t(i)].Value;
}

QString TUserData::GetKeyByNo(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        return QString();
    return FRecords[size_t(Index)].Key;
}

bool TUserData::ReNameKey(const QString& OldKey, const QString& NewKey)
{
    const int i = IndexOfKey(OldKey);
    if (i < 0)
        return false;
    FRecords[size_t(i)].Key = NewKey;
    return true;
}

bool TUserData::DeleteRecordByKey(const QString& Key)
{
    const int i = IndexOfKey(Key);
    if (i < 0)
        return false;
    FRecords.erase(FRecords.begin() + i);
    return true;
}

void TUserData::Assign(const TUserData& Source)
{
    if (&Source != this)
        FRecords = Source.FRecords;
}
