#include "textform/compact_bytes.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace textform {

namespace {

constexpr std::size_t ShortestRun = 4;  // shorter runs read better as hex
constexpr char Hex[] = "0123456789abcdef";

// The refusal of one piece; built by appending (GCC 12 at -O3 warns wrongly on "..." + string).
core::Status BadPiece(std::string_view piece, std::string_view what) {
  std::string message = "\"";
  message.append(piece).append("\" ").append(what);
  return core::Status::Error(message);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string CompactBytes(std::span<const std::uint8_t> bytes) {
  std::string text;
  bool inHex = false;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t end = at + 1;
    while (end < bytes.size() && bytes[end] == bytes[at]) ++end;
    if (end - at >= ShortestRun) {
      if (!text.empty()) text += ' ';
      text += std::to_string(end - at);
      text += '*';
      text += Hex[bytes[at] >> 4];
      text += Hex[bytes[at] & 15];
      inHex = false;
      at = end;
      continue;
    }
    if (!inHex && !text.empty()) text += ' ';
    inHex = true;
    for (; at < end; ++at) {
      text += Hex[bytes[at] >> 4];
      text += Hex[bytes[at] & 15];
    }
  }
  return text;
}

std::string CompactBytes(std::string_view bytes) {
  return CompactBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

core::Result<std::vector<std::uint8_t>> BytesFromCompact(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == ' ') {
      ++at;
      continue;
    }
    std::size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view piece = text.substr(at, end - at);
    const std::size_t star = piece.find('*');
    if (star != std::string_view::npos) {
      std::size_t count = 0;
      const auto [rest, error] = std::from_chars(piece.data(), piece.data() + star, count);
      const int high = piece.size() == star + 3 ? HexValue(piece[star + 1]) : -1;
      const int low = piece.size() == star + 3 ? HexValue(piece[star + 2]) : -1;
      if (error != std::errc() || rest != piece.data() + star || high < 0 || low < 0 ||
          count > (std::size_t{1} << 26))
        return BadPiece(piece, "is not a run of bytes (count*hex, as 40*00)");
      bytes.insert(bytes.end(), count, static_cast<std::uint8_t>(high * 16 + low));
    } else {
      if (piece.size() % 2 != 0) return BadPiece(piece, "has an odd number of hex digits");
      for (std::size_t i = 0; i < piece.size(); i += 2) {
        const int high = HexValue(piece[i]);
        const int low = HexValue(piece[i + 1]);
        if (high < 0 || low < 0) return BadPiece(piece, "is not hex bytes");
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
      }
    }
    at = end;
  }
  return bytes;
}

bool AllZero(std::span<const std::uint8_t> bytes) {
  // Slack runs to thousands of bytes a slot: eight at a time.
  std::size_t at = 0;
  for (; at + 8 <= bytes.size(); at += 8) {
    std::uint64_t eight;
    std::memcpy(&eight, bytes.data() + at, 8);
    if (eight != 0) return false;
  }
  return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end(),
                     [](std::uint8_t b) { return b == 0; });
}

}  // namespace textform
