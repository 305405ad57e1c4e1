#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace textform {

// Writes JSON the way a designer reads and diffs it: each member of an entry on a line of its
// own, short lists of numbers on one line. The caller says which containers break into lines.
class JsonOut {
 public:
  explicit JsonOut(std::string& text) : text_(text) {}
  // Goes on with a text made in pieces: inside `depth` containers that break into lines, each
  // holding a member already but the innermost, which holds an item when `afterItem`.
  JsonOut(std::string& text, std::size_t depth, bool afterItem)
      : text_(text), levels_(depth, Level{true, false}) {
    if (depth > 0) levels_.back().empty = !afterItem;
  }

  // Starts an object or array; with `lines` its members go on lines of their own.
  void openObject(bool lines) { open('{', lines); }
  void openArray(bool lines) { open('[', lines); }
  void closeObject() { close('}'); }
  void closeArray() { close(']'); }

  // The member's name inside an object; its value follows.
  void key(std::string_view name);
  // Before each value of an array.
  void item();

  void number(std::int64_t value);
  void null() { text_ += "null"; }
  // A text of the game's bytes (Windows-1252) as a JSON string. Control characters, the
  // no-break space and the soft hyphen are escaped, so a diff shows them.
  void gameText(std::string_view bytes);
  // A string of plain ASCII that needs no escapes (names, compact bytes).
  void plain(std::string_view ascii);

 private:
  void open(char bracket, bool lines);
  void close(char bracket);
  void separate();
  void newLine(bool comma);

  struct Level {
    bool lines;
    bool empty;
  };
  std::string& text_;
  std::vector<Level> levels_;
};

}  // namespace textform
