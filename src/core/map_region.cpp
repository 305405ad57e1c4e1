#include "core/map_region.h"

#include "core/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace core {

namespace {

constexpr std::array<std::uint8_t, 4> ByteFormMagic = {'M', 'S', 'Q', 'R'};
constexpr std::uint8_t ByteFormNumber = 1;
constexpr std::size_t ByteFormHeader = 8;
constexpr std::string_view TextHeading = "Map Editor squares";
// A whole map's squares and specials make some 20 kB of text; a text far past that is something
// else, and is refused before it is split into words.
constexpr std::size_t LongestText = 1 << 20;

// The eleven fields of a special, in the order of the table, with the names the code gives them.
constexpr std::array<std::string_view, SpecialFieldCount> SpecialFieldNames = {
    "Kind",   "Spare",  "SquareX",  "SquareY",  "Param1",   "Param2",
    "Param3", "Param4", "CondFlag", "CondTest", "CondValue"};

using SpecialFields = std::array<std::int16_t, SpecialFieldCount>;

SpecialFields FieldsOf(const MapSpecial& s) {
  return {s.Kind,   s.Spare,  s.SquareX,  s.SquareY,  s.Param1,   s.Param2,
          s.Param3, s.Param4, s.CondFlag, s.CondTest, s.CondValue};
}

MapSpecial SpecialOf(const SpecialFields& f) {
  return {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10]};
}

SquareRect OnTheMap(const SquareRect& rect) {
  if (rect.empty()) return {};
  SquareRect cut{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, MapSize - 1),
                 std::min(rect.bottom, MapSize - 1)};
  return cut.empty() ? SquareRect{} : cut;
}

bool SizeFits(int width, int height) {
  return width >= 1 && width <= MapSize && height >= 1 && height <= MapSize;
}

// A pasted special must sit on one of the region's squares and be in use; anything else in
// input from another program is refused rather than guessed at.
std::string SpecialProblem(const MapSpecial& special, int width, int height) {
  if (special.Kind < 1) return "a special is not in use (Kind " + PlainNumber(special.Kind) + ")";
  if (special.SquareX < 0 || special.SquareX >= width || special.SquareY < 0 ||
      special.SquareY >= height)
    return "a special lies outside the squares (" +
           SquareCoordinatesText(special.SquareX, special.SquareY) + ")";
  return {};
}

Status Malformed(const std::string& why) {
  return Status::Error("The map squares cannot be read: " + why + ".");
}

std::string Counted(long long count, std::string_view one, std::string_view many) {
  return PlainNumber(count) + " " + std::string(count == 1 ? one : many);
}

// --- Reading the text form ---

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && IsBlank(line[at])) ++at;
    std::size_t end = at;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    if (end > at) words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

// The lines of the text that hold anything, as words.
std::vector<std::vector<std::string_view>> WordLines(std::string_view text) {
  std::vector<std::vector<std::string_view>> lines;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::vector<std::string_view> words = Words(text.substr(at, end - at));
    if (!words.empty()) lines.push_back(std::move(words));
    at = end + 1;
  }
  return lines;
}

bool ReadDecimal(std::string_view word, int low, int high, int& value) {
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, value);
  return error == std::errc() && stop == end && value >= low && value <= high;
}

bool ReadSquareWord(std::string_view word, std::int16_t& value) {
  unsigned bits = 0;
  const char* end = word.data() + word.size();
  if (word.empty() || word.size() > 4) return false;
  const auto [stop, error] = std::from_chars(word.data(), end, bits, 16);
  if (error != std::errc() || stop != end) return false;
  value = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits));
  return true;
}

std::string LineNamed(std::size_t index) {
  return "line " + PlainNumber(static_cast<long long>(index) + 1);
}

}  // namespace

