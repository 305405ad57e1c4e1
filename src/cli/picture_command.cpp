#include "cli/picture_command.h"

#include "cli/png_file.h"
#include "core/map_picture.h"
#include "core/record_file.h"

#include <charconv>
#include <optional>

namespace cli {

namespace {

constexpr const char* PictureUsage =
    "editor-check picture [--zoom N] [--square X,Y] GAME_FOLDER MAP OUT_FILE\n"
    "writes map number MAP of GAME_FOLDER/Dat/Maps.dat as a PNG picture, as the map editor's\n"
    "Export Map Picture writes it: drawn on Data/Back.bmp with the glyphs of Data/Tiles.bmp,\n"
    "each pixel an N x N block (1 to 6, 1 by default), with the selection frame on square\n"
    "X,Y when given.\n";

constexpr int MaxZoom = 6;  // the map editor's largest zoom

std::optional<long> WholeNumber(std::string_view text) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

int Wrong(std::ostream& err, const std::string& why) {
  err << "editor-check: " << why << "\nUsage: " << PictureUsage;
  return 2;
}

}  // namespace

int RunPictureCommand(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err) {
  long zoom = 1;
  int squareX = -1, squareY = -1;  // no selection frame
  std::vector<std::string> operands;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      out << "Usage: " << PictureUsage;
      return 0;
    }
    if (argument == "--zoom" || argument == "--square") {
      if (i + 1 == arguments.size()) return Wrong(err, argument + " needs a value");
      const std::string& value = arguments[++i];
      if (argument == "--zoom") {
        const auto number = WholeNumber(value);
        if (!number || *number < 1 || *number > MaxZoom)
          return Wrong(err, "the zoom must be a whole number from 1 to 6, not \"" + value + "\"");
        zoom = *number;
      } else {
        const std::size_t comma = value.find(',');
        const auto x = WholeNumber(std::string_view(value).substr(0, comma));
        const auto y = comma == std::string::npos
                           ? std::nullopt
                           : WholeNumber(std::string_view(value).substr(comma + 1));
        if (!x || !y || *x < 0 || *x >= core::MapSize || *y < 0 || *y >= core::MapSize)
          return Wrong(err, "the square must be X,Y with each from 0 to 32, not \"" + value + "\"");
        squareX = static_cast<int>(*x);
        squareY = static_cast<int>(*y);
      }
    } else if (argument.size() > 1 && argument[0] == '-') {
      return Wrong(err, "unknown option " + argument + " for picture");
    } else {
      operands.push_back(argument);
    }
  }
  if (operands.size() != 3) return Wrong(err, "picture takes a game folder, a map and a file");
  const auto mapNumber = WholeNumber(operands[1]);
  if (!mapNumber || *mapNumber < 1 || *mapNumber > 32767)
    return Wrong(err, "the map must be a number from 1 to 32767, not \"" + operands[1] + "\"");

  const std::filesystem::path game = operands[0];
  const auto maps = core::RecordFile::OpenForReading(
      core::ResolveIgnoringCase(core::ResolveIgnoringCase(game, "Dat"), "Maps.dat"),
      core::MapRecord::SlotLength);
  if (!maps.ok()) {
    err << "editor-check: " << maps.status().message() << "\n";
    return 2;
  }
  const auto size = maps->Size();
  if (!size.ok()) {
    err << "editor-check: " << size.status().message() << "\n";
    return 2;
  }
  const auto held = static_cast<long>(*size / core::MapRecord::SlotLength);
  if (*mapNumber > held) {
    err << "editor-check: Maps.dat holds " << held << (held == 1 ? " map" : " maps") << ", not map "
        << *mapNumber << "\n";
    return 2;
  }
  std::vector<std::uint8_t> packed(core::MapRecord::PackedSize);
  if (core::Status read = maps->Read(*mapNumber, packed); !read.ok()) {
    err << "editor-check: " << read.message() << "\n";
    return 2;
  }
  const core::MapRecord map = core::MapRecord::unpack(packed);

  std::string fallbacks;
  auto picture =
      core::MapPicture(core::ResolveIgnoringCase(game, "Data"), map, squareX, squareY, &fallbacks);
  if (!picture.ok()) {
    err << "editor-check: " << picture.status().message() << "\n";
    return 2;
  }
  // As the editor does, a picture it cannot use is replaced by its own drawing, and said so.
  if (!fallbacks.empty())
    err << fallbacks << "The picture uses the editor's own drawing instead.\n";
  const std::filesystem::path file = operands[2];
  if (core::Status written = WritePng(file, core::Enlarged(*picture, static_cast<int>(zoom)));
      !written.ok()) {
    err << "editor-check: " << written.message() << "\n";
    return 2;
  }
  out << "wrote map " << *mapNumber << " to " << file.string() << "\n";
  return 0;
}

}  // namespace cli
