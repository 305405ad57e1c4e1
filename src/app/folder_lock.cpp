#include "app/folder_lock.h"

#include "core/record_file.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QFileInfo>

FolderLock::FolderLock(const QString& datFolder)
    : path_(QDir(datFolder).filePath(LockFileName)), lock_(std::make_unique<QLockFile>(path_)) {
  // An editor may run for days: only a lock whose process is gone is stale, never an old one.
  lock_->setStaleLockTime(0);
}

FolderLock::Outcome FolderLock::take() {
  if (lock_->tryLock(0)) return Outcome::Taken;
  return lock_->error() == QLockFile::LockFailedError ? Outcome::HeldByOther : Outcome::Unavailable;
}

QString FolderLock::holder() const {
  qint64 pid = 0;
  QString host;
  QString application;
  if (!lock_->getLockInfo(&pid, &host, &application)) return QStringLiteral("another editor");
  return host.isEmpty() ? QStringLiteral("process %1").arg(pid)
                        : QStringLiteral("process %1 on %2").arg(pid).arg(host);
}

bool LockGameFolder(FolderLock& lock, ui::Dialogs& dialogs) {
  if (lock.take() != FolderLock::Outcome::HeldByOther) return true;
  const QString text =
      QStringLiteral(
          "Another editor (%1) has this game folder open:\n%2\n\n"
          "If both save the same map or entry, one overwrites the other's work. Open it anyway?")
          .arg(lock.holder(), QDir::toNativeSeparators(QFileInfo(lock.lockFilePath()).path()));
  return dialogs.askOpenAnyway(nullptr, text, QStringLiteral("Map Editor"));
}

QString DatFolderOf(const QString& dataDir) {
  return QString::fromStdString(core::ResolveIgnoringCase(dataDir.toStdString(), "Dat").string());
}