MapRegion CopyRegion(const MapRecord& map, const SquareRect& rect) {
  const SquareRect on = OnTheMap(rect);
  MapRegion region;
  if (on.empty()) return region;
  region.width = on.width();
  region.height = on.height();
  region.squares.reserve(static_cast<std::size_t>(region.width * region.height));
  for (int y = on.top; y <= on.bottom; ++y) {
    for (int x = on.left; x <= on.right; ++x) region.squares.push_back(map.Square(x, y));
  }
  for (int i = 0; i < SpecialCount; ++i) {
    MapSpecial special = map.GetSpecial(i);
    if (!special.inUse() || !on.contains(special.SquareX, special.SquareY)) continue;
    special.SquareX = static_cast<std::int16_t>(special.SquareX - on.left);
    special.SquareY = static_cast<std::int16_t>(special.SquareY - on.top);
    region.specials.push_back(special);
  }
  return region;
}

std::vector<std::uint8_t> RegionBytes(const MapRegion& region) {
  std::vector<std::uint8_t> bytes(ByteFormMagic.begin(), ByteFormMagic.end());
  bytes.push_back(ByteFormNumber);
  bytes.push_back(static_cast<std::uint8_t>(region.width));
  bytes.push_back(static_cast<std::uint8_t>(region.height));
  bytes.push_back(static_cast<std::uint8_t>(region.specials.size()));
  const auto put = [&bytes](std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    bytes.push_back(static_cast<std::uint8_t>(bits & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(bits >> 8));
  };
  for (const std::int16_t word : region.squares) put(word);
  for (const MapSpecial& special : region.specials) {
    for (const std::int16_t field : FieldsOf(special)) put(field);
  }
  return bytes;
}

Result<MapRegion> RegionFromBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < ByteFormHeader ||
      !std::equal(ByteFormMagic.begin(), ByteFormMagic.end(), bytes.begin()))
    return Malformed("they are not in this editor's form");
  if (bytes[4] != ByteFormNumber)
    return Malformed("they come in form " + PlainNumber(bytes[4]) +
                     ", which this editor does not know");
  MapRegion region;
  region.width = bytes[5];
  region.height = bytes[6];
  const std::size_t specials = bytes[7];
  if (!SizeFits(region.width, region.height))
    return Malformed("a size of " + PlainNumber(region.width) + " x " + PlainNumber(region.height) +
                     " squares does not fit a map");
  if (specials > static_cast<std::size_t>(SpecialCount))
    return Malformed(Counted(static_cast<long long>(specials), "special", "specials") +
                     " are more than a map holds");
  const std::size_t squares = static_cast<std::size_t>(region.width * region.height);
  const std::size_t expected = ByteFormHeader + 2 * squares + 2 * SpecialFieldCount * specials;
  if (bytes.size() != expected)
    return Malformed(PlainNumber(static_cast<long long>(bytes.size())) + " bytes where " +
                     PlainNumber(static_cast<long long>(expected)) + " belong");
  std::size_t at = ByteFormHeader;
  const auto next = [&bytes, &at] {
    const auto value = static_cast<std::int16_t>(bytes[at] | (bytes[at + 1] << 8));
    at += 2;
    return value;
  };
  region.squares.resize(squares);
  for (std::int16_t& word : region.squares) word = next();
  for (std::size_t s = 0; s < specials; ++s) {
    SpecialFields fields{};
    for (std::int16_t& field : fields) field = next();
    region.specials.push_back(SpecialOf(fields));
    const std::string problem = SpecialProblem(region.specials.back(), region.width, region.height);
    if (!problem.empty()) return Malformed(problem);
  }
  return region;
}

std::string RegionText(const MapRegion& region) {
  std::string text = std::string(TextHeading) + " " + PlainNumber(region.width) + " x " +
                     PlainNumber(region.height) + "\n";
  for (int y = 0; y < region.height; ++y) {
    for (int x = 0; x < region.width; ++x) {
      char word[8];
      std::snprintf(word, sizeof word, "%04X",
                    static_cast<unsigned>(static_cast<std::uint16_t>(region.Square(x, y))));
      if (x > 0) text += ' ';
      text += word;
    }
    text += '\n';
  }
  text += "Specials " + PlainNumber(static_cast<long long>(region.specials.size())) + "\n";
  for (const MapSpecial& special : region.specials) {
    const SpecialFields fields = FieldsOf(special);
    text += "Special";
    for (std::size_t f = 0; f < fields.size(); ++f)
      text += " " + std::string(SpecialFieldNames[f]) + " " + PlainNumber(fields[f]);
    text += '\n';
  }
  return text;
}

