#include "cli/run_checker.h"

#include "cli/data_commands.h"
#include "core/game_check.h"
#include "core/version.h"

#include <algorithm>
#include <optional>

namespace cli {

namespace {

constexpr const char* Usage =
    "Usage: editor-check [--json] [--severity error|warning|note] GAME_FOLDER\n"
    "       editor-check --version\n"
    "Checks the game files in GAME_FOLDER (its Dat and Data folders) without changing them.\n"
    "Exit status: 0 no error found, 1 errors found, 2 the folder cannot be read.\n"
    "The text form of the record files: editor-check export|import|show (see editor-check\n"
    "export --help); a map as a PNG picture: editor-check picture (see editor-check picture\n"
    "--help).\n";

std::optional<core::Severity> SeverityOf(const std::string& name) {
  for (const auto severity : {core::Severity::Error, core::Severity::Warning, core::Severity::Note})
    if (core::SeverityName(severity) == name) return severity;
  return std::nullopt;
}

struct Options {
  bool json = false;
  core::Severity shown = core::Severity::Note;  // this and the more serious ones
  std::string folder;
};

// Parses the command line; an empty optional after writing the reason to err.
std::optional<Options> Parse(const std::vector<std::string>& arguments, std::ostream& err) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--json") {
      options.json = true;
    } else if (argument == "--severity" || argument.rfind("--severity=", 0) == 0) {
      std::string name;
      if (argument == "--severity") {
        if (i + 1 == arguments.size()) {
          err << "editor-check: --severity needs error, warning or note\n" << Usage;
          return std::nullopt;
        }
        name = arguments[++i];
      } else {
        name = argument.substr(std::string("--severity=").size());
      }
      const auto severity = SeverityOf(name);
      if (!severity) {
        err << "editor-check: unknown severity \"" << name << "\" (error, warning or note)\n";
        return std::nullopt;
      }
      options.shown = *severity;
    } else if (argument == "--help" || argument == "-h") {
      err << Usage;
      return std::nullopt;
    } else if (!argument.empty() && argument[0] == '-' && argument != "-") {
      err << "editor-check: unknown option " << argument << "\n" << Usage;
      return std::nullopt;
    } else if (options.folder.empty()) {
      options.folder = argument;
    } else {
      err << "editor-check: one game folder at a time\n" << Usage;
      return std::nullopt;
    }
  }
  if (options.folder.empty()) {
    err << Usage;
    return std::nullopt;
  }
  return options;
}

}  // namespace

int RunChecker(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (arguments.size() == 1 && arguments[0] == "--version") {
    out << "editor-check (" << core::ProductName << ") " << core::EditorVersion << "\n";
    return NoErrors;
  }
  if (IsDataCommand(arguments)) return RunDataCommand(arguments, out, err);
  const auto options = Parse(arguments, err);
  if (!options) return CannotRead;
  auto check = core::CheckGameFolder(options->folder);
  if (!check.ok()) {
    err << "editor-check: " << check.status().message() << "\n";
    return CannotRead;
  }
  std::vector<core::Finding> shown;
  std::copy_if(check->findings.begin(), check->findings.end(), std::back_inserter(shown),
               [&](const core::Finding& f) { return f.severity <= options->shown; });
  if (options->json) {
    out << core::FindingsJson(shown);
  } else {
    for (const core::Finding& finding : shown) out << core::FindingLine(finding) << "\n";
  }
  const bool errors =
      std::any_of(check->findings.begin(), check->findings.end(),
                  [](const auto& f) { return f.severity == core::Severity::Error; });
  return errors ? ErrorsFound : NoErrors;
}

}  // namespace cli
