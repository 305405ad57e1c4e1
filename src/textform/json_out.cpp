#include "textform/json_out.h"

#include "core/text.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace textform {

namespace {

// Each byte of the game's code page as it stands inside a JSON string, and whether it stands
// for itself (plain ASCII), so that runs of those are copied whole.
struct EscapeTable {
  struct Form {
    std::uint8_t length = 0;
    char bytes[7] = {};
  };
  std::array<Form, 256> forms;
  std::array<bool, 256> plain{};
  EscapeTable() {
    constexpr char Hex[] = "0123456789abcdef";
    for (int byte = 0; byte < 256; ++byte) {
      const char single = static_cast<char>(byte);
      const char32_t point = core::DecodeWindows1252(std::string_view(&single, 1))[0];
      std::string form;
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
        plain[static_cast<std::size_t>(byte)] = true;
      } else if (point < 0x800) {
        form += static_cast<char>(0xC0 | (point >> 6));
        form += static_cast<char>(0x80 | (point & 0x3F));
      } else {
        form += static_cast<char>(0xE0 | (point >> 12));
        form += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        form += static_cast<char>(0x80 | (point & 0x3F));
      }
      Form& stored = forms[static_cast<std::size_t>(byte)];
      stored.length = static_cast<std::uint8_t>(form.size());
      std::copy(form.begin(), form.end(), stored.bytes);
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
  if (level.lines && !level.empty) newLine(false);
  text_ += bracket;
}

// A comma when asked, a line break and the indent of the present depth, in one append.
void JsonOut::newLine(bool comma) {
  static constexpr std::string_view Pieces =
      ",\n                                                              ";
  const std::size_t indent = 2 * levels_.size();
  const std::string_view piece = Pieces.substr(comma ? 0 : 1);
  const std::size_t breakLength = comma ? 2 : 1;
  if (breakLength + indent <= piece.size()) {
    text_.append(piece.substr(0, breakLength + indent));
  } else {
    text_.append(piece.substr(0, breakLength));
    text_.append(indent, ' ');
  }
}

void JsonOut::separate() {
  Level& level = levels_.back();
  if (level.lines)
    newLine(!level.empty);
  else if (!level.empty)
    text_.append(", ", 2);
  level.empty = false;
}

void JsonOut::key(std::string_view name) {
  separate();
  const std::size_t at = text_.size();
  text_.resize(at + name.size() + 4);
  char* out = text_.data() + at;
  *out++ = '"';
  out = std::copy(name.begin(), name.end(), out);
  *out++ = '"';
  *out++ = ':';
  *out = ' ';
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
  const EscapeTable& table = Escapes();
  text_ += '"';
  const char* run = bytes.data();
  const char* const end = bytes.data() + bytes.size();
  for (const char* at = run; at != end; ++at) {
    const auto byte = static_cast<unsigned char>(*at);
    if (table.plain[byte]) continue;
    text_.append(run, at);
    const EscapeTable::Form& form = table.forms[byte];
    text_.append(form.bytes, form.length);
    run = at + 1;
  }
  text_.append(run, end);
  text_ += '"';
}

void JsonOut::plain(std::string_view ascii) {
  text_ += '"';
  text_ += ascii;
  text_ += '"';
}

}  // namespace textform
