#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Every test class registers itself here; the folder's one program runs them all.
namespace test_support {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<std::pair<const char*, TestFactory>>& testRegistry();

struct TestRegistrar {
  TestRegistrar(const char* name, TestFactory factory) {
    testRegistry().emplace_back(name, std::move(factory));
  }
};

}  // namespace test_support

#define REGISTER_TEST(Class)                                  \
  static const test_support::TestRegistrar registrar_##Class( \
      #Class, [] { return std::unique_ptr<QObject>(std::make_unique<Class>().release()); })
