#pragma once

#include <QLockFile>
#include <QString>
#include <QTimer>

#include <chrono>
#include <memory>

namespace ui {
class Dialogs;
}

// The lock that tells a second editor this game folder is already open: a lock file in the Dat
// folder, held while the program runs. A lock left by an editor that crashed is recognised as
// stale (its process is gone) and taken over.
class FolderLock {
 public:
  enum class Outcome { Taken, HeldByOther, Unavailable };

  // `retry`: how often an editor opened anyway tries again for the lock.
  explicit FolderLock(const QString& datFolder,
                      std::chrono::milliseconds retry = std::chrono::seconds(2));

  Outcome take();
  bool held() const { return lock_->isLocked(); }
  // For an editor opened anyway: takes the lock as soon as the editor holding it lets it go,
  // so that the next one to open the folder is warned too.
  void takeWhenFreed();
  // Who holds the lock, as "process 1234 on host", after take() said HeldByOther.
  QString holder() const;
  QString lockFilePath() const { return path_; }

 private:
  QString path_;
  std::unique_ptr<QLockFile> lock_;
  QTimer retry_;
};

inline constexpr const char* LockFileName = "editor.lock";

// Takes the lock on the game folder in `dataDir`; when another running editor holds it, says so
// and asks whether to open anyway (and then takes the lock once it is let go). False when the
// designer chose to quit. A folder where no lock
// can be made (read-only) is opened without one: start-up says that it cannot be written.
bool LockGameFolder(FolderLock& lock, ui::Dialogs& dialogs);

// The Dat folder of a game directory, letter case ignored.
QString DatFolderOf(const QString& dataDir);
