#pragma once

#include "ui/dialogs.h"

#include <deque>
#include <optional>
#include <vector>

namespace ui {

// Dialogs for tests: answers come from queues filled beforehand, and everything shown is
// recorded. A question with no queued answer is answered as cancelled (no text, Cancel) and
// counted in unanswered().
class ScriptedDialogs final : public Dialogs {
 public:
  enum class Kind {
    Input,
    Message,
    SaveQuestion,
    MoveQuestion,
    OverwriteQuestion,
    ConfirmQuestion,  // any other action than Overwrite
    OpenAnywayQuestion,
    Directory
  };

  // One dialog as it was shown. For a message `prompt` is its text; for a directory, the caption.
  struct Shown {
    Kind kind;
    QString prompt;
    QString title;
    QString defaultAnswer;
    QString action;  // the button of a ConfirmQuestion
  };

  void answerInput(const QString& answer) { inputs_.push_back({false, answer}); }
  void cancelInput() { inputs_.push_back({true, {}}); }
  void answerSave(SaveChoice choice) { saveChoices_.push_back(choice); }
  void answerMove(MoveChoice choice) { moveChoices_.push_back(choice); }
  void answerOverwrite(bool overwrite) { overwrites_.push_back(overwrite); }
  void answerConfirm(bool confirm) { confirms_.push_back(confirm); }
  void answerOpenAnyway(bool openAnyway) { openAnyways_.push_back(openAnyway); }
  void answerDirectory(const QString& path) { directories_.push_back(path); }

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

  const std::vector<Shown>& shown() const { return shown_; }
  // The texts of the message boxes shown, in order.
  std::vector<QString> messages() const;
  const Shown* last() const { return shown_.empty() ? nullptr : &shown_.back(); }
  void clearShown() { shown_.clear(); }
  int unanswered() const { return unanswered_; }
  // Answers queued but not used yet, of every kind.
  int pendingAnswers() const;

 private:
  struct QueuedInput {
    bool cancelled;
    QString answer;
  };
  std::deque<QueuedInput> inputs_;
  std::deque<SaveChoice> saveChoices_;
  std::deque<MoveChoice> moveChoices_;
  std::deque<bool> overwrites_;
  std::deque<bool> confirms_;
  std::deque<bool> openAnyways_;
  std::deque<QString> directories_;
  std::vector<Shown> shown_;
  int unanswered_ = 0;
};

}  // namespace ui
