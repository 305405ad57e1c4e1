// Writes the demo data set (maps, catalogues and bitmaps) into the folder given on the command
// line, so the editor has real files to open.

#include "demodata/demo_data.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argc > 0 ? argv[0] : "make_demo_data");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  const core::Status status = demodata::WriteDemoData(out);
  if (!status.ok()) {
    std::fprintf(stderr, "make_demo_data: %s\n", status.message().c_str());
    return 1;
  }
  std::printf("Demo data written to %s (Dat and Data)\n", out.string().c_str());
  return 0;
}
