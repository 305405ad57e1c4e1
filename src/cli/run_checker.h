#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

// Exit statuses of the checker.
inline constexpr int NoErrors = 0;
inline constexpr int ErrorsFound = 1;
inline constexpr int CannotRead = 2;  // the folder cannot be read, or the command line is wrong

// The checker's whole run: `arguments` without the program name. Findings go to `out`, the
// reason for status 2 to `err`. Never writes to the game folder.
int RunChecker(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace cli