bool LooksLikeRegionText(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t\r\n");
  return start != std::string_view::npos && text.substr(start).starts_with(TextHeading);
}

Result<MapRegion> RegionFromText(std::string_view text) {
  if (text.size() > LongestText) return Malformed("the text is too long for a map's squares");
  const std::vector<std::vector<std::string_view>> lines = WordLines(text);
  const std::vector<std::string_view> heading = Words(TextHeading);
  MapRegion region;
  // "Map Editor squares 6 x 4"
  if (lines.empty() || lines[0].size() != heading.size() + 3 ||
      !std::equal(heading.begin(), heading.end(), lines[0].begin()) ||
      lines[0][heading.size() + 1] != "x" ||
      !ReadDecimal(lines[0][heading.size()], 1, MapSize, region.width) ||
      !ReadDecimal(lines[0][heading.size() + 2], 1, MapSize, region.height))
    return Malformed("the text does not start with \"" + std::string(TextHeading) +
                     "\" and a size of at most 33 x 33");
  std::size_t line = 1;
  for (int y = 0; y < region.height; ++y, ++line) {
    if (line >= lines.size()) return Malformed("row " + PlainNumber(y) + " is missing");
    if (lines[line].size() != static_cast<std::size_t>(region.width))
      return Malformed(LineNamed(line) + " holds " +
                       Counted(static_cast<long long>(lines[line].size()), "word", "words") +
                       ", not " + PlainNumber(region.width));
    for (std::string_view word : lines[line]) {
      std::int16_t value = 0;
      if (!ReadSquareWord(word, value))
        return Malformed(LineNamed(line) + ": \"" + std::string(word) +
                         "\" is not a square word (four hexadecimal digits)");
      region.squares.push_back(value);
    }
  }
  int specials = 0;
  if (line >= lines.size() || lines[line].size() != 2 || lines[line][0] != "Specials" ||
      !ReadDecimal(lines[line][1], 0, SpecialCount, specials))
    return Malformed(LineNamed(line) + " is not \"Specials\" and a count of at most 101");
  ++line;
  for (int s = 0; s < specials; ++s, ++line) {
    if (line >= lines.size()) return Malformed("special " + PlainNumber(s + 1) + " is missing");
    const std::vector<std::string_view>& words = lines[line];
    if (words.size() != 1 + 2 * SpecialFieldNames.size() || words[0] != "Special")
      return Malformed(LineNamed(line) + " is not a special with its eleven fields");
    SpecialFields fields{};
    for (std::size_t f = 0; f < fields.size(); ++f) {
      int value = 0;
      if (words[1 + 2 * f] != SpecialFieldNames[f] ||
          !ReadDecimal(words[2 + 2 * f], -32768, 32767, value))
        return Malformed(LineNamed(line) + ": " + std::string(SpecialFieldNames[f]) +
                         " and a number from -32768 to 32767 belong here");
      fields[f] = static_cast<std::int16_t>(value);
    }
    region.specials.push_back(SpecialOf(fields));
    const std::string problem = SpecialProblem(region.specials.back(), region.width, region.height);
    if (!problem.empty()) return Malformed(LineNamed(line) + ": " + problem);
  }
  if (line < lines.size()) return Malformed(LineNamed(line) + " follows the last special");
  return region;
}

