#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

enum class NumberError {
  None,        // the value is good
  NotANumber,  // whole-text reading only: the text is not a number
  OutOfRange,  // the rounded value lies outside -32768..32767
};

struct NumberReading {
  std::int16_t value = 0;
  NumberError error = NumberError::None;
  bool ok() const { return error == NumberError::None; }
};

// Input boxes and the special window: blanks skipped, the longest leading decimal number (sign,
// digits, one decimal point, optional exponent) taken, the rest ignored; no number gives 0.
// Fractions round half to even (2.5 -> 2, 3.5 -> 4).
NumberReading ReadLeadingNumber(std::string_view text);

// Catalogue editors: the whole text (surrounding blanks allowed) must be one decimal number.
// Same rounding and range as ReadLeadingNumber; empty text is NotANumber.
NumberReading ReadWholeNumber(std::string_view text);

// "15", "-3".
std::string PlainNumber(long long value);

// " 15", " 0", "-3": the form used for counts, record lines and default answers.
std::string NumberWithLeadingBlank(long long value);

// A square of the map as the windows name it: "5X, 7Y".
std::string SquareCoordinatesText(int x, int y);

}  // namespace core
