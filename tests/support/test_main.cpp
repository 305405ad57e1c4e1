#include "support/test_registry.h"

#include <QApplication>
#include <QTest>

#include <cstdlib>
#include <cstring>

namespace test_support {

std::vector<std::pair<const char*, TestFactory>>& testRegistry() {
  static std::vector<std::pair<const char*, TestFactory>> registry;
  return registry;
}

}  // namespace test_support

// Runs every registered test class; TEST_CLASS=Name limits the run to one class.
int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const char* only = std::getenv("TEST_CLASS");
  int failures = 0;
  int classes = 0;
  for (auto& [name, factory] : test_support::testRegistry()) {
    if (only && std::strcmp(only, name) != 0) continue;
    failures += QTest::qExec(factory().get(), argc, argv);
    ++classes;
  }
  if (classes == 0) {
    std::fprintf(stderr, "no test class ran\n");
    return 1;
  }
  return failures == 0 ? 0 : 1;
}
