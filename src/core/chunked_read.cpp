#include "core/chunked_read.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace core {

namespace {

// Where chunk k of a pass lies.
struct Chunks {
  std::uint64_t offset, length;
  std::size_t chunkBytes;

  std::uint64_t count() const { return (length + chunkBytes - 1) / chunkBytes; }
  std::uint64_t at(std::uint64_t k) const { return offset + k * chunkBytes; }
  std::size_t size(std::uint64_t k) const {
    return static_cast<std::size_t>(std::min<std::uint64_t>(chunkBytes, length - k * chunkBytes));
  }
};

Status ReadOnThisThread(const RecordFile& file, const Chunks& chunks, ChunkBuffers& buffers,
                        const ChunkUse& use) {
  for (std::uint64_t k = 0; k < chunks.count(); ++k) {
    buffers.inUse.resize(chunks.size(k));
    if (Status status = file.ReadAt(chunks.at(k), buffers.inUse); !status.ok()) return status;
    if (!use(chunks.at(k), buffers.inUse)) break;
  }
  return Status::Ok();
}

// The reading thread, one chunk ahead of the pass: chunk k goes into buffer k % 2, once the
// pass is done with chunk k - 2. Stopped and joined when the pass ends, however it ends.
class ReadAhead {
 public:
  ReadAhead(const RecordFile& file, const Chunks& chunks, ChunkBuffers& buffers)
      : file_(file), chunks_(chunks), buffers_{&buffers.inUse, &buffers.next} {
    thread_ = std::thread([this] { readAll(); });
  }
  ~ReadAhead() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  Status useAll(const ChunkUse& use) {
    for (std::uint64_t k = 0; k < chunks_.count(); ++k) {
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return read_ > k || failed_; });
        if (read_ <= k) return failure_;
      }
      const bool more = use(chunks_.at(k), *buffers_[k % 2]);
      {
        std::lock_guard lock(mutex_);
        used_ = k + 1;
      }
      changed_.notify_all();
      if (!more) break;
    }
    return Status::Ok();
  }

 private:
  void readAll() {
    for (std::uint64_t k = 0; k < chunks_.count(); ++k) {
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stop_ || k < used_ + 2; });
        if (stop_) return;
      }
      std::vector<std::uint8_t>& buffer = *buffers_[k % 2];
      buffer.resize(chunks_.size(k));
      Status status = file_.ReadAt(chunks_.at(k), buffer);
      const bool ok = status.ok();
      {
        std::lock_guard lock(mutex_);
        if (ok) {
          read_ = k + 1;
        } else {
          failure_ = std::move(status);
          failed_ = true;
        }
      }
      changed_.notify_all();
      if (!ok) return;
    }
  }

  const RecordFile& file_;
  const Chunks chunks_;
  std::array<std::vector<std::uint8_t>*, 2> buffers_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t read_ = 0;  // chunks read
  std::uint64_t used_ = 0;  // chunks the pass is done with
  bool failed_ = false;
  bool stop_ = false;
  Status failure_ = Status::Ok();
  std::thread thread_;  // last: started once everything above is set
};

}  // namespace

Status ReadInChunks(const RecordFile& file, std::uint64_t offset, std::uint64_t length,
                    std::size_t chunkBytes, ChunkBuffers& buffers, const ChunkUse& use) {
  const Chunks chunks{offset, length, std::max<std::size_t>(1, chunkBytes)};
  if (chunks.count() < 2) return ReadOnThisThread(file, chunks, buffers, use);
  auto second = file.SecondHandle();
  if (!second.ok()) return second.status();
  std::optional<ReadAhead> reader;
  try {
    reader.emplace(*second, chunks, buffers);
  } catch (const std::system_error&) {
    // No thread to be had: the same pass, one read after the other, through the second handle.
    return ReadOnThisThread(*second, chunks, buffers, use);
  }
  return reader->useAll(use);
}

}  // namespace core
