#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

// Whether the command line asks for one of the text form's commands (export, import, show).
bool IsDataCommand(const std::vector<std::string>& arguments);

// Runs export, import or show: `arguments` without the program name, the command first.
// Exit status 0 when done, 1 when an import was refused, 2 when a file or folder cannot be read
// or written or the command line is wrong (the reason goes to `err`).
int RunDataCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace cli
