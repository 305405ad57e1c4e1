#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>
#include <functional>
#include <utility>

namespace test_support {

// A simulated nearly full disk: while a limit is set, each pwrite of the test program asks it
// how many of `wanted` bytes fit (0 = no space left, the write fails with ENOSPC). The test
// library stands in front of the C library's pwrite for this; an empty limit lets every write
// through unchanged. Setting one pulls the stand-in into the program that uses it.
using WriteLimit = std::function<std::size_t(std::size_t wanted)>;
void setWriteLimit(WriteLimit limit);

// A disk with `bytes` left for the life of the object.
class NearlyFullDisk {
 public:
  explicit NearlyFullDisk(std::size_t bytes) : left_(bytes) {
    setWriteLimit([this](std::size_t wanted) {
      const std::size_t granted = std::min(wanted, left_);
      left_ -= granted;
      return granted;
    });
  }
  ~NearlyFullDisk() { setWriteLimit({}); }

 private:
  std::size_t left_;
};

// A disk that lets each low-level write through as far as the next grant says, one grant per
// write; once the grants are used up, every write gets `rest` bytes (0: the disk is full).
class ScriptedDisk {
 public:
  ScriptedDisk(std::deque<std::size_t> grants, std::size_t rest) : grants_(std::move(grants)) {
    setWriteLimit([this, rest](std::size_t wanted) {
      if (grants_.empty()) return std::min(wanted, rest);
      const std::size_t granted = std::min(wanted, grants_.front());
      grants_.pop_front();
      return granted;
    });
  }
  ~ScriptedDisk() { setWriteLimit({}); }

 private:
  std::deque<std::size_t> grants_;
};

}  // namespace test_support
