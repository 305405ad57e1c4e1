#pragma once

#include <optional>
#include <string>
#include <utility>

namespace core {

// The outcome of a data-store operation. A failure carries a message for the designer that names
// the file (or folder) and the reason; the windows show it as it stands.
class Status {
 public:
  Status() = default;
  static Status Ok() { return Status(); }
  static Status Error(std::string message) {
    Status status;
    status.failed_ = true;
    status.message_ = std::move(message);
    return status;
  }

  // Nothing was written because the slot on disk no longer holds what this editor read or last
  // wrote there (another editor changed it). The window asks, then writes again with overwrite.
  static Status ChangedOnDisk(std::string message) {
    Status status = Error(std::move(message));
    status.changedOnDisk_ = true;
    return status;
  }

  // Nothing was written because the file is gone (removed or renamed while the editor ran).
  // The window asks before a new file is made in its place.
  static Status FileMissing(std::string message) {
    Status status = Error(std::move(message));
    status.fileMissing_ = true;
    return status;
  }

  // A failed write, and the failure of putting the file back as it was (empty when that worked).
  static Status WithFailedUndo(Status failure, const Status& undo) {
    if (undo.ok()) return failure;
    failure.message_ += "\nPutting the file back as it was failed too. " + undo.message_;
    return failure;
  }

  bool ok() const { return !failed_; }
  bool changedOnDisk() const { return changedOnDisk_; }
  bool fileMissing() const { return fileMissing_; }
  const std::string& message() const { return message_; }

 private:
  bool failed_ = false;
  bool changedOnDisk_ = false;
  bool fileMissing_ = false;
  std::string message_;
};

// A value or the Status that explains why there is none.
template <class T>
class Result {
 public:
  Result(T value) : value_(std::move(value)) {}        // NOLINT: implicit by design
  Result(Status error) : status_(std::move(error)) {}  // NOLINT: implicit by design

  bool ok() const { return value_.has_value(); }
  const Status& status() const { return status_; }
  T& value() & { return *value_; }
  const T& value() const& { return *value_; }
  T&& value() && { return std::move(*value_); }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  T& operator*() & { return *value_; }
  const T& operator*() const& { return *value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

}  // namespace core
