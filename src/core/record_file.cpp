#include "core/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <limits>
#include <system_error>
#include <utility>
#include <vector>

namespace core {

namespace {

std::string Reason(int error) {
  return std::strerror(error);
}

Status Failure(const std::string& what, const std::filesystem::path& path, int error) {
  return Status::Error("Cannot " + what + " " + path.string() + ": " + Reason(error));
}

Status Failure(const std::string& what, const std::filesystem::path& path,
               const std::string& reason) {
  return Status::Error("Cannot " + what + " " + path.string() + ": " + reason);
}

bool HasWriteBit(mode_t mode) {
  return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = ::open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

int TruncateRetrying(int fd, std::uint64_t size) {
  int result;
  do {
    result = ::ftruncate(fd, static_cast<off_t>(size));
  } while (result != 0 && errno == EINTR);
  return result;
}

// Largest byte offset a slot may reach; beyond it the slot number is nonsense.
constexpr std::uint64_t MaxFileOffset =
    static_cast<std::uint64_t>(std::numeric_limits<off_t>::max());

}  // namespace

RecordFile::RecordFile(RecordFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      readOnly_(std::exchange(other.readOnly_, false)),
      created_(std::exchange(other.created_, false)),
      slotLength_(std::exchange(other.slotLength_, 0)),
      path_(std::move(other.path_)) {}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    readOnly_ = std::exchange(other.readOnly_, false);
    created_ = std::exchange(other.created_, false);
    slotLength_ = std::exchange(other.slotLength_, 0);
    path_ = std::move(other.path_);
  }
  return *this;
}

RecordFile::~RecordFile() {
  Close();
}

RecordFile RecordFile::Unopened(const std::filesystem::path& path, std::size_t slotLength) {
  RecordFile file;
  // Messages name the file in full, whatever folder the editor was started from.
  std::error_code error;
  file.path_ = std::filesystem::absolute(path, error);
  if (error) file.path_ = path;
  file.slotLength_ = slotLength;
  return file;
}

Result<RecordFile> RecordFile::Open(const std::filesystem::path& path, std::size_t slotLength,
                                    bool createMissing) {
  RecordFile file = Unopened(path, slotLength);
  if (slotLength == 0) return Failure("open", file.path_, "a slot length of 0 bytes");

  struct stat info {};
  const bool exists = ::stat(path.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return Failure("open", file.path_, errno);
  if (!exists && !createMissing) {
    return Status::FileMissing("Cannot open " + file.path_.string() +
                               ": the file is missing (removed or renamed since it was read)");
  }
  if (exists && S_ISDIR(info.st_mode)) return Failure("open", file.path_, EISDIR);

  // Running as root, O_RDWR succeeds on a file without write bits; the designer's chmod is
  // what says "do not touch this file", so honour the bits themselves.
  if (exists && !HasWriteBit(info.st_mode)) {
    file.fd_ = OpenRetrying(path.c_str(), O_RDONLY);
    file.readOnly_ = true;
  } else {
    file.fd_ = OpenRetrying(path.c_str(), createMissing ? O_RDWR | O_CREAT : O_RDWR, 0644);
    if (file.fd_ < 0 && exists && (errno == EACCES || errno == EROFS || errno == EPERM)) {
      file.fd_ = OpenRetrying(path.c_str(), O_RDONLY);
      file.readOnly_ = true;
    }
  }
  if (file.fd_ < 0) return Failure("open", file.path_, errno);
  file.created_ = !exists;
  return file;
}

Result<RecordFile> RecordFile::OpenForReading(const std::filesystem::path& path,
                                              std::size_t slotLength) {
  RecordFile file = Unopened(path, slotLength);
  if (slotLength == 0) return Failure("open", file.path_, "a slot length of 0 bytes");
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return Failure("open", file.path_, errno);
  if (S_ISDIR(info.st_mode)) return Failure("open", file.path_, EISDIR);
  file.fd_ = OpenRetrying(path.c_str(), O_RDONLY);
  if (file.fd_ < 0) return Failure("open", file.path_, errno);
  file.readOnly_ = true;
  return file;
}

Result<RecordFile> RecordFile::SecondHandle() const {
  if (!isOpen()) return Failure("read", path_, "the file is not open");
  RecordFile file = Unopened(path_, slotLength_);
  file.fd_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
  if (file.fd_ < 0) return Failure("read", path_, errno);
  file.readOnly_ = true;
  return file;
}

Status RecordFile::Read(long slot, std::span<std::uint8_t> out) const {
  if (!isOpen()) return Failure("read", path_, "the file is not open");
  if (slot < 1) {
    return Failure("read", path_,
                   "slot " + std::to_string(slot) + " does not exist, slots start at 1");
  }
  if (out.size() > slotLength_) {
    return Failure(
        "read", path_,
        std::to_string(out.size()) + " bytes do not fit a slot of " + std::to_string(slotLength_));
  }
  const auto index = static_cast<std::uint64_t>(slot - 1);
  if (index > (MaxFileOffset - slotLength_) / slotLength_) {
    return Failure("read", path_, "slot " + std::to_string(slot) + " lies beyond any file");
  }
  return ReadAt(index * slotLength_, out);
}

Status RecordFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (!isOpen()) return Failure("read", path_, "the file is not open");
  if (offset > MaxFileOffset || out.size() > MaxFileOffset - offset) {
    return Failure("read", path_, "offset " + std::to_string(offset) + " lies beyond any file");
  }
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t got =
        ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
    if (got < 0) {
      if (errno == EINTR) continue;
      return Failure("read", path_, errno);
    }
    if (got == 0) break;  // end of file
    done += static_cast<std::size_t>(got);
  }
  // Past the end of the file a slot reads as zeros: a map never saved is an empty map.
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(done), out.end(), std::uint8_t{0});
  return Status::Ok();
}

