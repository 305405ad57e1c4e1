#pragma once

#include "ui/dialogs.h"

#include <optional>

namespace bench_support {

// Messages are counted, not shown: a benchmark that raised one would measure the wrong thing.
class CountingDialogs final : public ui::Dialogs {
 public:
  int messages = 0;
  std::optional<QString> inputBox(QWidget*, const QString&, const QString&,
                                  const QString&) override {
    return std::nullopt;
  }
  void messageBox(QWidget*, const QString&, const QString&) override { ++messages; }
  SaveChoice askSaveDiscardCancel(QWidget*, const QString&, const QString&) override {
    return SaveChoice::Cancel;
  }
  MoveChoice askMoveKeepCancel(QWidget*, const QString&, const QString&) override {
    return MoveChoice::Cancel;
  }
  bool askConfirm(QWidget*, const QString&, const QString&, const QString&) override {
    return false;
  }
  bool askOpenAnyway(QWidget*, const QString&, const QString&) override { return false; }
  QString chooseDirectory(QWidget*, const QString&) override { return {}; }
};

}  // namespace bench_support
