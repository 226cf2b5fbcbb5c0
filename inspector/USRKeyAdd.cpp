#include "inspector/USRKeyAdd.h"

#include "platform/UIServices.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TUserKeyAddFrm::TUserKeyAddFrm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Add key and value"));
    setFixedSize(320, 110);
    auto* keyLabel = new QLabel(QStringLiteral("Key"), this);
    keyLabel->setGeometry(8, 12, 50, 20);
    FKey = new QLineEdit(this);
    FKey->setGeometry(60, 10, 252, 22);
    auto* valueLabel = new QLabel(QStringLiteral("Value"), this);
    valueLabel->setGeometry(8, 42, 50, 20);
    FValue = new QLineEdit(this);
    FValue->setGeometry(60, 40, 252, 22);
    FOk = new QPushButton(QStringLiteral("OK"), this);
    FOk->setGeometry(154, 76, 75, 25);
    FOk->setDefault(true);
    FCancel = new QPushButton(QStringLiteral("Cancel"), this);
    FCancel->setGeometry(237, 76, 75, 25);
    FCancel->setAutoDefault(false);
    keyLabel->setBuddy(FKey);
    valueLabel->setBuddy(FValue);
    connect(FOk, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(FCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

QString TUserKeyAddFrm::Key() const
{
    return FKey->text().trimmed();
}

QString TUserKeyAddFrm::Value() const
{
    return FValue->text().trimmed();
}

void TUserKeyAddFrm::SetKeyValue(const QString& key, const QString& value)
{
    FKey->setText(key);
    FValue->setText(value);
}
