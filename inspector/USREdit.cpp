#include "inspector/USREdit.h"

#include "component/base/UserData.h"
#include "inspector/PropList.h"
#include "inspector/USRKeyAdd.h"
#include "platform/UIServices.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

TUserKeyFrm::TUserKeyFrm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Key and Value Editor"));
    setFixedSize(420, 300);
    FList = new QTreeWidget(this);
    FList->setGeometry(8, 8, 316, 284);
    FList->setColumnCount(2);
    FList->setHeaderLabels({QStringLiteral("Key"), QStringLiteral("Value")});
    FList->setRootIsDecorated(false);
    FList->setSelectionMode(QAbstractItemView::SingleSelection);
    FList->header()->resizeSection(0, 120);
    const auto button = [this](const QString& text, int y) {
        auto* b = new QPushButton(text, this);
        b->setGeometry(334, y, 78, 25);
        b->setAutoDefault(false);
        return b;
    };
    FAdd = button(QStringLiteral("Add"), 8);
    FInsert = button(QStringLiteral("Insert"), 39);
    FEdit = button(QStringLiteral("Edit"), 70);
    FDelete = button(QStringLiteral("Delete"), 101);
    FOk = button(QStringLiteral("OK"), 236);
    FCancel = button(QStringLiteral("Cancel"), 267);
    FOk->setDefault(true);
    connect(FAdd, &QPushButton::clicked, this, [this] { Add(); });
    connect(FInsert, &QPushButton::clicked, this, [this] { Insert(); });
    connect(FEdit, &QPushButton::clicked, this, [this] { Edit(); });
    connect(FDelete, &QPushButton::clicked, this, [this] { Delete(); });
    connect(FOk, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(FCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

void TUserKeyFrm::LoadFrom(const TUserData& data)
{
    FList->clear();
    for (const TUserDataRecord& r : data.Records())
        AddRow(RowCount(), r.Key, r.Value);
}

void TUserKeyFrm::SaveTo(TUserData& data) const
{
    data.ClearAll();
    for (int i = 0; i < RowCount(); ++i)
        data.AddKeyandValue(KeyOf(i), ValueOf(i));
}

int TUserKeyFrm::RowCount() const
{
    return FList->topLevelItemCount();
}

QString TUserKeyFrm::KeyOf(int row) const
{
    const QTreeWidgetItem* item = FList->topLevelItem(row);
    return item ? item->text(0) : QString();
}

QString TUserKeyFrm::ValueOf(int row) const
{
    const QTreeWidgetItem* item = FList->topLevelItem(row);
    return item ? item->text(1) : QString();
}

int TUserKeyFrm::SelectedRow() const
{
    const QList<QTreeWidgetItem*> selected = FList->selectedItems();
    return selected.isEmpty() ? -1 : FList->indexOfTopLevelItem(selected.first());
}

void TUserKeyFrm::SelectRow(int row)
{
    FList->clearSelection();
    if (QTreeWidgetItem* item = FList->topLevelItem(row)) {
        item->setSelected(true);
        FList->setCurrentItem(item);
    }
}

void TUserKeyFrm::AddRow(int at, const QString& key, const QString& value)
{
    auto* item = new QTreeWidgetItem(QStringList{key, value});
    FList->insertTopLevelItem(at, item);
}

bool TUserKeyFrm::RequireSelection()
{
    if (SelectedRow() >= 0)
        return true;
    ShowMessage(QStringLiteral("Please select the Key/Value first."));
    return false;
}

bool TUserKeyFrm::AskKeyValue(QString& key, QString& value, int row)
{
    TUserKeyAddFrm dialog(this);
    dialog.SetKeyValue(key, value);
    if (UIServices().ExecuteDialog(dialog) != mrOk)
        return false;
    const QString newKey = dialog.Key();
    if (newKey.isEmpty()) {
        ShowMessage(QStringLiteral("The key must not be empty."));
        return false;
    }
    for (int i = 0; i < RowCount(); ++i) {
        if (i != row && KeyOf(i) == newKey) {
            ShowMessage(QStringLiteral("The key \"%1\" is already in the list.").arg(newKey));
            return false;
        }
    }
    key = newKey;
    value = dialog.Value();
    return true;
}

void TUserKeyFrm::Add()
{
    QString key;
    QString value;
    if (!AskKeyValue(key, value, -1))
        return;
    AddRow(RowCount(), key, value);
    SelectRow(RowCount() - 1);
}

void TUserKeyFrm::Insert()
{
    if (!RequireSelection())
        return;
    const int row = SelectedRow();
    QString key;
    QString value;
    if (!AskKeyValue(key, value, -1))
        return;
    AddRow(row, key, value);
    SelectRow(row);
}

void TUserKeyFrm::Edit()
{
    if (!RequireSelection())
        return;
    const int row = SelectedRow();
    QString key = KeyOf(row);
    QString value = ValueOf(row);
    if (!AskKeyValue(key, value, row))
        return;
    QTreeWidgetItem* item = FList->topLevelItem(row);
    item->setText(0, key);
    item->setText(1, value);
}

void TUserKeyFrm::Delete()
{
    if (!RequireSelection())
        return;
    const int row = SelectedRow();
    delete FList->takeTopLevelItem(row);
    if (RowCount() > 0)
        SelectRow(std::min(row, RowCount() - 1));
}

// ---- Editor ---------------------------------------------------------------------------

bool TUserDataPropertyEditor::Execute()
{
    if (!FProp || !FProp->Alive())
        return false;
    TUserData* data = FProp->UserDataValue();
    if (!data)
        return false;
    TUserKeyFrm dialog;
    dialog.LoadFrom(*data);
    if (UIServices().ExecuteDialog(dialog) != mrOk)
        return false;
    // The shape may have gone while the dialog was open.
    data = FProp->Alive() ? FProp->UserDataValue() : nullptr;
    if (!data)
        return false;
    TUserData edited;
    dialog.SaveTo(edited);
    if (edited.Records() == data->Records())
        return false;
    data->SetUserDataRecord(edited.Records());
    return true;
}
