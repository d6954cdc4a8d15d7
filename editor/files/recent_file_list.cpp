#include "editor/files/recent_file_list.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QSettings>

namespace kadr::editor {
namespace {

QString ValueName(int index) {
    return QStringLiteral("fm%1").arg(index);
}

}  // namespace

RecentFileList::RecentFileList(QMenu* menu) : QObject(menu), menu_(menu) {}

QString RecentFileList::PathOf(const QAction* item) {
    return item->data().toString();
}

QStringList RecentFileList::Paths() const {
    QStringList paths;
    for (const QAction* item : menu_->actions()) {
        paths << PathOf(item);
    }
    return paths;
}

void RecentFileList::Add(const QString& path) {
    if (Paths().contains(path, Qt::CaseSensitive)) {
        return;
    }
    // Shown as the system spells paths (backslashes on Windows); the item keeps Qt's form.
    auto* item = new QAction(
        QDir::toNativeSeparators(path).replace(QLatin1Char('&'), QStringLiteral("&&")), menu_);
    item->setData(path);
    connect(item, &QAction::triggered, this, [this, item] { emit Clicked(item); });
    const QList<QAction*> items = menu_->actions();
    menu_->insertAction(items.isEmpty() ? nullptr : items.first(), item);
    while (menu_->actions().size() > kLimit) {
        Remove(menu_->actions().last());
    }
}

void RecentFileList::Remove(QAction* item) {
    menu_->removeAction(item);
    item->deleteLater();
}

void RecentFileList::Restore(QSettings& settings) {
    for (int index = kLimit - 1; index >= 0; --index) {
        const QString path = settings.value(ValueName(index)).toString();
        if (!path.isEmpty()) {
            Add(path);
        }
    }
}

void RecentFileList::Save(QSettings& settings) const {
    const QStringList paths = Paths();
    for (int index = 0; index < kLimit; ++index) {
        if (index < paths.size()) {
            settings.setValue(ValueName(index), paths.at(index));
        } else {
            settings.remove(ValueName(index));
        }
    }
}

}  // namespace kadr::editor
