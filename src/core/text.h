#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace core {

// Texts live in the records as the game's single bytes (Windows-1252). Conversion to the
// characters a window shows is lossless both ways: the five bytes that Windows-1252 leaves
// undefined map to the control characters of the same value and back.

// The text cut to `width` bytes or padded with blanks up to it.
std::string FixedText(std::string_view bytes, std::size_t width);

// The text without its trailing blanks (for lists that show names trimmed).
std::string TrimTrailingBlanks(std::string_view bytes);

// Bytes to Unicode code points, one code point per byte.
std::u32string DecodeWindows1252(std::string_view bytes);

// Code points to bytes; a character the code page cannot hold becomes '?'.
std::string EncodeWindows1252(std::u32string_view text);
// Whether the code page holds the character (the undefined five as their control characters).
bool InWindows1252(char32_t point);

}  // namespace core
