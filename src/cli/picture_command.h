#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

// `picture GAME_FOLDER MAP OUT.png [--zoom N] [--square X,Y]`: the map as the map editor's
// "Export Map Picture..." writes it. `arguments` without the program name, the command first.
// Exit status 0 when written, 2 when something cannot be read or written (the reason to `err`).
int RunPictureCommand(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err);

}  // namespace cli