Status RecordFile::Write(long slot, std::span<const std::uint8_t> data) {
  if (!isOpen()) return Failure("write", path_, "the file is not open");
  if (readOnly_) return Failure("write", path_, "the file is read-only");
  if (slot < 1) {
    return Failure("write", path_,
                   "slot " + std::to_string(slot) + " does not exist, slots start at 1");
  }
  if (data.size() > slotLength_) {
    return Failure(
        "write", path_,
        std::to_string(data.size()) + " bytes do not fit a slot of " + std::to_string(slotLength_));
  }
  const auto index = static_cast<std::uint64_t>(slot - 1);
  if (index > (MaxFileOffset - slotLength_) / slotLength_) {
    return Failure("write", path_, "slot " + std::to_string(slot) + " lies beyond any file");
  }
  const std::uint64_t start = index * slotLength_;
  const std::uint64_t slotEnd = start + slotLength_;

  struct stat info {};
  if (::fstat(fd_, &info) != 0) return Failure("write", path_, errno);
  if (static_cast<std::uint64_t>(info.st_size) < slotEnd) {
    // The gap and the new slot's slack become zeros, never stale disk blocks.
    if (TruncateRetrying(fd_, slotEnd) != 0) return Failure("write", path_, errno);
  }

  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t put =
        ::pwrite(fd_, data.data() + done, data.size() - done, static_cast<off_t>(start + done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      const int error = put < 0 ? errno : ENOSPC;
      // An extension that could not be filled is undone: no blank or half-written slot stays.
      if (static_cast<std::uint64_t>(info.st_size) < slotEnd) {
        TruncateRetrying(fd_, static_cast<std::uint64_t>(info.st_size));
      }
      return Failure("write", path_, error);
    }
    done += static_cast<std::size_t>(put);
  }
  return Status::Ok();
}

Status RecordFile::Store(long slot, std::span<const std::uint8_t> data) {
  auto before = Size();
  if (!before.ok()) return before.status();
  std::vector<std::uint8_t> old(data.size());
  Status status = Read(slot, old);
  if (!status.ok()) return status;
  status = Write(slot, data);
  if (status.ok()) status = Sync();
  if (status.ok()) return status;
  return Status::WithFailedUndo(status, PutBack(slot, old, *before));
}

Status RecordFile::PutBack(long slot, std::span<const std::uint8_t> old, std::uint64_t oldSize) {
  if (!isOpen() || readOnly_) return Status::Ok();  // nothing can have been written
  bool changed = false;
  const std::uint64_t start = static_cast<std::uint64_t>(slot - 1) * slotLength_;
  if (slot >= 1 && start < oldSize) {
    // Only the bytes that were in the file: the rest goes with the cut back.
    const auto inside =
        static_cast<std::size_t>(std::min<std::uint64_t>(old.size(), oldSize - start));
    std::vector<std::uint8_t> now(inside);
    Status status = Read(slot, now);
    if (!status.ok()) return status;
    if (!std::equal(now.begin(), now.end(), old.begin())) {
      status = Write(slot, old.first(inside));
      if (!status.ok()) return status;
      changed = true;
    }
  }
  auto size = Size();
  if (!size.ok()) return size.status();
  if (*size > oldSize) {
    if (TruncateRetrying(fd_, oldSize) != 0) return Failure("write", path_, errno);
    changed = true;
  }
  return changed ? Sync() : Status::Ok();
}

Status RecordFile::CutBackTo(std::uint64_t size) {
  if (!isOpen()) return Failure("write", path_, "the file is not open");
  if (TruncateRetrying(fd_, size) != 0) return Failure("write", path_, errno);
  return Sync();
}

