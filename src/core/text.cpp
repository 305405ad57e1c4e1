#include "core/text.h"

#include <array>

namespace core {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the control characters of the same value, so that every byte a
// designer's file holds survives a trip through a window.
constexpr std::array<char32_t, 32> HighControlBlock = {
    U'\u20AC', U'\u0081', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\u008D', U'\u017D', U'\u008F',
    U'\u0090', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\u009D', U'\u017E', U'\u0178',
};

char EncodeOne(char32_t point) {
  if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) {
    return static_cast<char>(static_cast<unsigned char>(point));
  }
  for (std::size_t i = 0; i < HighControlBlock.size(); ++i) {
    if (HighControlBlock[i] == point) {
      return static_cast<char>(static_cast<unsigned char>(0x80 + i));
    }
  }
  return '?';
}

}  // namespace

std::string FixedText(std::string_view bytes, std::size_t width) {
  std::string text(bytes.substr(0, width));
  text.resize(width, ' ');
  return text;
}

std::string TrimTrailingBlanks(std::string_view bytes) {
  const std::size_t end = bytes.find_last_not_of(' ');
  if (end == std::string_view::npos) {
    return std::string();
  }
  return std::string(bytes.substr(0, end + 1));
}

std::u32string DecodeWindows1252(std::string_view bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 0x80 && value <= 0x9F) {
      text.push_back(HighControlBlock[value - 0x80u]);
    } else {
      text.push_back(static_cast<char32_t>(value));
    }
  }
  return text;
}

bool InWindows1252(char32_t point) {
  return point == U'?' || EncodeOne(point) != '?';
}

std::string EncodeWindows1252(std::u32string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (const char32_t point : text) {
    bytes.push_back(EncodeOne(point));
  }
  return bytes;
}

}  // namespace core
