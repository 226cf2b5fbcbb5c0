#pragma once
// "Add key and value" (TUserKeyAddFrm): two edits, "Key" and "Value", with OK and
// Cancel; opened empty to add a pair and pre-filled to edit one.
#include "mycad_export.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

class MYCAD_EXPORT TUserKeyAddFrm : public QDialog {
    Q_OBJECT
public:
    explicit TUserKeyAddFrm(QWidget* parent = nullptr);

    // The trimmed texts.
    QString Key() const;
    QString Value() const;
    void SetKeyValue(const QString& key, const QString& value);

    QLineEdit* KeyEdit() const { return FKey; }
    QLineEdit* ValueEdit() const { return FValue; }
    QPushButton* OkButton() const { return FOk; }
    QPushButton* CancelButton() const { return FCancel; }

private:
    QLineEdit* FKey;
    QLineEdit* FValue;
    QPushButton* FOk;
    QPushButton* FCancel;
};
