#include "LayoutReport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QSaveFile>
#include <QWidget>

namespace LayoutReport {

namespace {
QJsonObject Box(const QWidget& widget)
{
    const QPoint origin = widget.mapToGlobal(QPoint(0, 0));
    return {{QStringLiteral("x"), origin.x()},
            {QStringLiteral("y"), origin.y()},
            {QStringLiteral("width"), widget.width()},
            {QStringLiteral("height"), widget.height()}};
}
} // namespace

bool Write(const QWidget& Window, const QString& FileName)
{
    QJsonObject widgets;
    widgets.insert(QStringLiteral("window"), Box(Window));
    for (const QWidget* widget : Window.findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || !widget->isVisible())
            continue;
        widgets.insert(widget->objectName(), Box(*widget));
    }
    // The first icon of every list view (the library browser's), by the list's order.
    int lists = 0;
    for (const QListWidget* list : Window.findChildren<QListWidget*>()) {
        if (!list->isVisible() || list->count() == 0)
            continue;
        const QRect item = list->visualItemRect(list->item(0));
        const QPoint centre = list->viewport()->mapToGlobal(item.center());
        widgets.insert(QStringLiteral("ListView%1.item0").arg(lists++),
                       QJsonObject{{QStringLiteral("x"), centre.x()}, {QStringLiteral("y"), centre.y()},
                                   {QStringLiteral("text"), list->item(0)->text()}});
    }
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(widgets).toJson());
    return file.commit();
}

} // namespace LayoutReport
