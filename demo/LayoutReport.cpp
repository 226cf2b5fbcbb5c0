#include "LayoutReport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
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
    // The items of the menu bar and of every open menu, by their texts (without "&"), at
    // their centres.
    auto item = [&widgets](const QString& key, const QWidget& owner, const QRect& box) {
        const QPoint centre = owner.mapToGlobal(box.center());
        widgets.insert(key, QJsonObject{{QStringLiteral("x"), centre.x()}, {QStringLiteral("y"), centre.y()}});
    };
    for (const QMenuBar* bar : Window.findChildren<QMenuBar*>())
        for (QAction* action : bar->actions())
            if (bar->isVisible())
                item(QStringLiteral("MenuBar/") + action->text().remove(QLatin1Char('&')), *bar, bar->actionGeometry(action));
    for (const QMenu* menu : Window.findChildren<QMenu*>())
        if (menu->isVisible())
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    item(QStringLiteral("Menu/") + action->text().remove(QLatin1Char('&')), *menu, menu->actionGeometry(action));
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(widgets).toJson());
    return file.commit();
}

} // namespace LayoutReport
