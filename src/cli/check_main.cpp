#include "cli/run_checker.h"

#include <iostream>

int main(int argc, char** argv) {
  return cli::RunChecker(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
