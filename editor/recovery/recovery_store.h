#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <QLockFile>
#include <QString>

#include "frameset/recovery_copy.h"

namespace kadr::editor {

// A recovery copy left by an editor that is no longer running. Its owner's lock is held by this
// editor while the copy is offered, so that a third editor started meanwhile leaves it alone.
struct OrphanCopy {
    QString path;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<RecoveryCopy> copy;

    // "Нет", or the copy is now this editor's own: the file and its lock go.
    void Delete();
};

// The recovery folder of the user (`recovery` in the per-user data folder): one copy and one
// lock per running editor, named by a key of its own. The lock is held for the editor's whole
// run; a copy whose lock is held belongs to an editor that is running and is never read,
// offered or deleted by another. A lock left by a process that is gone (a crash, a kill, a power
// cut) is recognised as stale by its process number and program name.
class RecoveryStore {
  public:
    explicit RecoveryStore(const QString& folder = DefaultFolder());
    // Removes the lock (the copy is removed before, on a normal end, by its owner).
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    static QString DefaultFolder();

    // False when the folder cannot be made or locked: the editor then runs without copies.
    bool Usable() const { return locked_; }
    const QString& OwnCopyPath() const { return copyPath_; }

    // The copy, written to a temporary file that replaces the old copy only when complete and on
    // the medium. Called from the writer's thread.
    bool WriteOwn(const std::vector<std::uint8_t>& bytes) const;
    void RemoveOwn() const;

    // Copies of editors no longer running, newest first. Copies that cannot be read (cut short
    // by a power cut during the first write, damaged) are deleted; stale locks without a copy
    // are cleared.
    std::vector<OrphanCopy> FindOrphans() const;

  private:
    QString folder_;
    QString copyPath_;
    std::unique_ptr<QLockFile> lock_;
    bool locked_ = false;
};

}  // namespace kadr::editor
