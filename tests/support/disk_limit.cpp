#include "support/disk_limit.h"

#include <dlfcn.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

test_support::WriteLimit& Limit() {
  static test_support::WriteLimit limit;
  return limit;
}

// The C library's call (or a sanitizer's in front of it), with the limit applied first.
template <class Offset>
ssize_t LimitedWrite(const char* name, int fd, const void* data, size_t size, Offset offset) {
  using Real = ssize_t (*)(int, const void*, size_t, Offset);
  static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, name));
  if (const auto& limit = Limit()) {
    size = std::min(size, limit(size));
    if (size == 0) {
      errno = ENOSPC;
      return -1;
    }
  }
  return real(fd, data, size, offset);
}

}  // namespace

namespace test_support {

void setWriteLimit(WriteLimit limit) {
  Limit() = std::move(limit);
}

}  // namespace test_support

// Defined in the program, these come before the C library's for every caller in it.
extern "C" {

ssize_t pwrite(int fd, const void* data, size_t size, off_t offset) {
  return LimitedWrite("pwrite", fd, data, size, offset);
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t offset) {
  return LimitedWrite("pwrite64", fd, data, size, offset);
}

}  // extern "C"
