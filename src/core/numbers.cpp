#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace core {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The shape of the decimal number at the start of a text: [sign] digits [. digits] [e [sign]
// digits], at least one digit before the exponent. An exponent without digits is not part of it.
struct NumberShape {
  std::size_t length = 0;  // characters taken; 0 when the text does not start with a number
  bool negative = false;
  std::string_view unsigned_;  // the number without its sign, as std::from_chars reads it
  bool allZero = true;         // no significant digit in the mantissa
  long long magnitude = 0;     // decimal exponent of the first significant digit
};

constexpr long long ExponentLimit = 1'000'000'000LL;  // far beyond any double; saturate there

NumberShape ShapeOf(std::string_view text) {
  NumberShape shape;
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    shape.negative = text[at] == '-';
    ++at;
  }
  const std::size_t mantissaStart = at;
  long long digitsBeforePoint = 0;  // significant digits before the point
  long long zerosAfterPoint = 0;    // zeros between the point and the first significant digit
  bool sawDigit = false;
  while (at < text.size() && IsDigit(text[at])) {
    sawDigit = true;
    if (text[at] != '0' || !shape.allZero) {
      shape.allZero = false;
      ++digitsBeforePoint;
    }
    ++at;
  }
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && IsDigit(text[at])) {
      sawDigit = true;
      if (shape.allZero) {
        if (text[at] == '0') {
          ++zerosAfterPoint;
        } else {
          shape.allZero = false;
        }
      }
      ++at;
    }
  }
  if (!sawDigit) {
    return NumberShape{};
  }
  long long exponent = 0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t e = at + 1;
    bool exponentNegative = false;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
      exponentNegative = text[e] == '-';
      ++e;
    }
    if (e < text.size() && IsDigit(text[e])) {
      while (e < text.size() && IsDigit(text[e])) {
        if (exponent < ExponentLimit) {
          exponent = exponent * 10 + (text[e] - '0');
        }
        ++e;
      }
      if (exponentNegative) {
        exponent = -exponent;
      }
      at = e;
    }
  }
  shape.length = at;
  shape.unsigned_ = text.substr(mantissaStart, at - mantissaStart);
  shape.magnitude =
      (digitsBeforePoint > 0 ? digitsBeforePoint - 1 : -(zerosAfterPoint + 1)) + exponent;
  return shape;
}

// Rounds half to even and checks the Integer range after rounding.
NumberReading FromShape(const NumberShape& shape) {
  NumberReading reading;
  if (shape.allZero || shape.magnitude <= -2) {
    return reading;  // below 0.1: rounds to 0
  }
  if (shape.magnitude >= 6) {
    reading.error = NumberError::OutOfRange;
    return reading;
  }
  double value = 0.0;
  const char* first = shape.unsigned_.data();
  const char* last = first + shape.unsigned_.size();
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec != std::errc() || end != last) {
    reading.error = NumberError::NotANumber;  // cannot happen for a shape that was recognised
    return reading;
  }
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
    whole += 1.0;
  }
  // Half to even is symmetric, so the sign goes on after rounding: -2.5 -> -2, -3.5 -> -4.
  if (shape.negative) {
    whole = -whole;
  }
  if (whole < std::numeric_limits<std::int16_t>::min() ||
      whole > std::numeric_limits<std::int16_t>::max()) {
    reading.error = NumberError::OutOfRange;
    return reading;
  }
  reading.value = static_cast<std::int16_t>(whole);
  return reading;
}

std::string_view SkipLeadingBlanks(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) {
    ++at;
  }
  return text.substr(at);
}

}  // namespace

NumberReading ReadLeadingNumber(std::string_view text) {
  const NumberShape shape = ShapeOf(SkipLeadingBlanks(text));
  if (shape.length == 0) {
    return NumberReading{};  // nothing that reads as a number gives 0
  }
  return FromShape(shape);
}

NumberReading ReadWholeNumber(std::string_view text) {
  std::string_view rest = SkipLeadingBlanks(text);
  while (!rest.empty() && IsBlank(rest.back())) {
    rest.remove_suffix(1);
  }
  const NumberShape shape = ShapeOf(rest);
  if (shape.length == 0 || shape.length != rest.size()) {
    NumberReading reading;
    reading.error = NumberError::NotANumber;
    return reading;
  }
  return FromShape(shape);
}

std::string PlainNumber(long long value) {
  return std::to_string(value);
}

std::string NumberWithLeadingBlank(long long value) {
  // The blank stands where a minus sign would be.
  std::string text = std::to_string(value);
  if (value >= 0) text.insert(text.begin(), ' ');
  return text;
}

std::string SquareCoordinatesText(int x, int y) {
  return PlainNumber(x) + "X, " + PlainNumber(y) + "Y";
}

}  // namespace core
