#include "editor/recovery/recovery_store.h"

#include <algorithm>
#include <atomic>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace kadr::editor {
namespace {

const QString kCopySuffix = QStringLiteral(".kadrrec");
const QString kLockSuffix = QStringLiteral(".lock");

// Another editor's lock is stale only when its process is gone: a live editor keeps its lock
// however long it runs (Qt's default would call a lock older than 30 s stale).
std::unique_ptr<QLockFile> LockOf(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock;
}

// Unique for every editor window ever started on this machine: the process, the moment, and a
// count for several windows of one process (the tests make many).
QString NewKey() {
    static std::atomic<int> counter{0};
    return QStringLiteral("%1-%2-%3")
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch())
        .arg(counter++);
}

std::vector<std::uint8_t> ReadAll(const QString& path) {
    QFile file(path);
    // A recovery copy is at most some 115 KiB; anything much larger is no copy.
    constexpr qint64 kLargest = 1 << 20;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargest) {
        return {};
    }
    const QByteArray bytes = file.readAll();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace

void OrphanCopy::Delete() {
    QFile::remove(path);
    if (lock) {
        lock->unlock();  // removes the lock file
    }
}

RecoveryStore::RecoveryStore(const QString& folder) : folder_(folder) {
    if (folder_.isEmpty() || !QDir().mkpath(folder_)) {
        return;
    }
    const QString key = NewKey();
    copyPath_ = QDir(folder_).filePath(key + kCopySuffix);
    lock_ = LockOf(QDir(folder_).filePath(key + kLockSuffix));
    locked_ = lock_->tryLock(0);
}

RecoveryStore::~RecoveryStore() {
    if (locked_) {
        lock_->unlock();
    }
}

QString RecoveryStore::DefaultFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("recovery"));
}

bool RecoveryStore::WriteOwn(const std::vector<std::uint8_t>& bytes) const {
    if (!locked_) {
        return false;
    }
    QSaveFile file(copyPath_);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void RecoveryStore::RemoveOwn() const {
    if (locked_) {
        QFile::remove(copyPath_);
    }
}

std::vector<OrphanCopy> RecoveryStore::FindOrphans() const {
    std::vector<OrphanCopy> orphans;
    if (!locked_) {
        return orphans;
    }
    const QDir dir(folder_);
    const QStringList copies = dir.entryList({QStringLiteral("*") + kCopySuffix}, QDir::Files);
    for (const QString& name : copies) {
        const QString path = dir.filePath(name);
        if (path == copyPath_) {
            continue;
        }
        const QString key = name.chopped(kCopySuffix.size());
        std::unique_ptr<QLockFile> lock = LockOf(dir.filePath(key + kLockSuffix));
        if (!lock->tryLock(0)) {
            continue;  // its editor is running
        }
        OrphanCopy orphan{path, std::move(lock), DecodeRecoveryCopy(ReadAll(path))};
        if (!orphan.copy) {
            orphan.Delete();
            continue;
        }
        orphans.push_back(std::move(orphan));
    }
    // Locks of editors that ended without a copy (killed before their first change).
    for (const QString& name : dir.entryList({QStringLiteral("*") + kLockSuffix}, QDir::Files)) {
        const QString key = name.chopped(kLockSuffix.size());
        if (!QFile::exists(dir.filePath(key + kCopySuffix))) {
            std::unique_ptr<QLockFile> lock = LockOf(dir.filePath(name));
            if (lock->tryLock(0)) {
                lock->unlock();
            }
        }
    }
    std::stable_sort(orphans.begin(), orphans.end(), [](const OrphanCopy& a, const OrphanCopy& b) {
        return a.copy->savedAtMs > b.copy->savedAtMs;
    });
    return orphans;
}

}  // namespace kadr::editor
