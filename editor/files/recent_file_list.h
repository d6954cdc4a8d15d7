#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class QSettings;

namespace kadr::editor {

// The five most recently opened files, newest at the top, as the items of the open button's
// drop-down menu. A path already in the list keeps its place; paths are compared exactly, letter
// case included.
class RecentFileList : public QObject {
    Q_OBJECT

  public:
    static constexpr int kLimit = 5;

    explicit RecentFileList(QMenu* menu);

    void Add(const QString& path);
    void Remove(QAction* item);
    QStringList Paths() const;
    // The path an item stands for. Captions double any "&" so that the menu shows it as it is.
    static QString PathOf(const QAction* item);

    // The stored list: "fm0" (the top) to "fm4". Restoring adds fm4 first, so that fm0 ends on top.
    void Restore(QSettings& settings);
    void Save(QSettings& settings) const;

  signals:
    void Clicked(QAction* item);

  private:
    QMenu* menu_;
};

}  // namespace kadr::editor
