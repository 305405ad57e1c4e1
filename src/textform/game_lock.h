#pragma once

#include "core/status.h"

#include <filesystem>
#include <memory>

namespace textform {

// The lock file an editor holds on a game folder while it runs (Dat/editor.lock), taken by the
// command line for the time of an import, in the same form: the process number, program and host
// on lines of their own, and an advisory lock on the open file. So an import never writes under
// a running editor, and an editor started during an import is warned.
class GameFolderLock {
 public:
  GameFolderLock(GameFolderLock&& other) noexcept;
  GameFolderLock& operator=(GameFolderLock&&) = delete;
  GameFolderLock(const GameFolderLock&) = delete;
  ~GameFolderLock();

  // Takes the lock in `datFolder`; refused, naming the holder, while a live process holds it.
  // A lock left by a process that is gone is taken over.
  static core::Result<GameFolderLock> Take(const std::filesystem::path& datFolder);

 private:
  GameFolderLock(std::filesystem::path path, int fd) : path_(std::move(path)), fd_(fd) {}
  std::filesystem::path path_;
  int fd_ = -1;
};

inline constexpr const char* GameLockFileName = "editor.lock";

}  // namespace textform
