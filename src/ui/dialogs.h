#pragma once

#include <QString>

#include <optional>
#include <vector>

class QWidget;

namespace ui {

// The modal dialogs of the windows, behind an interface so that tests answer them without a
// modal loop.
class Dialogs {
 public:
  enum class SaveChoice { Save, Discard, Cancel };
  enum class MoveChoice { Move, KeepPlace, Cancel };

  virtual ~Dialogs() = default;

  // The answer typed (possibly empty); none when cancelled.
  virtual std::optional<QString> inputBox(QWidget* parent, const QString& prompt,
                                          const QString& title, const QString& defaultAnswer) = 0;
  // A message with one OK button.
  virtual void messageBox(QWidget* parent, const QString& text, const QString& title) = 0;
  virtual SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text,
                                          const QString& title) = 0;
  // A question with Move, Keep Place and Cancel.
  virtual MoveChoice askMoveKeepCancel(QWidget* parent, const QString& text,
                                       const QString& title) = 0;
  // A question with a button named `action` ("Add", "Create") and Cancel, which is the
  // default; true for the action.
  virtual bool askConfirm(QWidget* parent, const QString& text, const QString& title,
                          const QString& action) = 0;
  // A question with Overwrite and Cancel; true for Overwrite.
  bool askOverwrite(QWidget* parent, const QString& text, const QString& title) {
    return askConfirm(parent, text, title, QStringLiteral("Overwrite"));
  }
  // A question with Open Anyway and Quit; true for Open Anyway.
  virtual bool askOpenAnyway(QWidget* parent, const QString& text, const QString& title) = 0;
  // A folder picked by the user; empty when cancelled.
  virtual QString chooseDirectory(QWidget* parent, const QString& caption) = 0;
};

// The real dialogs, on QInputDialog, QMessageBox and QFileDialog.
class QtDialogs final : public Dialogs {
 public:
  std::optional<QString> inputBox(QWidget* parent, const QString& prompt, const QString& title,
                                  const QString& defaultAnswer) override;
  void messageBox(QWidget* parent, const QString& text, const QString& title) override;
  SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& text,
                                  const QString& title) override;
  MoveChoice askMoveKeepCancel(QWidget* parent, const QString& text, const QString& title) override;
  bool askConfirm(QWidget* parent, const QString& text, const QString& title,
                  const QString& action) override;
  bool askOpenAnyway(QWidget* parent, const QString& text, const QString& title) override;
  QString chooseDirectory(QWidget* parent, const QString& caption) override;
};

}  // namespace ui
