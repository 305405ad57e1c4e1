#include "textform/json_out.h"

#include "core/text.h"

#include <array>
#include <charconv>

namespace textform {

namespace {

// Each byte of the game's code page as it stands inside a JSON string.
struct EscapeTable {
  std::array<std::string, 256> forms;
  EscapeTable() {
    constexpr char Hex[] = "0123456789abcdef";
    for (int byte = 0; byte < 256; ++byte) {
      const char single = static_cast<char>(byte);
      const char32_t point = core::DecodeWindows1252(std::string_view(&single, 1))[0];
      std::string& form = forms[static_cast<std::size_t>(byte)];
      if (point == U'"') {
        form = "\\\"";
      } else if (point == U'\\') {
        form = "\\\\";
      } else if (point == U'\n') {
        form = "\\n";
      } else if (point == U'\r') {
        form = "\\r";
      } else if (point == U'\t') {
        form = "\\t";
      } else if (point < 0x20 || (point >= 0x7F && point <= 0xA0) || point == 0xAD) {
        form = "\\u00";
        form += Hex[point >> 4];
        form += Hex[point & 15];
      } else if (point < 0x80) {
        form = single;
      } else if (point < 0x800) {
        form += static_cast<char>(0xC0 | (point >> 6));
        form += static_cast<char>(0x80 | (point & 0x3F));
      } else {
        form += static_cast<char>(0xE0 | (point >> 12));
        form += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        form += static_cast<char>(0x80 | (point & 0x3F));
      }
    }
  }
};

const EscapeTable& Escapes() {
  static const EscapeTable table;
  return table;
}

}  // namespace

void JsonOut::open(char bracket, bool lines) {
  text_ += bracket;
  levels_.push_back({lines, true});
}

void JsonOut::close(char bracket) {
  const Level level = levels_.back();
  levels_.pop_back();
  if (level.lines && !level.empty) {
    text_ += '\n';
    text_.append(2 * levels_.size(), ' ');
  }
  text_ += bracket;
}

void JsonOut::separate() {
  Level& level = levels_.back();
  if (!level.empty) text_ += level.lines ? "," : ", ";
  if (level.lines) {
    text_ += '\n';
    text_.append(2 * levels_.size(), ' ');
  }
  level.empty = false;
}

void JsonOut::key(std::string_view name) {
  separate();
  text_ += '"';
  text_ += name;
  text_ += "\": ";
}

void JsonOut::item() {
  separate();
}

void JsonOut::number(std::int64_t value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  text_.append(digits, end);
}

void JsonOut::gameText(std::string_view bytes) {
  const auto& forms = Escapes().forms;
  text_ += '"';
  for (const char byte : bytes) text_ += forms[static_cast<unsigned char>(byte)];
  text_ += '"';
}

void JsonOut::plain(std::string_view ascii) {
  text_ += '"';
  text_ += ascii;
  text_ += '"';
}

}  // namespace textform
