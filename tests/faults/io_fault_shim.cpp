// A shared library for the tests only: it stands in front of the C library's write, sync,
// rename and truncate calls and fails, or photographs the folder after, the n-th of them. Only
// calls on files under IOFAULT_DIR are counted; everything else passes straight through.
//
//   IOFAULT_DIR       the test's game folder (absolute)
//   IOFAULT_RUN       any token; a new token starts the count afresh
//   IOFAULT_AT        the counted call to act on (1 = the first; unset or 0 = none)
//   IOFAULT_MODE      "fail": that call fails (ENOSPC for a write, EIO otherwise) and does
//                     nothing; "crash": that call is done, then IOFAULT_DIR is copied to
//                     IOFAULT_SNAPSHOT, which stands for the folder after a crash at that point
//
// The test program links it (it comes before the C library in the search order, as a preload
// would) and asks it through the iofault_* functions what it counted.

#include "faults/io_fault_shim.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

struct ShimState {
  std::string run;
  int calls = 0;
  bool fired = false;
  std::string firedCall;
  std::string lastCall;
};

ShimState& State() {
  static ShimState state;
  return state;
}

// Set while the shim copies the folder, so its own writes are neither counted nor acted on.
thread_local bool busy = false;

template <class Fn>
Fn Real(const char* name) {
  return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

std::string Absolute(const char* path) {
  if (!path) return {};
  if (path[0] == '/') return path;
  char cwd[PATH_MAX];
  if (!getcwd(cwd, sizeof cwd)) return path;
  return std::string(cwd) + "/" + path;
}

std::string PathOfFd(int fd) {
  char link[64];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  char target[PATH_MAX];
  const ssize_t size = readlink(link, target, sizeof target - 1);
  if (size <= 0) return {};
  return std::string(target, static_cast<std::size_t>(size));
}

bool Under(const std::string& path) {
  const char* dir = std::getenv("IOFAULT_DIR");
  if (!dir || !*dir || path.empty()) return false;
  const std::size_t length = std::strlen(dir);
  return path.compare(0, length, dir) == 0 && (path.size() == length || path[length] == '/');
}

void Snapshot() {
  const char* dir = std::getenv("IOFAULT_DIR");
  const char* to = std::getenv("IOFAULT_SNAPSHOT");
  if (!dir || !to) return;
  std::error_code error;
  std::filesystem::remove_all(to, error);
  std::filesystem::copy(dir, to, std::filesystem::copy_options::recursive, error);
  if (error)
    std::fprintf(stderr, "io_fault_shim: cannot copy %s: %s\n", dir, error.message().c_str());
}

enum class Verdict { Pass, Fail, Snapshot };

// Counts one call on `path` (when it lies under the folder) and says what to do with it.
Verdict Count(const char* call, const std::string& path) {
  if (busy || !Under(path)) return Verdict::Pass;
  ShimState& state = State();
  const char* runToken = std::getenv("IOFAULT_RUN");
  const std::string run = runToken ? runToken : "";
  if (run != state.run) {
    state = ShimState();
    state.run = run;
  }
  ++state.calls;
  state.lastCall = std::string(call) + " " + path;
  const char* at = std::getenv("IOFAULT_AT");
  if (!at || std::atoi(at) != state.calls) return Verdict::Pass;
  state.fired = true;
  state.firedCall = state.lastCall;
  const char* mode = std::getenv("IOFAULT_MODE");
  return mode && std::strcmp(mode, "crash") == 0 ? Verdict::Snapshot : Verdict::Fail;
}

// Runs the real call unless it is the one to fail; photographs the folder after it when asked.
template <class Call>
auto Guarded(const char* name, const std::string& path, int failErrno, Call call) {
  const Verdict verdict = Count(name, path);
  if (verdict == Verdict::Fail) {
    errno = failErrno;
    return static_cast<decltype(call())>(-1);
  }
  auto result = call();
  if (verdict == Verdict::Snapshot) {
    const int saved = errno;
    busy = true;
    Snapshot();
    busy = false;
    errno = saved;
  }
  return result;
}

}  // namespace

extern "C" {

int iofault_calls() {
  return State().calls;
}
int iofault_fired() {
  return State().fired ? 1 : 0;
}
const char* iofault_fired_call() {
  return State().firedCall.c_str();
}

ssize_t write(int fd, const void* data, size_t size) {
  static const auto real = Real<ssize_t (*)(int, const void*, size_t)>("write");
  return Guarded("write", PathOfFd(fd), ENOSPC, [&] { return real(fd, data, size); });
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t offset) {
  static const auto real = Real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
  return Guarded("pwrite", PathOfFd(fd), ENOSPC, [&] { return real(fd, data, size, offset); });
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t offset) {
  static const auto real = Real<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
  return Guarded("pwrite", PathOfFd(fd), ENOSPC, [&] { return real(fd, data, size, offset); });
}

ssize_t writev(int fd, const struct iovec* parts, int count) {
  static const auto real = Real<ssize_t (*)(int, const struct iovec*, int)>("writev");
  return Guarded("writev", PathOfFd(fd), ENOSPC, [&] { return real(fd, parts, count); });
}

ssize_t pwritev(int fd, const struct iovec* parts, int count, off_t offset) {
  static const auto real = Real<ssize_t (*)(int, const struct iovec*, int, off_t)>("pwritev");
  return Guarded("pwritev", PathOfFd(fd), ENOSPC, [&] { return real(fd, parts, count, offset); });
}

int fsync(int fd) {
  static const auto real = Real<int (*)(int)>("fsync");
  return Guarded("fsync", PathOfFd(fd), EIO, [&] { return real(fd); });
}

int fdatasync(int fd) {
  static const auto real = Real<int (*)(int)>("fdatasync");
  return Guarded("fdatasync", PathOfFd(fd), EIO, [&] { return real(fd); });
}

int ftruncate(int fd, off_t size) {
  static const auto real = Real<int (*)(int, off_t)>("ftruncate");
  return Guarded("ftruncate", PathOfFd(fd), EIO, [&] { return real(fd, size); });
}

int ftruncate64(int fd, off64_t size) {
  static const auto real = Real<int (*)(int, off64_t)>("ftruncate64");
  return Guarded("ftruncate", PathOfFd(fd), EIO, [&] { return real(fd, size); });
}

int truncate(const char* path, off_t size) {
  static const auto real = Real<int (*)(const char*, off_t)>("truncate");
  return Guarded("truncate", Absolute(path), EIO, [&] { return real(path, size); });
}

int rename(const char* from, const char* to) {
  static const auto real = Real<int (*)(const char*, const char*)>("rename");
  const std::string target = Under(Absolute(to)) ? Absolute(to) : Absolute(from);
  return Guarded("rename", target, EIO, [&] { return real(from, to); });
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
  static const auto real = Real<int (*)(int, const char*, int, const char*)>("renameat");
  const std::string where = to && to[0] == '/'
                                ? std::string(to)
                                : (toDir == AT_FDCWD ? Absolute(to) : PathOfFd(toDir) + "/" + to);
  return Guarded("rename", where, EIO, [&] { return real(fromDir, from, toDir, to); });
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
  static const auto real = Real<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
  const std::string where = to && to[0] == '/'
                                ? std::string(to)
                                : (toDir == AT_FDCWD ? Absolute(to) : PathOfFd(toDir) + "/" + to);
  return Guarded("rename", where, EIO, [&] { return real(fromDir, from, toDir, to, flags); });
}

}  // extern "C"
