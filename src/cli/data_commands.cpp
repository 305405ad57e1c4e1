#include "cli/data_commands.h"

#include "cli/picture_command.h"
#include "textform/game_data.h"

#include <algorithm>

namespace cli {

namespace {

constexpr const char* DataUsage =
    "       editor-check export [--split] GAME_FOLDER OUT_FOLDER\n"
    "       editor-check import JSON_FOLDER GAME_FOLDER\n"
    "       editor-check show FILE\n"
    "       editor-check picture [--zoom N] [--square X,Y] GAME_FOLDER MAP OUT_FILE\n"
    "export writes the JSON text form of each record file of GAME_FOLDER/Dat into OUT_FOLDER\n"
    "(Item.json ...; with --split a folder per file and one JSON file per entry or map).\n"
    "import checks every JSON file in JSON_FOLDER, then writes the record files; a refused\n"
    "import names the file, line and member and changes nothing. show prints the text form\n"
    "of one record file (Maps.dat, Item.dat, Shop.dat, Mon.dat, Mag.dat or MagProg.dat).\n"
    "picture writes a map as a PNG picture (see editor-check picture --help).\n";

constexpr int Done = 0;
constexpr int Refused = 1;
constexpr int CannotRun = 2;

int Wrong(std::ostream& err, const std::string& why) {
  err << "editor-check: " << why << "\nUsage: " << (DataUsage + 7);
  return CannotRun;
}

}  // namespace

bool IsDataCommand(const std::vector<std::string>& arguments) {
  return !arguments.empty() && (arguments[0] == "export" || arguments[0] == "import" ||
                                arguments[0] == "show" || arguments[0] == "picture");
}

int RunDataCommand(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
  const std::string& command = arguments.at(0);
  if (command == "picture") return RunPictureCommand(arguments, out, err);
  bool split = false;
  std::vector<std::string> operands;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--help" || arguments[i] == "-h") {
      out << "Usage: " << (DataUsage + 7);
      return Done;
    }
    if (arguments[i] == "--split" && command == "export")
      split = true;
    else if (arguments[i].size() > 1 && arguments[i][0] == '-')
      return Wrong(err, "unknown option " + arguments[i] + " for " + command);
    else
      operands.push_back(arguments[i]);
  }
  const std::size_t wanted = command == "show" ? 1 : 2;
  if (operands.size() != wanted)
    return Wrong(err, command + " takes " + (wanted == 1 ? "one file" : "two folders"));

  if (command == "show") {
    auto text = textform::ShowRecordFile(operands[0]);
    if (!text.ok()) {
      err << "editor-check: " << text.status().message() << "\n";
      return CannotRun;
    }
    out << *text;
    return Done;
  }
  if (command == "export") {
    auto summary = textform::ExportGameData(operands[0], operands[1], {split, {}});
    if (!summary.ok()) {
      err << "editor-check: " << summary.status().message() << "\n";
      return CannotRun;
    }
    for (const auto& written : summary->written) out << "wrote " << written << "\n";
    for (const auto& missing : summary->missing) out << "no " << missing << " in the game folder\n";
    return Done;
  }
  auto summary = textform::ImportGameData(operands[0], operands[1]);
  if (!summary.ok()) {
    err << "editor-check: " << summary.status().message() << "\n";
    return Refused;
  }
  for (const auto& written : summary->written) out << "wrote " << written << "\n";
  for (const auto& same : summary->unchanged) out << "unchanged " << same << "\n";
  return Done;
}

}  // namespace cli