namespace {

int SyncRetrying(int fd) {
  int result;
  do {
    result = ::fsync(fd);
  } while (result != 0 && errno == EINTR);
  return result;
}

// Writes all of `contents` from the start of a fresh file; errno tells why when it cannot.
bool WriteWhole(int fd, std::span<const std::uint8_t> contents) {
  std::size_t done = 0;
  while (done < contents.size()) {
    const ssize_t put =
        ::pwrite(fd, contents.data() + done, contents.size() - done, static_cast<off_t>(done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      if (put == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// The rename is only lasting once the folder that holds the name is on disk too.
int SyncFolder(const std::filesystem::path& folder) {
  const int fd = OpenRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return -1;
  const int result = SyncRetrying(fd);
  const int error = errno;
  ::close(fd);
  errno = error;
  return result;
}

}  // namespace

Status RecordFile::ReplaceWith(std::span<const std::uint8_t> contents) {
  if (!isOpen()) return Failure("save", path_, "the file is not open");
  if (readOnly_) return Failure("save", path_, "the file is read-only");
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return Failure("save", path_, errno);
  // A link stays a link: the file it names is the one replaced.
  std::error_code error;
  std::filesystem::path target = std::filesystem::canonical(path_, error);
  if (error) target = path_;
  std::string name = (target.parent_path() / (target.filename().string() + ".new.XXXXXX")).string();
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return Failure("save", path_, errno);
  const auto abandon = [&](int reason) {
    ::close(fd);
    ::unlink(name.c_str());
    return Failure("save", path_, reason);
  };
  if (::fchmod(fd, info.st_mode & 07777) != 0) return abandon(errno);
  // Only root may give the file away; anyone else keeps the game's files as their own anyway.
  if (::geteuid() == 0) (void)!::fchown(fd, info.st_uid, info.st_gid);
  if (!WriteWhole(fd, contents)) return abandon(errno);
  if (SyncRetrying(fd) != 0) return abandon(errno);
  if (::close(fd) != 0) {
    const int reason = errno;
    ::unlink(name.c_str());
    return Failure("save", path_, reason);
  }
  if (::rename(name.c_str(), target.c_str()) != 0) {
    const int reason = errno;
    ::unlink(name.c_str());
    return Failure("save", path_, reason);
  }
  // From here the path names the new file whatever else fails: this object follows it.
  const int folderSynced = SyncFolder(target.parent_path());
  const int folderError = errno;
  auto reopened = Open(path_, slotLength_);
  if (!reopened.ok()) return reopened.status();
  const std::uint64_t syncs = syncs_;
  *this = std::move(reopened.value());
  syncs_ = syncs + 1;
  if (folderSynced != 0) return Failure("save", path_, folderError);
  return Status::Ok();
}

Result<bool> RecordFile::StillAtPath() const {
  if (!isOpen()) return Failure("read", path_, "the file is not open");
  struct stat open {};
  if (::fstat(fd_, &open) != 0) return Failure("read", path_, errno);
  struct stat named {};
  if (::stat(path_.c_str(), &named) != 0) {
    if (errno == ENOENT) return false;
    return Failure("read", path_, errno);
  }
  return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

Status RecordFile::Sync() {
  if (!isOpen()) return Failure("save", path_, "the file is not open");
  if (readOnly_) return Status::Ok();  // nothing can have been written
  if (SyncRetrying(fd_) != 0) return Failure("save", path_, errno);
  ++syncs_;
  return Status::Ok();
}

Result<std::uint64_t> RecordFile::Size() const {
  if (!isOpen()) return Failure("measure", path_, "the file is not open");
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return Failure("measure", path_, errno);
  return static_cast<std::uint64_t>(info.st_size);
}

void RecordFile::Close() {
  if (fd_ >= 0) {
    // Every write command syncs before it returns, so nothing is left for close to report.
    ::close(fd_);
    fd_ = -1;
  }
  readOnly_ = false;
  created_ = false;
}

std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& folder,
                                          const std::string& name) {
  std::error_code error;
  const std::filesystem::path exact = folder / name;
  if (std::filesystem::exists(exact, error)) return exact;

  const auto lower = [](std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
  };
  const std::string wanted = lower(name);
  // When several spellings exist, take the first in byte order so the choice is stable.
  std::filesystem::path best;
  std::filesystem::directory_iterator it(folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::string candidate = it->path().filename().string();
    if (lower(candidate) != wanted) continue;
    if (best.empty() || candidate < best.filename().string()) best = it->path();
  }
  return best.empty() ? exact : best;
}

}  // namespace core
