#include "app/folder_lock.h"

#include "core/record_file.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QFileInfo>

FolderLock::FolderLock(const QString& datFolder, std::chrono::milliseconds retry)
    : path_(QDir(datFolder).filePath(LockFileName)), lock_(std::make_unique<QLockFile>(path_)) {
  // An editor may run for days: only a lock whose process is gone is stale, never an old one.
  lock_->setStaleLockTime(0);
  retry_.setInterval(retry);
  QObject::connect(&retry_, &QTimer::timeout, &retry_, [this] {
    if (take() != Outcome::HeldByOther) retry_.stop();
  });
}

void FolderLock::takeWhenFreed() {
  if (!held()) retry_.start();
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
  if (!dialogs.askOpenAnyway(nullptr, text, QStringLiteral("Map Editor"))) return false;
  lock.takeWhenFreed();
  return true;
}

QString DatFolderOf(const QString& dataDir) {
  return QString::fromStdString(core::ResolveIgnoringCase(dataDir.toStdString(), "Dat").string());
}
