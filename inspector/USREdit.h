#pragma once
// The user data editor: "Key and Value Editor" (TUserKeyFrm) lists the key/value pairs
// of a TUserData in a report with a key and a value column, and adds, inserts, edits
// and deletes rows through "Add key and value". A row never gets an empty key or a key
// another row has: such an entry is refused with a message, so OK stores every row.
#include "mycad_export.h"
#include "inspector/PropEdit.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;
class TUserData;

class MYCAD_EXPORT TUserKeyFrm : public QDialog {
    Q_OBJECT
public:
    explicit TUserKeyFrm(QWidget* parent = nullptr);

    // One row per record, in order.
    void LoadFrom(const TUserData& data);
    // Clears the store and adds one record per row, in list order.
    void SaveTo(TUserData& data) const;
    int RowCount() const;
    QString KeyOf(int row) const;
    QString ValueOf(int row) const;
    // The selected row, -1 for none.
    int SelectedRow() const;
    void SelectRow(int row);

    // The buttons' actions.
    void Add();
    void Insert();
    void Edit();
    void Delete();

    QTreeWidget* List() const { return FList; }
    QPushButton* AddButton() const { return FAdd; }
    QPushButton* InsertButton() const { return FInsert; }
    QPushButton* EditButton() const { return FEdit; }
    QPushButton* DeleteButton() const { return FDelete; }
    QPushButton* OkButton() const { return FOk; }
    QPushButton* CancelButton() const { return FCancel; }

private:
    // Opens "Add key and value" (pre-filled); false when cancelled or refused. Row is the
    // row being edited (-1 when adding), whose own key may stay.
    bool AskKeyValue(QString& key, QString& value, int row);
    bool RequireSelection();
    void AddRow(int at, const QString& key, const QString& value);

    QTreeWidget* FList;
    QPushButton* FAdd;
    QPushButton* FInsert;
    QPushButton* FEdit;
    QPushButton* FDelete;
    QPushButton* FOk;
    QPushButton* FCancel;
};

// A TUserData property: the key and value editor on its records, stored back on OK.
class MYCAD_EXPORT TUserDataPropertyEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    bool Execute() override;
};
