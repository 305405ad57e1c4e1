#pragma once

#include <cstddef>
#include <functional>

namespace test_support {

// A simulated nearly full disk: while a limit is set, each pwrite of the test program asks it
// how many of `wanted` bytes fit (0 = no space left, the write fails with ENOSPC). The test
// library stands in front of the C library's pwrite for this; an empty limit lets every write
// through unchanged. Setting one pulls the stand-in into the program that uses it.
using WriteLimit = std::function<std::size_t(std::size_t wanted)>;
void setWriteLimit(WriteLimit limit);

}  // namespace test_support