std::string PasteRefusal(const MapRecord& map, const MapRegion& region, int x, int y) {
  const std::string what =
      "Cannot paste " + PlainNumber(region.width) + " x " + PlainNumber(region.height) + " squares";
  if (x < 0 || x >= MapSize || y < 0 || y >= MapSize)
    return what + ": the selected square " + SquareCoordinatesText(x, y) + " is not on the map.";
  const int pastEast = x + region.width - MapSize;
  const int pastSouth = y + region.height - MapSize;
  if (pastEast > 0 || pastSouth > 0) {
    std::string past;
    if (pastEast > 0) past = Counted(pastEast, "square", "squares") + " past the east edge";
    if (pastEast > 0 && pastSouth > 0) past += " and ";
    if (pastSouth > 0)
      past += (pastEast > 0 ? PlainNumber(pastSouth) : Counted(pastSouth, "square", "squares")) +
              " past the south edge";
    return what + " with their top-left on " + SquareCoordinatesText(x, y) + ": they would run " +
           past + " of the map.";
  }
  int free = 0;
  for (int i = 0; i < SpecialCount; ++i) free += map.Special(i, SpecialField::Kind) == 0 ? 1 : 0;
  const auto needed = static_cast<long long>(region.specials.size());
  if (needed > free)
    return what + ": they carry " + Counted(needed, "special", "specials") +
           " and the map has only " + Counted(free, "free special entry", "free special entries") +
           ".";
  return {};
}

void PutRegion(MapRecord& map, const MapRegion& region, int x, int y) {
  for (int dy = 0; dy < region.height; ++dy) {
    for (int dx = 0; dx < region.width; ++dx) map.SetSquare(x + dx, y + dy, region.Square(dx, dy));
  }
  int entry = 0;
  for (MapSpecial special : region.specials) {
    while (map.Special(entry, SpecialField::Kind) != 0) ++entry;
    special.SquareX = static_cast<std::int16_t>(special.SquareX + x);
    special.SquareY = static_cast<std::int16_t>(special.SquareY + y);
    map.PutSpecial(entry++, special);
  }
}

void ClearSquares(MapRecord& map, const SquareRect& rect) {
  const SquareRect on = OnTheMap(rect);
  if (on.empty()) return;
  for (int y = on.top; y <= on.bottom; ++y) {
    for (int x = on.left; x <= on.right; ++x) map.SetSquare(x, y, 0);
  }
  for (int i = 0; i < SpecialCount; ++i) {
    if (map.Special(i, SpecialField::Kind) > 0 &&
        on.contains(map.Special(i, SpecialField::SquareX), map.Special(i, SpecialField::SquareY)))
      map.PutSpecial(i, MapSpecial{});
  }
}

std::string RegionStepName(std::string_view verb, int width, int height) {
  return std::string(verb) + " " + PlainNumber(width) + " x " + PlainNumber(height) + " Squares";
}

Status PasteRegion(MapDocument& document, const MapRegion& region, const void* origin) {
  if (region.width < 1 || region.height < 1) return Status::Error("There are no squares to paste.");
  const int x = document.SelectedX();
  const int y = document.SelectedY();
  const std::string refusal = PasteRefusal(document.Map(), region, x, y);
  if (!refusal.empty()) return Status::Error(refusal);
  document.Apply(
      RegionStepName("Paste", region.width, region.height),
      [&](MapRecord& map) { PutRegion(map, region, x, y); }, origin);
  document.SetRegion({x, y, x + region.width - 1, y + region.height - 1}, origin);
  return Status::Ok();
}

MapRegion CutRegion(MapDocument& document, const void* origin) {
  const SquareRect rect = OnTheMap(document.Region());
  MapRegion region = CopyRegion(document.Map(), rect);
  if (rect.empty()) return region;
  document.Apply(
      RegionStepName("Cut", rect.width(), rect.height()),
      [&](MapRecord& map) { ClearSquares(map, rect); }, origin);
  return region;
}

bool ClearRegion(MapDocument& document, const void* origin) {
  const SquareRect rect = OnTheMap(document.Region());
  if (rect.empty()) return false;
  return document.Apply(
      RegionStepName("Clear", rect.width(), rect.height()),
      [&](MapRecord& map) { ClearSquares(map, rect); }, origin);
}

}  // namespace core
