#pragma once

#include "core/record_file.h"
#include "core/status.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace core {

// The two chunks of a pass: one in use, one being read. A run of passes can share them.
struct ChunkBuffers {
  std::vector<std::uint8_t> inUse, next;
};

// What a pass does with one chunk: use(file offset of the chunk, its bytes). False ends the pass.
using ChunkUse = std::function<bool(std::uint64_t, std::span<const std::uint8_t>)>;

// Reads `length` bytes of `file` from `offset` in chunks of `chunkBytes` (the last one shorter)
// and hands them to `use` in file order; bytes past the end of the file read as zeros. With more
// than one chunk, the next chunk is read on a second thread while `use` works on one: the copy
// out of the page cache, about as long as the work, then costs the pass no time of its own. That
// thread reads through a handle of its own, so `use` may reopen or close `file`, but must not
// rely on chunks after the one it is given being read after its own changes. A failed read ends
// the pass with its reason, after the chunks before it were used.
Status ReadInChunks(const RecordFile& file, std::uint64_t offset, std::uint64_t length,
                    std::size_t chunkBytes, ChunkBuffers& buffers, const ChunkUse& use);

}  // namespace core
