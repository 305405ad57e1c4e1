#include "textform/game_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

namespace textform {

namespace {

std::string HostName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

std::string ProgramName() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string("editor-check") : self.filename().string();
}

// The holder a lock file names: "process 1234 on host", and whether that process still runs here.
std::string Holder(const std::filesystem::path& path, bool& alive) {
  std::ifstream in(path);
  long pid = 0;
  std::string program, host;
  in >> pid;
  in.ignore(1);
  std::getline(in, program);
  std::getline(in, host);
  alive =
      pid > 0 && (host != HostName() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH);
  if (pid <= 0) return "another editor";
  return "process " + std::to_string(pid) + (host.empty() ? "" : " on " + host);
}

}  // namespace

GameFolderLock::GameFolderLock(GameFolderLock&& other) noexcept
    : path_(std::move(other.path_)), fd_(other.fd_) {
  other.fd_ = -1;
}

GameFolderLock::~GameFolderLock() {
  if (fd_ < 0) return;
  ::unlink(path_.c_str());
  ::close(fd_);
}

core::Result<GameFolderLock> GameFolderLock::Take(const std::filesystem::path& datFolder) {
  const std::filesystem::path path = datFolder / GameLockFileName;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      const std::string contents =
          std::to_string(::getpid()) + "\n" + ProgramName() + "\n" + HostName() + "\n";
      if (::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
          ::write(fd, contents.data(), contents.size()) != static_cast<ssize_t>(contents.size())) {
        const int reason = errno;
        ::close(fd);
        ::unlink(path.c_str());
        return core::Status::Error("Cannot lock the game folder (" + path.string() +
                                   "): " + std::strerror(reason));
      }
      return GameFolderLock(path, fd);
    }
    if (errno != EEXIST)
      return core::Status::Error("Cannot lock the game folder (" + path.string() +
                                 "): " + std::strerror(errno));
    // Someone's lock file: held while its process holds the advisory lock or still runs.
    const int existing = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (existing < 0) continue;  // gone in the meantime
    const bool free = ::flock(existing, LOCK_EX | LOCK_NB) == 0;
    bool alive = true;
    const std::string holder = Holder(path, alive);
    if (!free || alive) {
      ::close(existing);
      return core::Status::Error("An editor (" + holder + ") has the game folder open (" +
                                 path.string() + "); close it first");
    }
    ::unlink(path.c_str());  // stale: its process is gone
    ::close(existing);
  }
  return core::Status::Error("Cannot lock the game folder (" + path.string() +
                             "): another program keeps making the lock file");
}

}  // namespace textform
