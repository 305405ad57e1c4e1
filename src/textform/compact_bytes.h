#pragma once

#include "core/status.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace textform {

// Bytes that no field shows (slack, a header's unused bytes, a text's exact bytes) as a short
// text: pieces separated by blanks, each either hex pairs ("41420d") or a run of one byte
// ("1076*00"). Zeros and blanks, the usual filling, take a few characters.
std::string CompactBytes(std::span<const std::uint8_t> bytes);
std::string CompactBytes(std::string_view bytes);

// The bytes again; an error saying what is wrong with the text.
core::Result<std::vector<std::uint8_t>> BytesFromCompact(std::string_view text);

bool AllZero(std::span<const std::uint8_t> bytes);

}  // namespace textform
